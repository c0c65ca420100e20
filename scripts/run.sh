#!/usr/bin/env bash
# Installs what is missing, builds the program alone (no tests) in build-run/, creates the default
# data beside it and starts it. Without a display it starts on a virtual one (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build-run -DBUILD_TESTING=OFF
./build-run/freightdesk --create-data
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build-run/freightdesk "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" ./build-run/freightdesk "$@"
