# Sourced by the scripts that build or run Windows programs: finds out
# whether this host runs 32-bit x86 code, which Wine's 32-bit loader needs.
# Some kernels have IA-32 emulation off; there only 64-bit Windows programs
# run, under Wine's 64-bit loader in a 64-bit prefix.
#
# After host_probe: HOST_RUNS_32BIT is 1 or 0. CHRONEX_64BIT_ONLY=1 takes
# the 64-bit-only way on any host, so that it can be tried anywhere.

# Runs a 96-byte static i386 program that exits with 42: no package, no
# library, only the kernel's own answer.
host_runs_32bit_code() {
    local probe
    probe=$(mktemp "${TMPDIR:-/tmp}/chronex-ia32.XXXXXX") || return 1
    {
        # ELF header: 32-bit, little-endian, executable, i386, entry 0x08048054.
        printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
        printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
        printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'
        printf '\x00\x00\x00\x00'
        # One loadable segment: the whole file at 0x08048000, read and execute.
        printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
        printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
        # mov eax, 1 (exit); mov ebx, 42; int 0x80
        printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'
    } >"$probe"
    chmod +x "$probe"
    local status=0
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" = 42 ]
}

host_probe() {
    if [ "${CHRONEX_64BIT_ONLY:-0}" = 1 ]; then
        HOST_RUNS_32BIT=0
        HOST_WHY="CHRONEX_64BIT_ONLY=1"
    elif host_runs_32bit_code; then
        HOST_RUNS_32BIT=1
        HOST_WHY="it runs 32-bit x86 code"
    else
        HOST_RUNS_32BIT=0
        HOST_WHY="it runs no 32-bit x86 code (IA-32 emulation off)"
    fi
    export HOST_RUNS_32BIT
}
