#!/usr/bin/env bash
# kelvane-compare.exe under Wine, as a user runs it on reports collected
# from machines whose folders and files are named in any script:
#   compare-e2e.sh COMPARE_EXE PREFIX ARCH REPORT_A REPORT_B
# REPORT_A and REPORT_B are two reports of different adapters.
set -euo pipefail
compare=$1 prefix=$2 arch=$3 report_a=$4 report_b=$5
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

[ -f "$compare" ] || {
  echo "FAIL: no program at $compare (scripts/package.sh unpacks the archives there)"
  exit 1
}

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

run() {  # ARGS...: kelvane-compare.exe in the work folder; rc, out and err
  rc=0
  (cd "$work" && "$scripts/wine-run.sh" "$prefix" "$arch" "$compare" "$@") \
    >"$work/out" 2>"$work/err" || rc=$?
}

expect() {  # WHAT FILE TEXT: the file holds the text
  grep -qF -- "$3" "$2" || fail "$1: no '$3' in $(head -c 400 "$2")"
}

report='报告-é'
cp "$report_a" "$work/$report.html"
cp "$report_b" "$work/plain.html"

# The names reach the outputs, and stdout (redirected: UTF-8), whole.
run --html 比较.html --json 比较.json "$report.html" plain.html
[ "$rc" -eq 1 ] || fail "two different reports: exit $rc, stderr: $(cat "$work/err")"
expect "stdout" "$work/out" "[1] $report.html #0"
expect "the page" "$work/比较.html" "$report.html #0"
expect "the JSON" "$work/比较.json" "\"file\":\"$report.html\""

# A folder of them, a list file, and a bad report left out.
mkdir -p "$work/报告/PC-07" "$work/Zoë"
cp "$report_a" "$work/报告/PC-07/DeviceCaps.html"
cp "$report_b" "$work/Zoë/DeviceCaps.html"
printf '<html>\r\n' >"$work/Zoë/broken.html"
printf '%s\r\n' 报告 Zoë >"$work/list.txt"
run --skip-bad --jsonl lines.jsonl @list.txt
[ "$rc" -eq 1 ] || fail "a folder list: exit $rc, stderr: $(cat "$work/err")"
expect "stdout" "$work/out" 'DeviceCaps.html #0'
expect "stdout" "$work/out" 'in 2 reports; 1 report left out'
expect "stderr" "$work/err" 'broken.html:2: expected "<head>"'
[ "$(grep -c '"file":' "$work/lines.jsonl")" -eq 2 ] || fail "lines.jsonl: not two adapters"

# An output that would replace an input, and a device as an output.
run --html 报告/PC-07/DeviceCaps.html 报告
[ "$rc" -eq 2 ] || fail "an output over a report in its folder: exit $rc"
expect "stderr" "$work/err" "--html names the report"
cmp -s "$report_a" "$work/报告/PC-07/DeviceCaps.html" || fail "the report was changed"
run --html NUL plain.html
[ "$rc" -eq 0 ] || fail "NUL as an output: exit $rc, stderr: $(cat "$work/err")"
# "-" is the standard output, which the JSON then has to itself.
run --json - "$report.html" plain.html
[ "$rc" -eq 1 ] || fail "--json -: exit $rc, stderr: $(cat "$work/err")"
[ "$(head -c 12 "$work/out")" = '{"records": ' ] || fail "--json -: stdout $(head -c 200 "$work/out")"
[ ! -e "$work/-" ] || fail "--json - wrote a file named -"

# Ctrl-C mid-run (Wine turns SIGINT into the console's Ctrl-C): the old
# outputs stay, and no temporary file is left.
mkdir -p "$work/fleet"
for i in $(seq 1 1500); do cp "$report_a" "$work/fleet/$i.html"; done
printf 'old page' >"$work/page.html"
(cd "$work" && "$scripts/wine-run.sh" "$prefix" "$arch" "$compare" \
  --html page.html --json fleet.json fleet >/dev/null 2>&1) &
runner=$!
# The temporary files appear as the run begins; it then reads for seconds.
for _ in $(seq 1 1500); do
  compgen -G "$work/.kc*.tmp" >/dev/null && break
  sleep 0.02
done
# The program's own process, not the script that started it; through
# qemu-i386 the process is "qemu-i386 WINE PROGRAM ...".
program=$(ps -eo pid=,args= |
  awk -v exe="$compare" '$2 == exe || ($2 ~ /qemu-i386$/ && $4 == exe) { print $1 }' |
  tail -n 1)
[ -z "$program" ] || kill -INT "$program" || true
interrupted=0
wait "$runner" || interrupted=$?
# STATUS_CONTROL_C_EXIT, 0xC000013A, as the shell sees it.
[ "$interrupted" -eq 58 ] || fail "Ctrl-C mid-run: exit $interrupted, not 58"
[ "$(cat "$work/page.html")" = "old page" ] || fail "Ctrl-C mid-run changed the page"
[ ! -e "$work/fleet.json" ] || fail "Ctrl-C mid-run left fleet.json"
if compgen -G "$work/.kc*" >/dev/null; then
  fail "Ctrl-C mid-run left $(cd "$work" && echo .kc*)"
fi

[ "$failures" -eq 0 ] && echo "PASS: kelvane-compare with names in any script, over inputs, on a device and stdout, interrupted"
exit $((failures > 0))
