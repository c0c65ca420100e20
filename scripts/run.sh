#!/usr/bin/env bash
# Installs what is missing, builds, creates the default data beside the program and starts it.
# Without a display it starts on a virtual one (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
./build/freightdesk --create-data
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/freightdesk "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" ./build/freightdesk "$@"
