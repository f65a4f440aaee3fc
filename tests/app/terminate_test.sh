#!/usr/bin/env bash
# The real program ended by SIGTERM (a session that ends) or SIGINT (Ctrl+C) closes as
# Quit does: exit code 0 and the settings written in full.
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
# The pages are written when the window is first shown: then it is up.
await_window() { # data-folder pid log
  for _ in $(seq 100); do
    [ -e "$1/Talvik/Unctora6/calc.html" ] && return 0
    sleep 0.1
  done
  kill -9 "$2"; cat "$3"; fail "the window did not come up"
}
for sig in TERM INT; do
  data=$(mktemp -d)
  XDG_DATA_HOME=$data QT_QPA_PLATFORM=offscreen "$program" >"$data/out" 2>&1 &
  pid=$!
  await_window "$data" $pid "$data/out"
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

# A save that fails while a signal ends the program is reported on stderr: no box waits
# for an answer that nobody will give, and the program ends, saying it did not end cleanly.
data=$(mktemp -d)
ini=$data/Talvik/Unctora6/unctora.INI
XDG_DATA_HOME=$data QT_QPA_PLATFORM=offscreen "$program" >"$data/out" 2>"$data/err" &
pid=$!
await_window "$data" $pid "$data/err"
# The file becomes read-only while the program runs (a refusal even root gets).
printf '[Data]\nSpeed=1500\n' > "$ini"
chmod 0444 "$ini"
kill -TERM $pid
for _ in $(seq 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
  kill -9 $pid; cat "$data/err"; fail "SIGTERM with a failing save: the program did not end"
fi
rc=0; wait $pid || rc=$?
[ $rc = 1 ] || { cat "$data/err"; fail "SIGTERM with a failing save: exit code $rc, not 1"; }
grep -q "^unctora: Unable to write to $ini (Permission denied)$" "$data/err" ||
  { cat "$data/err"; fail "the failed save was not reported on stderr"; }
grep -q '^Speed=1500$' "$ini" || fail "the read-only settings file was changed"
chmod 0644 "$ini"
rm -rf "$data"
echo "a failing save under SIGTERM is reported and the program ends"
