#!/usr/bin/env bash
# Builds kelvane.exe, as shipped, and runs it under Wine in the current
# directory, on the display in DISPLAY or else on a private Xvfb.
# DeviceCaps.html (or, on a failure, error.txt) is left here; the exit code
# is kelvane.exe's, as the shell sees it (-1 shows as 255).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/install-packages.sh
source "$root/scripts/install-packages.sh"
install_packages "${KELVANE_RUN_PACKAGES[@]}"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! (cd "$root" && cmake --preset release-x64 && cmake --build --preset release-x64 --target kelvane) >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "run-kelvane.sh: building kelvane.exe failed" >&2
  exit 1
fi

rc=0
KELVANE_WINE_FRESH_SERVER=1 "$root/scripts/with-display.sh" \
  "$root/scripts/wine-run.sh" "$root/build/release-x64/wineprefix" win64 \
  "$root/build/release-x64/src/driver/kelvane.exe" || rc=$?
exit "$rc"
