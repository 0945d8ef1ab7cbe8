#!/bin/bash
# Benchmarks under Wine, side by side in one run, for distributions of
# 100 and 1,000 files of 64 KB (each with an images folder):
#   install:   setup.exe (options dialog and success box answered at once by
#              the driver) against a plain xcopy /E of the same folder and
#              against an NSIS installer doing the same job, run with /S;
#   uninstall: uninstall.exe from its start through the confirmation until
#              nothing is left (the temporary copy and the cleanup script
#              included) against the NSIS uninstaller, run with /S;
#   unattended: setup.exe /S /D=<folder> against the NSIS installer with
#              /S /D=<folder>, each from its start to its exit; uninstall.exe
#              /S, started as the uninstall entry's QuietUninstallString
#              says, from its start to its return and until nothing is left
#              (the install folder, the temporary copy and the cleanup
#              script gone), against the NSIS uninstaller with /S, measured
#              the same two ways;
#   sizes:     setup.exe and uninstall.exe against the NSIS installer with
#              no files (its own overhead).
# Every unattended run must exit with 0 and leave nothing, or the benchmark
# fails.
# Prints medians, min/max and ratios, and writes the table with the date
# and the machine to docs/benchmarks.md (BENCH_DOC= to write elsewhere,
# BENCH_DOC=- to write nowhere).
#
# Where the host runs no 32-bit code (or with CHRONEX_64BIT_ONLY=1) the
# programs are the same ones built for x86_64, and the NSIS installer, a
# 32-bit program, cannot run: the table then says so and compares with xcopy.
#
# RUNS (default 7) runs per measurement; SIZES (default "100 1000");
# BUILD_DIR (default build/mingw, or build/mingw64).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
. scripts/lib.sh
. scripts/size-budgets.sh
choose_build "measuring"
RUNS=${RUNS:-7}
SIZES=${SIZES:-100 1000}
BENCH_DOC=${BENCH_DOC:-docs/benchmarks.md}
WORK=$BUILD_DIR/bench
LOG=$WORK/bench.log

mkdir -p "$WORK"
: >"$LOG"
trap 'fail "command failed (line $LINENO)"' ERR

step "Installing what is missing"
scripts/install-deps.sh nsis >>"$LOG" 2>&1 || fail "package installation"

step "Building"
cmake --preset "$PRESET" -B "$BUILD_DIR" >>"$LOG" 2>&1 || fail "configuring"
cmake --build "$BUILD_DIR" --target distribution driver >>"$LOG" 2>&1 || fail "building"
DIST=$BUILD_DIR/dist

step "Starting a private Wine prefix"
. scripts/wine-env.sh
wine_env_start
DRIVER=$BUILD_DIR/bin/driver.exe

# Distribution of N files of 64 KB on top of the shipped one: the sounds
# named on the installed-file list at the top level (a real distribution
# ships them there, and the uninstaller knows them), the rest as pictures
# in the images folder. Random bytes, so that NSIS cannot compress them away.
drive installed-files
SOUNDS=$(field installed-file | grep -E '^[A-Za-z0-9]+\.(wav|mid)$' || true)
make_distribution() {
    local n=$1 dir=$WORK/dist-$1 i=0 name
    rm -rf "$dir"
    cp -r "$DIST" "$dir"
    for name in $SOUNDS; do
        [ $i -lt "$n" ] || break
        head -c 65536 /dev/urandom >"$dir/$name"
        i=$((i + 1))
    done
    while [ $i -lt "$n" ]; do
        head -c 65536 /dev/urandom >"$dir/images/picture$(printf %04d $i).bmp"
        i=$((i + 1))
    done
}

# An NSIS installer doing the installer's job: the same files (setup.exe
# left out, as setup.exe leaves itself out), InstallPath, the uninstall
# entry, the Start-menu shortcut, and an uninstaller that removes the same.
make_nsis() {
    local src=$1 out=$2 script=$2.nsi f
    {
        echo 'Unicode false'
        echo 'Name "Velkor Chronex"'
        echo "OutFile \"$out\""
        echo 'InstallDir "$PROGRAMFILES\Velkor Chronex"'
        echo 'RequestExecutionLevel admin'
        echo '!define UNINST "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelkorChronex"'
        echo 'Section'
        echo '  SetOutPath "$INSTDIR"'
        if [ -n "$src" ]; then
            echo "  File /x setup.exe \"$src/*.*\""
            echo '  SetOutPath "$INSTDIR\images"'
            echo "  File \"$src/images/*.*\""
        fi
        echo '  WriteRegStr HKLM "Software\Velkor Software\Chronex" "InstallPath" "$INSTDIR"'
        echo '  WriteRegStr HKLM "${UNINST}" "DisplayName" "Velkor Chronex"'
        echo '  WriteRegStr HKLM "${UNINST}" "UninstallString" "$INSTDIR\uninst.exe"'
        echo '  WriteUninstaller "$INSTDIR\uninst.exe"'
        echo '  CreateShortcut "$STARTMENU\Velkor Chronex.lnk" "$INSTDIR\Chronex.exe"'
        echo 'SectionEnd'
        echo 'Section "Uninstall"'
        echo '  Delete "$STARTMENU\Velkor Chronex.lnk"'
        echo '  DeleteRegKey HKLM "${UNINST}"'
        echo '  DeleteRegKey HKLM "Software\Velkor Software\Chronex"'
        echo '  DeleteRegKey /ifempty HKLM "Software\Velkor Software"'
        if [ -n "$src" ]; then
            for f in "$src"/*; do
                [ -f "$f" ] && [ "$(basename "$f")" != setup.exe ] &&
                    echo "  Delete \"\$INSTDIR\\$(basename "$f")\""
            done
        fi
        echo '  RMDir /r "$INSTDIR\images"'
        echo '  Delete "$INSTDIR\uninst.exe"'
        echo '  RMDir "$INSTDIR"'
        echo 'SectionEnd'
    } >"$script"
    makensis -V1 "$script" >>"$LOG" 2>&1 || fail "makensis $script"
}

step "Preparing distributions of $SIZES files of 64 KB and their NSIS installers"
for n in $SIZES; do
    make_distribution "$n"
    make_nsis "$ROOT/$WORK/dist-$n" "$ROOT/$WORK/nsis-setup-$n.exe"
done
make_nsis "" "$ROOT/$WORK/nsis-empty.exe"

C=$WINEPREFIX/drive_c
INSTALL_DIR="$C/Program Files/Velkor Chronex"
TEMP_DIR=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')")
XCOPY_DIR=$C/xcopy-target
INSTALL_WIN='C:\Program Files\Velkor Chronex'
TEMP_WIN=$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelkorChronex'
# /D=<folder> as words without blanks: the driver quotes a word that holds
# a blank, and NSIS takes /D= only unquoted; words without blanks it joins
# with single blanks, so both programs get "/D=C:\Program Files\..." as a
# person types it.
read -ra FOLDER_SWITCH <<<"/D=$INSTALL_WIN"

# Runs the driver and fails on a problem line; value prints one of its
# values (default elapsed-ms).
measure() {
    drive "$@"
    [ -z "$(problems)" ] || fail "driver $1: $(problems)"
}
value() { field "${1:-elapsed-ms}"; }
# Fails unless the last time or until-gone run exited with 0.
exited_0() {
    [ "$(value exit)" = 0 ] || fail "$1 exited with $(value exit)"
}

# Number of files below a folder (setup.exe left out).
count_files() { find "$1" -type f ! -iname setup.exe | wc -l; }

# The uninstall entry's QuietUninstallString: "<folder>\uninstall.exe" /S.
quiet_uninstall_string() {
    wine reg query "$UNINSTALL_KEY" /v QuietUninstallString 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *QuietUninstallString *REG_SZ *//p'
}

# The common Start menu's shortcut of the product, where the unattended
# install puts it (found after the first one).
COMMON_SHORTCUT=""

# Back to a machine without the product; the writes of the last step are
# flushed, so that they do not land in the next measurement.
clean_machine() {
    rm -rf "$INSTALL_DIR" "$XCOPY_DIR" "$TEMP_DIR"/~nsu*.tmp
    wine reg delete 'HKLM\Software\Velkor Software' /f >/dev/null 2>&1 || true
    wine reg delete 'HKCU\Software\Velkor Software' /f >/dev/null 2>&1 || true
    wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelkorChronex' \
        /f >/dev/null 2>&1 || true
    sync
}

# Every result: "<size> <measurement> <ms>" lines in $RESULTS.
RESULTS=$WORK/results.txt
: >"$RESULTS"
record() { echo "$1 $2 $3" >>"$RESULTS"; echo "    $2: $3 ms" >>"$LOG"; }

for n in $SIZES; do
    src=$(winepath -w "$WORK/dist-$n")
    nsis=$(winepath -w "$WORK/nsis-setup-$n.exe")
    step "Measuring $n files, $RUNS runs"
    clean_machine
    # One warm-up round, not counted: the first run pays for cold caches.
    for run in $(seq 0 "$RUNS"); do
        measure install "$src\\setup.exe" --fast --no-start
        [ -e "$INSTALL_DIR/images" ] || fail "setup.exe installed nothing"
        [ "$run" = 0 ] || record "$n" setup "$(value)"
        measure uninstall --fast
        [ ! -e "$INSTALL_DIR" ] || fail "uninstall.exe left $INSTALL_DIR"
        [ -z "$(ls "$TEMP_DIR" | grep -iE '^(uninstall\.exe|delme[0-9]+\.bat)$')" ] ||
            fail "uninstall.exe left its copy or script in $TEMP_DIR"
        [ "$run" = 0 ] || record "$n" uninstall "$(value)"
        [ "$run" = 0 ] || record "$n" uninstall-confirmed "$(value after-confirmation-ms)"
        clean_machine

        measure time 'C:\windows\system32\xcopy.exe' /E /I /Q /Y "$src" 'C:\xcopy-target'
        [ -e "$XCOPY_DIR/images" ] || fail "xcopy copied nothing"
        [ "$run" = 0 ] || record "$n" xcopy "$(value)"
        clean_machine

        if [ "$HOST_RUNS_32BIT" = 1 ]; then  # NSIS makes 32-bit installers
            measure time "$nsis" /S
            [ -e "$INSTALL_DIR/images" ] || fail "the NSIS installer installed nothing"
            [ "$run" = 0 ] || record "$n" nsis-setup "$(value)"
            measure until-gone --path 'C:\Program Files\Velkor Chronex' --process Un.exe \
                -- 'C:\Program Files\Velkor Chronex\uninst.exe' /S
            [ ! -e "$INSTALL_DIR" ] || fail "the NSIS uninstaller left $INSTALL_DIR"
            [ "$run" = 0 ] || record "$n" nsis-uninstall "$(value)"
            # What NSIS leaves behind: its uninstaller's copy, deleted only at
            # the next reboot.
            NSIS_LEFT=$(cd "$TEMP_DIR" && ls -d ./~nsu*.tmp/* 2>/dev/null | head -1 | sed "s|^\./|%TEMP%/|")
            clean_machine
        fi

        # Unattended: no window at all, the folder on the command line.
        measure time "$src\\setup.exe" /S "${FOLDER_SWITCH[@]}"
        exited_0 "setup.exe /S"
        [ "$(count_files "$INSTALL_DIR")" = "$(count_files "$WORK/dist-$n")" ] ||
            fail "setup.exe /S installed $(count_files "$INSTALL_DIR") of $(count_files "$WORK/dist-$n") files"
        [ "$run" = 0 ] || record "$n" setup-quiet "$(value)"
        if [ -z "$COMMON_SHORTCUT" ]; then
            COMMON_SHORTCUT=$(find "$C/ProgramData" -iname 'Velkor Chronex.lnk' 2>/dev/null | head -1)
            [ -n "$COMMON_SHORTCUT" ] || fail "setup.exe /S made no shortcut in the common Start menu"
        fi
        [ -e "$COMMON_SHORTCUT" ] || fail "setup.exe /S made no shortcut at $COMMON_SHORTCUT"
        # Started as the software list starts a quiet removal: the entry's
        # command, checked to be the installed uninstall.exe with /S. It
        # returns once its temporary copy has removed the installation; the
        # copy's cleanup script (run by cmd.exe) then deletes the copy, the
        # folder's uninstall.exe and the folder, and itself last.
        quiet=$(quiet_uninstall_string)
        [ "$quiet" = "\"$INSTALL_WIN\\uninstall.exe\" /S" ] ||
            fail "QuietUninstallString is [$quiet]"
        measure until-gone --process uninstall.exe --process cmd.exe --path "$INSTALL_WIN" \
            --path "$TEMP_WIN\\uninstall.exe" -- "$INSTALL_WIN\\uninstall.exe" /S
        exited_0 "uninstall.exe /S"
        [ ! -e "$INSTALL_DIR" ] || fail "uninstall.exe /S left $INSTALL_DIR"
        [ -z "$(ls "$TEMP_DIR" | grep -iE '^(uninstall\.exe|delme[0-9]+\.bat)$')" ] ||
            fail "uninstall.exe /S left $(ls "$TEMP_DIR" | tr '\n' ' ')in $TEMP_DIR"
        [ ! -e "$COMMON_SHORTCUT" ] || fail "uninstall.exe /S left $COMMON_SHORTCUT"
        ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || fail "uninstall.exe /S left $UNINSTALL_KEY"
        [ "$run" = 0 ] || record "$n" quiet-uninstall-return "$(value process-ms)"
        [ "$run" = 0 ] || record "$n" quiet-uninstall "$(value)"
        clean_machine

        if [ "$HOST_RUNS_32BIT" = 1 ]; then
            measure time "$nsis" /S "${FOLDER_SWITCH[@]}"
            exited_0 "the NSIS installer /S /D="
            # The distribution's files and its own uninst.exe.
            [ "$(count_files "$INSTALL_DIR")" = $(($(count_files "$WORK/dist-$n") + 1)) ] ||
                fail "the NSIS installer /S /D= installed $(count_files "$INSTALL_DIR") files"
            [ "$run" = 0 ] || record "$n" nsis-setup-quiet "$(value)"
            # Its first process returns at once: its copy in the temporary
            # folder (Un.exe) does the removal.
            measure until-gone --path "$INSTALL_WIN" --process Un.exe \
                -- "$INSTALL_WIN\\uninst.exe" /S
            exited_0 "the NSIS uninstaller /S"
            [ ! -e "$INSTALL_DIR" ] || fail "the NSIS uninstaller left $INSTALL_DIR"
            [ "$run" = 0 ] || record "$n" nsis-quiet-uninstall-return "$(value process-ms)"
            [ "$run" = 0 ] || record "$n" nsis-quiet-uninstall "$(value)"
            clean_machine
        fi
        echo "    run $run of $RUNS done"
    done
done

# Median, min and max of one measurement.
stats() {
    awk -v n="$1" -v m="$2" '$1 == n && $2 == m { print $3 }' "$RESULTS" | sort -g |
        awk '{ v[NR] = $1 } END {
            if (NR == 0) { print "- - -"; exit }
            med = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.0f %.0f %.0f\n", med, v[1], v[NR] }'
}
median() { stats "$1" "$2" | cut -d' ' -f1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "met" : "missed") }'; }
# One target row against NSIS for $n files: against_nsis <what> <ours> <NSIS's>
# <word when ours is faster> <word otherwise>.
against_nsis() {
    local r
    r=$(ratio "$(median "$n" "$2")" "$(median "$n" "$3")")
    echo "| $n files: $1 | $r × NSIS | $(awk -v r="$r" -v a="$4" -v b="$5" 'BEGIN { print (r < 1 ? a : b) }') |"
}

size_of() { stat -c %s "$1"; }
kib() { awk -v b="$1" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }
setup_size=$(size_of "$DIST/setup.exe")
uninstall_size=$(size_of "$DIST/uninstall.exe")
nsis_size=$(size_of "$WORK/nsis-empty.exe")

table() {
    echo "| Distribution | Measurement | Median ms | Min ms | Max ms |"
    echo "|---|---|---:|---:|---:|"
    for n in $SIZES; do
        for m in setup xcopy nsis-setup uninstall uninstall-confirmed nsis-uninstall \
            setup-quiet nsis-setup-quiet quiet-uninstall-return quiet-uninstall \
            nsis-quiet-uninstall-return nsis-quiet-uninstall; do
            read -r med lo hi < <(stats "$n" "$m")
            case $m in
                setup) what="setup.exe install" ;;
                xcopy) what="xcopy /E (floor)" ;;
                nsis-setup) what="NSIS install /S" ;;
                uninstall) what="uninstall.exe from its start, until nothing is left" ;;
                uninstall-confirmed) what="uninstall.exe from the confirmation, until nothing is left" ;;
                nsis-uninstall) what="NSIS uninstall /S" ;;
                setup-quiet) what="setup.exe /S /D= (unattended), start to exit" ;;
                nsis-setup-quiet) what="NSIS install /S /D=, start to exit" ;;
                quiet-uninstall-return) what="uninstall.exe /S, from its start to its return" ;;
                quiet-uninstall) what="uninstall.exe /S, from its start until nothing is left" ;;
                nsis-quiet-uninstall-return) what="NSIS uninstall /S, from its start to its return" ;;
                nsis-quiet-uninstall) what="NSIS uninstall /S, from its start until nothing is left" ;;
            esac
            echo "| $n × 64 KB | $what | $med | $lo | $hi |"
        done
    done
    echo
    echo "| Target | Measured | Result |"
    echo "|---|---|---|"
    [ "$PRESET" = mingw ] || echo "| (sizes below: the x86_64 build; the shipped programs are the 32-bit ones) | | |"
    echo "| setup.exe ≤ $(kib "$SETUP_BUDGET") | $(kib "$setup_size") ($setup_size bytes) | $([ "$setup_size" -le "$SETUP_BUDGET" ] && echo met || echo missed) |"
    echo "| uninstall.exe ≤ $(kib "$UNINSTALL_BUDGET") | $(kib "$uninstall_size") ($uninstall_size bytes) | $([ "$uninstall_size" -le "$UNINSTALL_BUDGET" ] && echo met || echo missed) |"
    echo "| NSIS installer with no files (overhead) | $(kib "$nsis_size") ($nsis_size bytes) | setup.exe + uninstall.exe = $(ratio $((setup_size + uninstall_size)) "$nsis_size") × NSIS |"
    for n in $SIZES; do
        r=$(ratio "$(median "$n" setup)" "$(median "$n" xcopy)")
        echo "| $n files: install ≤ 1.2 × xcopy | $r × | $(verdict "$r" 1.2) |"
        if [ "$HOST_RUNS_32BIT" != 1 ]; then
            echo "| $n files: against NSIS (attended and unattended) | not run: the NSIS installer is a 32-bit program ($HOST_WHY) | - |"
            continue
        fi
        against_nsis "install faster than NSIS" setup nsis-setup met missed
        against_nsis "uninstall (from the confirmation) faster than NSIS" uninstall-confirmed nsis-uninstall met missed
        against_nsis "uninstall (from its start, confirmation box included) against NSIS" uninstall nsis-uninstall faster slower
        against_nsis "unattended install (/S /D=) faster than NSIS" setup-quiet nsis-setup-quiet met missed
        against_nsis "unattended uninstall (/S), until nothing is left, faster than NSIS" quiet-uninstall nsis-quiet-uninstall met missed
        against_nsis "unattended uninstall (/S), to its return, against NSIS's return (NSIS returns before it has removed anything)" quiet-uninstall-return nsis-quiet-uninstall-return faster slower
    done
}

machine() {
    local cpu
    cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
    echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "- Machine: $cpu, $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), $(uname -sr)"
    echo "- Wine: $(wine --version), $(i686-w64-mingw32-gcc-posix --version | head -1), makensis $(makensis -VERSION)"
    echo "- Programs: $PRESET build ($HOST_WHY)"
    echo "- Runs: $RUNS per measurement after one warm-up round; times from process start to end, measured inside Wine by tools/driver.exe"
    echo "- The NSIS uninstaller leaves its copy in the temporary folder (${NSIS_LEFT:-none seen}), to be deleted at the next reboot; uninstall.exe leaves nothing"
}

echo
machine
echo
table

# The doc keeps its own text above the marker; the table below it is
# replaced by each run.
MARKER='<!-- bench/bench.sh writes everything below this line -->'
if [ "$BENCH_DOC" != - ]; then
    {
        keep=$(grep -nxF "$MARKER" "$BENCH_DOC" 2>/dev/null | head -1 | cut -d: -f1 || true)
        if [ -n "$keep" ]; then
            head -n "$keep" "$BENCH_DOC"
        else
            echo "# Benchmarks"
            echo
            echo "$MARKER"
        fi
        echo
        machine
        echo
        table
    } >"$WORK/doc.md"
    mkdir -p "$(dirname "$BENCH_DOC")"
    cp "$WORK/doc.md" "$BENCH_DOC"
    echo
    echo "Table written to $BENCH_DOC"
fi
