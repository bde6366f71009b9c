#!/bin/bash
# The one start command: builds the Windows program and starts it under Wine
# on a private demo prefix.
#
#   scripts/start.sh [--keep] [--wait SECONDS] [--no-desktop] [-- PROGRAM_ARGS...]
#
#   1. scripts/setup.sh, then configure and build the windows preset
#      (the targets vostrel, or vostdemo, and seedprofile when they exist)
#   2. a fresh Wine root in build/demo/wine (private HOME, no Z: drive, Wine
#      virtual desktop 1024x768); the program is copied to
#      C:\Program Files\Vostrel\ and, when built, seedprofile.exe seeds a
#      dirty profile into the prefix
#   3. starts the program. With a DISPLAY (a desktop session) it runs there
#      until it is closed. Without one it runs on an Xvfb of its own; after
#      --wait seconds (default 5) a screenshot is written to
#      build/demo/screenshot.png and everything is stopped.
#
# --keep        reuse build/demo/wine from the last start instead of a fresh one
# --no-desktop  no Wine virtual desktop (windows get no frames under Xvfb)
# Environment:  VOSTREL_DEMO_PROGRAM (an .exe to start instead of the built
#               one; nothing is built then), VOSTREL_DEMO_WAIT (seconds).
set -euo pipefail
shopt -s inherit_errexit

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

fresh=--fresh
wait_s="${VOSTREL_DEMO_WAIT:-5}"
desktop=--desktop
program_args=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --keep) fresh="" ;;
    --wait) wait_s="${2:?--wait needs seconds}"; shift ;;
    --no-desktop) desktop="" ;;
    --) shift; program_args=("$@"); break ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
  shift
done

build_dir="$repo/build/windows"
demo="$repo/build/demo"
log() { echo "[start $(date +%H:%M:%S)] $*" >&2; }

scripts/setup.sh

find_exe() {
  find "$build_dir" -name "$1.exe" -type f -not -path '*/CMakeFiles/*' 2>/dev/null | head -n1
}

# Configures the windows preset and builds only what the demo needs, so
# unrelated work in progress elsewhere in the tree does not stop it. Prints
# the program's path.
build_program() {
  local generator="" targets t program_target="" want=() name program=""
  if [[ ! -f "$build_dir/CMakeCache.txt" ]] && command -v ninja >/dev/null; then
    generator=Ninja
  fi
  CMAKE_GENERATOR="${generator:-${CMAKE_GENERATOR:-}}" cmake --preset windows >&2
  targets="$(cmake --build "$build_dir" --target help 2>/dev/null |
    sed -nE 's/^(\.\.\. )?([A-Za-z0-9_.+-]+)(:.*)?$/\2/p')"
  for t in vostrel vostdemo; do
    if grep -qx "$t" <<<"$targets"; then program_target="$t"; break; fi
  done
  [[ -z "$program_target" ]] || want+=("$program_target")
  if grep -qx seedprofile <<<"$targets"; then want+=(seedprofile); fi
  if [[ ${#want[@]} -gt 0 ]]; then
    log "building ${want[*]}"
    cmake --build "$build_dir" -j "${VOSTREL_JOBS:-2}" --target "${want[@]}" >&2
  else
    log "no vostrel or vostdemo target; building everything"
    cmake --build "$build_dir" -j "${VOSTREL_JOBS:-2}" >&2
  fi
  for name in vostrel vostdemo; do
    program="$(find_exe "$name")"
    [[ -z "$program" ]] || break
  done
  [[ -n "$program" ]] || { log "no vostrel.exe or vostdemo.exe in $build_dir"; return 1; }
  echo "$program"
}

program="${VOSTREL_DEMO_PROGRAM:-}"
[[ -n "$program" ]] || program="$(build_program)"
[[ -f "$program" ]] || { log "no program $program"; exit 1; }
log "program: $program"

mkdir -p "$demo"
export VOSTREL_REAL_HOME="${VOSTREL_REAL_HOME:-$HOME}"
own_display=0
[[ -n "${DISPLAY:-}" ]] || own_display=1
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh $fresh $desktop --no-z-drive "$demo/wine"
trap vostrel_wine_env_stop EXIT

install_dir="$WINEPREFIX/drive_c/Program Files/Vostrel"
mkdir -p "$install_dir"
cp "$program" "$install_dir/"
# The skin pictures, the help page and the product page live beside it.
cp "$repo"/assets/skins/*.jpg "$repo"/assets/*.htm "$install_dir/"
program_name="$(basename "$program")"

# ---- seeding hook ------------------------------------------------------
# tools/seed builds seedprofile.exe, which fills the prefix with a dirty
# profile (browser caches, MRU lists, temporary files, ...). Until it exists
# the demo starts on a clean prefix.
seeder="$build_dir/tools/seed/seedprofile.exe"
[[ -f "$seeder" ]] || seeder="$(find_exe seedprofile)"
if [[ -n "$seeder" && -f "$seeder" ]]; then
  log "seeding the demo profile with $seeder"
  "$repo/scripts/wine-run.sh" "$seeder" >"$demo/seed.log" 2>&1 || {
    cat "$demo/seed.log" >&2
    log "seeding failed"
    exit 1
  }
else
  log "no seedprofile.exe yet: starting on a clean profile"
fi
# ------------------------------------------------------------------------

cd "$install_dir"
if [[ $own_display == 0 ]]; then
  log "starting $program_name on $DISPLAY (close it to end)"
  rc=0
  wine "C:\\Program Files\\Vostrel\\$program_name" "${program_args[@]}" 2>"$demo/wine.log" || rc=$?
  log "$program_name ended with exit code $rc"
  exit "$rc"
fi

log "starting $program_name on our Xvfb $DISPLAY for $wait_s s"
wine "C:\\Program Files\\Vostrel\\$program_name" "${program_args[@]}" \
  >"$demo/program.log" 2>"$demo/wine.log" </dev/null &
program_pid=$!
sleep "$wait_s"
if ! kill -0 "$program_pid" 2>/dev/null; then
  rc=0
  wait "$program_pid" || rc=$?
  log "$program_name ended by itself (exit code $rc) before the screenshot"
fi
import -display "$DISPLAY" -window root "$demo/screenshot.png"
log "screenshot: $demo/screenshot.png"
vostrel_wine_env_stop
wait "$program_pid" 2>/dev/null || true
trap - EXIT
