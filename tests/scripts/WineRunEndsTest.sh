#!/usr/bin/env bash
# scripts/wine-run with real Wine: a program's status comes back; one whose main thread dies or
# that goes silent past the limit is ended and fails at once with its last lines; programs with
# a session of their own run side by side on displays and prefixes of their own, removed after;
# a prefix it creates has the platform's symbol font.
#   WineRunEndsTest.sh PATH/TO/wine-run PATH/TO/WineRunProbe.exe.so
set -uo pipefail
wine_run=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# run NAME ARGS...: runs wine-run; sets status, seconds, out and err.
run() {
  local name=$1 started=$SECONDS
  shift
  "$wine_run" "$@" >"$work/$name.out" 2>"$work/$name.err"
  status=$?
  seconds=$((SECONDS - started))
  out=$(cat "$work/$name.out")
  err=$(cat "$work/$name.err")
}

# Each case: name, wine-run options and probe arguments, status expected (or "fail"), the most
# seconds it may take, a line expected on standard error (empty: none).
cases=(
  "status comes back|$probe exit 3|3|60|"
  "dead main thread|$probe main-thread-exit|fail|30|main thread ended"
  "silent past the limit|--silence-limit 3 $probe silent|fail|30|printed nothing for 3 s"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name args expected limit message <<<"$entry"
  # shellcheck disable=SC2086
  run "${name// /-}" $args
  if [ "$expected" = fail ]; then
    [ "$status" -ne 0 ] || fail "$name: reported success"
  else
    [ "$status" -eq "$expected" ] || fail "$name: status $status, expected $expected ($err)"
  fi
  [ "$seconds" -le "$limit" ] || fail "$name: took $seconds s"
  [ -z "$message" ] || grep -q -- "$message" <<<"$err" || fail "$name: message '$err'"
done
grep -q "| probe ends its main thread" "$work/dead-main-thread.err" ||
  fail "dead main thread: its last lines are not reported"

# Two programs with sessions of their own at once.
"$wine_run" --own-display "$probe" session >"$work/a.out" 2>&1 &
first=$!
"$wine_run" --own-display "$probe" session >"$work/b.out" 2>&1
wait "$first"
a=$(grep -o 'display=[^ ]*' "$work/a.out")
b=$(grep -o 'display=[^ ]*' "$work/b.out")
[ -n "$a" ] && [ -n "$b" ] && [ "$a" != "$b" ] || fail "own sessions: displays '$a' and '$b'"
prefix=$(sed -n 's/.*prefix=//p' "$work/a.out" | tr -d '\r')
case "$prefix" in
  *.own.*) [ ! -e "$prefix" ] || fail "own sessions: prefix $prefix left behind" ;;
  *) fail "own sessions: prefix '$prefix' is not a copy of its own" ;;
esac

# A prefix the script creates draws the platform's symbol glyphs (caption buttons, menu arrows).
QUORVALIS_WINEPREFIX=$work/fresh-prefix "$wine_run" --own-display "$probe" symbol-font >"$work/symbol.out" 2>&1 ||
  fail "symbol font in a new prefix: $(cat "$work/symbol.out")"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "wine-run: every ending case passed"
