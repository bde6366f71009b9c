# Preparation of the startup review scenario: a batch file that imports
# every registry backup the program wrote, as a user restoring them would.
printf '@echo off\r\nfor %%%%f in ("%%APPDATA%%\\Vostreldata\\RegBackup-*.reg") do regedit /s "%%%%f"\r\n' \
  > "$WINEPREFIX/drive_c/restore-backups.bat"
