#include "ui/main/frmSplash.h"

#include <QScreen>

#include "runtime/App.h"
#include "runtime/Host.h"
#include "runtime/RuntimeError.h"
#include "services/modLanguage.h"
#include "services/modPathUsers.h"
#include "ui/main/Artwork.h"
#include "ui/main/frmMain.h"

namespace ferrowick::ui {

using services::Text;

namespace {
constexpr int kWidth = 420;
constexpr int kHeight = 150;
constexpr int kTickMs = 300;
constexpr int kLastTick = 3;

// The splash must not stop the start-up: a failing step is skipped.
template <typename Step>
void skipOnError(Step step) {
  try {
    step();
  } catch (const runtime::RuntimeError&) {
  }
}
}  // namespace

frmSplash::frmSplash(frmSplashContext context)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), context_(std::move(context)) {
  tmrTime_.setEnabled(false);  // the load starts it at its own pace
  tmrTime_.onTimer = [this] { tmrTime_Timer(); };
  setWindowTitle(QString::fromStdString(context_.app.title()));
  layOut();
}

void frmSplash::layOut() {
  setFixedSize(kWidth, kHeight);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  Image39_.widget().setGeometry(0, 0, kWidth, artwork::kBannerHeight);
  Image39_.widget().setPicture(artwork::banner(Image39_.widget().size(), devicePixelRatioF()));
  Line2_->setFrameShape(QFrame::HLine);
  Line2_->setFrameShadow(QFrame::Sunken);
  Line2_->setGeometry(12, artwork::kBannerHeight + 12, kWidth - 24, 2);
  Label2_.widget().setGeometry(12, artwork::kBannerHeight + 24, kWidth - 24, 40);
  Label2_.widget().setWordWrap(true);
  if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
}

bool frmSplash::Form_Initialize() {
  context_.loadLanguage();
  if (!context_.app.prevInstance()) return true;
  context_.host.messages.show(context_.lang.text(Text::AlreadyRunning), runtime::MsgIcon::Critical,
                              context_.app.title());
  return false;
}

void frmSplash::Form_Load() {
  // The instance lock, the named mutex's stand-in, is taken before the application
  // object exists, since it answers whether this copy is the first.
  skipOnError([this] { Label2_.setCaption(context_.lang.text(Text::Copyright)); });
  skipOnError([] { services::modPathUsers::AppDataFolder(); });
  tmrTime_.setInterval(kTickMs);
  tmrTime_.setEnabled(true);
  TickCount = 0;
}

void frmSplash::tmrTime_Timer() {
  ++TickCount;
  if (TickCount != kLastTick) return;
  tmrTime_.setEnabled(false);
  hide();
  skipOnError([this] {
    frmMain& main = context_.mainWindow();
    main.Timer3_.setEnabled(true);
    main.show();
  });
}

}  // namespace ferrowick::ui
