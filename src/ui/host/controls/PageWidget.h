#pragma once

#include <QString>
#include <QWidget>

namespace ferrowick::ui {

// One page of a tabbed window: a single tab carrying the page's title along the top
// edge, and a framed area below it that holds the page's controls.
class PageWidget : public QWidget {
 public:
  explicit PageWidget(QWidget* parent);

  QString title() const { return title_; }
  void setTitle(const QString& title);

  // Height of the tab row; the page's controls sit below it.
  static int tabHeight();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QString title_;
};

}  // namespace ferrowick::ui
