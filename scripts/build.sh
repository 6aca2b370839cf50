#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors): everything, or the one target
# given (for example ferrowick, the program alone).
#   scripts/build.sh [target]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWICK_WERROR=ON >/dev/null
cmake --build build --parallel "$(nproc)" ${1:+--target "$1"}
