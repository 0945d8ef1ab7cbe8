# Sourced by the scripts that run Windows programs: makes a private Wine
# prefix and a private X display, and ends both (only these) on exit.
# After sourcing: WINEPREFIX, DISPLAY, XVFB_PID are set; call wine_env_start.

wine_env_cleanup() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
        WINEPREFIX="$WINEPREFIX" wineserver -w 2>/dev/null || true
    fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "${WINE_ENV_ROOT:-}" ] && [ "${KEEP_WINE_ENV:-0}" != 1 ]; then
        rm -rf "$WINE_ENV_ROOT"
    fi
}

wine_env_start() {
    WINE_ENV_ROOT=$(mktemp -d /tmp/chronex-wine.XXXXXX)
    export WINEPREFIX="$WINE_ENV_ROOT/prefix"
    export WINEARCH=${WINEARCH:-win32}
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # A private home, so that the prefix's Desktop and Documents are not the
    # real home's folders.
    export HOME="$WINE_ENV_ROOT/home"
    mkdir -p "$HOME"
    trap wine_env_cleanup EXIT
    trap 'exit 130' INT TERM

    if [ "${USE_HOST_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
        exec 5>"$WINE_ENV_ROOT/display"
        Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$WINE_ENV_ROOT/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 100); do
            [ -s "$WINE_ENV_ROOT/display" ] && break
            sleep 0.1
        done
        exec 5>&-
        export DISPLAY=":$(cat "$WINE_ENV_ROOT/display")"
    fi

    wineboot -i >"$WINE_ENV_ROOT/wineboot.log" 2>&1
    # Wine's own fonts (package fonts-wine), so that "MS Sans Serif" is the
    # face the dialogs were laid out for, not a wider stand-in.
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    # Without a window manager Wine waits two seconds whenever a window is
    # hidden unless its windows are unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -p 2>/dev/null || true
}
