#pragma once

#include <QIcon>
#include <QMenu>
#include <QString>
#include <functional>
#include <vector>

#include "ui/host/TrayIcon.h"

namespace ferrowick::testing {

// Records the icon's registration and pop-ups; tests send the icon's messages.
class ScriptedTray : public ui::TrayIcon {
 public:
  void add(const QIcon& added, const QString& addedTip) override {
    (void)added;
    tip = addedTip;
    if (onAdd) onAdd();
  }
  bool areaAvailable() const override { return available; }
  void popUp(QMenu& menu) override {
    popUps.push_back(&menu);
    if (whilePoppedUp) whilePoppedUp(menu);
  }
  void send(int message) { onMessage(message); }

  bool available = true;
  QString tip;
  std::vector<QMenu*> popUps;
  std::function<void()> onAdd;
  std::function<void(QMenu&)> whilePoppedUp;
};

}  // namespace ferrowick::testing
