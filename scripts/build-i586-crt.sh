#!/usr/bin/env bash
# build-i586-crt.sh CACHE VERSION: the MinGW-w64 C runtime pieces that the x86
# kelvane.exe links (crt2.o, libmingw32.a, libmingwex.a, libmsvcrt.a), built
# for the Pentium (-march=i586) from Debian's own source of mingw-w64 VERSION,
# the version of the installed mingw-w64-i686-dev, with Debian's patches.
# Debian builds them for the Pentium Pro, whose CMOV and FCOMI a Pentium,
# K6-2, Cyrix, WinChip or C3 lacks: its startup code alone would stop there.
#
# The result goes to CACHE/VERSION and is kept: a second call costs nothing.
# The source comes through the host's own apt sources, as deb-src entries in
# a private list; nothing is installed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/debian-sources.sh
source "$root/scripts/debian-sources.sh"
cache=$1 version=$2
out=$cache/$version
pieces=(crt2.o libmingw32.a libmingwex.a libmsvcrt.a)

fail() {
  echo "build-i586-crt.sh: $*" >&2
  exit 1
}
[ -f "$out/complete" ] && exit 0

mkdir -p "$cache"
# Two builds of one tree may ask at once: one builds, the other waits.
exec 9>"$cache/.lock"
flock 9
[ -f "$out/complete" ] && exit 0

for tool in apt-get dpkg-source autoreconf i686-w64-mingw32-gcc-win32 make; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-packages.sh installs what the build needs)"
done
work=$(mktemp -d "$cache/work-XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$work/log
echo "build-i586-crt.sh: building MinGW-w64 $version's C runtime for the Pentium (a few minutes, once)" >&2

mapfile -t sources < <(host_source_lines)
[ "${#sources[@]}" -gt 0 ] || fail "the host's apt sources name no Debian archive"
private_apt "$work/apt" "${sources[@]}"
"${own_apt[@]}" update >"$log" 2>&1 ||
  fail "the source index could not be fetched: $(tail -n 3 "$log")"
(cd "$work" && "${own_apt[@]}" source --download-only "mingw-w64=$version") >>"$log" 2>&1 ||
  fail "the source of mingw-w64 $version could not be fetched: $(tail -n 3 "$log")"
dpkg-source --no-check -x "$work"/mingw-w64_*.dsc "$work/source" >>"$log" 2>&1 ||
  fail "the source could not be unpacked: $(tail -n 3 "$log")"

# As Debian's build does: its patches change Makefile.am, so regenerate.
crt=$work/source/mingw-w64-crt
(cd "$crt" && autoreconf -fi) >>"$log" 2>&1 || fail "autoreconf failed: $(tail -n 3 "$log")"
mkdir -p "$work/build/lib32"
# No build path in the objects, so the program's bytes do not depend on
# where this ran.
flags="-O2 -march=i586 -mtune=generic -ffile-prefix-map=$work=."
(cd "$work/build" &&
  "$crt/configure" --host=i686-w64-mingw32 --prefix=/usr/i686-w64-mingw32 \
    --disable-lib64 --enable-lib32 CC=i686-w64-mingw32-gcc-win32 \
    CFLAGS="$flags" CCASFLAGS="$flags") >>"$log" 2>&1 ||
  fail "configure failed: $(tail -n 3 "$log")"
make -C "$work/build" -j"$(nproc)" "${pieces[@]/#/lib32/}" >>"$log" 2>&1 ||
  fail "make failed: $(tail -n 5 "$log")"

rm -rf "$out"
mkdir -p "$out"
for piece in "${pieces[@]}"; do cp "$work/build/lib32/$piece" "$out/"; done
touch "$out/complete"
echo "build-i586-crt.sh: done, in $out" >&2
