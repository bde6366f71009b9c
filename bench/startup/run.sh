#!/bin/bash
# Start-up benchmark: how long vostrel.exe takes from process creation to a
# visible main window on the seeded demo profile, against a trivial Win32
# window started by the same harness (which is what starting any program
# and showing a window costs under Wine).
#
#   bench/startup/run.sh [--build DIR] [--runs N] [--program EXE] [--no-theme] [--keep]
#
# DIR is a Windows build folder (default build/windows) with vostrel,
# vauto, seedprofile, startup_bench and startup_trivial built (run.sh builds
# them). A private Wine root DIR/bench-startup/wine is made fresh, with an
# Xvfb of its own; the program, its skins and the trivial window go to
# C:\Program Files\Vostrel, seedprofile.exe seeds the demo profile and
# prepare.vauto passes the first start (drive scan window, Vista notice off),
# so the timed starts are ordinary ones: splash, then the main window.
# --program times another vostrel.exe (another build of it) instead of DIR's.
# --no-theme switches Wine's theme off for the timed starts (ThemeActive 0;
# the template prefix has it on), so controls draw in the classic style.
# --keep leaves the Wine root in place afterwards.
# Output: both harness runs and the differences of the medians.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$repo/build/windows"
runs=11
keep=0
program=""
theme=1
while [[ $# -gt 0 ]]; do
  case "$1" in
    --build) build="$(cd "${2:?--build needs a folder}" && pwd)"; shift ;;
    --runs) runs="${2:?--runs needs a number}"; shift ;;
    --program) program="$(cd "$(dirname "${2:?--program needs an exe}")" && pwd)/$(basename "$2")"; shift ;;
    --no-theme) theme=0 ;;
    --keep) keep=1 ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "run.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done

cmake --build "$build" -j "${VOSTREL_JOBS:-2}" \
  --target vostrel vauto seedprofile startup_bench startup_trivial >/dev/null
# (Not the copies inside Wine roots left by earlier runs.)
exe() { find "$build" -name "$1.exe" -type f -not -path '*/CMakeFiles/*' -not -path '*/wine/*' | head -n1; }
[[ -n "$program" ]] || program="$(exe vostrel)"
vauto="$(exe vauto)"
seeder="$(exe seedprofile)"
bench="$(exe startup_bench)"
trivial="$(exe startup_trivial)"

root="$build/bench-startup/wine"
unset DISPLAY
# shellcheck source=scripts/wine-env.sh disable=SC1091
source "$repo/scripts/wine-env.sh" --fresh "$root" >/dev/null
trap vostrel_wine_env_stop EXIT

install_dir="$WINEPREFIX/drive_c/Program Files/Vostrel"
mkdir -p "$install_dir"
cp "$program" "$install_dir/vostrel.exe"
cp "$trivial" "$install_dir/"
cp "$repo"/assets/skins/*.jpg "$repo"/assets/*.htm "$install_dir/"
win_dir='C:\Program Files\Vostrel'
z() { echo "Z:${1//\//\\}"; }

wine "$seeder" --quiet
wine "$vauto" "$(z "$repo/bench/startup/prepare.vauto")" "program=$win_dir\\vostrel.exe" \
  >"$build/bench-startup/prepare.log" 2>&1 || {
  cat "$build/bench-startup/prepare.log" >&2
  echo "run.sh: the first start failed" >&2
  exit 1
}

if [[ $theme == 0 ]]; then
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1
fi

out="$build/bench-startup"
wine "$bench" --runs "$runs" "$win_dir\\vostrel.exe" 2>/dev/null | tr -d '\r' | tee "$out/vostrel.txt"
wine "$bench" --runs "$runs" --caption "Trivial window" "$win_dir\\startup_trivial.exe" \
  2>/dev/null | tr -d '\r' | tee "$out/trivial.txt"

median() { awk -v f="$1" '$1 == f && $2 == "median" { print $3 }' "$2"; }
base="$(median ready "$out/trivial.txt")"
echo "differences of the medians (vostrel minus the trivial window's ready, $base ms):"
for figure in splash painted gone main ready; do
  value="$(median "$figure" "$out/vostrel.txt")"
  [[ -n "$value" ]] || continue
  awk -v f="$figure" -v v="$value" -v b="$base" 'BEGIN { printf "  %-8s %7.1f ms\n", f, v - b }'
done
painted="$(median painted "$out/vostrel.txt")"
gone="$(median gone "$out/vostrel.txt")"
ready="$(median ready "$out/vostrel.txt")"
awk -v p="$painted" -v g="$gone" -v r="$ready" -v b="$base" 'BEGIN {
  printf "  splash shown for %.1f ms; to the main window without it %.1f ms\n", g - p, r - b - (g - p)
}'

vostrel_wine_env_stop
trap - EXIT
[[ $keep == 1 ]] || rm -rf "$root" "$root.lock"
