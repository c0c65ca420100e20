#!/usr/bin/env bash
# Times each operator click of the real windows at 1x, 10x and 100x a small company's volume,
# beside the raw SQLite time for the same rows, and prints one table. Not part of the tests.
#   scripts/bench.sh [--volumes 1,10,100] [--runs 9] [--budget SECONDS-PER-CLICK]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DFREIGHTDESK_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target freightdesk_bench
./build-bench/bench/freightdesk_bench "$@"
