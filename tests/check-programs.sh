#!/bin/bash
# Checks the built programs without running them: the PE format (PE32 for
# the 32-bit build, PE32+ for the 64-bit one), the GUI subsystem, and that
# they import system DLLs only (setup.exe and uninstall.exe none that
# Windows would look for beside them first: no comctl32); the 32-bit
# setup.exe and uninstall.exe stay within their size budgets
# (scripts/size-budgets.sh). Used on hosts where the 32-bit programs cannot
# run, and on every host for both builds.
#   tests/check-programs.sh <bin folder> <PE32|PE32+>
set -euo pipefail
. "$(dirname "$0")/../scripts/size-budgets.sh"
bin=$1
want=$2
objdump=i686-w64-mingw32-objdump
[ "$want" = PE32+ ] && objdump=x86_64-w64-mingw32-objdump
allowed=" advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll "
status=0
for program in setup.exe uninstall.exe Chronex.exe; do
    headers=$("$objdump" -p "$bin/$program")
    magic=$(sed -n 's/^Magic[[:space:]]*[0-9a-f]*[[:space:]]*(\(.*\))$/\1/p' <<<"$headers")
    subsystem=$(sed -n 's/^Subsystem[[:space:]]*[0-9a-f]*[[:space:]]*(\(.*\))$/\1/p' <<<"$headers")
    imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | tr '\n' ' ')
    faults=""
    [ "$magic" = "$want" ] || faults="$faults format $magic, not $want;"
    [ "$subsystem" = "Windows GUI" ] || faults="$faults subsystem $subsystem;"
    for dll in $imports; do
        [[ "$allowed" == *" $dll "* ]] || faults="$faults imports $dll;"
        [ "$program" != Chronex.exe ] && [ "$dll" = comctl32.dll ] && faults="$faults imports $dll;"
    done
    # The shipped programs' size budget.
    size=$(stat -c %s "$bin/$program")
    limit=0
    [ "$want" = PE32 ] && limit=$(size_budget "$program")
    [ "$limit" = 0 ] || [ "$size" -le "$limit" ] || faults="$faults $size bytes, over $limit;"

    if [ -n "$faults" ]; then
        echo "FAILED $bin/$program:$faults" >&2
        status=1
    else
        echo "    $program: $magic, $subsystem, $size bytes, imports $imports"
    fi
done
exit $status
