#!/usr/bin/env bash
# Starts the game executable the way a player or CI would and checks how it starts and stops.
# Usage: LaunchTest.sh <game executable> <case>. Exit 77 means skipped (no display to be had).
set -u
game="$1"
case_name="$2"
if [ "$case_name" = no_display ]; then
    # The windowing library cannot start: the program ends with -1 and says why.
    reason=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$game" -console 2>&1 > /dev/null)
    rc=$?
    [ $rc -eq 255 ] || { echo "FAILED: exit code $rc without a display"; exit 1; }
    echo "$reason" | grep -q "Error \[Window\]" || { echo "FAILED: no reason given"; exit 1; }
    echo "PASSED: $case_name"
    exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "SKIPPED: no X display (run the tests through scripts/test, which starts xvfb-run)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$0")/../.." # the repository root, where assets/ lives
export XDG_DATA_HOME="$work/data"

fail() { echo "FAILED: $*"; exit 1; }

case "$case_name" in
test_switch)
    timeout 60 "$game" -test -out "$work/log.txt" > "$work/stdout.txt" 2>&1
    rc=$?
    [ $rc -eq 0 ] || fail "exit code $rc"
    grep -q "Engine: running the self-tests" "$work/log.txt" || fail "log lacks the test-run line"
    grep -q "Engine: created LogSystem" "$work/log.txt" || fail "log lacks the systems"
    grep -q "AssetLoaderSystem: DefaultBatch: Object holds [1-9]" "$work/log.txt" ||
        fail "the default batch loaded no object definitions"
    grep -q "Engine: created ActionListSystem" "$work/log.txt" || fail "no action-list system"
    if grep -q "Error" "$work/log.txt"; then fail "the log reports an error"; fi
    [ -d "$work/data/Quillmere" ] || fail "per-user folder not created"
    ;;
bad_log_file)
    timeout 60 "$game" -out /no/such/dir/x > "$work/stdout.txt" 2> "$work/stderr.txt"
    rc=$?
    [ $rc -eq 0 ] || fail "exit code $rc"
    grep -q "Failed to open log file (/no/such/dir/x)" "$work/stderr.txt" || fail "no failure line"
    ;;
console_and_signal)
    "$game" -console > "$work/stdout.txt" 2>&1 &
    pid=$!
    sleep 2
    kill -TERM "$pid"
    timeout 30 tail --pid="$pid" -f /dev/null
    wait "$pid"
    rc=$?
    [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
    grep -q "LogSystem Start Time: " "$work/stdout.txt" || fail "no start line on the console"
    grep -q "Engine: created MessagingSystem" "$work/stdout.txt" || fail "no system lines"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASSED: $case_name"
