#!/usr/bin/env bash
# Two instances of the real program on one plant file: the second saves first; when the
# first then saves, it asks before it writes over the other's changes, and Cancel
# leaves the file as the other saved it.
set -euo pipefail
program=$1
examples=$2
if [ -z "${PLAN_TWO_INNER:-}" ]; then
  command -v xdotool >/dev/null && command -v xvfb-run >/dev/null || { echo "needs xdotool and xvfb-run"; exit 77; }
  PLAN_TWO_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
work=$(mktemp -d)
pids=()
xvfb=""
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  # The display server ends on TERM and takes its socket and lock with it.
  [ -z "$xvfb" ] || { kill -TERM "$xvfb" 2>/dev/null || true; sleep 0.3; kill -9 "$xvfb" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; for d in "$work"/a "$work"/b; do cat "$d/err" 2>/dev/null || true; done; exit 1; }
source "$(dirname "$0")/xdo.sh"

cp "$examples/plant.csv" "$work/plant.csv"
# Each instance on a display of its own, as on two desks: neither takes the other's keys.
# The server picks a free display number itself and says which.
display_a=$DISPLAY
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
disown
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "no second display"
display_b=:$(head -1 "$work/display")
# Starts an instance with its own data folder whose plant plan reopens the shared file;
# prints the process id and leaves its plan window open.
start() {
  local data=$work/$1
  mkdir -p "$data/Talvik/Unctora6"
  printf '[PlantPlan]\nFile=%s\n' "$work/plant.csv" >"$data/Talvik/Unctora6/unctora.INI"
  XDG_DATA_HOME=$data QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$program" >"$data/out" 2>"$data/err" &
  echo $!
}
open_plan() { # pid
  local main plan
  main=$(await 60 'Unctora$' "$1") || fail "instance $1: the window did not come up"
  press "$main" ctrl+l
  plan=$(await 30 '^Plant plan' "$1") || fail "instance $1: the plan window did not come up"
  sleep 1 # until it has read the plant file
  echo "$plan"
}
add_point() { # plan-window id
  press "$1" ctrl+plus
  sleep 0.5
  xdotool type --delay 20 "$2"
  xdotool key Return
  sleep 0.5
}

a=$(start a); pids+=("$a")
plan_a=$(open_plan "$a")
export DISPLAY=$display_b
b=$(start b); pids+=("$b")
plan_b=$(open_plan "$b")

# The second instance adds a point and saves without a question.
add_point "$plan_b" "FROM-SECOND"
press "$plan_b" ctrl+s
for _ in $(seq 50); do grep -q "FROM-SECOND" "$work/plant.csv" && break; sleep 0.1; done
grep -q "FROM-SECOND" "$work/plant.csv" || fail "the second instance did not save"
saved=$(sha256sum <"$work/plant.csv")

# The first one, which read the file before that, asks before it saves.
export DISPLAY=$display_a
add_point "$plan_a" "FROM-FIRST"
ids() { xdotool search --all --onlyvisible --pid "$a" --class '' 2>/dev/null | sort; }
before=$(ids)
press "$plan_a" ctrl+s
question=""
for _ in $(seq 50); do
  question=$(comm -13 <(echo "$before") <(ids) | head -1)
  [ -n "$question" ] && break
  sleep 0.1
done
[ -n "$question" ] || fail "the first instance saved without asking ($(grep -c FROM-FIRST "$work/plant.csv") points of its own in the file)"
[ "$(sha256sum <"$work/plant.csv")" = "$saved" ] || fail "the file changed before the question was answered"

# Cancel: the file stays as the second instance saved it.
press "$question" Escape
sleep 1
[ "$(sha256sum <"$work/plant.csv")" = "$saved" ] || fail "Cancel wrote the file"
grep -q "FROM-FIRST" "$work/plant.csv" && fail "the first instance's point was written over the other's"
echo "two instances: the second's save is kept; the first asks and Cancel writes nothing"
