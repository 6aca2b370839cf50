#!/usr/bin/env bash
# Checks that every include in src/ points down the layers or stays in its own:
#   runtime <- services <- engine <- ui/host <- ui/tools <- ui/main <- app
# and that runtime, services and engine include no Qt header. Lists each include that
# breaks the order and fails if there is one. The build alone would not notice: every
# layer sees the whole src/ folder.
set -euo pipefail
cd "$(dirname "$0")/../src"

# Sets `level` to the layer's place in the order (higher is further up), or -1.
level_of() {
  case $1 in
    runtime/*) level=0 ;;
    services/*) level=1 ;;
    engine/*) level=2 ;;
    ui/host/*) level=3 ;;
    ui/tools/*) level=4 ;;
    ui/main/*) level=5 ;;
    app/*) level=6 ;;
    *) level=-1 ;;
  esac
}

names=(runtime services engine ui/host ui/tools ui/main app)
broken=()
while IFS= read -r file; do
  level_of "$file"
  own=$level
  [ "$own" -ge 0 ] || continue
  while IFS= read -r line; do
    number=${line%%:*}
    text=${line#*:}
    if [[ $text =~ \#[[:space:]]*include[[:space:]]*\<(Q[^>]*)\> ]]; then
      if [ "$own" -le 2 ]; then
        broken+=("src/$file:$number: ${names[$own]} includes Qt's <${BASH_REMATCH[1]}>")
      fi
      continue
    fi
    [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
    target=${BASH_REMATCH[1]}
    # A name that starts with no layer is found beside the including file first.
    level_of "$target"
    if [ "$level" -lt 0 ]; then
      target=$(realpath -m --relative-to=. "$(dirname "$file")/$target")
      level_of "$target"
    fi
    if [ "$level" -gt "$own" ]; then
      broken+=("src/$file:$number: ${names[$own]} includes ${names[$level]}'s $target")
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)

if [ "${#broken[@]}" -gt 0 ]; then
  printf 'Includes that run up the layers:\n' >&2
  printf '  %s\n' "${broken[@]}" >&2
  exit 1
fi
echo "Every include in src/ points down the layers."
