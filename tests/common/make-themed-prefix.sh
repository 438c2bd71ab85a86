#!/usr/bin/env bash
# make-themed-prefix.sh <test prefix> <themed prefix>
# Makes (once per test prefix) a copy of the test prefix with visual styles
# on. uxtheme reads ThemeActive when it loads, so the value must be in place
# before a themed test program starts; the shared test prefix keeps "0",
# because window tests running beside a themed one must never see it flip.
set -e
here=$(cd "$(dirname "$0")" && pwd)
src=${1:?test prefix}
dst=${2:?themed prefix}
# The test prefix is made on first use; make sure it exists before copying.
"$here/../../scripts/wine-prefix" "$src"
exec 9>"$dst.lock"
flock 9
if [ -f "$dst/.tesmir-themed" ] && [ ! "$src/.tesmir-ready" -nt "$dst/.tesmir-themed" ]; then
  exit 0
fi
rm -rf "$dst" "$dst.tmp"
# Tests running beside this copy create and remove temporary files in the
# test prefix: its Temp folders are left out, and a file that changes or
# goes while it is read does not fail the copy.
mkdir -p "$dst.tmp"
(cd "$src" && tar --exclude='./drive_c/users/*/Temp/*' --ignore-failed-read --warning=no-file-changed \
   --warning=no-file-removed -cf - .) | tar -C "$dst.tmp" -xf -
rm -f "$dst.tmp/wineserver"   # the test prefix server's lock, not this one's
mv "$dst.tmp" "$dst"
export WINEPREFIX="$dst"
# Wine's server and services outlive the command that starts them: they must
# not inherit the lock (9>&-), or a run that is cut short keeps it held.
"$here/../../scripts/wine-run" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
  /v ThemeActive /t REG_SZ /d 1 /f </dev/null >/dev/null 9>&-
# The registry reaches the disk when this prefix's wineserver exits.
wineserver -w 9>&-
touch "$dst/.tesmir-themed"
