#!/usr/bin/env bash
# Starts the game executable the way a player or CI would and checks how it starts and stops.
# Usage: LaunchTest.sh <game executable> <case> [folder for screenshots]. Exit 77 means skipped
# (no display to be had).
set -u
game="$1"
case_name="$2"
shots="${3:-}"
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

# Starts an Xvfb of the test's own (tests/Game/VirtualDisplay.sh) and exports its DISPLAY. A game
# still running when the test ends is stopped with it.
. "$(pwd)/tests/Game/VirtualDisplay.sh"
start_own_display() {
    xvfb_pid=""
    pid=""
    trap 'kill ${pid:+"$pid"} "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
    start_virtual_display "$work" || fail "the virtual display did not start"
}

# Sends the game SIGTERM (or the signal named), waits up to 30 s for it to end and sets rc to
# its exit code.
stop_game() {
    kill -"${1:-TERM}" "$pid" 2>/dev/null
    timeout 30 tail --pid="$pid" -f /dev/null
    wait "$pid"
    rc=$?
}

# Waits up to $2 tenths of a second for the pattern $1 in the log (or in the file $3).
wait_for_log() {
    local file="${3:-$work/log.txt}"
    for _ in $(seq "$2"); do
        grep -q "$1" "$file" 2>/dev/null && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Clicks the window at the given fractions of its size (from the left, from the top), again
# every half second until the pattern appears in the log (a page's buttons slide in first).
click_until() {
    local x y
    x=$(awk -v f="$1" -v w="$width" 'BEGIN { printf "%d", f * w }')
    y=$(awk -v f="$2" -v h="$height" 'BEGIN { printf "%d", f * h }')
    for _ in $(seq 20); do
        xdotool mousemove --window "$window" "$x" "$y" click 1
        wait_for_log "$3" 5 && return 0
    done
    return 1
}

# Dumps the window and writes it as <name>.png into the screenshot folder (or the work folder);
# prints the pixel counts asked for (ScreenProbe.py's colour arguments).
screenshot() {
    local name="$1"
    shift
    xwd -id "$window" -silent > "$work/$name.xwd" || fail "xwd could not dump the window"
    python3 "$probe" "$work/$name.xwd" "${shots:-$work}/$name.png" "$@" ||
        fail "the screenshot $name could not be read"
}
probe="$(pwd)/tests/Game/ScreenProbe.py"

# Every case runs on a display of its own: no other test's window takes the focus or the keys,
# and the display that xvfb-run shares among the parallel tests now and then refuses a new
# client for a moment (the game then ends at once, exit 255, "Error [Window]").
start_own_display

case "$case_name" in
test_switch)
    timeout 60 "$game" -test -out "$work/log.txt" > "$work/stdout.txt" 2>&1
    rc=$?
    [ $rc -eq 0 ] || fail "exit code $rc"
    grep -q "Engine: running the self-tests" "$work/log.txt" || fail "log lacks the test-run line"
    grep -q "Engine: created LogSystem" "$work/log.txt" || fail "log lacks the systems"
    grep -q "AssetLoaderSystem: DefaultBatch: Object holds [1-9]" "$work/log.txt" ||
        fail "the default batch loaded no object definitions"
    for section in TextureDefault TextureParticle TextureFont Material Font Model; do
        grep -q "AssetLoaderSystem: DefaultBatch: $section holds [1-9]" "$work/log.txt" ||
            fail "the default batch loaded no $section assets"
    done
    grep -q "Engine: created ActionListSystem" "$work/log.txt" || fail "no action-list system"
    if grep -q "Error" "$work/log.txt"; then fail "the log reports an error"; fi
    [ -d "$work/data/Quillmere" ] || fail "per-user folder not created"
    # The self-test report: both frames, the factory and serializer rows, one passed row per
    # system the engine created (the testing system apart) and no failed row.
    [ "$(grep -cx "#### ~ System Testing ~ ####" "$work/log.txt")" = 2 ] || fail "report frames"
    grep -qx "|+| |-GameFactory" "$work/log.txt" || fail "no passed GameFactory row"
    grep -qx "|+| |-Serializer" "$work/log.txt" || fail "no passed Serializer row"
    for system in $(sed -n 's/^Engine: created //p' "$work/log.txt"); do
        [ "$system" = TestingSystem ] && continue
        grep -qx "|+| |-$system" "$work/log.txt" || fail "no passed row for $system"
    done
    ! grep -q "^| |X|" "$work/log.txt" || fail "a self-test row failed"
    # The Euler trial, last of the quaternion suite, reports the yaws that its round trip folds
    # into a quarter turn: its reports show the math suites ran as far as the trial.
    grep -q "^\*\*\*\*\*\*Euler inaccuracy!\*\*\*\*\*\* (on test [0-9]*)$" "$work/stdout.txt" ||
        fail "the math self-tests did not reach the Euler trial"
    ;;
bad_log_file)
    # A start the display refused (the windowing library fails at once, exit 255 with its line,
    # before the log is looked at) is tried again, twice at most, and says so.
    for attempt in 1 2 3; do
        timeout 60 "$game" -out /no/such/dir/x > "$work/stdout.txt" 2> "$work/stderr.txt"
        rc=$?
        [ $rc -eq 255 ] && grep -q "Error \[Window\]" "$work/stderr.txt" || break
        echo "the windowing library did not start (attempt $attempt): $(cat "$work/stderr.txt")"
        sleep 1
    done
    # A log that cannot be opened is a failed run.
    [ $rc -ne 0 ] && [ $rc -lt 124 ] || fail "exit code $rc"
    grep -q "Failed to open log file (/no/such/dir/x)" "$work/stderr.txt" || fail "no failure line"
    ;;
console_and_signal)
    "$game" -console > "$work/stdout.txt" 2>&1 &
    pid=$!
    # The signal goes once the engine is being built, so its handlers are in place: a fixed
    # wait could end before a busy machine had even started the program.
    wait_for_log "Engine: created MessagingSystem" 600 "$work/stdout.txt" ||
        fail "the game did not start: $(tail -n 5 "$work/stdout.txt")"
    stop_game
    [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
    grep -q "LogSystem Start Time: " "$work/stdout.txt" || fail "no start line on the console"
    grep -q "Engine: created MessagingSystem" "$work/stdout.txt" || fail "no system lines"
    ;;
window_and_keys | no_vis)
    switches=(-out "$work/log.txt")
    [ "$case_name" = no_vis ] && switches+=(-no_vis)
    # A start the display refused is tried again (start_game_window).
    start_game_window "$work/stdout.txt" "$game" "${switches[@]}"
    [ -n "$window" ] || { cat "$work/stdout.txt"; fail "no window named Quillmere"; }
    sleep 0.5
    script=assets/Scripts/System/GraphicsSystemScript.lua
    width=$(sed -n 's/^width *= *\([0-9]*\).*/\1/p' "$script")
    height=$(sed -n 's/^height *= *\([0-9]*\).*/\1/p' "$script")
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    focus=$(xdotool getwindowfocus)
    # Home and Page Down, whose GLFW codes are the engine's F11 and F10, then F11 and F10. Keys
    # are handled in order, so once F10's line is in the log (it is written each frame) the
    # others have been handled too; a busy machine may take a while.
    for key in Home Next F11 F10; do
        xdotool key "$key"
        sleep 0.3
    done
    for _ in $(seq 150); do
        grep -q "GraphicsSystem handling keyboard key 'F10'" "$work/log.txt" 2>/dev/null && break
        sleep 0.1
    done
    stop_game
    [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
    log="$work/log.txt"
    [ "$geometry" = "${width}x${height}" ] || fail "window is $geometry, the script sets ${width}x${height}"
    [ "$focus" = "$window" ] || fail "the window does not have the focus ($focus, not $window)"
    grep -q "Major: 4 Minor: 5 Rev: 0" "$log" || fail "log lacks the context version"
    grep -qx "4.50" "$log" || fail "log lacks the shading-language version"
    [ "$(grep -c "Engine handling keyboard key 'F11'" "$log")" = 1 ] || fail "F11 not logged once"
    grep -q "Allocates Total" "$log" || fail "F11 did not write the allocator statistics"
    [ "$(grep -c "GraphicsSystem handling keyboard key 'F10'" "$log")" = 1 ] ||
        fail "F10 not logged once"
    if [ "$case_name" = no_vis ]; then
        ! grep -q "Success \[GraphicsSystem\]" "$log" || fail "-no_vis set up drawing"
    else
        grep -q "Success \[GraphicsSystem\]: Initialized Settings." "$log" ||
            fail "log lacks the graphics success line"
    fi
    ;;
crashing_script | endless_script | exiting_script)
    # The graphics settings script is the first script the game runs: replaced by a hostile one,
    # it must cost the game that script only (or, for os.exit, end it with the script's status
    # and a line naming the script).
    cp -r assets "$work/assets"
    settings="$work/assets/Scripts/System/GraphicsSystemScript.lua"
    case "$case_name" in
    crashing_script) echo 'getmetatable(testing.TestClass).__call()' > "$settings" ;;
    endless_script) echo 'while true do end' > "$settings" ;;
    exiting_script) echo 'os.exit(3)' > "$settings" ;;
    esac
    (cd "$work" && exec "$game" -out "$work/log.txt" > "$work/stdout.txt" 2>&1) &
    pid=$!
    for _ in $(seq 150); do
        kill -0 "$pid" 2>/dev/null || break
        grep -q "Engine: created CameraSystem\|Engine: created GameStateSystem" "$work/log.txt" 2>/dev/null && break
        sleep 0.1
    done
    stop_game
    log="$work/log.txt"
    if [ "$case_name" = exiting_script ]; then
        [ $rc -eq 3 ] || fail "exit code $rc, not the script's 3"
        grep -q "GraphicsSystemScript.lua called os.exit(3)" "$log" || fail "no line names the script"
    else
        [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
        grep -q "Error report (level [0-9]*): System/GraphicsSystemScript.lua" "$log" ||
            fail "no line names the script and what went wrong"
        if [ "$case_name" = endless_script ]; then
            grep -q "stopped after more than [0-9]* instructions" "$log" || fail "no budget line"
        fi
        grep -q "Engine: created GameStateSystem" "$log" || fail "start-up did not go on"
    fi
    ;;
broken_state_list | broken_state_script | broken_ability_script)
    # A broken script of the kinds the game itself loads: the state list, the first state and an
    # ability (the first state makes a knight, so that its ability script is loaded and its Update
    # runs every frame). The game goes on with a line naming the file, and ends cleanly.
    cp -r assets "$work/assets"
    scripts="$work/assets/Scripts"
    case "$case_name" in
    broken_state_list)
        file=System/GameStateSystem.lua
        echo 'local states = { { name = "Main", file = ' > "$scripts/$file"
        ;;
    broken_state_script)
        file=States/MainState.lua
        printf '%s\n' 'function Load() error("broken state") end' \
            'function UpdateState(dt) return 0/0, string.rep("x", 2^40) end' > "$scripts/$file"
        ;;
    broken_ability_script)
        file=Abilities/Bolt.lua
        sed -i 's/^function Initialize()$/&\n    Engine.CreateObject(0, "Knight")/' \
            "$scripts/States/MainState.lua"
        printf '%s\n' 'Ability = { lifetime = 0/0, moveRate = -1e309, numObjsToHit = -1 }' \
            'function Update(dt) error("broken ability") end' > "$scripts/$file"
        ;;
    esac
    (cd "$work" && exec "$game" -out "$work/log.txt" > "$work/stdout.txt" 2>&1) &
    pid=$!
    for _ in $(seq 150); do
        kill -0 "$pid" 2>/dev/null || break
        grep -q "Engine: created CameraSystem" "$work/log.txt" 2>/dev/null &&
            grep -q "$file" "$work/log.txt" 2>/dev/null && break
        sleep 0.1
    done
    sleep 1 # a few frames with the broken script in place
    stop_game
    log="$work/log.txt"
    [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
    grep -q "Engine: created CameraSystem" "$log" || fail "start-up did not go on"
    case "$case_name" in
    broken_state_list)
        grep -q "$file could not be loaded" "$log" || fail "no line names the state list"
        grep -q "GameStateSystem: 0 states\|$file gives no states" "$log" ||
            fail "no line says the game has no states"
        ;;
    broken_state_script)
        grep -q "$file: .*broken state" "$log" || fail "no line names the state script"
        ;;
    broken_ability_script)
        grep -q "$file: .*broken ability" "$log" || fail "no line names the ability script"
        ;;
    esac
    ;;
main_menu)
    # The game starts in its first state, the main menu: the state loads its batch and is
    # initialised, and the menu page becomes the current page.
    "$game" -out "$work/log.txt" > "$work/stdout.txt" 2>&1 &
    pid=$!
    for _ in $(seq 150); do
        kill -0 "$pid" 2>/dev/null || break
        grep -q "UISystem: current page" "$work/log.txt" 2>/dev/null && break
        sleep 0.1
    done
    stop_game
    log="$work/log.txt"
    [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
    grep -q "GameStateSystem: entering state Main" "$log" || fail "Main was not entered"
    grep -q "GameStateSystem: initializing state Main" "$log" || fail "Main was not initialised"
    [ "$(grep -c "UISystem: current page" "$log")" = 1 ] || fail "not exactly one page shown"
    grep -q "UISystem: current page MainMenu" "$log" || fail "the main menu is not shown"
    if grep -q "Error" "$log"; then fail "the log reports an error"; fi
    ;;
pipe_among_definitions)
    # A named pipe among the object definitions must neither block start-up nor be read.
    cp -r assets "$work/assets"
    mkfifo "$work/assets/Objects/Fifo.xml"
    (cd "$work" && timeout 60 "$game" -test -out "$work/log.txt" > "$work/stdout.txt" 2>&1)
    rc=$?
    [ $rc -eq 0 ] || fail "exit code $rc"
    grep -q "Fifo.xml) cannot be read: not a regular file (a named pipe)" "$work/log.txt" ||
        fail "no line names the pipe"
    grep -q "Engine: running the self-tests" "$work/log.txt" || fail "start-up did not go on"
    ;;
full_disk)
    timeout 60 "$game" -test -out /dev/full > "$work/stdout.txt" 2> "$work/stderr.txt"
    rc=$?
    [ $rc -ne 0 ] && [ $rc -lt 124 ] || fail "exit code $rc"
    [ "$(grep -c "writing the log file (/dev/full) failed" "$work/stderr.txt")" -eq 1 ] ||
        fail "the write failure is not reported exactly once"
    ;;
fatal_signal)
    "$game" -out "$work/log.txt" > "$work/stdout.txt" 2>&1 &
    pid=$!
    wait_for_log "Engine: created MessagingSystem" 600 ||
        fail "the game did not start: $(tail -n 5 "$work/stdout.txt")"
    stop_game SEGV
    [ $rc -eq $((128 + 11)) ] || fail "exit code $rc after SIGSEGV"
    grep -q "Engine: created MessagingSystem" "$work/log.txt" || fail "earlier lines lost"
    tail -n 1 "$work/log.txt" | grep -q "fatal signal, the process ends: SIGSEGV" ||
        fail "no last line naming the signal"
    ;;
lost_display)
    # The X server goes away under the running game (its display here is the test's own): the
    # game ends at once with the status of a failed run, and the log's last line names the
    # display it lost, every earlier line kept.
    "$game" -out "$work/log.txt" > "$work/stdout.txt" 2>&1 &
    pid=$!
    wait_for_log "UISystem: current page MainMenu" 600 ||
        fail "the game did not reach the main menu: $(tail -n 5 "$work/stdout.txt")"
    kill "$xvfb_pid"
    timeout 30 tail --pid="$pid" -f /dev/null
    wait "$pid"
    rc=$?
    pid=""
    [ $rc -eq 1 ] || fail "exit code $rc after the display was lost: $(tail -n 3 "$work/stdout.txt")"
    grep -q "UISystem: current page MainMenu" "$work/log.txt" || fail "earlier lines lost"
    tail -n 1 "$work/log.txt" |
        grep -qxF "Error [Window]: the display is lost, the process ends: $DISPLAY" ||
        fail "the log's last line does not name the lost display $DISPLAY: $(tail -n 1 "$work/log.txt")"
    ;;
pick_object)
    # The in-game editor: in the level, F1 shows the bars and one click on the player's character
    # fills the property bar with that object. The character stands at the origin, where the
    # level's camera looks, so at the window's centre with its feet; the click goes to its chest,
    # above its collider (a small sphere about the feet), with the pointer moved there by the same
    # command, so the click may come in the frame of the move. The bar is found at its place (top
    # left, 400 x 512; the performance bar opens at the top right, clear of it): its dark title
    # strip along the top, its colour filling most of the rest, and that colour hardly anywhere
    # in the scene just right of it. Its entries are found by their light text, and its title by
    # the width of its text: the four letters of "Mage" end well before where the start-up title
    # "EditorBar" goes on. The screenshots before and after the click are kept for review.
    command -v xwd > /dev/null || { echo "SKIPPED: xwd (x11-apps) is not installed"; exit 77; }
    start_game_window "$work/stdout.txt" "$game" -out "$work/log.txt"
    [ -n "$window" ] || { cat "$work/stdout.txt"; fail "no window named Quillmere"; }
    read -r width height < <(xdotool getwindowgeometry "$window" |
        sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\)/\1 \2/p')
    wait_for_log "UISystem: current page MainMenu" 300 || fail "the main menu did not show"
    # Where the pages place the buttons: Play, then the mage among the characters.
    click_until 0.5 0.447 "UISystem: current page CharacterSelect" || fail "Play did not work"
    click_until 0.5 0.393 "plays Mage" || fail "the mage could not be chosen"
    wait_for_log "Level1: waves started" 100 || fail "the level did not start"
    xdotool key F1
    title_strip="10,10,10,4,0,0,400,20"
    bar="32,32,64,2,0,24,400,512"
    beside="32,32,64,2,400,24,800,512"
    entries="240,240,240,30,0,24,400,140"
    title_tail="240,240,240,30,60,0,200,22"
    probes=("$title_strip" "$bar" "$beside" "$entries" "$title_tail")
    count() { echo "$1" | awk -v want="$2" '$1 == want { print $2 }'; }
    # Whether the screenshot's counts show the property bar: its title strip (400 x 20) is mostly
    # dark, its colour fills over five eighths of the 400 x 488 below (the entries and the title
    # text take some), and of as many pixels right of it, under one in a hundred have it.
    bar_shown() {
        [ "$(count "$1" "$title_strip")" -gt 4700 ] && [ "$(count "$1" "$bar")" -gt 122000 ] &&
            [ "$(count "$1" "$beside")" -lt 1950 ]
    }
    # With the arena drawn, frames come slowly on the virtual display: the bars show some frames
    # after the key, so the first screenshot is taken again until the property bar is in it (for
    # 20 s at least: a busy machine may draw a frame a second).
    for _ in $(seq 40); do
        sleep 0.5
        before=$(screenshot PickBefore "${probes[@]}") || fail "$before"
        bar_shown "$before" && break
    done
    bar_shown "$before" || fail "F1 showed no property bar: $(echo "$before" | tr '\n' ' ')"
    # One click, 0.045 of the window's height above the feet (the figure is about 0.07 high
    # while the camera frames the spawners). The bar fills some frames later.
    xdotool mousemove --window "$window" $((width / 2)) $((height * 455 / 1000)) click 1
    for _ in $(seq 40); do
        sleep 0.5
        after=$(screenshot PickAfter "${probes[@]}") || fail "$after"
        [ "$(count "$after" "$entries")" -gt 200 ] && break
    done
    stop_game
    [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
    echo "before the click: $before" | tr '\n' ' '; echo
    echo "after the click: $after" | tr '\n' ' '; echo
    bar_shown "$after" || fail "no property bar in the screenshot after the click"
    [ "$(count "$before" "$entries")" -lt 20 ] || fail "the bar had entries before the click"
    [ "$(count "$after" "$entries")" -gt 200 ] || fail "the click on the mage picked nothing"
    [ "$(count "$before" "$title_tail")" -gt 10 ] || fail "the start-up title is not shown"
    [ "$(count "$after" "$title_tail")" -lt 5 ] || fail "the bar is not titled Mage"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASSED: $case_name"
