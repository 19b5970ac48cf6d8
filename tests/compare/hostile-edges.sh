#!/usr/bin/env bash
# kelvane-compare at the edges of its process, as a shell user meets them:
# outputs on its own standard streams, closed standard streams, two outputs
# through a dangling link, every catchable signal where temporary files are
# named (without /proc, on FUSE), and another user's file replaced by root.
#   hostile-edges.sh KELVANE_COMPARE REPORT_A REPORT_B
set -uo pipefail
compare=$1 report_a=$2 report_b=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
cp "$report_a" a.html
cp "$report_b" b.html
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
expect() {  # WHAT ACTUAL EXPECTED
  [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}
leftovers() { find . -name '.kc*' | wc -l; }

# An output on stdout or stderr, by every name, reaches the stream as it is
# (here a file appended to), with what was there kept, and has stdout alone.
for name in /dev/stdout - /proc/self/fd/1; do
  echo "old line" >log.txt
  "$compare" --json "$name" a.html b.html >>log.txt
  expect "--json $name: exit" "$?" 1
  expect "--json $name: the old line kept" "$(head -n 1 log.txt)" "old line"
  expect "--json $name: the JSON follows" "$(sed -n 2p log.txt | head -c 12)" '{"records": '
  grep -q ' rows\? differs\? across ' log.txt && fail "--json $name: the text went to stdout too"
done
echo "old line" >err.log
"$compare" --jsonl /dev/stderr a.html b.html >/dev/null 2>>err.log
expect "--jsonl /dev/stderr: exit" "$?" 1
expect "--jsonl /dev/stderr: the old line kept" "$(head -n 1 err.log)" "old line"
expect "--jsonl /dev/stderr: JSON Lines follow" "$(sed -n 2p err.log | head -c 2)" '{"'
echo "old" >fd3.txt
"$compare" --json /dev/fd/3 a.html b.html 3>>fd3.txt >/dev/null
expect "--json /dev/fd/3: the old line kept" "$(head -n 1 fd3.txt)" "old"

# A pipe, both ways of naming it.
bytes=$("$compare" --json /dev/stdout a.html b.html | wc -c)
[ "$bytes" -gt 100 ] || fail "--json /dev/stdout | wc -c gave $bytes bytes"
bytes=$("$compare" --jsonl - a.html b.html | wc -l)
[ "$bytes" -ge 3 ] || fail "--jsonl - | wc -l gave $bytes lines"
[ ! -e ./- ] || fail "--jsonl - wrote a file named -"
expect "two outputs on stdout" "$("$compare" --json - --jsonl /dev/stdout a.html 2>&1 >/dev/null | head -c 54)" \
  "kelvane-compare: --json and --jsonl name the same file"

# A reader that stops early (`| head`) ends the text, not the run: the page
# is written whole, whatever the text's size.
mkdir many
for n in $(seq 1 300); do
  cp a.html "many/$(printf 'report-%0240d' "$n").html"
done
"$compare" --files --html many.html many | head -n 1 >/dev/null
expect "| head: exit" "${PIPESTATUS[0]}" 0
grep -q '</html>' many.html || fail "| head: no whole page"
expect "| head: temporary files left" "$(leftovers)" 0

# Closed standard streams never put text inside an output.
"$compare" --json o.json a.html b.html >&-
expect "stdout closed: exit" "$?" 1
expect "stdout closed: o.json is JSON alone" "$(head -c 12 o.json)" '{"records": '
printf '<html>\r\n<body>\r\n' >bad.html
"$compare" --skip-bad --json o2.json bad.html a.html >/dev/null 2>&-
expect "stderr closed: exit" "$?" 0
expect "stderr closed: o2.json is JSON alone" "$(head -c 12 o2.json)" '{"records": '
"$compare" --files --jsonl o3.jsonl a.html >&-
expect "--files, stdout closed: the JSON Lines hold no file name" "$(grep -c '^a.html' o3.jsonl)" 0

# Two outputs on one file through a link to nothing yet.
ln -s target.json dangling
"$compare" --html dangling --json target.json a.html 2>/dev/null
expect "a dangling link and its target: exit" "$?" 2
[ ! -e target.json ] || fail "a dangling link and its target: something was written"

# --skip-bad with a --where that no adapter meets: grep's "none".
err=$("$compare" --skip-bad --where 'MaxTextureWidth>99999' bad.html a.html 2>&1 >/dev/null)
expect "--where meeting nothing, a report left out: exit" "$?" 1
[[ $err == *"could be read"* ]] && fail "--where meeting nothing says no report could be read"
out=$("$compare" --files --skip-bad --where 'MaxTextureWidth>99999' bad.html a.html 2>/dev/null)
expect "--files, --where meeting nothing: exit" "$?" 1
expect "--files, --where meeting nothing: output" "$out" ""

# Every catchable signal that ends a run, sent while the run waits on
# opening a FIFO with its page's named temporary file made, removes that
# file and keeps the old page. WRAPPER runs the program where it must
# name its temporary files.
signals() {  # WHERE PAGE WRAPPER...
  local where=$1 page=$2 signal runner rc
  shift 2
  for signal in HUP INT QUIT PIPE ALRM TERM USR1 USR2 XCPU XFSZ VTALRM PROF; do
    echo "old page" >"$page"
    # A script's background job ignores SIGINT and SIGQUIT unless told.
    env --default-signal=INT,QUIT "$@" "$compare" --html "$page" --jsonl fifo a.html b.html &
    runner=$!
    sleep 0.5
    pkill "-$signal" -f "^$compare --html $page --jsonl fifo"
    wait "$runner"
    rc=$?
    [ "$rc" -ne 99 ] || { fail "$where: the program could not be run there"; return; }
    [ "$rc" -gt 128 ] || fail "$where, SIG$signal: exit $rc, not by the signal"
    expect "$where, SIG$signal: the old page" "$(cat "$page")" "old page"
    expect "$where, SIG$signal: temporary files left" "$(leftovers)" 0
  done
  "$@" "$compare" --html "$page" a.html b.html >/dev/null
  expect "$where: exit" "$?" 1
  grep -q '<!DOCTYPE html>' "$page" || fail "$where: no page"
  expect "$where: temporary files left" "$(leftovers)" 0
}
mkfifo fifo

# Without /proc (a chroot, a small container), hidden in a private mount
# namespace.
if unshare --user --map-root-user --mount true 2>/dev/null; then
  signals "without /proc" page.html unshare --user --map-root-user --mount bash -c '
    mount -t tmpfs none /proc || exit 99
    exec "$@"' no-proc
else
  echo "NOTE: no user namespaces here: the runs without /proc are not checked"
fi

# On a FUSE file system, which has no unnamed files (as NFS, CIFS and vfat).
mkdir fuse-under fuse
if command -v bindfs >/dev/null && bindfs fuse-under fuse 2>/dev/null; then
  trap 'fusermount -u "$work/fuse"; rm -rf "$work"' EXIT
  signals "on FUSE" fuse/page.html
else
  echo "NOTE: no FUSE mount here (bindfs, /dev/fuse): the runs on FUSE are not checked"
fi

# Root replacing another user's page keeps its owner and group, and drops
# set-user-ID.
if [ "$(id -u)" -eq 0 ]; then
  echo "theirs" >theirs.html
  chown 65534:65534 theirs.html
  chmod 4640 theirs.html
  "$compare" --html theirs.html a.html b.html >/dev/null
  expect "root over nobody's page: owner" "$(stat -c '%u:%g %a' theirs.html)" "65534:65534 640"
fi

[ "$failures" -eq 0 ] && echo "PASS"
exit $((failures > 0))
