#!/usr/bin/env bash
# Builds and runs every test: the native build, the sanitizer build, and the
# Windows build with its tests and kelvane.exe itself under Wine, and a
# minute of fuzzing the whole run.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/install-packages.sh"
install_packages "${KELVANE_TEST_PACKAGES[@]}"
cd "$root"

for preset in native sanitize windows fuzz; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
  ctest --preset "$preset"
done
