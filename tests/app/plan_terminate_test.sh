#!/usr/bin/env bash
# The real program ended by SIGTERM while a dialog of the plant plan window is open
# (the question about unsaved changes, Open, Save as, Print): it ends as Quit does, exit
# code 0 and the settings written, and unsaved changes go to a recovery file.
set -euo pipefail
program=$1
examples=$2
if [ -z "${PLAN_TERMINATE_INNER:-}" ]; then
  command -v xdotool >/dev/null && command -v xvfb-run >/dev/null || { echo "needs xdotool and xvfb-run"; exit 77; }
  PLAN_TERMINATE_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/xdo.sh"
# case: the keys that open the dialog (and the menu item's letter after them), and
# whether the plan is changed first
run_case() {
  local name=$1 keys=$2 change=$3 menu=${4:-}
  data=$(mktemp -d)
  cp "$examples/plant.csv" "$data/plant.csv"
  # On the virtual display, whatever platform the other tests run on. What the display
  # libraries keep until the process ends is no finding of this test (a sanitized
  # build still reports a double free).
  XDG_DATA_HOME=$data QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$program" >"$data/out" 2>"$data/err" &
  pid=$!
  main=$(await 60 'Unctora$') || { kill -9 $pid; cat "$data/err"; fail "$name: the window did not come up"; }
  press "$main" ctrl+l
  plan=$(await 30 '^Plant plan') || { kill -9 $pid; fail "$name: the plan window did not come up"; }
  # Opened from the plant file of the last session, or through Open here.
  if [ "$change" = yes ]; then
    press "$plan" ctrl+plus
    sleep 0.5
    xdotool type --delay 20 "SIGTERM-POINT"
    xdotool key Return
    sleep 0.5
  fi
  before=$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)
  press "$plan" $keys
  [ -z "$menu" ] || { sleep 0.5; xdotool key "$menu"; }
  for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)" -gt "$before" ] && break
    sleep 0.1
  done
  [ "$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)" -gt "$before" ] ||
    { kill -9 $pid; fail "$name: no dialog came up"; }
  sleep 0.5
  kill -TERM $pid
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then kill -9 $pid; cat "$data/err"; fail "$name: the program did not end"; fi
  rc=0; wait $pid || rc=$?
  [ $rc = 0 ] || { cat "$data/err"; fail "$name: exit code $rc"; }
  ini=$data/Talvik/Unctora6/unctora.INI
  for key in '^\[Data\]' '^\[frmMain\]' '^\[PlantPlan\]' '^RemindDays=7$'; do
    grep -q "$key" "$ini" || { cat "$ini"; fail "$name: $key not in the settings"; }
  done
  if [ "$change" = yes ]; then
    kept=$(ls "$data"/Talvik/Unctora6/*.unsaved*.csv 2>/dev/null | head -1 || true)
    [ -n "$kept" ] || { cat "$data/err"; fail "$name: no recovery file"; }
    grep -q "SIGTERM-POINT" "$kept" || fail "$name: the new point is not in the recovery file"
    grep -q "^unctora: Unsaved changes to .* were kept in $kept$" "$data/err" ||
      { cat "$data/err"; fail "$name: the kept changes were not reported"; }
  fi
  rm -rf "$data"
  echo "$name: ended cleanly"
}
run_case "the save question" ctrl+n yes
run_case "Open" ctrl+o no
run_case "Save as" alt+f yes a
run_case "Print" ctrl+p no
run_case "Export" alt+f no c
