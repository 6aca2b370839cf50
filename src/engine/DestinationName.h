#pragma once

#include <string>

#include "runtime/DateTime.h"

namespace ferrowick::engine {

struct EngineContext;

// The destination preview `txtDest`: the base folder, then a custom name and/or today's
// date, as the three naming flags say. The destination page's handlers set the flags.
class DestinationName {
 public:
  explicit DestinationName(EngineContext& context);

  bool bCustName = false;
  bool bDated = false;
  bool bBoth = false;

  // Rewrites `txtDest` from the base folder `txtSelected2`, the name `txtCusDir` and
  // the date, as the flags given say.
  void CustomDir(bool custName, bool dated, bool both);
  // Today's date as "mm", separator, "dd", separator, "yyyy"; the separator is chosen
  // by `cmbSep`'s text ("Space", "-"; anything else gives none).
  std::string GetDateFormat() const;

  // Before a run: a preview that was composed with a date on an earlier day, and still
  // stands as composed, is composed again so the folder carries the run's date. Nothing
  // while a run is in progress: that run keeps its folder.
  void ComposeForRun();

 private:
  static std::string dateText(const runtime::DateTime& day, const std::string& separator);

  EngineContext& ctx_;
  // The last composition that included the date: its text and its day.
  std::string datedText_;
  runtime::DateTime datedDay_;
  bool composedDated_ = false;
};

}  // namespace ferrowick::engine
