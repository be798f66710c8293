# Sourced by the scripts that need an X display: start_xvfb FIRST LAST starts an Xvfb server on the
# first free display number in FIRST..LAST, exports DISPLAY and stops the server when the script exits.
start_xvfb() {
  local n
  for n in $(seq "$1" "$2"); do
    if [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$n"
      trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
      return 0
    fi
  done
  echo "no free X display number in $1..$2" >&2
  return 1
}
