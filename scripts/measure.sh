#!/usr/bin/env bash
# Measures the cost of a report: its time against the floor of bare
# open / write / close calls, the system calls it makes per line, and the
# size and imports of kelvane.exe. Prints the figures the README quotes.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/install-packages.sh"
install_packages "${KELVANE_RUN_PACKAGES[@]}" g++ libbenchmark-dev strace
cd "$root"
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
cmake --preset program >/dev/null && cmake --build --preset program >/dev/null

echo "== Time: the report against the floor (medians of 5 runs)"
csv=$(mktemp)
work=$(mktemp -d)
trap 'rm -rf "$csv" "$work"' EXIT
build/bench/tests/bench/kelvane_benchmark --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$csv" \
  --benchmark_out_format=csv 2>/dev/null
awk -F, '/_median"/ {
    gsub(/"/, "", $1); sub(/_median$/, "", $1); split($1, name, "/")
    sub(/^BM_/, "", name[1])
    time[name[1] "/" name[2]] = $3; unit = $5
  }
  END {
    for (n = 1; n <= 16; n *= 16)
      printf "%2d adapter(s): report %.2f %s, floor %.2f %s, report/floor %.2f\n",
        n, time["Report/" n], unit, time["Floor/" n], unit,
        time["Report/" n] / time["Floor/" n]
    printf "16 adapters cost %.1f times one adapter (the report has 15.9 times the lines)\n",
      time["Report/16"] / time["Report/1"]
  }' "$csv"

echo "== System calls per report line (16 adapters less 0, strace -f -c)"
count_calls() {  # adapters -> "syscall count" lines
  (cd "$work" && strace -f -c -o "$work/strace.$1" \
    "$root/build/bench/tests/bench/kelvane_scripted_run" "$1" >/dev/null)
  awk 'NF >= 5 && $NF != "total" && $1 ~ /^[0-9.]+$/ { print $NF, $4 }' "$work/strace.$1"
}
lines() {
  (cd "$work" && "$root/build/bench/tests/bench/kelvane_scripted_run" "$1" >/dev/null &&
    wc -l <DeviceCaps.html)
}
lines_0=$(lines 0)
lines_16=$(lines 16)
join -a1 -a2 -e0 -o 0,1.2,2.2 <(count_calls 16 | sort) <(count_calls 0 | sort) |
  awk -v lines=$((lines_16 - lines_0)) '{
    extra = $2 - $3
    if (extra != 0) printf "%-10s %d more calls for %d more lines: %.3f a line\n", $1, extra, lines, extra / lines
  }'

echo "== kelvane.exe"
stripped="$work/kelvane-stripped.exe"
x86_64-w64-mingw32-strip -o "$stripped" build/program/kelvane.exe
echo "size, stripped: $(stat -c %s "$stripped") bytes"
echo "imports: $(x86_64-w64-mingw32-objdump -p build/program/kelvane.exe |
  awk '/DLL Name/ { printf "%s ", $3 }')"
