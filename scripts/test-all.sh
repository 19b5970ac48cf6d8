#!/usr/bin/env bash
# Builds and runs every test:
# - shellcheck over every script;
# - the unit and behaviour tests natively, with the sanitizers, and
#   cross-compiled for Windows x64 and x86, run under Wine (x86 through
#   qemu-i386 where the host executes no 32-bit code: scripts/with-i386.sh);
# - the release archives (scripts/package.sh), the end-to-end cases under
#   Wine on the files unpacked from them, the check that they load on
#   Windows XP / Server 2003, and that packaging again elsewhere gives the
#   same bytes;
# - the benchmarks, briefly, and a minute of fuzzing for each fuzzer.
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
shellcheck -S warning scripts/*.sh tests/e2e/*.sh tests/release/*.sh tests/compare/*.sh .ci/run

# The x86 suite runs where 32-bit programs start: on the host itself, or,
# where it executes no 32-bit code, through qemu-i386 (scripts/with-i386.sh).
x86_runs=ON
x86_missing=
# The probe says the way on success and the reason on failure.
if x86_way=$(bash scripts/with-i386.sh --probe 2>"$logs/with-i386.log"); then
  echo "=== the x86 suite runs $x86_way"
else
  x86_runs=OFF
  x86_missing=${x86_way:-with-i386.sh gave no reason: $(tail -n 1 "$logs/with-i386.log")}
  cat <<MESSAGE
=== NOTE: the x86 suite cannot run on this host: $x86_missing
=== The x86 programs are built and import-checked; their tests and
=== end-to-end cases are NOT run here.
MESSAGE
fi
x86() { bash scripts/with-i386.sh "$@"; }

for preset in native sanitize windows; do
  echo "=== $preset"
  build "$preset"
  ctest --preset "$preset"
done
echo "=== windows-x86"
build windows-x86 -DKELVANE_RUN_WINDOWS_TESTS=$x86_runs
[ "$x86_runs" = OFF ] || x86 ctest --preset windows-x86

echo "=== release archives"
bash scripts/package.sh
for arch in x64 x86; do
  echo "=== release-$arch"
  runs=$([ "$arch" = x64 ] && echo ON || echo "$x86_runs")
  build "release-$arch" -DKELVANE_RUN_WINDOWS_TESTS="$runs"
  if [ "$arch" = x86 ] && [ "$runs" = ON ]; then
    x86 ctest --preset release-x86
  else
    ctest --preset "release-$arch"
  fi
done
echo "=== reproducible archives"
bash tests/release/check-reproducible.sh "$root"

# Briefly, so that they keep working: the figures come from measure.sh.
benchmark() {  # BENCHMARK...: a failed benchmark exits 1
  local out
  if ! out=$("$@" --benchmark_min_time=0.01 2>&1); then
    echo "$out"
    echo "FAILED: $*" >&2
    exit 1
  fi
  grep '^BM_' <<<"$out"
}
echo "=== benchmarks, small"
build bench
KELVANE_BENCH_REPORTS=200 benchmark build/bench/tests/bench/kelvane_compare_benchmark
benchmark build/bench/tests/bench/kelvane_benchmark

echo "=== fuzz"
build fuzz
ctest --preset fuzz

# A green CI must mean that the x86 suite passed.
if [ "$x86_runs" = OFF ] && [ "${CI:-}" = true ]; then
  echo "FAILED: the x86 suite did not run: $x86_missing" >&2
  exit 1
fi
