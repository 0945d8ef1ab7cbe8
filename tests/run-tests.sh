#!/bin/bash
# The test command: installs what is missing, builds, and runs every test
# program under Wine in a private prefix on a private X display.
# BUILD_DIR picks another build folder (default build/mingw); extra
# arguments go to ctest, for example: tests/run-tests.sh -R settings
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build/mingw}

scripts/install-deps.sh

# The routines without Win32 calls, natively, with sanitizers and short
# fuzz runs.
cmake --preset host -B "$BUILD_DIR-host" >/dev/null
cmake --build "$BUILD_DIR-host"
ctest --test-dir "$BUILD_DIR-host" --output-on-failure --timeout 300 --no-tests=error

cmake --preset mingw -B "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR"

. scripts/wine-env.sh
wine_env_start
echo "Wine prefix $WINEPREFIX, display $DISPLAY"

status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 600 --no-tests=error "$@" || status=$?
exit $status
