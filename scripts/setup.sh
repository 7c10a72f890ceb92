#!/usr/bin/env bash
# Fresh machine to running simulator: installs what is missing, builds, plays the built-in
# meeting and writes its report. Extra arguments go to velto-sim instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target velto-sim -j "$(nproc)"
if (($#)); then
  exec build/bin/velto-sim "$@"
fi
build/bin/velto-sim --report build/velto-sim-report.html
echo "report: build/velto-sim-report.html (open it in a browser)"
