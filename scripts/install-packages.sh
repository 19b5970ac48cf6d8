# shellcheck shell=bash
# Sourced: install_packages PACKAGE... installs, from Debian's archive, those
# of the packages that are missing (as root, or through sudo). A NAME:i386
# package adds the i386 architecture first where it is missing.

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
      missing+=("$package")
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  # A mirror in mid-sync refuses an index now and then, and serves it a
  # minute later: try again before giving up, and say which it was.
  local attempt
  for attempt in 1 2 3 4; do
    as_root apt-get update -qq && break
    if [ "$attempt" -eq 4 ]; then
      echo "install-packages: the package index could not be refreshed (a mirror in mid-sync?); trying with the index at hand" >&2
    else
      echo "install-packages: refreshing the package index failed; trying again in $((attempt * 15)) s" >&2
      sleep $((attempt * 15))
    fi
  done
  if ! as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    echo "install-packages: could not install ${missing[*]} from the package archive: a setup failure, not a failing test" >&2
    exit 100
  fi
}

# Building the shipped programs and running kelvane.exe under Wine.
# shellcheck disable=SC2034  # used by the scripts that source this file
KELVANE_RUN_PACKAGES=(cmake make g++-mingw-w64-x86-64 wine wine64 xvfb xauth
  libgl1-mesa-dri libglx-mesa0 nlohmann-json3-dev)
# Building the release archives for both architectures; the x86 kelvane.exe
# links MinGW-w64's C runtime rebuilt for the Pentium from Debian's source
# (scripts/build-i586-crt.sh: dpkg-source, autoreconf).
# shellcheck disable=SC2034
KELVANE_PACKAGE_PACKAGES=(cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686
  nlohmann-json3-dev zip unzip git dpkg-dev autoconf automake)
# And what the tests take besides: 32-bit Wine for the x86 builds, with
# libgl1, which wine32 only recommends and without which its Direct3D has
# no object (it brings libglvnd0, libglx0, libglx-mesa0 and
# libgl1-mesa-dri: the X libraries that wine32 also recommends change no
# byte of a report); clang with the compiler-rt of its own version for
# fuzzing; Google Benchmark, run small; SQLite for the README's example;
# Chromium, to see kelvane-compare's page as a browser lays it out; QEMU's
# user mode, whose Pentium model runs the x86 kelvane.exe's code; bindfs, a
# FUSE file system without unnamed temporary files.
# shellcheck disable=SC2034
KELVANE_TEST_PACKAGES=("${KELVANE_RUN_PACKAGES[@]}" "${KELVANE_PACKAGE_PACKAGES[@]}"
  g++ googletest clang libclang-rt-dev shellcheck sqlite3 libbenchmark-dev
  chromium wine32:i386 libgl1:i386 qemu-user-static bindfs)
