#!/bin/bash
# The test command: installs what is missing, builds, and runs every test
# program under Wine in a private prefix on a private X display.
#
# Both the 32-bit build (the shipped programs) and the 64-bit build are
# made on every host. Where the host runs 32-bit code, the 32-bit suite runs
# in a 32-bit prefix and the *_wow64 tests run the 32-bit programs again in
# a 64-bit prefix. Where it runs none (or with CHRONEX_64BIT_ONLY=1), the
# whole suite runs on the 64-bit build in a 64-bit prefix, and the 32-bit
# programs are checked without running them.
#
# BUILD_DIR picks another build folder (default build/mingw; the 64-bit
# build goes to ${BUILD_DIR}64, the native one to build/host); extra
# arguments go to ctest, for example: tests/run-tests.sh -R settings
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build/mingw}
BUILD_64=${BUILD_DIR}64

. scripts/host.sh
host_probe
if [ "$HOST_RUNS_32BIT" = 1 ]; then
    echo "Host: $HOST_WHY; testing the 32-bit programs in a 32-bit prefix and, as *_wow64, in a 64-bit prefix (WoW64)"
else
    echo "Host: $HOST_WHY; testing the 64-bit build in a 64-bit prefix; the 32-bit programs are built and checked statically, not run"
fi

# xdotool presses real keys on the X display for the keyboard tests.
scripts/install-deps.sh xdotool

# The routines without Win32 calls, natively, with sanitizers and short
# fuzz runs.
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset mingw -B "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR"
cmake --preset mingw64 -B "$BUILD_64" >/dev/null
cmake --build "$BUILD_64"

echo "Checking the programs' headers and imports:"
tests/check-programs.sh "$BUILD_DIR/bin" PE32
tests/check-programs.sh "$BUILD_64/bin" PE32+

. scripts/wine-env.sh
wine_env_start
if [ "$HOST_RUNS_32BIT" = 1 ]; then
    wine_env_add_wow64_prefix
    echo "Wine prefixes $WINEPREFIX (32-bit) and $CHRONEX_WOW64_PREFIX (64-bit), display $DISPLAY"
    TEST_DIR=$BUILD_DIR
else
    echo "Wine prefix $WINEPREFIX (64-bit), display $DISPLAY"
    TEST_DIR=$BUILD_64
fi

# Every test is named after its file, tests/<area>/<name>.cpp (or .sh); a
# run of a 32-bit test in the 64-bit prefix adds _wow64.
unnamed=$(ctest --test-dir "$TEST_DIR" -N | sed -n 's/^ *Test *#[0-9]*: //p' | while read -r name; do
    base=${name%_wow64}
    compgen -G "tests/*/$base.cpp" >/dev/null || compgen -G "tests/*/$base.sh" >/dev/null ||
        echo "$name"
done)
if [ -n "$unnamed" ]; then
    echo "FAILED: tests without a file of their name in tests/*/: $unnamed" >&2
    exit 1
fi

status=0
ctest --test-dir "$TEST_DIR" --output-on-failure --timeout 600 --no-tests=error "$@" || status=$?
if [ "$HOST_RUNS_32BIT" = 0 ]; then
    echo "The 32-bit programs (PE32) were built and checked statically but not run ($HOST_WHY)."
fi
exit $status
