# Sourced by the scripts that need an X display.

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
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  wait_for_display "$n"
}
