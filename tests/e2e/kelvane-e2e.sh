#!/usr/bin/env bash
# kelvane.exe under Wine, as a user runs it:
#   kelvane-e2e.sh CASE KELVANE_EXE PLANTED_D3D8_DLL LOAD_BY_NAME_EXE PREFIX ARCH
#                  IDENTITY_ROWS LIMIT_ROWS FLAG_ROWS VERSION
# CASE: display | no-display | planted-d3d8 | winxp | win95 | win98 | win2k (the
# display case, with Wine reporting that Windows); ARCH: win64 | win32. The counts are those of
# one adapter's tables. kelvane-compare.exe is taken from beside KELVANE_EXE.
set -euo pipefail
case_name=$1 kelvane=$2 planted=$3 load_by_name=$4 prefix=$5 arch=$6
identity_rows=$7 limit_rows=$8 flag_rows=$9 version=${10}
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
export KELVANE_WINE_FRESH_SERVER=1

compare=$(dirname "$kelvane")/kelvane-compare.exe
for program in "$kelvane" "$compare"; do
  [ -f "$program" ] || {
    echo "FAIL: no program at $program (scripts/package.sh unpacks the archives there)"
    exit 1
  }
done

# Runs a command in the working directory given; its exit code is left in rc.
run_in() {  # DIRECTORY COMMAND...
  local directory=$1
  shift
  rc=0
  (cd "$directory" && "$@") || rc=$?
}

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

expect_equal() {  # what, actual, expected
  if [ "$2" != "$3" ]; then
    fail "$1"
    echo "  expected: $(printf '%s' "$3" | od -c | head -5)"
    echo "  actual:   $(printf '%s' "$2" | od -c | head -5)"
  fi
}

# The report must be whole, and be what the program writes, as
# kelvane-compare reads it (the same program's markup and catalogues, from
# the same archive); and CR LF must end every line.
check_report() {
  local report=$work/run/DeviceCaps.html
  [ -f "$report" ] || { fail "no DeviceCaps.html"; return; }
  local bare
  bare=$(grep -c -v $'\r$' "$report" || true)
  expect_equal "lines without CR LF" "$bare" 0
  local compare_rc=0
  (cd "$work/run" && "$scripts/wine-run.sh" "$prefix" "$arch" "$compare" DeviceCaps.html) \
    >"$work/compared" 2>&1 || compare_rc=$?
  expect_equal "kelvane-compare on the report" "$compare_rc" 0
  local rows=$((identity_rows + limit_rows + flag_rows)) summary
  summary=$(tail -n 1 "$work/compared" | tr -d '\r')
  [[ $summary =~ ^0\ of\ $rows\ rows\ differ\ across\ [1-9][0-9]*\ adapters?\ (\(.*\)\ )?in\ 1\ report$ ]] ||
    fail "kelvane-compare did not take the report whole: $(head -c 600 "$work/compared")"
  echo "report: $summary"
}

# Runs kelvane.exe on the display in a folder of its own; the exit code in rc.
run_on_display() {  # FOLDER PREFIX
  mkdir -p "$1"
  run_in "$1" "$scripts/with-display.sh" "$scripts/wine-run.sh" "$2" "$arch" "$kelvane" >"$work/console"
}

# Under an older Windows, Wine's Direct3D answers as under the default one,
# but for the rows it words after the system, such as DriverVersion: the two
# reports, read back by kelvane-compare, differ in no other row.
check_like_default() {  # ROWS THAT MAY DIFFER...
  run_on_display "$work/default" "$base_prefix"
  expect_equal "exit code on the default Windows" "$rc" 0
  local compare_rc=0 row differing=
  (cd "$work" && "$scripts/wine-run.sh" "$base_prefix" "$arch" "$compare" \
    default/DeviceCaps.html run/DeviceCaps.html) >"$work/against-default" 2>&1 ||
    compare_rc=$?
  [ "$compare_rc" -le 1 ] || fail "kelvane-compare could not compare: $(head -c 600 "$work/against-default")"
  differing=$(grep -v -e '^\[[0-9]*\] ' -e ' rows\? differs\? across ' "$work/against-default" |
    tr -d '\r' | sed 's/: .*//')
  for row in "$@"; do differing=$(grep -v -x -F "Graphics Card Info / $row" <<<"$differing" || true); done
  [ -z "$differing" ] || fail "rows that differ from the default Windows's report: $differing"
  echo "against the default Windows: $(grep -i -e ' / ' "$work/against-default" | tr -d '\r' | tr '\n' ';')"
}

banner="Kelvane $version"$'\r\n\r\n'
created=$banner$'DeviceCaps.html has been created.\r\n\r\n'
no_direct3d_message='Error creating Direct3D8 object. You need to have DirectX 8 installed!'

case "$case_name" in
  display | winxp | win95 | win98 | win2k)
    base_prefix=$prefix
    if [ "$case_name" != display ]; then
      # A prefix of its own, whose Windows says it is that one (XP x64 for
      # winxp on win64).
      prefix=$prefix-$case_name
      export KELVANE_WINE_VERSION=$case_name
      [ "$case_name" != winxp ] || [ "$arch" = win32 ] || KELVANE_WINE_VERSION=winxp64
    fi
    run_on_display "$work/run" "$prefix"
    expect_equal "exit code" "$rc" 0
    expect_equal "console" "$(cat "$work/console"; echo .)" "$created."
    check_report
    [ ! -e "$work/run/error.txt" ] || fail "a successful run wrote error.txt"
    case $case_name in
      winxp)
        # XP is NT 5.1, XP x64 and Server 2003 are NT 5.2.
        grep -q '^"CurrentVersion"="5\.[12]"' "$prefix/system.reg" ||
          fail "the prefix does not report Windows XP"
        ;;
      win95)
        grep -q '^"VersionNumber"="4\.0\.950"' "$prefix/system.reg" ||
          fail "the prefix does not report Windows 95"
        KELVANE_WINE_VERSION='' check_like_default DriverVersion
        ;;
      win98)
        grep -q '^"VersionNumber"="4\.10\.' "$prefix/system.reg" ||
          fail "the prefix does not report Windows 98"
        KELVANE_WINE_VERSION='' check_like_default DriverVersion
        ;;
      win2k)
        grep -q '^"CurrentVersion"="5\.0"' "$prefix/system.reg" ||
          fail "the prefix does not report Windows 2000"
        KELVANE_WINE_VERSION='' check_like_default DriverVersion
        ;;
    esac
    ;;
  no-display)
    mkdir -p "$work/run"
    run_in "$work/run" env -u DISPLAY "$scripts/wine-run.sh" "$prefix" "$arch" "$kelvane" >"$work/console"
    expect_equal "exit code (-1 seen modulo 256)" "$rc" 255
    expect_equal "console" "$(cat "$work/console"; echo .)" \
      "$banner$no_direct3d_message"$'\r\n\r\n.'
    expect_equal "error.txt" "$(cat "$work/run/error.txt"; echo .)" \
      "$no_direct3d_message"$'\r\n\r\nError deleting DeviceCaps.html.'
    [ ! -e "$work/run/DeviceCaps.html" ] || fail "a report was left"
    ;;
  planted-d3d8)
    # d3d8.dll beside the program and in the working directory, with Wine
    # told to prefer a native d3d8.dll wherever the search finds one.
    mkdir -p "$work/app" "$work/run"
    cp "$kelvane" "$load_by_name" "$planted" "$work/app/"
    cp "$planted" "$work/run/"
    export KELVANE_WINE_OVERRIDES="d3d8=n,b"
    run_in "$work/run" "$scripts/wine-run.sh" "$prefix" "$arch" "$work/app/$(basename "$load_by_name")" >/dev/null 2>&1
    [ -e "$work/run/planted-d3d8-loaded.txt" ] ||
      fail "loading by name did not pick up the planted d3d8.dll: this check proves nothing here"
    rm -f "$work/run/planted-d3d8-loaded.txt"
    run_in "$work/run" "$scripts/with-display.sh" "$scripts/wine-run.sh" "$prefix" "$arch" "$work/app/$(basename "$kelvane")" >"$work/console" 2>"$work/stderr"
    [ ! -e "$work/run/planted-d3d8-loaded.txt" ] || fail "kelvane.exe loaded a planted d3d8.dll"
    expect_equal "exit code" "$rc" 0
    expect_equal "console" "$(cat "$work/console"; echo .)" "$created."
    check_report
    ;;
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ] && echo "PASS: $case_name"
exit $((failures > 0))
