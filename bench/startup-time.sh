#!/usr/bin/env bash
# Wall time from starting the program until its main window is mapped on an X
# display (Xvfb), over several runs. Needs xvfb-run and xwininfo (x11-utils).
set -euo pipefail
build=${1:-build}
runs=${RUNS:-10}
export XDG_DATA_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  build=$1; runs=$2
  for i in $(seq "$runs"); do
    start=$(date +%s%N)
    "$build/unctora" & pid=$!
    until xwininfo -root -tree 2>/dev/null | grep -q "\"Talvik Unctora\""; do sleep 0.005; done
    end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
    kill $pid; wait $pid 2>/dev/null || true
  done' _ "$build" "$runs" | sort -n | awk '{a[NR]=$1} END {printf "start-up until the window is shown: median %d ms, min %d ms, max %d ms (%d runs)\n", a[int((NR+1)/2)], a[1], a[NR], NR}'
