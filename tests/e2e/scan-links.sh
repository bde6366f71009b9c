#!/bin/bash
# Preparation of scan-links.vauto (run-scenario.sh --prepare): Linux symbolic
# links on drive C:, which Wine lists as folders with the reparse-point
# attribute. A walk that entered them would loop (up), leave the machine for
# the host's root (host) or record a profile a second time under another
# path (profile); a dangling link is not listed at all.
set -euo pipefail
[[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX/drive_c" ]] || {
  echo "scan-links.sh: no Wine prefix" >&2
  exit 1
}
links="$WINEPREFIX/drive_c/Links"
mkdir -p "$links/inner"
ln -sfn .. "$links/inner/up"
ln -sfn / "$links/host"
# The seeded roaming profile (made later by the scenario).
ln -sfn "../users/$(basename "$VOSTREL_WINE_PROFILE")/AppData/Roaming/Mozilla" "$links/profile"
ln -sfn "$links/missing" "$links/dangling"
