#!/usr/bin/env bash
# Builds the fuzz targets as libFuzzer binaries (clang, address and undefined-behaviour
# sanitizers) in build-fuzz/ and runs each for the given seconds on a scratch copy of its corpus.
# Usage: scripts/fuzz.sh [seconds, default 30] [target name ...; default every fuzz/*_fuzz.cpp]
# Findings (crashing inputs) land in build-fuzz/fuzz-runs/<name>/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do
    names+=("$(basename "$source" _fuzz.cpp)")
  done
fi

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="${CXX:-clang++}" \
  -DFREIGHTDESK_LIBFUZZER=ON >/dev/null
cmake --build build-fuzz -j4 --target "${names[@]/%/_fuzz}"

failed=()
for name in "${names[@]}"; do
  run=build-fuzz/fuzz-runs/$name
  rm -rf "$run"
  mkdir -p "$run/corpus" "$run/findings"
  cp fuzz/corpus/"$name"/* "$run/corpus/"
  options=(-max_total_time="$seconds" -artifact_prefix="$run/findings/" -print_final_stats=1)
  if [ -f fuzz/"$name".dict ]; then
    options+=(-dict=fuzz/"$name".dict)
  fi
  echo "== $name: $seconds s"
  build-fuzz/fuzz/"$name"_fuzz "${options[@]}" "$run/corpus" || failed+=("$name")
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "findings in: ${failed[*]} (see build-fuzz/fuzz-runs/<name>/findings/)" >&2
  exit 1
fi
