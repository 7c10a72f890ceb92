#!/usr/bin/env bash
# Fresh machine to running simulator: installs what is missing, builds, plays the built-in
# scenario. Extra arguments go to velto-sim.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target velto-sim -j "$(nproc)"
build/bin/velto-sim "$@"
