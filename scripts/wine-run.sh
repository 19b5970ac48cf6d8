#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use (without Mono and Gecko, which cannot be
# downloaded here). KELVANE_WINE_OVERRIDES adds DLL overrides for one run;
# KELVANE_WINE_FRESH_SERVER=1 runs the program on a server of its own.
set -u
prefix=$1
shift

export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=${KELVANE_WINE_OVERRIDES:+;$KELVANE_WINE_OVERRIDES}"

if [ ! -e "$prefix/.kelvane-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Parallel first starts on a fresh prefix race; one makes it, others wait.
  exec 9>"$prefix.lock"
  flock 9
  if [ ! -e "$prefix/.kelvane-ready" ]; then
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.kelvane-ready"
  fi
  flock -u 9
  exec 9>&-
fi

out=$(mktemp)
err=$(mktemp)
fresh_server=${KELVANE_WINE_FRESH_SERVER:-}
finish() {
  rm -f "$out" "$err"
  if [ -n "$fresh_server" ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
  fi
}
trap finish EXIT

if [ -n "$fresh_server" ]; then
  # A Wine server keeps the display it started with: a program that is to
  # see another display, or none, needs a server of its own.
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
else
  # One server for a whole test run rather than one per program.
  wineserver -p30 >/dev/null 2>&1
fi

for attempt in 1 2; do
  wine "$@" >"$out" 2>"$err"
  rc=$?
  # Wine now and then fails a start with code 1 and no output at all.
  if [ "$rc" -ne 1 ] || [ -s "$out" ] || [ -s "$err" ]; then break; fi
done
cat "$out"
cat "$err" >&2
exit "$rc"
