#!/usr/bin/env bash
# write-fleet.sh FOLDER [COUNT]: writes a realistic fleet of COUNT reports
# (2,000 unless told) beneath FOLDER, to try kelvane-compare on: 60 adapter
# models of 4 vendors, each with 3 to 6 drivers and 1 to 3 board makers, a
# tenth of the machines with a second adapter, some reports sent twice.
# Every report is written by the program itself, over scripted adapters.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ "$#" -ge 1 ] && [ "$#" -le 2 ] || {
  echo "usage: write-fleet.sh FOLDER [COUNT]" >&2
  exit 2
}
folder=$1 count=${2:-2000}
# shellcheck source=scripts/install-packages.sh
source "$root/scripts/install-packages.sh"
install_packages cmake make g++ googletest nlohmann-json3-dev
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! (cd "$root" && cmake --preset native && cmake --build --preset native --target kelvane_write_fleet) >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "write-fleet.sh: building the fleet writer failed" >&2
  exit 1
fi
"$root/build/native/tests/fleet/kelvane_write_fleet" "$folder" "$count"
echo "write-fleet.sh: $count reports beneath $folder"
