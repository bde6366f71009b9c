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
