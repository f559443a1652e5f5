#!/usr/bin/env bash
# Renders every dialog of optora.dll to a PNG file under
# build/win64/screenshots/, opened on a virtual display under Wine, so the
# dialogs can be looked at without Windows.
#
#   scripts/screenshots.sh [--lang de] [--dpi 144]
# With --lang de the German language library sits beside optora.dll (in a
# copy of the programs under build/win64/screenshots-de/bin) and the pictures
# go to build/win64/screenshots/de/. With --dpi N the prefix's LogPixels is N
# for the run (put back afterwards) and the pictures go to .../screenshots/N/
# (German ones to .../screenshots/N/de/).
set -euo pipefail
lang=
dpi=
while [ $# -gt 0 ]; do
  case "$1" in
    --lang) lang=${2:?--lang needs a language, for example de}; shift 2 ;;
    --dpi) dpi=${2:?--dpi needs dots per inch, for example 144}; shift 2 ;;
    *) echo "usage: scripts/screenshots.sh [--lang LANG] [--dpi N]" >&2; exit 2 ;;
  esac
done
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh

cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
cmake --build build/win64 -j "$(nproc)" --target optora optora-shots devqueue >/dev/null

out=build/win64/screenshots${dpi:+/$dpi}
bin=build/win64/bin
if [ -n "$lang" ]; then
  cmake --build build/win64 -j "$(nproc)" --target optorares >/dev/null
  out=$out/$lang
  bin=build/win64/screenshots-$lang/bin
  rm -rf "$bin"
  mkdir -p "$bin"
  cp build/win64/bin/*.dll build/win64/bin/optora-shots.exe "$bin"/
  cp "build/win64/lang/$lang/optorares.dll" "$bin"/
fi
rm -rf "$out"
mkdir -p "$out"
session=build/win64/screenshots-wine
# At 150 % the Plot Options dialog is taller than 1024 pixels: a picture is
# taken from the screen, so the screen must hold it.
if [ -n "$dpi" ]; then export OPTORA_WINE_SCREEN=${OPTORA_WINE_SCREEN:-1920x1600x24}; fi
desktop='HKCU\Control Panel\Desktop'
restore_dpi() {
  if [ -n "$dpi" ]; then
    scripts/wine-session "$session" run reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
  fi
  scripts/wine-session "$session" stop
}
trap restore_dpi EXIT
if [ -n "$dpi" ]; then
  # Programs read the dots per inch when they start: a fresh session takes it up.
  scripts/wine-session "$session" run reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  scripts/wine-session "$session" stop
fi
# Wine maps / to drive Z:, so the tool writes straight into the build tree.
status=0
scripts/wine-session "$session" run "$bin/optora-shots.exe" "Z:$(realpath "$out" | tr / '\\')" || status=$?
ls "$out"
exit "$status"
