#!/usr/bin/env bash
# Builds everything and runs every test suite headless; ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 300
