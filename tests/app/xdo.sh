# Helpers of the tests that drive the real program on a virtual display with xdotool.
# Sourced; the test defines fail().

# Waits up to $1 seconds for a visible window whose name matches $2 (of process $3 when
# given) and prints its id.
await() {
  local pid_args=()
  [ -z "${3:-}" ] || pid_args=(--all --pid "$3")
  for _ in $(seq $(($1 * 10))); do
    id=$(xdotool search --onlyvisible "${pid_args[@]}" --name "$2" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Gives window $1 the focus and presses the keys after it.
press() {
  local w=$1; shift
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  xdotool mousemove --window "$w" 40 80
  xdotool key --clearmodifiers "$@"
}


