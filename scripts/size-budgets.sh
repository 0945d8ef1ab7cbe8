# Sourced by the scripts that check or report the shipped programs' sizes:
# the size budgets of the 32-bit setup.exe and uninstall.exe, in bytes.
# size_budget <program file name> prints the budget, or 0 for a program
# without one.
SETUP_BUDGET=25600      # 25 KiB
UNINSTALL_BUDGET=20480  # 20 KiB
size_budget() {
    case "$1" in
    setup.exe) echo "$SETUP_BUDGET" ;;
    uninstall.exe) echo "$UNINSTALL_BUDGET" ;;
    *) echo 0 ;;
    esac
}
