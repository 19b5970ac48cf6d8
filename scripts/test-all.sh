#!/usr/bin/env bash
# Builds and runs every test:
# - shellcheck over every script;
# - the unit and behaviour tests natively, with the sanitizers, and
#   cross-compiled for Windows x64 and x86, run under Wine;
# - the release archives (scripts/package.sh), the end-to-end cases under
#   Wine on the files unpacked from them, the check that they load on
#   Windows XP / Server 2003, and that packaging again elsewhere gives the
#   same bytes;
# - a minute of fuzzing for each fuzzer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/install-packages.sh
source "$root/scripts/install-packages.sh"
install_packages "${KELVANE_TEST_PACKAGES[@]}"
cd "$root"
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# Runs a command with its output in a log, shown only when it fails.
quietly() {  # NAME COMMAND...
  local name=$1
  shift
  if ! "$@" >"$logs/$name.log" 2>&1; then
    tail -n 60 "$logs/$name.log"
    echo "FAILED: $*" >&2
    exit 1
  fi
}

build() {  # PRESET [CONFIGURE ARGS...]
  local preset=$1
  shift
  quietly "configure-$preset" cmake --preset "$preset" "$@"
  quietly "build-$preset" cmake --build --preset "$preset"
}

echo "=== shellcheck"
shellcheck -S warning scripts/*.sh tests/e2e/*.sh tests/release/*.sh .ci/run

# 32-bit Wine runs only where the host runs 32-bit code: some virtual
# machines run 64-bit user code alone, and there the x86 programs are built
# and checked, but cannot be run.
x86_runs=ON
if ! wine32_says=$(timeout 60 wine --version 2>&1); then
  x86_runs=OFF
  cat <<MESSAGE
=== NOTE: 32-bit Wine does not start on this host ($wine32_says).
=== The x86 programs are built and import-checked; their tests and
=== end-to-end cases are NOT run here.
MESSAGE
fi

for preset in native sanitize windows; do
  echo "=== $preset"
  build "$preset"
  ctest --preset "$preset"
done
echo "=== windows-x86"
build windows-x86 -DKELVANE_RUN_WINDOWS_TESTS=$x86_runs
[ "$x86_runs" = OFF ] || ctest --preset windows-x86

echo "=== release archives"
bash scripts/package.sh
for arch in x64 x86; do
  echo "=== release-$arch"
  runs=$([ "$arch" = x64 ] && echo ON || echo "$x86_runs")
  build "release-$arch" -DKELVANE_RUN_WINDOWS_TESTS="$runs"
  ctest --preset "release-$arch"
done
echo "=== reproducible archives"
bash tests/release/check-reproducible.sh "$root"

echo "=== fuzz"
build fuzz
ctest --preset fuzz
