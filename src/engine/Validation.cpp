#include "engine/Validation.h"

#include "engine/EngineContext.h"
#include "engine/MainWindowView.h"
#include "engine/SettingsKeys.h"
#include "runtime/App.h"
#include "runtime/Host.h"
#include "services/modLanguage.h"

namespace ferrowick::engine {

using services::Text;

namespace {
// The only drive root there is; a backup straight into it needs the user's word.
constexpr std::string_view kSystemRoot = "/";
// The schedule counts 00:00 as no time at all, so it never runs at it.
constexpr std::string_view kNoTime = "00:00";

bool holdsNoTime(const std::string& field) {
  return field == settings_keys::kEmptyField || field == kNoTime;
}

// The destination page comes up, as its side link shows it, so the focus lands in sight.
void focusDestination(MainWindowView& view) {
  view.xt1().setVisible(false);
  view.xt2().setVisible(false);
  view.xt3().setVisible(true);
  view.xt4().setVisible(false);
  view.xt5().setVisible(false);
  view.txtDest().setFocus();
}
}  // namespace

Validation::Validation(EngineContext& context) : ctx_(context) {}

Check Validation::CheckSettings() {
  MainWindowView& view = ctx_.view;
  const auto say = [&](const std::string& text, runtime::MsgStyle style) {
    return ctx_.host.messages.show(text, style, ctx_.app.title());
  };
  using enum runtime::MsgIcon;
  using enum runtime::MsgButtons;

  if (view.lstSource().count() == 0) {
    say(ctx_.lang.text(Text::NoSources), Critical);
    return Check::Stop;
  }
  const std::string destination = view.txtDest().text();
  if (destination.empty()) {
    say(ctx_.lang.text(Text::NoDestination), Critical);
    focusDestination(view);
    return Check::Stop;
  }
  if (destination == kSystemRoot) {
    const runtime::MsgAnswer answer = say(ctx_.lang.text(Text::DestinationIsRoot) + "\n\n" +
                                              ctx_.lang.text(Text::ConfirmRootDestination),
                                          YesNo | Exclamation);
    if (answer == runtime::MsgAnswer::Yes) return Check::MaySave;
    focusDestination(view);
    return Check::Stop;
  }
  if (view.optAlways().value() && holdsNoTime(view.MaskEdBox1().text())) {
    say(ctx_.lang.text(Text::EnterTimeOfDay), Critical);
    return Check::Stop;
  }
  if (view.optEach().value() && holdsNoTime(view.MaskEdBox2().text())) {
    say(ctx_.lang.text(Text::EnterInterval), Critical);
    return Check::Stop;
  }
  return Check::MaySave;
}

}  // namespace ferrowick::engine
