#!/usr/bin/env bash
# Builds the program and starts it on the sample document. Without a display
# it runs inside a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
doc="$PWD/samples/Образец.rtf"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no display; starting the program inside a virtual X server"
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/Lemvora "$doc"
fi
exec build/bin/Lemvora "$doc"
