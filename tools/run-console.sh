#!/usr/bin/env bash
# Sets up, builds and starts the console. Arguments go to OVANT-Scan
# ("Mode:ScrSav", "Mode:ShowInfo"). Without a display the console runs on a
# virtual 1024 x 768 screen for a few seconds and leaves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)"

if [ -n "${DISPLAY:-}" ]; then
    exec build/bin/OVANT-Scan "$@"
fi

echo "No display: running on a virtual screen; screenshot in build/console.png"
exec 3> build/xvfb-display
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > build/xvfb.log 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s build/xvfb-display ] && break; sleep 0.05; done
export DISPLAY=":$(cat build/xvfb-display)"
build/bin/OVANT-Scan "$@" &
console=$!
sleep "${OVANT_RUN_SECONDS:-10}"
import -window root build/console.png
kill "$console" 2>/dev/null || true
wait "$console" 2>/dev/null || true
