#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz), replays every seed corpus and fuzzes
# each target for VELTO_FUZZ_SECONDS (default 30; 0 only replays).
set -euo pipefail
cd "$(dirname "$0")/.."
VELTO_WITH_FUZZ=1 scripts/deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTO_BUILD_FUZZ=ON \
  -DVELTO_BUILD_TESTS=OFF -DVELTO_BUILD_SIM=OFF >/dev/null
targets=()
for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"
fuzz/run.sh build-fuzz/bin "${VELTO_FUZZ_SECONDS:-30}" "${targets[@]}"
