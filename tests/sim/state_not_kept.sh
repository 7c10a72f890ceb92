#!/bin/sh
# velto-sim keeps a run counter in a preferences store; a run whose counter could not be kept,
# or that found the kept state gone, must exit non-zero. Usage: state_not_kept.sh <velto-sim>
set -u
sim=$1
work=$(mktemp -d) || exit 1
trap 'chmod -R u+rwX "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -m 777 "$work/state"
printf '%s' '{"timeline": [{"at": 0, "do": "preferences_counter"}]}' > "$work/counter.json"
VELTO_SIM_STATE_DIR="$work/state"
export VELTO_SIM_STATE_DIR

fail() { echo "state_not_kept: $1"; exit 1; }

"$sim" "$work/counter.json" > /dev/null || fail "a first run must keep its state and pass"
"$sim" "$work/counter.json" | grep -q "read back as 1" || fail "the second run must read the counter back"

# The kept state truncated to nothing: reported, and the run fails.
: > "$work/state/sim_state"
rm -f "$work/state/sim_state-wal" "$work/state/sim_state-shm"
if "$sim" "$work/counter.json" > "$work/out"; then fail "a run that found its state gone must fail"; fi
grep -q "empty" "$work/out" || fail "the run must say the store was empty"
"$sim" "$work/counter.json" > /dev/null || fail "the run after must pass again"

# The store write-protected: read, but the new counter is not kept. Permission bits do not bind
# root, so then the runs go as an unprivileged user, when that can be done.
run=""
if [ "$(id -u)" = 0 ]; then
  command -v setpriv > /dev/null || { echo "state_not_kept: no setpriv, write-protection part skipped"; exit 0; }
  run="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
chmod 666 "$work/state/"*
chmod 444 "$work/state/sim_state"
if $run "$sim" "$work/counter.json" > "$work/out"; then fail "a run that could not keep its counter must fail"; fi
grep -q "read back as 2" "$work/out" || fail "a write-protected store must still be read"
grep -q "could not be kept" "$work/out" || fail "the run must say the counter was not kept"
exit 0
