#!/usr/bin/env bash
# with-display.sh COMMAND [ARGS...]: runs the command on an X display: the
# one in DISPLAY when it answers, else a private Xvfb on a free display
# number, stopped when the command ends.
set -u

display_usable() {
  [ -n "${DISPLAY:-}" ] || return 1
  local host=${DISPLAY%%:*} number=${DISPLAY#*:}
  number=${number%%.*}
  [ -n "$host" ] || [ -S "/tmp/.X11-unix/X$number" ]
}

if display_usable; then
  exec "$@"
fi

command -v Xvfb >/dev/null || { echo "with-display.sh: Xvfb is not installed" >&2; exit 2; }
fifo_dir=$(mktemp -d)
mkfifo "$fifo_dir/number"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo_dir/number" >/dev/null 2>&1 &
xvfb=$!
read -r -t 20 number <"$fifo_dir/number"
rm -rf "$fifo_dir"
if [ -z "${number:-}" ]; then
  echo "with-display.sh: Xvfb did not start" >&2
  kill "$xvfb" 2>/dev/null
  exit 2
fi
DISPLAY=:$number "$@"
rc=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit "$rc"
