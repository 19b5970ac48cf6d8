#!/usr/bin/env bash
# check-nt5-imports.sh OBJDUMP ARCH EXPORTS_DIR PROGRAM...
# Fails, naming the function, when a program imports anything that Windows XP
# / Server 2003 do not export (ARCH x86 or x64; EXPORTS_DIR holds one list per
# DLL, named after it), or when its PE subsystem version is newer than the
# first NT 5.x release of that architecture: 5.01 for x86, 5.02 for x64.
set -euo pipefail
objdump=$1 arch=$2 exports=$3
shift 3
case $arch in
  x86) max_minor=1 ;;
  x64) max_minor=2 ;;
  *)
    echo "ARCH is x86 or x64, not '$arch'" >&2
    exit 2
    ;;
esac

failures=0
for program in "$@"; do
  name=$(basename "$program")
  [ -f "$program" ] || {
    echo "FAIL: no $program"
    failures=$((failures + 1))
    continue
  }
  headers=$("$objdump" -p "$program")

  major=$(awk '$1 == "MajorSubsystemVersion" { print $2 }' <<<"$headers")
  minor=$(awk '$1 == "MinorSubsystemVersion" { print $2 }' <<<"$headers")
  if [ "$major" != 5 ] || [ "$minor" -gt "$max_minor" ]; then
    echo "FAIL: $name: subsystem version $major.$minor, newer than 5.0$max_minor"
    failures=$((failures + 1))
  fi

  # "DLL function" for every import, by name.
  imports=$(awk '
    /^\tDLL Name: / { dll = $3; next }
    dll != "" && NF == 0 { dll = ""; next }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll, $3 }
  ' <<<"$headers")
  [ -n "$imports" ] || {
    echo "FAIL: $name: no import table found"
    failures=$((failures + 1))
    continue
  }
  while read -r dll function; do
    list=$exports/$(tr '[:upper:]' '[:lower:]' <<<"${dll%.*}").txt
    if [ ! -f "$list" ]; then
      echo "FAIL: $name imports $function from $dll, which is not a Windows XP system DLL on our lists"
      failures=$((failures + 1))
    elif ! grep -q -x -E "$function( $arch)?" "$list"; then
      echo "FAIL: $name imports $dll!$function, which Windows XP / Server 2003 ($arch) lack"
      failures=$((failures + 1))
    fi
  done <<<"$imports"
  dlls=$(cut -d' ' -f1 <<<"$imports" | sort -u | tr '\n' ' ')
  echo "$name ($arch): subsystem $major.0$minor; $(wc -l <<<"$imports") imports from ${dlls% }"
done
[ "$failures" -eq 0 ]
