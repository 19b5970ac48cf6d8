#!/usr/bin/env bash
# with-i386.sh COMMAND [ARGS...]: runs the command where 32-bit x86 programs
# start. On a host that executes 32-bit code that is the host itself. On one
# that does not (the kernel says "IA-32 emulation off"), every 32-bit program
# started by the command runs through QEMU's qemu-i386, registered in a
# binfmt_misc private to a user and mount namespace: the host stays as it is.
#
# with-i386.sh --probe: says "natively" or "through qemu-i386" and exits 0
# when 32-bit Wine starts one of those ways; else says why not and exits 1.
#
#   KELVANE_I386          native or qemu: take that way only (default: the
#                         host's own where it works, else qemu-i386)
#   KELVANE_QEMU_CACHE    where qemu-i386 is fetched to (default:
#                         build/qemu-user beside this script's checkout)
#
# qemu-i386 comes from QEMU 10 in the bookworm-backports suite of the Debian
# archive that the host's own apt sources name: Debian 12's QEMU 7.2 spins for
# minutes in every 32-bit Wine process. Nothing is installed on the host.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${KELVANE_QEMU_CACHE:-$root/build/qemu-user}
qemu=$cache/usr/bin/qemu-i386
wine32=/usr/lib/wine/wine
work=
# shellcheck source=scripts/debian-sources.sh
source "$root/scripts/debian-sources.sh"

# --probe tells its reason on stdout, for the test command to quote.
probing=$([ "${1:-}" = --probe ] && echo 1 || true)
fail() {
  [ -z "$probing" ] || echo "$*"
  echo "with-i386.sh: $*" >&2
  exit 1
}

runs_natively() {
  [ -x "$wine32" ] && timeout 120 "$wine32" --version >/dev/null 2>&1
}

qemu_major() {
  "$qemu" --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p'
}

fetch_qemu() {
  [ -x "$qemu" ] && [ "$(qemu_major)" -ge 10 ] 2>/dev/null && return 0
  command -v apt-get >/dev/null || fail "apt-get is missing: qemu-i386 cannot be fetched"
  command -v dpkg-deb >/dev/null || fail "dpkg-deb is missing: qemu-i386 cannot be unpacked"
  local codename archive
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ "$codename" = bookworm ] ||
    fail "QEMU 10 is fetched from bookworm-backports, but this host is '${codename:-unknown}', not Debian 12"
  archive=$(host_archive "$codename" | head -n 1)
  [ -n "$archive" ] || fail "no Debian archive for $codename in the host's apt sources"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  private_apt "$work" "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $archive $codename-backports main"
  echo "with-i386.sh: fetching qemu-user from $codename-backports" >&2
  "${own_apt[@]}" update >"$work/log" 2>&1 ||
    fail "the $codename-backports index of $archive could not be fetched: $(tail -n 3 "$work/log")"
  (cd "$work" && "${own_apt[@]}" download "qemu-user/$codename-backports") >>"$work/log" 2>&1 ||
    fail "qemu-user could not be downloaded from $codename-backports: $(tail -n 3 "$work/log")"
  rm -rf "$cache"
  mkdir -p "$cache"
  dpkg-deb -x "$work"/qemu-user_*.deb "$cache"
  local major
  major=$(qemu_major)
  [ -n "$major" ] && [ "$major" -ge 10 ] ||
    fail "$codename-backports gave qemu-i386 version '${major:-none}', and 10 or later is needed"
  rm -rf "$work"
}

can_use_namespace() {
  local kernel
  kernel=$(uname -r)
  local major=${kernel%%.*} rest=${kernel#*.}
  local minor=${rest%%[!0-9]*}
  if [ "$major" -lt 6 ] || { [ "$major" -eq 6 ] && [ "$minor" -lt 7 ]; }; then
    echo "Linux $kernel is older than 6.7, which a private binfmt_misc needs"
    return 1
  fi
  command -v unshare >/dev/null || {
    echo "unshare (util-linux) is missing"
    return 1
  }
  unshare --user --map-root-user --mount true 2>/dev/null || {
    echo "this host refuses user namespaces"
    return 1
  }
}

# Inside the namespace: a binfmt_misc of its own sending every i386 ELF
# (executable or PIE) to qemu-i386, opened now (flag F), then the command.
# The magic and mask are QEMU's own for i386.
run_in_namespace() {
  local register
  register=':kelvane-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  register+=':\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  register+=":$qemu:F"
  exec unshare --user --map-root-user --mount --fork --kill-child -- \
    bash -c 'set -euo pipefail
      mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
        { echo "with-i386.sh: a private binfmt_misc cannot be mounted" >&2; exit 1; }
      printf "%s" "$1" >/proc/sys/fs/binfmt_misc/register ||
        { echo "with-i386.sh: qemu-i386 cannot be registered" >&2; exit 1; }
      shift
      exec "$@"' with-i386 "$register" "$@"
}

way=${KELVANE_I386:-}
case $way in
  "" | native | qemu) ;;
  *) fail "KELVANE_I386 is native or qemu, not '$way'" ;;
esac
[ -x "$wine32" ] || fail "32-bit Wine ($wine32, Debian's wine32:i386) is not installed"

if [ "$way" != qemu ] && runs_natively; then
  way=native
elif [ "$way" = native ]; then
  fail "32-bit Wine does not start natively on this host"
else
  if ! why=$(can_use_namespace); then
    fail "this host runs no 32-bit code, and qemu-i386 cannot be used: $why"
  fi
  fetch_qemu
  way=qemu
fi

if [ "${1:-}" = --probe ]; then
  if [ "$way" = native ]; then
    echo natively
    exit 0
  fi
  # The proof is 32-bit Wine starting through qemu-i386.
  out=$( (run_in_namespace timeout 300 "$wine32" --version) 2>&1) ||
    fail "32-bit Wine does not start through qemu-i386 either: $out"
  echo "through qemu-i386"
  exit 0
fi
[ "$#" -gt 0 ] || fail "usage: with-i386.sh COMMAND [ARGS...] | --probe"
if [ "$way" = native ]; then
  exec "$@"
fi
run_in_namespace "$@"
