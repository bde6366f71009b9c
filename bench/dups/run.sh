#!/bin/bash
# The duplicate finder's benchmark: one corpus, warm cache, "Duplicate
# Patterns" (dups_bench.exe under Wine) against `fdupes -r` and `jdupes -r`
# run natively, each set list checked against the corpus's true sets.
#
#   bench/dups/run.sh [--files N] [--megabytes M] [--new-corpus]
#
# The corpus (bench/dups/gencorpus.py; default 30,000 files, 1.5 GiB) is
# made once under build/bench-dups and reused while its figures match.
# Needs the windows build's dups_bench target, fdupes and jdupes.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
files=30000
megabytes=1536
new=0
while [[ $# -gt 0 ]]; do
  case "$1" in
    --files) files="$2"; shift ;;
    --megabytes) megabytes="$2"; shift ;;
    --new-corpus) new=1 ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 2 ;;
  esac
  shift
done
work="$repo/build/bench-dups"
corpus="$work/corpus"
exe="$repo/build/windows/bench/dups/dups_bench.exe"
[[ -f "$exe" ]] || cmake --build "$repo/build/windows" --target dups_bench -j2
mkdir -p "$work"
if [[ $new == 1 || ! -f "$corpus/corpus.txt" || "$(cat "$work/corpus.args" 2>/dev/null)" != "$files $megabytes" ]]; then
  echo "generating the corpus ($files files, $megabytes MiB)..."
  python3 "$repo/bench/dups/gencorpus.py" "$corpus" --files "$files" --megabytes "$megabytes"
  echo "$files $megabytes" >"$work/corpus.args"
fi
cat "$corpus/corpus.txt"
tree="$corpus/tree"

# Warm cache: every byte read once before any tool runs.
find "$tree" -type f -print0 | xargs -0 cat >/dev/null

# Normalises a tool's set list (full paths, sets separated by blank lines)
# to the true sets' form; empty files are left out of every list.
normalise() {
  python3 - "$1" "$tree" <<'PY'
import os, sys
text = open(sys.argv[1]).read().strip()
tree = sys.argv[2]
sets = []
for block in text.split("\n\n"):
    paths = [l.strip() for l in block.splitlines() if l.strip()]
    paths = [p for p in paths if os.path.exists(p) and os.path.getsize(p) > 0]
    rel = sorted(os.path.relpath(p, tree) for p in paths)
    if len(rel) > 1:
        sets.append(rel)
sets.sort()
print("\n".join("\n".join(s) + "\n" for s in sets), end="")
PY
}
verdict() {
  if cmp -s "$1" "$corpus/truesets.txt"; then echo "exactly the true sets"; else echo "DIFFERS from the true sets"; fi
}

report="$work/report.txt"
: >"$report"
for tool in fdupes jdupes; do
  /usr/bin/time -f "%e %M" -o "$work/$tool.time" "$tool" -r "$tree" >"$work/$tool.raw" 2>/dev/null
  normalise "$work/$tool.raw" >"$work/$tool.sets"
  read -r secs kb <"$work/$tool.time"
  echo "$tool -r: $secs s, peak RSS $kb KiB, $(verdict "$work/$tool.sets")" | tee -a "$report"
done

export VOSTREL_WINE_TEMPLATES="${VOSTREL_WINE_TEMPLATES:-$repo/build/wine-templates}"
# shellcheck source=scripts/wine-env.sh disable=SC1091
source "$repo/scripts/wine-env.sh" --fresh "$work/wine" >"$work/wine-setup.log" 2>&1
trap 'vostrel_wine_env_stop >/dev/null 2>&1' EXIT
winpath() { local p="${1//\//\\}"; echo "Z:$p"; }
/usr/bin/time -f "%e %M" -o "$work/vostrel.time" \
  "$repo/scripts/wine-run.sh" "$exe" "$(winpath "$tree")" "$(winpath "$work/vostrel.raw")" \
  >"$work/vostrel.out" 2>>"$work/wine.log"
tr -d '\r' <"$work/vostrel.raw" | sed 's|^|'"$tree"'/|; s|^'"$tree"'/$||' >"$work/vostrel.full"
normalise "$work/vostrel.full" >"$work/vostrel.sets"
read -r secs kb <"$work/vostrel.time"
tr -d '\r' <"$work/vostrel.out" | tee -a "$report"
echo "vostrel (Duplicate Patterns under Wine): $secs s wall with Wine's start, $(verdict "$work/vostrel.sets")" | tee -a "$report"
echo "bytes of files sharing a size: $(sed -n 's/^bytes_sharing_a_size //p' "$corpus/corpus.txt")" | tee -a "$report"
