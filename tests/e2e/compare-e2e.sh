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
[ "$(wc -l <"$work/lines.jsonl")" -eq 2 ] || fail "lines.jsonl: not two lines"

[ "$failures" -eq 0 ] && echo "PASS: kelvane-compare with names in any script"
exit $((failures > 0))
