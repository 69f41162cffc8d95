#!/bin/bash
# Installs what is missing, builds the program and the demo site's server, serves the demo site
# on http://127.0.0.1:8080/ and starts the program, whose home address is that site: press "Go".
# The server stops when the program ends. Without a display the program runs on a virtual one
# (xvfb-run), which shows nothing on this screen.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target quorvane quorvane-demo-server

build/examples/quorvane-demo-server --root examples/site --port 8080 --quiet &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true' EXIT

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    build/src/quorvane "$@"
else
    echo "No display found: starting Quorvane on a virtual X display (xvfb-run)." >&2
    xvfb-run -a build/src/quorvane "$@"
fi
