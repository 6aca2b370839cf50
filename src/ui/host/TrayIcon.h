#pragma once

#include <QIcon>
#include <QMenu>
#include <QString>
#include <functional>

namespace ferrowick::ui {

// The icon's mouse events as the main window receives them.
namespace TrayMsg {
inline constexpr int LeftButtonUp = 514;
inline constexpr int LeftDoubleClick = 515;
inline constexpr int RightButtonUp = 517;
inline constexpr int MiddleButtonUp = 520;
}  // namespace TrayMsg

// The program's icon in the desktop's notification area.
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  // Registers the icon with its tip; it stays until the process ends. When the desktop
  // has no notification area yet, the icon appears as soon as one does.
  virtual void add(const QIcon& icon, const QString& tip) = 0;
  // True while the desktop shows a notification area.
  virtual bool areaAvailable() const = 0;
  // Pops up `menu` at the pointer and returns when it closes.
  virtual void popUp(QMenu& menu) = 0;

  // Each mouse event on the icon, as a message number (TrayMsg).
  std::function<void(int)> onMessage;
  // The notification area appeared (true) or went away (false) after the icon was added.
  std::function<void(bool)> onAreaChanged;
};

}  // namespace ferrowick::ui
