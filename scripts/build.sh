#!/usr/bin/env bash
# Configures and builds in a build folder (default build/), with any further CMake options:
#   scripts/build.sh [FOLDER [-DOPTION=VALUE ...]]
# The configure output shows only when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build}
shift || true
if ! log=$(cmake -S . -B "$folder" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
cmake --build "$folder" -j"$(nproc)"
