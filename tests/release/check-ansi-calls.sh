#!/usr/bin/env bash
# check-ansi-calls.sh NM LIBRARY...
# Fails, naming it, when the program's own code calls a wide-character
# Windows function (a name ending in W) other than the two conversions: on
# Windows 98 and ME those are stubs that fail.
set -euo pipefail
nm=$1
shift
failures=0
for library in "$@"; do
  [ -f "$library" ] || {
    echo "FAIL: no $library"
    failures=$((failures + 1))
    continue
  }
  # x64: __imp_NameW; x86: __imp__NameW@8 or _NameW@8.
  wide=$("$nm" -u "$library" | awk '{ print $NF }' |
    sed -E 's/^__imp_//; s/^_([A-Z])/\1/; s/@[0-9]+$//' |
    grep -E '^[A-Z][A-Za-z0-9]*W$' |
    grep -v -x -E 'MultiByteToWideChar|WideCharToMultiByte' | sort -u || true)
  for function in $wide; do
    echo "FAIL: $(basename "$library") calls $function, a stub that fails on Windows 98 and ME"
    failures=$((failures + 1))
  done
done
[ "$failures" -eq 0 ] && echo "no wide-character Windows call but the two conversions in: $(for l in "$@"; do basename "$l"; done | tr '\n' ' ')"
exit $((failures > 0))
