#!/bin/sh
# Runs a 32-bit test program in the 64-bit Wine prefix that
# tests/run-tests.sh makes beside the 32-bit one: the program then meets
# what it meets on 64-bit Windows (WoW64): the 32-bit registry view,
# "Program Files (x86)", the redirected system folder.
if [ -z "${CHRONEX_WOW64_PREFIX:-}" ] || [ ! -d "$CHRONEX_WOW64_PREFIX" ]; then
    echo "No 64-bit prefix (CHRONEX_WOW64_PREFIX): run these tests through tests/run-tests.sh" >&2
    exit 1
fi
WINEPREFIX=$CHRONEX_WOW64_PREFIX WINEARCH=win64 exec wine "$@"
