#include "runtime/AtomicFile.h"

#include "runtime/fs/StagedFile.h"

namespace ferrowick::runtime {

void replaceFile(const std::filesystem::path& path, std::string_view bytes, mode_t mode,
                 Faults* faults) {
  StagedFile staged(path, bytes, faults, mode);
  if (faults != nullptr) faults->check(FaultPoint::ReplaceFile, path.string());
  staged.commit();
}

}  // namespace ferrowick::runtime
