# Sourced by ./run, bench/bench.sh and the release test: progress lines,
# the one way to fail, the build that this host can run, and the one way to
# run the driver and read its "key: value" report (docs/driver.md).
# Callers set LOG (a file) before the first step, DRIVER after building.

. "$(dirname "${BASH_SOURCE[0]}")/host.sh"

STEP=""
step() {
    STEP=$*
    echo "==> $*"
    echo "==> $*" >>"$LOG"
}
fail() {
    echo "FAILED: $STEP${1:+: $1}" >&2
    echo "Log: $LOG" >&2
    exit 1
}

# The programs this host can run: the shipped 32-bit ones where it runs
# 32-bit code, else the same programs built for x86_64. Sets PRESET and,
# unless the caller chose one, BUILD_DIR; prints one line that says which.
choose_build() {
    host_probe
    if [ "$HOST_RUNS_32BIT" = 1 ]; then
        PRESET=mingw
        BUILD_DIR=${BUILD_DIR:-build/mingw}
        echo "Host: $HOST_WHY; $1 the 32-bit programs in a 32-bit Wine prefix"
    else
        PRESET=mingw64
        BUILD_DIR=${BUILD_DIR:-build/mingw64}
        echo "Host: $HOST_WHY; $1 the same programs built for x86_64 in a 64-bit Wine prefix (the shipped 32-bit ones are not run)"
    fi
}

# Runs the driver; its report (CR stripped) is kept in OUT and in the log.
drive() {
    OUT=$(wine "$DRIVER" "$@" 2>>"$LOG" | tr -d '\r') || true
    printf '%s\n' "$OUT" >>"$LOG"
}
field() { printf '%s\n' "$OUT" | sed -n "s/^$1: //p"; }
show() { printf '%s\n' "$OUT" | grep -E "^($1): " | sed 's/^/    /' || true; }
problems() { printf '%s\n' "$OUT" | sed -n 's/^problem: //p'; }
