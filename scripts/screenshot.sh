#!/usr/bin/env bash
# Starts the built program on a virtual screen, in a throw-away home folder whose stored
# language is the one given, and saves a screenshot of the screen.
#   scripts/screenshot.sh English|Polish|Deutsch out.png [build folder]
set -euo pipefail
language=$1
out=$(realpath -m "$2")
build=$(realpath "${3:-$(dirname "$0")/../build}")

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Halvorne" "$home/run"
chmod 700 "$home/run"
# The registry store's text form: the value's bytes in hex, with the closing NUL.
hex=$(printf '%s' "$language" | od -An -tx1 | tr -d ' \n')00
printf '; HKEY_CURRENT_USER\n\n[SOFTWARE\\Halvorne\\Ferrowick\\Settings]\n"curLang"=1:%s\n' \
  "$hex" >"$home/.config/Halvorne/current-user.txt"

export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
  XDG_RUNTIME_DIR=$home/run
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1/src/app/ferrowick" & program=$!
  sleep 2
  import -window root "$2"
  kill "$program"' _ "$build" "$out"
echo "$out"
