#!/usr/bin/env bash
# The weekly round on the real program, by keys as a technician and a hand scanner
# press them: two points picked from the filtered list and recorded with Ctrl+R, a
# third by its Id scanned into the filter; the history beside the plant file holds the
# three records, the program started again reads them, and the plan follows them.
# With SHOTS=folder it leaves screenshots of the dialog, the History tab and the points.
set -euo pipefail
program=$1
calc=$2
examples=$3
if [ -z "${PLAN_RECORD_INNER:-}" ]; then
  command -v xdotool >/dev/null && command -v xvfb-run >/dev/null || { echo "needs xdotool and xvfb-run"; exit 77; }
  PLAN_RECORD_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
work=$(mktemp -d)
pid=""
cleanup() {
  [ -z "$pid" ] || kill -9 "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/err" 2>/dev/null || true; exit 1; }
source "$(dirname "$0")/xdo.sh"
shot() { [ -z "${SHOTS:-}" ] || { command -v import >/dev/null && import -window root "$SHOTS/$1.png"; } || true; }

cp "$examples/plant.csv" "$work/plant.csv"
mkdir -p "$work/data/Talvik/Unctora6"
printf '[Options]\nLanguage=%s\n[PlantPlan]\nFile=%s\n' "${LANGUAGE_NAME:-English}" "$work/plant.csv" \
  >"$work/data/Talvik/Unctora6/unctora.INI"
history=$work/plant.history.csv
wheel_overdue() { "$calc" plan "$work/plant.csv" | awk -F, '$3 == "WHEEL-5 crane wheel" { print $11; exit }'; }
[ "$(wheel_overdue)" = true ] || fail "the example's crane wheel should be overdue before the round"

# Starts the program and opens its plan window; prints the window's id (and leaves the
# process id in $work/pid: it runs in a subshell).
start() {
  XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$program" >"$work/out" 2>"$work/err" &
  pid=$!
  echo "$pid" >"$work/pid"
  local main plan
  main=$(await 60 'Unctora$' "$pid") || fail "the window did not come up"
  press "$main" ctrl+l
  plan=$(await 30 'plant\.csv' "$pid") || fail "the plan window did not come up"
  sleep 1 # until it has read the plant file and its history
  echo "$plan"
}
plan=$(start)
pid=$(cat "$work/pid")

# Two points: the list filtered to one machine, a click into it, all of it selected.
xdotool type --delay 20 "FAN-101 "
sleep 0.5
xdotool mousemove --window "$plan" 60 110 click 1
sleep 0.3
xdotool key ctrl+a ctrl+r
sleep 1
shot record-dialog
xdotool type --delay 20 "A. Lindqvist"
xdotool key Tab
xdotool type --delay 20 "L-2291"
xdotool key Return
for _ in $(seq 50); do [ "$(grep -c '^FAN-101' "$history" 2>/dev/null)" = 2 ] && break; sleep 0.1; done
[ "$(grep -c '^FAN-101 drive end,[0-9-]*,A. Lindqvist,L-2291,Boiler house,FAN-101,VOXA 125,NVTE2,' "$history")" = 1 ] ||
  fail "the drive end was not recorded: $(cat "$history" 2>/dev/null)"
[ "$(grep -c '^FAN-101 non-drive end,[0-9-]*,A. Lindqvist,L-2291,' "$history")" = 1 ] ||
  fail "the non-drive end was not recorded: $(cat "$history")"
# The History tab, fourth of the plan's tabs (where it stands in English unless told).
xdotool mousemove --window "$plan" "${HISTORY_TAB_X:-381}" 72 click 1
sleep 0.5
shot history-tab

# A scanner types the Id and Enter into the filter; Ctrl+R and Enter record it with
# the name remembered.
xdotool mousemove --window "$plan" 300 38 click 1
xdotool key ctrl+a
xdotool type --delay 5 "WHEEL-5 crane wheel"
xdotool key Return ctrl+r
sleep 1
xdotool key Return
for _ in $(seq 50); do grep -q '^WHEEL-5 crane wheel,' "$history" && break; sleep 0.1; done
grep -q '^WHEEL-5 crane wheel,[0-9-]*,A. Lindqvist,,Crane bay,WHEEL-5,VOXA 125,NVSU2,1,1,' "$history" ||
  fail "the scanned point was not recorded: $(cat "$history")"
shot points-after
[ "$(wc -l <"$history")" = 4 ] || fail "the history should hold a header and three records: $(cat "$history")"

# Ended and started again: the records stay, and the plan follows them.
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
pid=""
before=$(sha256sum <"$history")
plan=$(start)
pid=$(cat "$work/pid")
shot restarted
[ "$(sha256sum <"$history")" = "$before" ] || fail "reading the history changed it"
grep -qi "error\|cannot" "$work/err" && fail "the program reported: $(cat "$work/err")"
[ "$(wheel_overdue)" = false ] || fail "the plan does not follow the recorded change"
echo "the round: three changes recorded by keys and by a scanned Id, kept across a restart, followed by the plan"
