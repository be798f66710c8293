# Sourced by the scripts that need an X display.

# The screen of every server started here; QUORVALIS_SCREEN tries another size.
XVFB_SCREEN=${QUORVALIS_SCREEN:-1280x1024x24}

# first_free_display FIRST LAST: prints the first display number in FIRST..LAST with no X server.
first_free_display() {
  local n
  for n in $(seq "$1" "$2"); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      echo "$n"
      return 0
    fi
  done
  echo "no free X display number in $1..$2" >&2
  return 1
}

# wait_for_display N: waits up to five seconds for the server of display N to accept clients.
wait_for_display() {
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# start_xvfb FIRST LAST: starts an Xvfb server on the first free display in FIRST..LAST, exports
# DISPLAY and stops the server when the calling script exits.
start_xvfb() {
  local n
  n=$(first_free_display "$1" "$2") || return 1
  Xvfb ":$n" -screen 0 "$XVFB_SCREEN" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  wait_for_display "$n"
}

# start_xvfb_any: starts an Xvfb server on a display number it chooses itself (free of races with
# other servers starting at the same time) and prints "NUMBER:PID" once it accepts clients.
start_xvfb_any() {
  local file pid n=""
  file=$(mktemp "${TMPDIR:-/tmp}/xvfb-display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 "$XVFB_SCREEN" -nolisten tcp 3>"$file" >/dev/null 2>&1 </dev/null &
  pid=$!
  for _ in $(seq 100); do
    n=$(head -n 1 "$file")
    [ -n "$n" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$file"
  if [ -z "$n" ]; then
    kill "$pid" 2>/dev/null || true
    echo "Xvfb did not start" >&2
    return 1
  fi
  echo "$n:$pid"
}
