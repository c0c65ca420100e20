#!/usr/bin/env bash
# Configures and builds the program and its tests in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
