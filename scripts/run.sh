#!/usr/bin/env bash
# Installs what is needed, builds the program alone, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

# Platforms that draw without a display server.
has_screen() {
  [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] && return 0
  local platform
  IFS=';' read -ra platforms <<<"${QT_QPA_PLATFORM:-}"
  for platform in "${platforms[@]}"; do
    case "${platform%%:*}" in
      offscreen | minimal | minimalegl | vnc | linuxfb | eglfs | vkkhrdisplay) return 0 ;;
    esac
  done
  return 1
}

if ! has_screen; then
  echo "run.sh: no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  exit 1
fi
scripts/install-deps.sh
scripts/build.sh ferrowick
exec build/src/app/ferrowick "$@"
