#!/usr/bin/env bash
# The comparison page stays readable: in headless Chromium, at 1,400 pixels,
# no short value (a number, Yes, a DLL's name, a version) is broken over
# lines, in either grouping, with more columns than a window shows.
#   page-lines.sh KELVANE_COMPARE REPORT
set -euo pipefail
compare=$1 report=$2
command -v chromium >/dev/null || {
  echo "FAIL: chromium is not installed"
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/fleet"
# 60 machines of 20 models: their own texture widths, models and drivers.
for n in $(seq 0 59); do
  sed -e "s/<td>Sample Adapter 0<\/td>/<td>Vendor Model $((n % 20)) with a long marketing name<\/td>/" \
    -e "s/<td>4096<\/td>/<td>$((4096 + n % 20))<\/td>/" \
    -e "s/<td>4\.12\.10\.276<\/td>/<td>4.12.10.$((276 + n))<\/td>/" \
    "$report" >"$work/fleet/pc$n.html"
done

# Each value cell of a short text: on how many lines it stands.
cat >"$work/measure.js" <<'SCRIPT'
addEventListener('load', () => {
  let checked = 0, broken = [];
  for (const cell of document.querySelectorAll('td')) {
    if (cell.classList.contains('share') || cell.closest('table.columns')) continue;
    const text = cell.textContent;
    if (text.length > 24 || text.includes(' ')) continue;
    const range = document.createRange();
    range.selectNodeContents(cell);
    const tops = new Set([...range.getClientRects()].map(r => Math.round(r.top)));
    checked++;
    if (tops.size > 1) broken.push(text);
  }
  const result = document.createElement('pre');
  result.id = 'measured';
  result.textContent = `checked=${checked} broken=${broken.length} ${broken.slice(0, 5).join(' ')}`;
  document.body.appendChild(result);
});
SCRIPT

failures=0
for grouping in rows caps; do
  rc=0
  "$compare" --by "$grouping" --html "$work/$grouping.html" "$work/fleet" >/dev/null || rc=$?
  [ "$rc" -eq 1 ] || {
    echo "FAIL: kelvane-compare --by $grouping gave $rc"
    failures=$((failures + 1))
    continue
  }
  { cat "$work/$grouping.html"; echo "<script>"; cat "$work/measure.js"; echo "</script>"; } \
    >"$work/$grouping-measured.html"
  measured=$(chromium --headless --no-sandbox --disable-gpu --disable-quic \
    --no-first-run --disable-background-networking --disable-component-update \
    --disable-sync --user-data-dir="$work/profile" --window-size=1400,900 \
    --virtual-time-budget=10000 --dump-dom "file://$work/$grouping-measured.html" \
    2>/dev/null | sed -n 's/.*<pre id="measured">\([^<]*\)<\/pre>.*/\1/p')
  echo "--by $grouping: $measured"
  [[ $measured =~ ^checked=([0-9]+)\ broken=0 ]] && [ "${BASH_REMATCH[1]}" -gt 100 ] || {
    echo "FAIL: --by $grouping: short values broken over lines, or none measured"
    failures=$((failures + 1))
  }
done
[ "$failures" -eq 0 ] && echo "PASS: no short value is broken over lines"
exit $((failures > 0))
