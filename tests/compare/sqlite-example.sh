#!/usr/bin/env bash
# The README's SQLite example, run on a small fleet: SQLite's counts must be
# kelvane-compare's coverage.
#   sqlite-example.sh KELVANE_COMPARE SQL_FILE REPORT_A REPORT_B
set -euo pipefail
compare=$1 sql=$2 report_a=$3 report_b=$4
command -v sqlite3 >/dev/null || {
  echo "FAIL: sqlite3 is not installed"
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/fleet"
# Three of one machine, one of another, the other without cube maps, and
# the other with an older driver, whose version sorts after as text.
for n in 1 2 3; do cp "$report_a" "$work/fleet/a$n.html"; done
cp "$report_b" "$work/fleet/b1.html"
cube='<td>D3DPTEXTURECAPS_CUBEMAP</td>'
awk -v cube="$cube" '{ print } index($0, cube) { getline; sub(/Yes/, "No"); print }' \
  "$report_b" >"$work/fleet/b2.html"
sed 's|<td>4\.12\.10\.276</td>|<td>4.9.10.276</td>|' "$report_b" >"$work/fleet/b3.html"

cd "$work"
rc=0
"$compare" --coverage --jsonl fleet.jsonl fleet >coverage.txt || rc=$?
[ "$rc" -eq 1 ] || {
  echo "FAIL: kelvane-compare gave $rc"
  exit 1
}
sqlite3 :memory: <"$sql" >sqlite.txt

failures=0
# "… / D3DPTEXTURECAPS_CUBEMAP: Yes on 3 of 5 adapters (60.0%)"
yes=$(sed -n 's/.* D3DPTEXTURECAPS_CUBEMAP: Yes on \([0-9]*\) of \([0-9]*\) adapters.*/\1 of \2/p' coverage.txt)
asked=$(sed -n 's/^D3DPTEXTURECAPS_CUBEMAP: //p' sqlite.txt)
[ -n "$yes" ] && [ "$yes" = "$asked" ] || {
  echo "FAIL: cube maps: kelvane-compare '$yes', SQLite '$asked'"
  failures=$((failures + 1))
}
# "… / MaxTextureWidth: 4096 on 2 (40.0%), at or above on 5 (100.0%); 16384 …"
coverage=$(sed -n 's/.* \/ MaxTextureWidth: //p' coverage.txt)
widths=$(sed 's/; /\n/g' <<<"$coverage" | sed 's/ on \([0-9]*\) (.*/ \1/')
asked=$(grep -v ':' sqlite.txt)
[ -n "$widths" ] && [ "$widths" = "$asked" ] || {
  echo "FAIL: texture widths: kelvane-compare '$widths', SQLite '$asked'"
  failures=$((failures + 1))
}
wide=$(sed 's/; /\n/g' <<<"$coverage" | sed -n 's/^4096 on .*, at or above on \([0-9]*\) .*/\1/p')
asked=$(sed -n 's/^MaxTextureWidth>=4096: //p' sqlite.txt)
[ -n "$wide" ] && [ "$wide" = "$asked" ] || {
  echo "FAIL: 4096 or wider: kelvane-compare '$wide', SQLite '$asked'"
  failures=$((failures + 1))
}
# "… / DriverVersion: 4.9.10.276 on 1 (…); 4.12.10.276 on 2 (…); …", in
# version order: every driver after 4.9.
drivers=$(sed -n 's/.* \/ DriverVersion: //p' coverage.txt | sed 's/; /\n/g' |
  sed -n 's/^[0-9.]* on \([0-9]*\) .*/\1/p' | tail -n +2 | awk '{ s += $1 } END { print s }')
asked=$(sed -n 's/^DriverVersion>=4.12: //p' sqlite.txt)
[ -n "$drivers" ] && [ "$drivers" = "$asked" ] || {
  echo "FAIL: drivers from 4.12 on: kelvane-compare '$drivers', SQLite '$asked'"
  failures=$((failures + 1))
}
[ "$failures" -eq 0 ] && echo "PASS: SQLite counts as kelvane-compare does ($yes with cube maps, $wide at 4096 or wider, $drivers drivers from 4.12 on)"
exit $((failures > 0))
