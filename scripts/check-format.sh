#!/usr/bin/env bash
# Checks that every tracked C++ file under src/, tests/, bench/ and fuzz/ is formatted as
# .clang-format says; lists the files that are not and fails if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ] || ! "$format" --version | grep -q 'version 14\.'; then
  echo "check-format.sh: clang-format 14 is needed (scripts/install-deps.sh installs it)." >&2
  exit 2
fi
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
unformatted=()
for file in "${files[@]}"; do
  if ! "$format" --style=file --dry-run --Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done
if [ "${#unformatted[@]}" -gt 0 ]; then
  printf 'Not formatted (run clang-format -i on them):\n' >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "All ${#files[@]} files are formatted."
