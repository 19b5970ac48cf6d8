#!/usr/bin/env bash
# Measures the cost of a report: its time against the floor of bare
# open / write / close calls, the system calls it makes per line, and the
# size and imports of the shipped programs, and kelvane-compare against
# reading the same bytes, for 1,000 reports and for fleets of up to
# 100,000. Prints the figures the README quotes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/install-packages.sh
source "$root/scripts/install-packages.sh"
install_packages "${KELVANE_PACKAGE_PACKAGES[@]}" g++ libbenchmark-dev strace time
cd "$root"
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
for preset in release-x64 release-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target kelvane kelvane-compare >/dev/null
done

echo "== Time: the report against the floor (medians of 5 runs)"
csv=$(mktemp)
work=$(mktemp -d)
trap 'rm -rf "$csv" "$work"' EXIT
build/bench/tests/bench/kelvane_benchmark --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$csv" \
  --benchmark_out_format=csv 2>/dev/null
lines() {
  (cd "$work" && "$root/build/bench/tests/bench/kelvane_scripted_run" "$1" >/dev/null &&
    wc -l <DeviceCaps.html)
}
lines_0=$(lines 0)
lines_1=$(lines 1)
lines_16=$(lines 16)
awk -F, -v line_ratio="$(awk -v a="$lines_16" -v b="$lines_1" 'BEGIN { printf "%.1f", a / b }')" '/_median"/ {
    gsub(/"/, "", $1); sub(/_median$/, "", $1); split($1, name, "/")
    sub(/^BM_/, "", name[1])
    time[name[1] "/" name[2]] = $3; unit = $5
  }
  END {
    for (n = 1; n <= 16; n *= 16)
      printf "%2d adapter(s): report %.2f %s, floor %.2f %s, report/floor %.2f\n",
        n, time["Report/" n], unit, time["Floor/" n], unit,
        time["Report/" n] / time["Floor/" n]
    printf "16 adapters cost %.1f times one adapter (the report has %s times the lines)\n",
      time["Report/16"] / time["Report/1"], line_ratio
  }' "$csv"

echo "== System calls per report line (16 adapters less 0, strace -f -c)"
count_calls() {  # adapters -> "syscall count" lines
  (cd "$work" && strace -f -c -o "$work/strace.$1" \
    "$root/build/bench/tests/bench/kelvane_scripted_run" "$1" >/dev/null)
  awk 'NF >= 5 && $NF != "total" && $1 ~ /^[0-9.]+$/ { print $NF, $4 }' "$work/strace.$1"
}
join -a1 -a2 -e0 -o 0,1.2,2.2 <(count_calls 16 | sort) <(count_calls 0 | sort) |
  awk -v lines=$((lines_16 - lines_0)) '{
    extra = $2 - $3
    if (extra != 0) printf "%-10s %d more calls for %d more lines: %.3f a line\n", $1, extra, lines, extra / lines
  }'

echo "== The shipped programs, stripped"
for arch in x86 x64; do
  triplet=$([ "$arch" = x86 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  for program in src/driver/kelvane.exe src/compare/kelvane-compare.exe; do
    stripped="$work/$(basename "$program")"
    "$triplet-strip" -o "$stripped" "build/release-$arch/$program"
    nt5=tests/release/nt5-exports
    echo "$arch $(basename "$program"): $(stat -c %s "$stripped") bytes, $(bash tests/release/check-imports.sh "$triplet-objdump" "$arch" "$stripped" 5.2 "Windows XP / Server 2003" KERNEL32=$nt5/kernel32.txt msvcrt=$nt5/msvcrt.txt | sed 's/^[^:]*: //')"
  done
done

echo "== kelvane-compare over a fleet of 1,000 reports against reading them (medians of 5)"
build/bench/tests/bench/kelvane_compare_benchmark --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$csv" \
  --benchmark_out_format=csv 2>/dev/null
awk -F, '/_median"/ { gsub(/"/, "", $1); time[$1] = $3; unit = $5 }
  END {
    printf "read %.1f %s, compare %.1f %s (%.2f times the read), with every output %.1f %s (%.2f times)\n",
      time["BM_ReadBytes_median"], unit, time["BM_Compare_median"], unit,
      time["BM_Compare_median"] / time["BM_ReadBytes_median"],
      time["BM_CompareEveryOutput_median"], unit,
      time["BM_CompareEveryOutput_median"] / time["BM_ReadBytes_median"]
  }' "$csv"

echo "== kelvane-compare over fleets on disk: the best of 3 runs, peak memory (GNU time)"
compare=build/native/src/compare/kelvane-compare
cmake --preset native >/dev/null && cmake --build --preset native --target kelvane-compare >/dev/null
best() {  # COMMAND...: the least elapsed seconds and the most KB of 3 runs
  local elapsed memory least=999999 most=0
  for _ in 1 2 3; do
    read -r elapsed memory < <(/usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -n 1)
    least=$(awk -v a="$least" -v b="$elapsed" 'BEGIN { print (b < a ? b : a) }')
    most=$((memory > most ? memory : most))
  done
  echo "$least $most"
}
read_all() { find "$1" -name '*.html' -print0 | sort -z | xargs -0 cat; }
export -f read_all
for reports in 1000 10000 100000; do
  fleet=$work/fleet-$reports
  build/bench/tests/fleet/kelvane_write_fleet "$fleet" "$reports"
  read -r cat_s _ < <(best bash -c 'read_all "$1"' _ "$fleet")
  read -r text_s text_kb < <(best "$compare" "$fleet")
  read -r all_s all_kb < <(best "$compare" --coverage --html "$work/page.html" \
    --json "$work/all.json" --jsonl "$work/all.jsonl" "$fleet")
  read -r caps_s caps_kb < <(best "$compare" --by caps --coverage --html "$work/caps.html" \
    --json "$work/caps.json" --jsonl "$work/caps.jsonl" "$fleet")
  adapters=$(grep -c '"file":' "$work/all.jsonl")
  printf "%6d reports (%s MB): read %.2f s; compare %.2f s (%.2f times), %d KB; every output %.2f s (%.2f times), %d KB; by caps %.2f s (%.2f times), %d KB; pages %d KB and %d KB; JSON Lines %d bytes an adapter\n" \
    "$reports" "$(du -sm "$fleet" | cut -f1)" "$cat_s" "$text_s" \
    "$(awk -v a="$text_s" -v b="$cat_s" 'BEGIN { print a / b }')" "$text_kb" \
    "$all_s" "$(awk -v a="$all_s" -v b="$cat_s" 'BEGIN { print a / b }')" "$all_kb" \
    "$caps_s" "$(awk -v a="$caps_s" -v b="$cat_s" 'BEGIN { print a / b }')" "$caps_kb" \
    "$(($(stat -c %s "$work/page.html") / 1024))" "$(($(stat -c %s "$work/caps.html") / 1024))" \
    "$(($(stat -c %s "$work/all.jsonl") / adapters))"
  rm -rf "$fleet"
done
