#!/bin/bash
# Preparation of dups.vauto (run-scenario.sh --prepare): drive D: is the
# user's Documents folder, so the duplicate finder's scan of D: covers the
# documents the demo profile seeds and nothing of the Wine installation.
set -euo pipefail
[[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX/dosdevices" ]] || {
  echo "dups-drive.sh: no Wine prefix" >&2
  exit 1
}
mkdir -p "$VOSTREL_WINE_PROFILE/Documents"
ln -sfn "$VOSTREL_WINE_PROFILE/Documents" "$WINEPREFIX/dosdevices/d:"
# The running Wine server knows the drives it found when it started; a new
# one (started by the next Wine program) finds D: too.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1 || true
