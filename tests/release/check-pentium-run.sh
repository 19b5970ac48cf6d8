#!/usr/bin/env bash
# check-pentium-run.sh QEMU LOADER PROGRAM EXPECTED_REPORT VERSION: runs the
# x86 kelvane.exe's own machine code on QEMU's Pentium model (qemu-i386 -cpu
# pentium traps CMOV, FCMOV and FCOMI) through the tests' PE loader, as
# Windows 95 and as Windows NT: the sample adapter's report byte for byte,
# and each failure exit with its error.txt and no report.
set -euo pipefail
qemu=$1 loader=$2 program=$3 expected=$4 version=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

banner="Kelvane $version"$'\r\n\r\n'
no_direct3d='Error creating Direct3D8 object. You need to have DirectX 8 installed!'$'\r\n\r\n'
deleting='Error deleting DeviceCaps.html'

# check WINDOWS WHERE CODE [ERROR_TXT]: one run, failing where the stand-ins
# are told to (none: a whole report), with the exit code as the shell sees it.
check() {
  local windows=$1 failure=$2 code=$3 error=${4:-}
  local name="Windows $windows, failing at $failure" run=$work/$1-$2 rc=0
  local before=$failures
  mkdir -p "$run"
  (cd "$run" && "$qemu" -cpu pentium "$loader" --windows "$windows" --fail "$failure" "$program") \
    >"$run/console" 2>"$run/stderr" || rc=$?
  if [ "$rc" != "$code" ]; then
    fail "$name: exit code $rc, expected $code: $(head -c 400 "$run/stderr")"
    return
  fi
  if [ "$failure" = none ]; then
    cmp -s "$run/DeviceCaps.html" "$expected" || fail "$name: the report differs from $expected"
    [ ! -e "$run/error.txt" ] || fail "$name: a successful run wrote error.txt"
    [ "$(cat "$run/console"; echo .)" = "${banner}DeviceCaps.html has been created."$'\r\n\r\n.' ] ||
      fail "$name: console $(od -c "$run/console" | head -3)"
  else
    [ ! -e "$run/DeviceCaps.html" ] || fail "$name: a report was left"
    [ "$(cat "$run/error.txt" 2>/dev/null; echo .)" = "$error." ] ||
      fail "$name: error.txt $(od -c "$run/error.txt" 2>&1 | head -3)"
  fi
  [ "$failures" -ne "$before" ] || echo "ok: $name (exit $rc)"
}

for windows in 95 nt; do
  check "$windows" none 0
  check "$windows" no-d3d8 255 "$no_direct3d$deleting"
  check "$windows" create 255 "$no_direct3d$deleting"
  check "$windows" caps 254 "Error retrieving caps form D3DCAPS8 using D3DDEVTYPE_HAL"$'\r\n\r\n'
  check "$windows" identifier 253 "Error retrieving adapter identifier form D3DADAPTER_IDENTIFIER8"$'\r\n\r\n'
  check "$windows" write 252 "Error writing DeviceCaps.html"$'\r\n\r\n'
done
[ "$failures" -eq 0 ]
