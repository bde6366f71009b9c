#!/bin/bash
# Runs a Windows program under Wine in a private prefix:
#
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
#
# This is CMAKE_CROSSCOMPILING_EMULATOR of the Windows build, so ctest and
# gtest_discover_tests start every test executable through it. It never uses
# the real home folder or the default ~/.wine.
#
# Which prefix:
#   1. Inside an environment made by scripts/wine-env.sh (VOSTREL_WINE_ENV=1):
#      WINEPREFIX and VOSTREL_WINE_HOME as exported there (a test may point
#      WINEPREFIX/VOSTREL_WINE_HOME at a prefix of its own).
#   2. Else VOSTREL_WINE_ROOT, if set: ROOT/prefix with ROOT/home.
#   3. Else BUILD/wine-default, where BUILD is the nearest folder above the
#      current directory (or the program) that holds a CMakeCache.txt.
# In cases 2 and 3 the root is created on first use (scripts/wineprefix.sh).
# When no wineserver runs for the prefix, one is started that stays for
# VOSTREL_WINESERVER_LINGER seconds (default 30) after the last program ends,
# so a series of starts stays fast.
#
# DISPLAY is passed through unchanged (console programs need none).
# WINEDEBUG defaults to -all (VOSTREL_WINEDEBUG overrides it).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"

if [[ $# -lt 1 ]]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

find_build_dir() {
  local dir
  for dir in "$PWD" "$(cd "$(dirname "$1")" 2>/dev/null && pwd)"; do
    while [[ -n "$dir" && "$dir" != / ]]; do
      if [[ -f "$dir/CMakeCache.txt" ]]; then
        echo "$dir"
        return 0
      fi
      dir="$(dirname "$dir")"
    done
  done
  echo "$VOSTREL_REPO_ROOT/build"
}

if [[ "${VOSTREL_WINE_ENV:-}" == 1 && -n "${WINEPREFIX:-}" ]]; then
  home="${VOSTREL_WINE_HOME:-}"
  if [[ -z "$home" ]]; then
    echo "wine-run.sh: VOSTREL_WINE_HOME is not set" >&2
    exit 2
  fi
  if [[ ! -d "$WINEPREFIX/drive_c" ]]; then
    echo "wine-run.sh: $WINEPREFIX is not a Wine prefix" >&2
    exit 2
  fi
  export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-$VOSTREL_WINEDLLOVERRIDES_DEFAULT}"
else
  root="${VOSTREL_WINE_ROOT:-}"
  [[ -n "$root" ]] || root="$(find_build_dir "$1")/wine-default"
  export VOSTREL_REAL_HOME="${VOSTREL_REAL_HOME:-${HOME:-/root}}"
  marker="$root/.vostrel-wine-root"
  if [[ ! -f "$marker" || "$(head -n1 "$marker")" != "$(vostrel_wine_template_key plain)" ]]; then
    "$VOSTREL_SCRIPTS/wineprefix.sh" -q "$root" >&2
  fi
  vostrel_wine_export "$root"
fi

vostrel_wine_quick_check "$WINEPREFIX"

# ctest waits until every process holding a test's output pipe is gone. The
# wineserver and Wine's service processes (services.exe, explorer.exe, ...)
# outlive the program, so they must never inherit this script's output:
# start them here with /dev/null when no server runs for this prefix yet
# (a persistent server from wine-env.sh makes this a no-op).
if wineserver "-p${VOSTREL_WINESERVER_LINGER:-30}" </dev/null >/dev/null 2>&1; then
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
