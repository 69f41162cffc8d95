#!/bin/bash
# Installs what is missing, builds the program and starts it. Without a display it runs on a
# virtual one (xvfb-run), which shows nothing on this screen.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target quorvane

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec build/src/quorvane "$@"
fi
echo "No display found: starting Quorvane on a virtual X display (xvfb-run)." >&2
exec xvfb-run -a build/src/quorvane "$@"
