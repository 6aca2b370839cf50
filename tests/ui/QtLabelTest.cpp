#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStringList>
#include <memory>

#include "support/qt/QtApplication.h"
#include "ui/host/controls/QtLabel.h"

namespace ferrowick::ui {
namespace {

class PaintSpy : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted << static_cast<QLabel*>(watched)->text();
    return false;
  }
  QStringList painted;
};

class QtLabelTest : public testing::QtTest {
 protected:
  static void paint() {
    for (int pass = 0; pass < 2; ++pass) QApplication::processEvents();
  }
  QWidget window_;
};

TEST_F(QtLabelTest, PaintsTheNewestCaptionAndNothingForTheSameCaptionAgain) {
  QtLabel label(&window_);
  label.widget().resize(200, 40);
  PaintSpy spy;
  label.widget().installEventFilter(&spy);
  window_.show();
  paint();
  spy.painted.clear();

  label.setCaption("first");
  label.setCaption("second\rline");
  paint();
  ASSERT_FALSE(spy.painted.isEmpty());
  EXPECT_EQ(spy.painted.filter("second\nline").size(), spy.painted.size());

  spy.painted.clear();
  label.setCaption("second\rline");  // the same caption again paints nothing
  paint();
  EXPECT_TRUE(spy.painted.isEmpty());

  // A label gone before its caption was shown leaves its widget alone.
  auto gone = std::make_unique<QtLabel>(&window_);
  QLabel* left = &gone->widget();
  gone->setCaption("never shown");
  gone.reset();
  QApplication::processEvents();
  EXPECT_EQ(left->text(), "");
}

}  // namespace
}  // namespace ferrowick::ui
