#!/bin/sh
# Runs a test program under Wine in another Unix locale, which is where
# Wine takes the ANSI and OEM code pages from (ja_JP.UTF-8: 932/932,
# en_US.UTF-8: 1252/437). tests/run-tests.sh compiles the locales into
# CHRONEX_LOCPATH; a locale missing there would make Wine fall back to 1252
# without a word, so the programs check GetACP() themselves.
#   tests/locale.sh <locale> <program> [arguments]
locale=$1
shift
if [ -z "${CHRONEX_LOCPATH:-}" ] || [ ! -d "$CHRONEX_LOCPATH/$locale" ]; then
    echo "Locale $locale is not compiled in CHRONEX_LOCPATH: run these tests through tests/run-tests.sh" >&2
    exit 1
fi
LOCPATH=$CHRONEX_LOCPATH LANG=$locale LC_ALL=$locale exec wine "$@"
