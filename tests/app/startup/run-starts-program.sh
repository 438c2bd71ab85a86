#!/usr/bin/env bash
# ./run with DISPLAY unset, in the background: it builds, starts its own Xvfb
# and the program; the program's frame must appear (found by caption through
# a probe in the same prefix). Ends only the processes it started: ./run's
# process group (Xvfb, the program).
# Usage: run-starts-program.sh <source dir> <build dir> <probe.exe>
set -u
top=$1 build=$2 probe=$3
log=$build/run-check.log
unset DISPLAY
BUILD_DIR=$build setsid "$top/run" >"$log" 2>&1 &
pid=$!
cleanup() { kill -- -"$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
trap cleanup EXIT

# Until ./run starts the program (it builds first; nothing to build here).
for _ in $(seq 1 1200); do
  grep -q '^run: sample image' "$log" && break
  kill -0 "$pid" 2>/dev/null || { echo "run ended early:"; cat "$log"; exit 1; }
  sleep 0.5
done
grep -q '^run: sample image' "$log" || { echo "run never started the program:"; cat "$log"; exit 1; }
display=$(sed -n 's/^run: no DISPLAY was set; started Xvfb on \(:[0-9]*\).*/\1/p' "$log")
[ -n "$display" ] || { echo "run did not start Xvfb:"; cat "$log"; exit 1; }

export WINEPREFIX=$build/wineprefix WINEARCH=win32 WINEDEBUG=-all DISPLAY=$display
# The frame is asked for 30 s after the start; a slow machine gets twice that.
for _ in $(seq 1 60); do
  if wine "$probe" "Tesmir for VHD"; then
    kill -0 "$pid" 2>/dev/null || { echo "run ended after showing the frame"; exit 1; }
    echo "the frame of TesmirVHD.exe appeared"
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || { echo "run ended:"; cat "$log"; exit 1; }
  sleep 1
done
echo "no frame within the time:"; cat "$log"
exit 1
