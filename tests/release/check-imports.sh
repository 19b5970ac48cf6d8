#!/usr/bin/env bash
# check-imports.sh OBJDUMP ARCH PROGRAM NEWEST WINDOWS DLL=LIST...
# Fails, naming the function, when PROGRAM imports anything that the oldest
# Windows it is meant for does not export, or when its PE subsystem or OS
# version is newer than NEWEST (MAJOR.MINOR), so that its loader refuses it.
# Each DLL=LIST names a DLL's export list (one name a line, '#' comments; a
# name may be followed by x86 or x64 where one architecture alone has it);
# an import from a DLL without a list fails. WINDOWS names that Windows in
# the messages. ARCH is x86 or x64.
set -euo pipefail
objdump=$1 arch=$2 program=$3 newest=$4 windows=$5
shift 5
declare -A lists
for pair in "$@"; do
  lists[$(tr '[:upper:]' '[:lower:]' <<<"${pair%%=*}")]=${pair#*=}
done
name=$(basename "$program")
[ -f "$program" ] || {
  echo "FAIL: no $program"
  exit 1
}
headers=$("$objdump" -p "$program")
failures=0

# MAJOR.MINOR as one number that orders them: 4.10 is 410, 5.01 is 501.
version_number() { echo $(($1 * 100 + $2)); }
newest_number=$(version_number "${newest%.*}" "${newest#*.}")
shown_versions=
# objdump's names for the subsystem and the OS version.
for field in Subsystem OSystem; do
  major=$(awk -v f="Major${field}Version" '$1 == f { print $2 }' <<<"$headers")
  minor=$(awk -v f="Minor${field}Version" '$1 == f { print $2 }' <<<"$headers")
  what=$([ "$field" = OSystem ] && echo OS || echo subsystem)
  shown=$(printf '%d.%02d' "$major" "$minor")
  shown_versions+="${shown_versions:+,} $what $shown"
  if [ "$(version_number "$major" "$minor")" -gt "$newest_number" ]; then
    echo "FAIL: $name: $what version $shown, newer than $newest ($windows would refuse it)"
    failures=$((failures + 1))
  fi
done

# "DLL function" for every import, by name.
imports=$(awk '
  /^\tDLL Name: / { dll = $3; next }
  dll != "" && NF == 0 { dll = ""; next }
  dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll, $3 }
' <<<"$headers")
[ -n "$imports" ] || {
  echo "FAIL: $name: no import table found"
  exit 1
}
while read -r dll function; do
  list=${lists[$(tr '[:upper:]' '[:lower:]' <<<"${dll%.*}")]:-}
  if [ -z "$list" ]; then
    echo "FAIL: $name imports $function from $dll, which is not a $windows system DLL on our lists"
    failures=$((failures + 1))
  elif ! grep -q -x -F -e "$function" -e "$function $arch" "$list"; then
    echo "FAIL: $name imports $dll!$function, which $windows ($arch) lacks"
    failures=$((failures + 1))
  fi
done <<<"$imports"
dlls=$(cut -d' ' -f1 <<<"$imports" | sort -u | tr '\n' ' ')
echo "$name ($arch, for $windows):$shown_versions; $(wc -l <<<"$imports") imports from ${dlls% }"
[ "$failures" -eq 0 ]
