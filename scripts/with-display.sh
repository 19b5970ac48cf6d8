#!/usr/bin/env bash
# with-display.sh COMMAND [ARGS...]: runs the command on an X display: the
# one in DISPLAY when it answers, else a private Xvfb on a free display
# number, stopped when the command ends, fails or is killed.
set -euo pipefail

display_usable() {
  [ -n "${DISPLAY:-}" ] || return 1
  local host=${DISPLAY%%:*} number=${DISPLAY#*:}
  number=${number%%.*}
  [ -n "$host" ] || [ -S "/tmp/.X11-unix/X$number" ]
}

if display_usable; then
  exec "$@"
fi

command -v Xvfb >/dev/null || {
  echo "with-display.sh: Xvfb is not installed" >&2
  exit 2
}
fifo_dir=$(mktemp -d)
xvfb='' child=''
finish() {
  [ -z "$child" ] || kill "$child" 2>/dev/null || true
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$fifo_dir"
}
trap finish EXIT
trap 'exit 143' TERM INT

mkfifo "$fifo_dir/number"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo_dir/number" >/dev/null 2>&1 &
xvfb=$!
number=
read -r -t 20 number <"$fifo_dir/number" || true
if [ -z "$number" ]; then
  echo "with-display.sh: Xvfb did not start" >&2
  exit 2
fi
DISPLAY=:$number "$@" &
child=$!
rc=0
wait "$child" || rc=$?
child=
exit "$rc"
