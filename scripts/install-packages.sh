# Sourced: install_packages PACKAGE... installs, from Debian's archive, those
# of the packages that are missing (as root, or through sudo).
install_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
      missing+=("$package")
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  local as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  echo "Installing: ${missing[*]}"
  # An index that fails to refresh (a mirror mid-sync) need not stop the
  # install: the install says so itself if it cannot go on.
  "${as_root[@]}" apt-get update -qq || true
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building kelvane.exe and running it under Wine takes.
KELVANE_RUN_PACKAGES=(cmake make g++-mingw-w64-x86-64 wine wine64 xvfb xauth
  libgl1-mesa-dri libglx-mesa0)
# And what the tests take besides.
KELVANE_TEST_PACKAGES=("${KELVANE_RUN_PACKAGES[@]}" g++ googletest clang
  libclang-rt-14-dev)
