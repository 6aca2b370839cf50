#include "engine/DestinationName.h"

#include <cstdio>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/MainWindowView.h"
#include "runtime/Host.h"

namespace ferrowick::engine {

namespace {
bool sameDay(const runtime::DateTime& a, const runtime::DateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}
}  // namespace

DestinationName::DestinationName(EngineContext& context) : ctx_(context) {}

void DestinationName::CustomDir(bool custName, bool dated, bool both) {
  MainWindowView& view = ctx_.view;
  const std::string name = view.txtCusDir().text();
  const runtime::DateTime today = ctx_.host.clock.now();
  const std::string date = GetDateFormat();
  std::string base = view.txtSelected2().text();
  if (base.empty() || base.back() != '/') base += '/';

  std::string preview;
  bool withDate = false;
  if (both) {
    preview = base + name + " - " + date;
    withDate = true;
  } else if (custName || !dated) {
    preview = base + name;
  } else {
    preview = base + date;
    withDate = true;
  }
  // Recorded before the text is set: its change handlers may compose again.
  composedDated_ = withDate;
  datedText_ = preview;
  datedDay_ = today;
  view.txtDest().setText(preview);
}

std::string DestinationName::GetDateFormat() const {
  const std::string choice = ctx_.view.cmbSep().text();
  std::string separator;
  if (choice == "Space") {
    separator = " ";
  } else if (choice == "-") {
    separator = "-";
  }
  return dateText(ctx_.host.clock.now(), separator);
}

std::string DestinationName::dateText(const runtime::DateTime& day, const std::string& separator) {
  char month[4], dayOfMonth[4], year[8];
  std::snprintf(month, sizeof month, "%02d", day.month % 100);
  std::snprintf(dayOfMonth, sizeof dayOfMonth, "%02d", day.day % 100);
  std::snprintf(year, sizeof year, "%04d", day.year % 10000);
  return std::string(month) + separator + dayOfMonth + separator + year;
}

void DestinationName::ComposeForRun() {
  if (ctx_.state.RunInProgress || !composedDated_) return;
  if (ctx_.view.txtDest().text() != datedText_) return;
  if (sameDay(datedDay_, ctx_.host.clock.now())) return;
  CustomDir(bCustName, bDated, bBoth);
}

}  // namespace ferrowick::engine
