#!/usr/bin/env bash
# scripts/wine-run marks its Wine prefix ready only when creating it worked. Runs the script with
# stand-ins for wineboot, wine and wineserver, failing one step of the creation per case.
#   WineRunTest.sh PATH/TO/wine-run
set -uo pipefail
wine_run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/bin"
cat >"$work/bin/wineboot" <<'EOF'
#!/bin/sh
echo wineboot >>"$STANDIN_LOG"
[ "$FAIL_STEP" != wineboot ]
EOF
cat >"$work/bin/wine" <<'EOF'
#!/bin/sh
case "$1" in
  regedit) [ "$FAIL_STEP" != regedit ] ;;
  reg) [ "$FAIL_STEP" != query ] ;;
  *) echo "program $*" >>"$STANDIN_LOG" ;;
esac
EOF
printf '#!/bin/sh\nexit 0\n' >"$work/bin/wineserver"
chmod +x "$work/bin/"*

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# run PREFIX FAIL_STEP: runs wine-run on a program in the prefix; sets status and err.
run() {
  : >"$work/log"
  err=$(PATH="$work/bin:$PATH" DISPLAY=:0 QUORVALIS_WINEPREFIX="$1" STANDIN_LOG="$work/log" FAIL_STEP="$2" \
        "$wine_run" program.exe.so 2>&1 >/dev/null)
  status=$?
}

# Each case: name, the failing step (none), whether the prefix ends ready, the message expected.
cases=(
  "created|none|ready|"
  "wineboot fails|wineboot|not ready|creating the Wine prefix .* failed (wineboot)"
  "regedit fails|regedit|not ready|registering the font replacements .* failed"
  "replacements not in the registry|query|not ready|registering the font replacements .* failed"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name step ready message <<<"$entry"
  prefix="$work/prefix-${name// /-}"
  run "$prefix" "$step"
  if [ "$ready" = ready ]; then
    [ "$status" -eq 0 ] || fail "$name: status $status ($err)"
    [ -e "$prefix/.quorvalis-ready" ] || fail "$name: no ready mark"
    grep -q '^program program.exe.so$' "$work/log" || fail "$name: the program did not run"
  else
    [ "$status" -ne 0 ] || fail "$name: reported success"
    [ ! -e "$prefix/.quorvalis-ready" ] || fail "$name: marked ready"
    ! grep -q '^program' "$work/log" || fail "$name: the program ran without a prefix"
    grep -q -- "$message" <<<"$err" || fail "$name: message '$err'"
  fi

  # A prefix that failed is created again by the next run; a ready one is left as it is.
  run "$prefix" none
  [ "$status" -eq 0 ] && [ -e "$prefix/.quorvalis-ready" ] || fail "$name: the next run did not recover"
  boots=$(grep -c '^wineboot$' "$work/log")
  expected_boots=1
  [ "$ready" = ready ] && expected_boots=0
  [ "$boots" -eq "$expected_boots" ] || fail "$name: wineboot ran $boots times on the next run"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "wine-run: every case passed"
