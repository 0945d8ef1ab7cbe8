#!/bin/bash
# Takes screenshots of the installer's two dialogs under Wine and writes
# docs/screenshots/install_options.png and docs/screenshots/hotkey.png.
# DPI sets the screen density (LogPixels, default 96); at another density the
# pictures are install_options-<DPI>dpi.png and hotkey-<DPI>dpi.png:
#   DPI=144 scripts/screenshots.sh
# Not part of the test command; it installs what it needs itself
# (ImageMagick's import, xdotool). The private prefix gets Wine's own fonts
# (scripts/wine-env.sh), so "MS Sans Serif" is the face the dialogs ask for.
# BUILD_DIR picks the build folder (default build/mingw, or build/mingw64
# where the host runs no 32-bit code).
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=docs/screenshots
DPI=${DPI:-96}
SUFFIX=""
[ "$DPI" = 96 ] || SUFFIX="-${DPI}dpi"
LOG=/dev/null
. scripts/lib.sh
choose_build "photographing"

scripts/install-deps.sh imagemagick xdotool

cmake --preset "$PRESET" -B "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR" --target setup

. scripts/wine-env.sh
wine_env_start

# setup.exe alone in a folder of its own; the dialogs are never answered.
dist="$WINEPREFIX/drive_c/screenshots"
mkdir -p "$dist"
cp "$BUILD_DIR/bin/setup.exe" "$dist/"
# Read by the programs started after it is set.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null

# Waits for a top-level X window with exactly this title; prints its id.
wait_for_window() {
    for _ in $(seq 100); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    echo "window \"$1\" did not appear" >&2
    return 1
}

(cd "$dist" && exec wine setup.exe) &
setup_pid=$!

mkdir -p "$OUT"
options=$(wait_for_window "Velkor Chronex")
sleep 1  # let it paint
import -window "$options" "$OUT/install_options$SUFFIX.png"

# Set Hotkey through its access key.
xdotool windowfocus --sync "$options"
xdotool key alt+h
hotkey=$(wait_for_window "Please enter a new hotkey:")
sleep 1
import -window "$hotkey" "$OUT/hotkey$SUFFIX.png"

kill "$setup_pid" 2>/dev/null || true
wait "$setup_pid" 2>/dev/null || true
echo "Wrote $OUT/install_options$SUFFIX.png and $OUT/hotkey$SUFFIX.png"
