#!/usr/bin/env bash
# Builds kelvane.exe and runs it under Wine in the current directory, on the
# display in DISPLAY or else on a private Xvfb. DeviceCaps.html (or, on a
# failure, error.txt) is left here; the exit code is kelvane.exe's, as the
# shell sees it (-1 shows as 255).
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/install-packages.sh"
install_packages "${KELVANE_RUN_PACKAGES[@]}"

(cd "$root" && cmake --preset program >/dev/null && cmake --build --preset program >/dev/null)

set +e
KELVANE_WINE_FRESH_SERVER=1 "$root/scripts/with-display.sh" \
  "$root/scripts/wine-run.sh" "$root/build/program/wineprefix" \
  "$root/build/program/kelvane.exe"
exit $?
