#!/usr/bin/env bash
# The real program ended by SIGTERM (a session that ends) or SIGINT (Ctrl+C) closes as
# Quit does: exit code 0 and the settings written in full.
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for sig in TERM INT; do
  data=$(mktemp -d)
  XDG_DATA_HOME=$data QT_QPA_PLATFORM=offscreen "$program" >"$data/out" 2>&1 &
  pid=$!
  # The pages are written when the window is first shown: then it is up.
  for _ in $(seq 100); do
    [ -e "$data/Talvik/Unctora6/calc.html" ] && break
    sleep 0.1
  done
  [ -e "$data/Talvik/Unctora6/calc.html" ] || { kill -9 $pid; cat "$data/out"; fail "the window did not come up"; }
  kill -$sig $pid
  rc=0; wait $pid || rc=$?
  [ $rc = 0 ] || { cat "$data/out"; fail "SIG$sig: exit code $rc"; }
  ini=$data/Talvik/Unctora6/unctora.INI
  for key in '^\[Data\]' '^Speed=2000$' '^\[frmMain\]' '^Language=English$'; do
    grep -q "$key" "$ini" || { cat "$ini"; fail "SIG$sig: $key not in the settings"; }
  done
  rm -rf "$data"
done
echo "ended cleanly by SIGTERM and SIGINT"
