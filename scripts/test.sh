#!/usr/bin/env bash
# Builds everything and runs the whole test suite. VELTO_SANITIZE=1 uses the address and
# undefined-behaviour sanitizer build (in build-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=build
flags=()
if [[ "${VELTO_SANITIZE:-0}" == 1 ]]; then
  dir=build-asan
  flags+=(-DVELTO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
else
  flags+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
