#!/bin/sh
# Runs a ui-driver session and fails when memory is leaked.
#   leak-check.sh valgrind|sanitizer <ui-driver> <session file>
# valgrind: memcheck, leaks of the kinds "definitely" and "indirectly" lost (and memory errors)
# fail; memory that fontconfig and FreeType keep reachable until exit is fine.
# sanitizer: the driver is built with AddressSanitizer; LeakSanitizer checks at exit.
# Exit 77 (skipped) when valgrind is wanted but not installed.
set -u
tool=$1 driver=$2 session=$3
if [ "$tool" = valgrind ] && ! command -v valgrind >/dev/null 2>&1; then
    echo "valgrind is not installed: leak check skipped"
    exit 77
fi
out=$(mktemp) log=$(mktemp)
trap 'rm -f "$out" "$log"' EXIT

case $tool in
valgrind)
    valgrind --leak-check=full --errors-for-leak-kinds=definite,indirect \
        --show-leak-kinds=definite,indirect --error-exitcode=1 --log-file="$log" \
        "$driver" <"$session" >"$out"
    status=$?
    ;;
sanitizer)
    "$driver" <"$session" >"$out" 2>"$log"
    status=$?
    ;;
*)
    echo "unknown tool $tool"
    exit 2
    ;;
esac

# The session must really have run: the message box of the pasted text, the computed curves
# and the end by "Exit" are all in the driver's replies.
ran=yes
grep -q "'12abc' is not a valid floating point value\." "$out" || ran=no
grep -q '^100$' "$out" || ran=no
grep -q '"running":false' "$out" || ran=no

if [ "$status" -ne 0 ] || [ "$ran" = no ]; then
    echo "exit status $status, session complete: $ran"
    echo "--- $tool log"
    cat "$log"
    echo "--- driver output (last lines)"
    tail -n 20 "$out"
    exit 1
fi
grep -E "definitely lost|indirectly lost|ERROR SUMMARY" "$log" || true
echo "no leaks"
