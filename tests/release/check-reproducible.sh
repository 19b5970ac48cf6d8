#!/usr/bin/env bash
# check-reproducible.sh ROOT: packages a fresh clone of ROOT's last commit at
# another path, and fails unless its archives and SHA256SUMS are byte for
# byte those in ROOT/dist.
set -euo pipefail
root=$1
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "NOT CHECKED: $root has uncommitted changes, and a clone has only the last commit"
  exit 0
fi
elsewhere=$(mktemp -d /tmp/kelvane-elsewhere-XXXXXX)
trap 'rm -rf "$elsewhere"' EXIT
git clone --quiet "$root" "$elsewhere/kelvane"
bash "$elsewhere/kelvane/scripts/package.sh" >"$elsewhere/package.log" 2>&1 || {
  tail -n 40 "$elsewhere/package.log"
  echo "FAIL: packaging the clone failed"
  exit 1
}
failures=0
for file in "$root"/dist/*; do
  name=$(basename "$file")
  if cmp -s "$file" "$elsewhere/kelvane/dist/$name"; then
    echo "same bytes: $name"
  else
    echo "FAIL: $name differs when packaged at $elsewhere/kelvane"
    failures=$((failures + 1))
  fi
done
[ "$(ls "$root/dist" | wc -l)" -eq "$(ls "$elsewhere/kelvane/dist" | wc -l)" ] || {
  echo "FAIL: the two dist folders hold different files"
  failures=$((failures + 1))
}
[ "$failures" -eq 0 ]
