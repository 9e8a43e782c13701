#!/usr/bin/env bash
# Installs what is missing, builds Lapido and starts it on the user's desktop. Without a
# display it runs the program under Xvfb, saves a screenshot of the window and closes it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
BUILD=${LAPIDO_BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD" -j2 --target lapido
EXE="$BUILD/bin/lapido"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$EXE"
fi

SHOT=${LAPIDO_SCREENSHOT:-$PWD/lapido-screenshot.png}
echo "No display: running Lapido under Xvfb for a screenshot."
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    "$1" & pid=$!
    id=
    for _ in $(seq 50); do
        id=$(xwininfo -root -tree 2>/dev/null | awk "/\"Facetta\"/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.2
    done
    sleep 1
    import -window "${id:-root}" "$2"
    kill "$pid"; wait "$pid" 2>/dev/null || true
' _ "$EXE" "$SHOT"
echo "Screenshot of the window: $SHOT"
