#!/usr/bin/env bash
# Replays every fuzz target's seed corpus, then fuzzes each for a while.
#   fuzz/run.sh <directory of the fuzz executables> <seconds per target> [target ...]
# New inputs go to <bin>/../fuzz-work/<target>, never into the seed corpus of the repository;
# a crash leaves its input in <bin>/../fuzz-artifacts/ and fails the run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "$1" && pwd)"
seconds="$2"
shift 2
targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in "$here"/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
work="$bin/../fuzz-work"
artifacts="$bin/../fuzz-artifacts"
mkdir -p "$artifacts"
for target in "${targets[@]}"; do
  corpus="$here/corpus/${target%_fuzz}"
  options=(-artifact_prefix="$artifacts/$target-" -print_final_stats=1)
  [[ -f "$here/json.dict" ]] && options+=(-dict="$here/json.dict")
  echo "== $target: replaying $(find "$corpus" -type f | wc -l) seeds"
  "$bin/$target" "${options[@]}" -runs=0 "$corpus"
  if ((seconds > 0)); then
    echo "== $target: fuzzing for ${seconds}s"
    mkdir -p "$work/$target"
    "$bin/$target" "${options[@]}" -max_total_time="$seconds" "$work/$target" "$corpus"
  fi
done
