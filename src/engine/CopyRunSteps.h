#pragma once

#include <array>
#include <cstddef>

#include "engine/CopyRun.h"

namespace ferrowick::engine {

// What a copy run does, one step at a time. The run goes through them in the order of
// kCopyRunOrder below; after an error it goes on, tries again or finishes, and the phase of
// the failed step says what each of those means (CopyRunErrors.cpp).
enum class CopyStep {
  ShowBusyPointer,
  ExpandSourceFolders,
  ShowInformationPage,
  NoteStartTime,
  ShowPreparingCaption,
  TakeDestination,
  MakeDestinationRoot,
  EndDestinationWithSeparator,
  StartCollecting,
  CollectSourceItem,  // repeats once for each source item
  ShowRunningCaption,
  OpenLog,
  ShowStatusHeadings,
  CountEntries,
  NextEntry,  // where every entry of the run file list begins
  SkipEmptySlot,
  StartFile,  // where a file starts and starts again
  TakeFileName,
  FindDestinationFolder,
  CopyFile,
  LogFile,
  ClearArchive,
  LogOk,
  AddBytes,
  CountFile,
  ShowFileStatus,  // the last step of a file
  LogSummary,      // where the run finishes, also after an error
  CommitArchiveRecords,
  CloseLog,
  ShowEndLabel,
  ClearStatusLabels,
  ShowSummary,
  EmptyRunFileList,
  RestorePointer,
  Done,  // stays last
};

inline constexpr std::array kCopyRunOrder{
    CopyStep::ShowBusyPointer,
    CopyStep::ExpandSourceFolders,
    CopyStep::ShowInformationPage,
    CopyStep::NoteStartTime,
    CopyStep::ShowPreparingCaption,
    CopyStep::TakeDestination,
    CopyStep::MakeDestinationRoot,
    CopyStep::EndDestinationWithSeparator,
    CopyStep::StartCollecting,
    CopyStep::CollectSourceItem,
    CopyStep::ShowRunningCaption,
    CopyStep::OpenLog,
    CopyStep::ShowStatusHeadings,
    CopyStep::CountEntries,
    CopyStep::NextEntry,
    CopyStep::SkipEmptySlot,
    CopyStep::StartFile,
    CopyStep::TakeFileName,
    CopyStep::FindDestinationFolder,
    CopyStep::CopyFile,
    CopyStep::LogFile,
    CopyStep::ClearArchive,
    CopyStep::LogOk,
    CopyStep::AddBytes,
    CopyStep::CountFile,
    CopyStep::ShowFileStatus,
    CopyStep::LogSummary,
    CopyStep::CommitArchiveRecords,
    CopyStep::CloseLog,
    CopyStep::ShowEndLabel,
    CopyStep::ClearStatusLabels,
    CopyStep::ShowSummary,
    CopyStep::EmptyRunFileList,
    CopyStep::RestorePointer,
    CopyStep::Done,
};

inline constexpr std::size_t kCopyStepCount = static_cast<std::size_t>(CopyStep::Done) + 1;

// Each step's place in kCopyRunOrder, looked up once per step of a run.
inline constexpr auto kCopyStepPositions = [] {
  std::array<std::size_t, kCopyStepCount> positions{};
  for (std::size_t position = 0; position < kCopyRunOrder.size(); ++position) {
    const auto value = static_cast<std::size_t>(kCopyRunOrder[position]);
    if (value < positions.size()) positions[value] = position;
  }
  return positions;
}();

constexpr std::size_t positionInRun(CopyStep step) {
  return kCopyStepPositions[static_cast<std::size_t>(step)];
}

// Every step is in the order exactly once, and the run ends with Done.
constexpr bool copyRunOrderIsComplete() {
  if (kCopyRunOrder.size() != kCopyStepCount || kCopyRunOrder.back() != CopyStep::Done) {
    return false;
  }
  std::array<bool, kCopyStepCount> seen{};
  for (const CopyStep step : kCopyRunOrder) {
    const auto value = static_cast<std::size_t>(step);
    if (value >= kCopyStepCount || seen[value]) return false;
    seen[value] = true;
  }
  return true;
}
static_assert(copyRunOrderIsComplete(), "every copy step has one place in the run");

// The step after this one in the run; Done stays Done.
constexpr CopyStep following(CopyStep step) {
  const std::size_t next = positionInRun(step) + 1;
  return next < kCopyRunOrder.size() ? kCopyRunOrder[next] : CopyStep::Done;
}

// The run's phases, in order: the steps of each stand together in kCopyRunOrder.
enum class CopyPhase {
  Prepare,   // pointer, source refresh, page, times, caption, destination checks and root
  Collect,   // the run file list made from the source items
  WalkList,  // the log opened, the entries counted, and each taken in turn
  CopyOne,   // one file: from its start to its status line
  Finish,    // summary, flush, commit, labels, reset, pointer
};

constexpr CopyPhase phaseOf(CopyStep step) {
  const std::size_t position = positionInRun(step);
  if (position < positionInRun(CopyStep::StartCollecting)) return CopyPhase::Prepare;
  if (position < positionInRun(CopyStep::ShowRunningCaption)) return CopyPhase::Collect;
  if (position < positionInRun(CopyStep::StartFile)) return CopyPhase::WalkList;
  if (position < positionInRun(CopyStep::LogSummary)) return CopyPhase::CopyOne;
  return CopyPhase::Finish;
}

// What an error handled leaves the run to do; where that leads depends on the phase.
enum class AfterError {
  GoOn,    // pass the failed step over
  Retry,   // try again what failed
  Finish,  // end the run in order
};
static_assert(positionInRun(CopyStep::OpenLog) < positionInRun(CopyStep::NextEntry) &&
                  positionInRun(CopyStep::NextEntry) < positionInRun(CopyStep::StartFile) &&
                  positionInRun(CopyStep::StartFile) < positionInRun(CopyStep::ShowFileStatus) &&
                  positionInRun(CopyStep::ShowFileStatus) < positionInRun(CopyStep::LogSummary),
              "the files are handled after the log opens and before the run finishes");

}  // namespace ferrowick::engine
