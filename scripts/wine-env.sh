# Sourced by the scripts that run Windows programs: makes a private Wine
# prefix and a private X display, and ends both (only these) on exit.
# After wine_env_start: WINEPREFIX, WINEARCH, DISPLAY, XVFB_PID are set,
# and CHRONEX_LOCPATH holds the Unix locales that tests/locale.sh runs
# programs in.
#
# Where the host runs 32-bit code (scripts/host.sh) the prefix is a 32-bit
# one, as the shipped programs expect; wine_env_add_wow64_prefix adds a
# 64-bit prefix beside it (CHRONEX_WOW64_PREFIX), where Wine runs the same
# 32-bit programs as 64-bit Windows does. Elsewhere the prefix is a 64-bit
# one and `wine` is Wine's 64-bit loader, so nothing 32-bit is started.
# Every failure prints one line: what went wrong and what to do.

. "$(dirname "${BASH_SOURCE[0]}")/host.sh"

# The prefix and its logs stay for a look after a failure.
wine_env_fail() {
    echo "Wine: $1" >&2
    KEEP_WINE_ENV=1
    exit 1
}

wine_env_cleanup() {
    local prefix
    for prefix in "${WINEPREFIX:-}" "${CHRONEX_WOW64_PREFIX:-}"; do
        if [ -n "$prefix" ] && [ -d "$prefix" ]; then
            WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
            WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
        fi
    done
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "${WINE_ENV_ROOT:-}" ] && [ "${KEEP_WINE_ENV:-0}" != 1 ]; then
        rm -rf "$WINE_ENV_ROOT"
    fi
}

# Where no 32-bit code runs, `wine` (and the wrappers that call it, such as
# winepath and wineboot) must be the 64-bit loader even when the 32-bit one
# is installed: it would fail with "Exec format error".
wine_env_use_64bit_loader() {
    local loader=/usr/lib/wine/wine64
    [ -x "$loader" ] ||
        wine_env_fail "$loader is missing; this host needs Wine's 64-bit part: run scripts/install-deps.sh"
    mkdir -p "$WINE_ENV_ROOT/bin"
    local name
    for name in wine wine-stable; do
        printf '#!/bin/sh\nexec %s "$@"\n' "$loader" >"$WINE_ENV_ROOT/bin/$name"
        chmod +x "$WINE_ENV_ROOT/bin/$name"
    done
    export PATH="$WINE_ENV_ROOT/bin:$PATH"
    export WINELOADER=$loader
}

# wine_prefix_make <folder> <win32|win64>: a fresh prefix with Wine's own
# fonts and unmanaged windows, its wineserver kept running.
wine_prefix_make() {
    local prefix=$1 arch=$2 log
    log="$WINE_ENV_ROOT/wineboot-$arch.log"
    local status=0
    WINEPREFIX="$prefix" WINEARCH="$arch" wineboot -i >"$log" 2>&1 || status=$?
    if [ "$status" != 0 ]; then
        if grep -q 'Exec format error' "$log"; then
            wine_env_fail "this host cannot run Wine's 32-bit loader (Exec format error): run with CHRONEX_64BIT_ONLY=1 (log: $log)"
        elif grep -qi 'wine32 is missing\|cannot support 64-bit\|not found' "$log"; then
            wine_env_fail "Wine's 32-bit part is missing ($(tail -1 "$log")): run scripts/install-deps.sh, or CHRONEX_64BIT_ONLY=1"
        fi
        wine_env_fail "wineboot could not make a $arch prefix: $(tail -1 "$log") (exit code $status; log: $log)"
    fi
    # Wine's own fonts (package fonts-wine), so that "MS Sans Serif" is the
    # face the dialogs were laid out for, not a wider stand-in.
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    # Without a window manager Wine waits two seconds whenever a window is
    # hidden unless its windows are unmanaged.
    WINEPREFIX="$prefix" WINEARCH="$arch" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
        /d N /f >>"$log" 2>&1 ||
        wine_env_fail "the new $arch prefix does not answer (wine reg add failed): see $log"
    WINEPREFIX="$prefix" wineserver -p 2>/dev/null || true
}

wine_env_start() {
    [ -n "${HOST_RUNS_32BIT:-}" ] || host_probe
    command -v wineboot >/dev/null 2>&1 ||
        wine_env_fail "wineboot is not installed: run scripts/install-deps.sh"
    WINE_ENV_ROOT=$(mktemp -d /tmp/chronex-wine.XXXXXX)
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # A private home, so that the prefix's Desktop and Documents are not the
    # real home's folders.
    export HOME="$WINE_ENV_ROOT/home"
    mkdir -p "$HOME"
    trap wine_env_cleanup EXIT
    trap 'exit 130' INT TERM

    if [ "$HOST_RUNS_32BIT" = 1 ]; then
        export WINEARCH=${WINEARCH:-win32}
    else
        export WINEARCH=win64
        wine_env_use_64bit_loader
    fi

    if [ "${USE_HOST_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
        command -v Xvfb >/dev/null 2>&1 ||
            wine_env_fail "Xvfb is not installed: run scripts/install-deps.sh"
        exec 5>"$WINE_ENV_ROOT/display"
        Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$WINE_ENV_ROOT/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 100); do
            [ -s "$WINE_ENV_ROOT/display" ] && break
            sleep 0.1
        done
        exec 5>&-
        [ -s "$WINE_ENV_ROOT/display" ] ||
            wine_env_fail "Xvfb did not start within 10 s: see $WINE_ENV_ROOT/xvfb.log (KEEP_WINE_ENV=1 keeps it)"
        export DISPLAY=":$(cat "$WINE_ENV_ROOT/display")"
    fi

    wine_env_make_locales

    export WINEPREFIX="$WINE_ENV_ROOT/prefix"
    wine_prefix_make "$WINEPREFIX" "$WINEARCH"
}

# Wine takes its code pages from the Unix locale; the system may have none
# but C, so the ones the tests need are compiled beside the prefix.
wine_env_make_locales() {
    export CHRONEX_LOCPATH="$WINE_ENV_ROOT/locales"
    mkdir -p "$CHRONEX_LOCPATH"
    command -v localedef >/dev/null 2>&1 ||
        wine_env_fail "localedef is not installed: run scripts/install-deps.sh"
    local name
    for name in ja_JP en_US; do
        localedef -i "$name" -f UTF-8 "$CHRONEX_LOCPATH/$name.UTF-8" >"$WINE_ENV_ROOT/localedef-$name.log" 2>&1 ||
            wine_env_fail "localedef could not compile $name.UTF-8: see $WINE_ENV_ROOT/localedef-$name.log"
    done
}

# A 64-bit prefix beside the 32-bit one, for the 32-bit programs as 64-bit
# Windows runs them (WoW64). Only where the host runs 32-bit code.
wine_env_add_wow64_prefix() {
    export CHRONEX_WOW64_PREFIX="$WINE_ENV_ROOT/prefix64"
    wine_prefix_make "$CHRONEX_WOW64_PREFIX" win64
}
