#!/usr/bin/env bash
# Plays the game through its real input path on a virtual display of its own, as a player would:
# keys and mouse clicks go in with xdotool, and each step waits (with a timeout) for the log line
# that shows it happened. Screenshots of the pages are compared with the references beside this
# script (tests/Game/screenshots), over regions whose content does not change from run to run.
# Usage: PlayThroughTest.sh <game executable> <case>
#   victory     menu, Play, the Golem, moving, the four abilities, a hit taken, pause and
#               resume, X ends the wave: victory and back to the main menu
#   defeat      menu, Play, the Golem, then standing still until defeat and back to the main menu
#   play_start  the game started as scripts/play starts it (from the repository root with
#               "-console") shows the main menu
# Exit 77 means skipped (a tool is missing). Set PLAYTHROUGH_KEEP=DIR to keep the log and shots,
# PLAYTHROUGH_WRITE=1 to write the references anew (look at each before committing it).
set -u
game="$1"
case_name="$2"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)" # the repository root, where assets/ lives
compare="$here/compare_screenshot.py"
references="$here/screenshots"

for tool in Xvfb xdotool xwd python3; do
    command -v "$tool" > /dev/null || { echo "SKIPPED: $tool is not installed (scripts/setup)"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
pid=""
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    if [ -n "${PLAYTHROUGH_KEEP:-}" ]; then mkdir -p "$PLAYTHROUGH_KEEP" && cp -r "$work"/. "$PLAYTHROUGH_KEEP"; fi
    rm -rf "$work"
}
trap cleanup EXIT
cd "$root"
export XDG_DATA_HOME="$work/data"
export ALSOFT_DRIVERS=null # the silent sound device

log="$work/log.txt"
fail() {
    echo "FAILED: $*"
    echo "--- the log's last lines:"
    tail -n 40 "$log" 2>/dev/null | cut -c1-200
    exit 1
}
step() { echo "$(date +%T) $*"; }

# Seconds to wait for one step's log line; generous, for a loaded machine.
STEP_TIMEOUT=60
# Seconds the fight may take to show a hit.
FIGHT_TIMEOUT=120
# Seconds the Golem standing still may take to fall.
DEFEAT_TIMEOUT=300
# Mean absolute difference (0 to 255 per colour) a screenshot may differ from its reference by.
SHOT_TOLERANCE=3

# A display of its own (tests/Game/VirtualDisplay.sh).
. "$here/VirtualDisplay.sh"
start_virtual_display "$work" || fail "the virtual display did not start"

# Starts the game with the given switches; its standard output goes to the log when there is
# no "-out". A start the display refused (the windowing library fails at once, exit 255 with
# its line) is tried again, twice at most.
start_game() {
    for attempt in 1 2 3; do
        if [ "$1" = -console ]; then
            "$game" "$@" > "$log" 2>&1 &
        else
            "$game" "$@" > "$work/stdout.txt" 2>&1 &
        fi
        pid=$!
        window=""
        for _ in $(seq 300); do
            window=$(xdotool search --name '^Quillmere$' 2>/dev/null | head -n 1)
            [ -n "$window" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        [ -n "$window" ] && break
        kill -TERM "$pid" 2>/dev/null
        wait "$pid"
        rc=$?
        pid=""
        [ $rc -eq 255 ] && grep -q "Error \[Window\]" "$work/stdout.txt" "$log" 2>/dev/null || break
        echo "the windowing library did not start (attempt $attempt)"
        sleep 1
    done
    [ -n "$window" ] || fail "no window named Quillmere"
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    width=${geometry%x*}
    height=${geometry#*x}
    corner=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p')
    left=${corner%,*}
    top=${corner#*,}
    step "window $window, ${width}x${height}"
}

# The log's line count, taken before an action so that only later lines answer it.
mark() { wc -l < "$log" 2>/dev/null || echo 0; }
# Waits until a line matching the pattern (grep -E) follows line $2 of the log.
wait_for() {
    local pattern="$1" from="$2" timeout="${3:-$STEP_TIMEOUT}" tenths
    for tenths in $(seq $((timeout * 10))); do
        tail -n +"$((from + 1))" "$log" 2>/dev/null | grep -qE "$pattern" && { step "seen: $pattern"; return 0; }
        kill -0 "$pid" 2>/dev/null || fail "the game ended while waiting for '$pattern'"
        sleep 0.1
    done
    fail "no log line '$pattern' within $timeout s"
}

# Where a centred button of a page definition stands, in window pixels from the top left:
# the window's centre moved by the button's relative position in 1366 x 768 reference units
# (y upwards), as the heads-up display lays it out.
REFERENCE_WIDTH=1366
REFERENCE_HEIGHT=768
button_position() {
    local file="assets/Objects/$1.xml" name="$2"
    python3 - "$file" "$name" "$width" "$height" "$REFERENCE_WIDTH" "$REFERENCE_HEIGHT" << 'EOF'
import sys
import xml.etree.ElementTree as ET
path, name, width, height, ref_w, ref_h = sys.argv[1], sys.argv[2], *map(float, sys.argv[3:])
page = ET.parse(path).getroot().find("PageComponent")
position = None
for child in page:
    if child.tag == "RelativePos_0-1":
        position = (float(child.get("X")), float(child.get("Y")))
    elif child.tag == "ButtonName" and child.text == name:
        print(round(width / 2 + position[0] * ref_w), round(height / 2 - position[1] * ref_h))
        sys.exit(0)
sys.exit(f"{path}: no button {name}")
EOF
}

# Clicks a button of a page and waits for the page to log that the button's function was
# called. A click the game took before its cursor reached the button misses; it is tried again.
CLICK_TRIES=4
click_button() {
    local position from try
    position=$(button_position "$1" "$2") || fail "no position for the button $2 of $1"
    for try in $(seq $CLICK_TRIES); do
        step "click $2 at $position"
        from=$(mark)
        move_mouse ${position% *} ${position#* }
        sleep 0.5 # lets the game see the pointer on the button, as a player's hand would
        # Held for a moment, as a finger does: a busy machine draws slow frames, and a press
        # and release inside one frame may reach the page as neither.
        xdotool mousedown 1
        sleep 0.5
        xdotool mouseup 1
        for _ in $(seq $((STEP_TIMEOUT * 10 / CLICK_TRIES))); do
            tail -n +"$((from + 1))" "$log" | grep -q "calls $3" && return 0
            sleep 0.1
        done
    done
    fail "clicking $2 did not call $3"
}

# Moves the mouse to a point of the window as a hand would, in hops: the game moves its cursor
# by at most half the window per mouse event and puts the pointer where its cursor is, so one
# long jump would land short. The move is over once the pointer stays where it was sent.
MOUSE_HOP=100
move_mouse() {
    local x=$((left + $1)) y=$((top + $2)) attempt here cx cy dx dy
    for attempt in $(seq 10); do
        here=$(xdotool getmouselocation | cut -d' ' -f1-2)
        [ "$here" = "x:$x y:$y" ] && return 0
        cx=${here%% *}; cx=${cx#x:}; cy=${here#* }; cy=${cy#y:}
        while [ "$cx" != "$x" ] || [ "$cy" != "$y" ]; do
            dx=$((x - cx)); dy=$((y - cy))
            [ $dx -gt $MOUSE_HOP ] && dx=$MOUSE_HOP
            [ $dx -lt -$MOUSE_HOP ] && dx=-$MOUSE_HOP
            [ $dy -gt $MOUSE_HOP ] && dy=$MOUSE_HOP
            [ $dy -lt -$MOUSE_HOP ] && dy=-$MOUSE_HOP
            cx=$((cx + dx)); cy=$((cy + dy))
            xdotool mousemove "$cx" "$cy"
            sleep 0.05
        done
        sleep 0.3
    done
    echo "the pointer did not stay at $x,$y"
}
# The mouse away from every button, so that no hover colours a screenshot.
park_mouse() { move_mouse $((width - 5)) $((height - 5)); }

# Takes screenshots until one matches the reference over the given regions (the page may take a
# frame or two to be drawn), at most for the step timeout.
check_shot() {
    local name="$1"
    shift
    local regions=() region
    for region in "$@"; do regions+=(--region "$region"); done
    local shot="$work/$name.xwd" deadline=$((SECONDS + STEP_TIMEOUT))
    local tolerance=$SHOT_TOLERANCE
    case "$name" in hud | pause) tolerance=$WORLD_TOLERANCE ;; esac
    while :; do
        xwd -root -silent > "$shot" || fail "xwd could not take the screenshot $name"
        if [ -n "${PLAYTHROUGH_WRITE:-}" ]; then
            sleep 3 # only when writing references: the buttons have slid in
            xwd -root -silent > "$shot"
            python3 "$compare" "$shot" "$references/$name.png" --write --crop "${width},${height}"
            return 0
        fi
        if python3 "$compare" "$shot" "$references/$name.png" --tolerance "$tolerance" \
            "${regions[@]}" > "$work/$name.txt" 2>&1; then
            step "screenshot $name matches"
            return 0
        fi
        [ $SECONDS -ge $deadline ] && { cat "$work/$name.txt"; fail "screenshot $name differs"; }
        sleep 0.5
    done
}

stop_game() {
    kill -TERM "$pid"
    timeout 30 tail --pid="$pid" -f /dev/null
    wait "$pid"
    local rc=$?
    pid=""
    [ $rc -eq 0 ] || fail "exit code $rc after SIGTERM"
    if grep -q "Error" "$log"; then
        grep "Error" "$log" | head -n 5
        fail "the log reports an error"
    fi
}

# The regions compared: each page's title and buttons, the heads-up display's strip along the
# bottom edge and the row of the Golem's ability icons, the pause page's title and buttons
# (floating damage numbers may cross the title's frame). The arena, the Golem and the fight show
# through and between them, so the heads-up display and the pause page are compared with a wider
# tolerance: a missing element still differs by far more.
MENU_REGIONS=(380,75,520,110 505,285,270,190)
SELECT_REGIONS=(100,245,1090,75 510,515,270,75)
HUD_REGIONS=(120,665,1040,55 565,380,150,22)
WORLD_TOLERANCE=10
PAUSE_REGIONS=(520,175,240,60 505,285,270,190)

# From the start to the Golem on the heads-up display.
menu_to_golem() {
    local from
    from=$(mark)
    wait_for "UISystem: current page MainMenu" 0
    park_mouse
    check_shot main_menu "${MENU_REGIONS[@]}"
    from=$(mark)
    click_button MainMenuPage Play PlayClicked
    wait_for "Level1: initialized" "$from"
    wait_for "UISystem: current page CharacterSelect" "$from"
    park_mouse
    check_shot character_select "${SELECT_REGIONS[@]}"
    from=$(mark)
    click_button CharacterSelectPage Golem PickGolem
    wait_for "CharacterSelect: player 0 plays Golem" "$from"
    wait_for "UISystem: current page HUD" "$from"
    wait_for "Level1: waves started" "$from"
    check_shot hud "${HUD_REGIONS[@]}"
}

# Back to the main menu after the level's end.
back_to_main() {
    local from="$1"
    wait_for "Level1: unloaded" "$from"
    wait_for "Main: initialized" "$from"
    wait_for "UISystem: current page MainMenu" "$from"
}

case "$case_name" in
victory)
    start_game -out "$log"
    menu_to_golem

    from=$(mark)
    step "move with the arrow keys"
    xdotool keydown Left
    wait_for "Golem: moving" "$from"
    xdotool keyup Left
    from=$(mark)
    sleep 2.5 # a step after a pause of over a second starts a new run of steps, logged again
    xdotool keydown Right
    wait_for "Golem: moving" "$from"
    xdotool keyup Right

    # Each ability: its key selects it, the left button fires it. Cool-downs and the enrage
    # may refuse a press, so a press is repeated until the ability's line shows.
    for slot in 1 2 3 4; do
        from=$(mark)
        deadline=$((SECONDS + STEP_TIMEOUT))
        while ! tail -n +"$((from + 1))" "$log" | grep -q "Golem: ability $slot fired"; do
            [ $SECONDS -ge $deadline ] && fail "ability $slot did not fire"
            xdotool key "$slot"
            xdotool click 1
            sleep 0.5
        done
        step "ability $slot fired"
    done

    # The fight: the enemies come to the Golem, which punches until one of them has hurt it.
    # An enemy's death is logged too ("Enemy: died"), but the Golem's blows cannot be aimed at
    # the enemies yet, so the fight does not wait for one.
    from=$(mark)
    deadline=$((SECONDS + FIGHT_TIMEOUT))
    xdotool key 1
    until tail -n +"$((from + 1))" "$log" | grep -q "Golem: hurt"; do
        [ $SECONDS -ge $deadline ] && fail "the Golem was not hurt within $FIGHT_TIMEOUT s"
        kill -0 "$pid" 2>/dev/null || fail "the game ended during the fight"
        xdotool click 1 # a press before the punch has cooled down does nothing
        sleep 0.4
    done
    step "the Golem was hurt"

    from=$(mark)
    park_mouse
    xdotool key Escape
    wait_for "UISystem: current page Pause" "$from"
    check_shot pause "${PAUSE_REGIONS[@]}"
    from=$(mark)
    xdotool key Escape
    wait_for "UISystem: current page HUD" "$from"

    from=$(mark)
    xdotool key x
    wait_for "Level1: Victory" "$from"
    back_to_main "$from"
    stop_game
    ;;
defeat)
    start_game -out "$log"
    menu_to_golem
    from=$(mark)
    wait_for "Golem: died" "$from" "$DEFEAT_TIMEOUT"
    wait_for "Level1: Defeat" "$from"
    back_to_main "$from"
    stop_game
    ;;
play_start)
    # scripts/play builds the game, then starts it from the repository root with "-console"
    # when no other switch is given; the console then carries the log.
    start_game -console
    wait_for "UISystem: current page MainMenu" 0
    park_mouse
    check_shot main_menu "${MENU_REGIONS[@]}"
    stop_game
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASSED: $case_name"
