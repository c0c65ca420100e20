#!/usr/bin/env bash
# Installs what is missing, builds the program and every test in build/, and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DBUILD_TESTING=ON
cd build
ctest --output-on-failure -j"$(nproc)"
