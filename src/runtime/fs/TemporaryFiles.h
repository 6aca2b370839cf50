#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

// Temporary files that a process writes beside their targets hold a lock for as long as
// their writer has them open. One that nobody holds locked was left by a process that
// ended while writing it (killed, or the machine went down), and may be removed.

// Creates a new file from a mkstemp pattern (ending in "XXXXXX", replaced by the name
// made) and locks it. The descriptor, or none with errno set.
UniqueFd createLockedTemporary(std::string& pattern);

// The same relative to a held folder, made with the name's "XXXXXX" replaced and never
// through a link at that name.
UniqueFd createLockedTemporaryAt(int folder, std::string& pattern);

// Replaces the last six characters of `pattern` with random letters and digits.
void fillTemporarySuffix(std::string& pattern);

// Locks an open temporary file as being written.
bool lockTemporary(int fd);

// Removes the files of `folder` whose names `isOurs` accepts and that no process holds
// locked. Never fails: whatever cannot be looked at or removed stays.
void removeStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& isOurs);

// The same for the folder held open by `folder` (which may be opened by path only).
void removeStaleTemporariesAt(int folder, const std::function<bool(std::string_view name)>& isOurs);

// True when `name` ends in six characters that mkstemp could have made.
bool endsInTemporarySuffix(std::string_view name);

}  // namespace ferrowick::runtime
