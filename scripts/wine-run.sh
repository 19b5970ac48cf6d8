#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX ARCH PROGRAM [ARGS...]
# ARCH is win64 or win32, the kind of prefix. The prefix is made on first use
# (without Mono and Gecko, which cannot be downloaded here).
#   KELVANE_WINE_OVERRIDES     DLL overrides added for this run
#   KELVANE_WINE_FRESH_SERVER  1: the program gets a Wine server of its own
#   KELVANE_WINE_VERSION       the Windows version a new prefix reports (winxp)
#   KELVANE_WINE_RETRY_SILENT  1: a start that ends with 1 and no output at
#                              all is tried once more (for the test runners
#                              only, never where the exit code is under test)
set -euo pipefail
prefix=$1 arch=$2
shift 2

export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=${KELVANE_WINE_OVERRIDES:+;$KELVANE_WINE_OVERRIDES}"

# Debian's "wine" starts the 32-bit loader whenever wine32 is installed, and
# that loader cannot start on a host that runs only 64-bit code.
case $arch in
  win64)
    loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
    [ -x "$loader" ] || loader=wine
    ;;
  win32) loader=wine ;;
  *)
    echo "wine-run.sh: ARCH is win64 or win32, not '$arch'" >&2
    exit 2
    ;;
esac

# One boot of a new prefix. A Wine server of an earlier prefix at this path
# may still be serving it: Wine finds its server by the folder's device and
# inode, which a new folder can take again at once, and a boot that meets a
# dying server fails within a second, saying nothing under WINEDEBUG=-all.
# So the old server is ended first, and the boot keeps Wine's own errors.
boot_prefix() {  # LOG
  if [ -d "$prefix" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  rm -rf "$prefix"
  WINEDEBUG=err+all,fixme-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    "$loader" wineboot -i >>"$1" 2>&1 && wineserver -w >>"$1" 2>&1
}

make_prefix() {
  # What a failed first boot left is no prefix: start again from nothing.
  # Only ever a prefix of the project's, named as such.
  case $prefix in
    /*prefix*) ;;
    *)
      echo "wine-run.sh: PREFIX must be an absolute path naming a prefix, not '$prefix'" >&2
      exit 2
      ;;
  esac
  local log=$prefix.boot.log attempt
  : >"$log"
  for attempt in 1 2; do
    echo "== boot $attempt of $prefix, $(date -u +%T)" >>"$log"
    boot_prefix "$log" && break
    if [ "$attempt" -eq 2 ]; then
      echo "wine-run.sh: wineboot could not make $prefix, twice; Wine's messages are in $log:" >&2
      tail -n 20 "$log" >&2
      exit 125
    fi
    echo "wine-run.sh: the first boot of $prefix failed; trying once more" >&2
    sleep 1
  done
  # A crashing program fails at once instead of waiting on a dialog.
  "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
    /t REG_DWORD /d 0 /f >>"$log" 2>&1
  if [ -n "${KELVANE_WINE_VERSION:-}" ]; then
    "$loader" winecfg -v "$KELVANE_WINE_VERSION" >>"$log" 2>&1
  fi
  wineserver -w
  touch "$prefix/.kelvane-ready"
}

if [ ! -e "$prefix/.kelvane-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Parallel first starts on a fresh prefix race; one makes it, others wait.
  exec 9>"$prefix.lock"
  flock 9
  [ -e "$prefix/.kelvane-ready" ] || make_prefix
  flock -u 9
  exec 9>&-
fi

out=$(mktemp)
err=$(mktemp)
fresh_server=${KELVANE_WINE_FRESH_SERVER:-}
program=
stop_server() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
finish() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  rm -f "$out" "$err"
  [ -z "$fresh_server" ] || stop_server
}
trap finish EXIT
trap 'exit 143' TERM INT

if [ -n "$fresh_server" ]; then
  # A Wine server keeps the display it started with: a program that is to
  # see another display, or none, needs a server of its own.
  stop_server
else
  # One server for a whole test run rather than one per program.
  wineserver -p30 >/dev/null 2>&1 || true
fi

# Wine 8 here failed about one start in several hundred with code 1 and no
# output at all (seen across the test suites' thousands of starts). A test
# runner's program always says something, so such a start is tried once
# more there; a program whose exit code is the test runs once.
attempts=$([ "${KELVANE_WINE_RETRY_SILENT:-}" = 1 ] && echo 2 || echo 1)
for _ in $(seq 1 "$attempts"); do
  # In the background, so that a kill reaches the traps at once.
  "$loader" "$@" >"$out" 2>"$err" &
  program=$!
  rc=0
  wait "$program" || rc=$?
  program=
  if [ "$rc" -ne 1 ] || [ -s "$out" ] || [ -s "$err" ]; then
    break
  fi
done
cat "$out"
cat "$err" >&2
exit "$rc"
