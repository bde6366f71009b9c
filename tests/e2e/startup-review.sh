# Preparation of the startup review scenario: a batch file that imports
# every registry backup the program wrote, newest first, as a user undoing
# all the changes would.
printf '@echo off\r\ncd /d "%%APPDATA%%\\Vostreldata"\r\nfor /f "delims=" %%%%f in (%s) do regedit /s "%%%%f"\r\n' \
  "'dir /b /o-n RegBackup-*.reg'" > "$WINEPREFIX/drive_c/restore-backups.bat"
