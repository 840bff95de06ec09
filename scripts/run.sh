#!/usr/bin/env bash
# Builds VYD and opens the editor, optionally with a file: scripts/run.sh [FILE]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup-debian.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVYD_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build" --target vyd vyd-editor
exec "$here/build/vyd" "$@"
