#!/usr/bin/env bash
# Builds the release archives from this checkout:
#   dist/kelvane-VERSION-windows-x86.zip, dist/kelvane-VERSION-windows-x64.zip
#   dist/SHA256SUMS
# The same source gives the same bytes: no time stamp or build path in the
# programs, and every archive entry in a fixed order, with the last commit's
# time (SOURCE_DATE_EPOCH) and fixed permissions. Each archive is also
# unpacked into build/release-ARCH/unpacked, where the end-to-end cases run
# on the very files shipped.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/install-packages.sh
source "$root/scripts/install-packages.sh"
install_packages "${KELVANE_PACKAGE_PACKAGES[@]}"
cd "$root"

# The version, as CMake read it from project().
cmake --preset release-x86 >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release-x86/CMakeCache.txt)
[ -n "$version" ] || {
  echo "package.sh: CMake gave no project version" >&2
  exit 1
}
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || {
    echo "package.sh: not a git checkout; set SOURCE_DATE_EPOCH" >&2
    exit 1
  }
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C

mkdir -p dist
rm -f dist/kelvane-*-windows-*.zip dist/SHA256SUMS
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
sums=()
for arch in x86 x64; do
  preset=release-$arch
  triplet=$([ "$arch" = x86 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target kelvane kelvane-compare >/dev/null

  folder=kelvane-$version-windows-$arch
  mkdir -p "$staging/$folder"
  for program in src/driver/kelvane.exe src/compare/kelvane-compare.exe; do
    "$triplet-strip" -o "$staging/$folder/$(basename "$program")" "build/$preset/$program"
  done
  # Windows's own editors want CR LF.
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' docs/windows-readme.txt \
    >"$staging/$folder/README.txt"
  sed -e 's/$/\r/' LICENSE >"$staging/$folder/LICENSE.txt"
  files=("$folder/LICENSE.txt" "$folder/README.txt" "$folder/kelvane.exe"
    "$folder/kelvane-compare.exe")
  (
    cd "$staging"
    chmod 0644 "${files[@]}"
    touch -d "@$SOURCE_DATE_EPOCH" "${files[@]}"
    # -X: no owner or extended time fields; -D: no folder entries.
    zip -q -X -D "$root/dist/$folder.zip" "${files[@]}"
    sha256sum "${files[@]}" >"$folder.sums"
  )
  sums+=("$staging/$folder.sums")

  unpacked=build/$preset/unpacked
  rm -rf "$unpacked"
  unzip -q -j "dist/$folder.zip" -d "$unpacked"
done

(cd dist && sha256sum kelvane-"$version"-windows-*.zip && cat "${sums[@]}") >dist/SHA256SUMS
ls -l dist
cat dist/SHA256SUMS
