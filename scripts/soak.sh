#!/usr/bin/env bash
# Saves killed at random moments: starts the real windows saving pickings, stock-outs, shipping
# lists and takes, kills the process (SIGKILL) after a random time, checks that the data is whole
# (integrity, no number issued twice, queues and records, sheets and lists, counters, no confirmed
# save lost) and goes on with the same data. Not part of the tests.
#   scripts/soak.sh [ROUNDS=50]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-50}
bash scripts/install-deps.sh
cmake -S . -B build-bench -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DFREIGHTDESK_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target freightdesk freightdesk_soak
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
./build-bench/freightdesk --dir "$dir" --create-data
soak=./build-bench/bench/freightdesk_soak
for ((round = 1; round <= rounds; round++)); do
  QT_QPA_PLATFORM=offscreen "$soak" --run "$dir" 2>/dev/null &
  pid=$!
  sleep "$(printf '0.%03d' $((RANDOM % 1000)))"
  sleep $((RANDOM % 2))
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if ! summary=$(QT_QPA_PLATFORM=offscreen "$soak" --check "$dir" 2>/dev/null); then
    echo "round $round: $summary"
    exit 1
  fi
  echo "round $round: $summary"
done
echo "$rounds rounds, every check passed"
