#!/usr/bin/env bash
# Plays the game through its real input path on a virtual display of its own, as a player would:
# keys and mouse clicks go in with xdotool, and each step waits (with a timeout) for the log line
# that shows it happened. Screenshots of the pages are compared with the references beside this
# script (tests/Game/screenshots), over regions whose content does not change from run to run.
# Usage: PlayThroughTest.sh <game executable> <case>
#   victory     menu, Play, the Golem, a punch aimed with the pointer to its right that lands
#               there (on the screen), moving, pause and resume, a hit taken once the enemies
#               are close, the four abilities, a fight until an enemy dies, X ends the wave:
#               victory and back to the main menu. The fight is looked at too (FightProbe.py):
#               the enemies stand drawn around the Golem with their bars over them, and the
#               bars move with them on the screen; each ability's effect shows once it has
#               fired; the heads-up display, hidden, draws no bar and, shown again, draws them; a
#               fallen enemy leaves smoke. Its Golem is hardier than the shipped one (GOLEM_HEALTH)
#   defeat      menu, Play, the Golem, then standing still until defeat and back to the main menu
#   play_start  scripts/play with QUILL_GAME naming the executable: the main menu shows, and
#               SIGTERM and SIGINT end it cleanly, also on the virtual display it starts itself
#               (SIGINT and SIGTERM to its process group, SIGTERM to the script alone)
# Exit 77 means skipped (a tool is missing). Set PLAYTHROUGH_KEEP=DIR to keep the log and shots,
# PLAYTHROUGH_WRITE=1 to write the references anew (look at each before committing it). The kept
# fight.png, a shot of the fight with enemies and their bars, is the README's picture
# (docs/screenshot.png).
set -u
game="$1"
case_name="$2"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)" # the repository root, where assets/ lives
compare="$here/compare_screenshot.py"
fight_probe="$here/FightProbe.py"
references="$here/screenshots"

for tool in Xvfb xdotool xwd python3 pgrep ps setsid; do
    command -v "$tool" > /dev/null || { echo "SKIPPED: $tool is not installed (scripts/setup)"; exit 77; }
done

# The victory's fight is looked at after the game (judge_aim, judge_fight), in screenshots taken
# while it ran: a loaded machine may draw too few frames for a short effect (a punch's chips, a
# hit's glow) to be caught in one. A victory whose screenshots show too little (status
# LOOKED_AT_TOO_LITTLE) is played once more, from the start, in a game of its own; every step
# that waits for the log fails it at once, as before.
LOOKED_AT_TOO_LITTLE=3
VICTORY_GAMES=2
if [ "$case_name" = victory ] && [ -z "${PLAYTHROUGH_GAME:-}" ]; then
    for game_number in $(seq $VICTORY_GAMES); do
        PLAYTHROUGH_GAME=$game_number "$0" "$@"
        status=$?
        [ $status -eq $LOOKED_AT_TOO_LITTLE ] && [ "$game_number" -lt $VICTORY_GAMES ] || exit $status
        echo "$(date +%T) the screenshots of game $game_number showed too little: the victory once more"
    done
fi

work=$(mktemp -d)
xvfb_pid=""
pid=""
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    [ -n "${smoke_watcher:-}" ] && kill "$smoke_watcher" 2>/dev/null
    [ -n "${ability_watcher:-}" ] && kill "$ability_watcher" 2>/dev/null
    [ -n "${fighter:-}" ] && kill "$fighter" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    if [ -n "${PLAYTHROUGH_KEEP:-}" ]; then mkdir -p "$PLAYTHROUGH_KEEP" && cp -r "$work"/. "$PLAYTHROUGH_KEEP"; fi
    rm -rf "$work"
}
trap cleanup EXIT
cd "$root"
export XDG_DATA_HOME="$work/data"

log="$work/log.txt"
fail() {
    echo "FAILED: $*"
    echo "--- the log's last lines:"
    tail -n 40 "$log" 2>/dev/null | cut -c1-200
    exit 1
}
step() { echo "$(date +%T) $*"; }
# A screenshot of the fight that shows too little (see LOOKED_AT_TOO_LITTLE).
too_little() {
    echo "FAILED: $*"
    exit $LOOKED_AT_TOO_LITTLE
}

# Seconds to wait for one step's log line; generous, for a loaded machine.
STEP_TIMEOUT=60
# Seconds the fight may take to show a kill and a hit; a busy machine runs the game at a tenth
# of its speed or less.
FIGHT_TIMEOUT=240
# Times the victory case plays the level when the Golem falls before its first kill.
FIGHT_ATTEMPTS=3
# Seconds the Golem standing still may take to fall.
DEFEAT_TIMEOUT=300
# Mean absolute difference (0 to 255 per colour) a screenshot may differ from its reference by.
SHOT_TOLERANCE=3

# A display of its own (tests/Game/VirtualDisplay.sh).
. "$here/VirtualDisplay.sh"
start_virtual_display "$work" || fail "the virtual display did not start"

# What starts the game: the executable itself, or scripts/play (play_start).
launch=("$game")
# Starts the game with the given switches; its standard output goes to the log unless they
# begin with "-out". A start the display refused is tried again (start_game_window).
start_game() {
    local out="$log"
    [ "${1:-}" = -out ] && out="$work/stdout.txt"
    start_game_window "$out" "${launch[@]}" "$@"
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
        # Held for a moment, as a finger does, and longer at each try: a busy machine draws slow
        # frames, and a press and release inside one frame may reach the page as neither.
        xdotool mousedown 1
        sleep "$try"
        xdotool mouseup 1
        for _ in $(seq $((STEP_TIMEOUT * 10 / CLICK_TRIES))); do
            tail -n +"$((from + 1))" "$log" | grep -q "calls $3" && return 0
            sleep 0.1
        done
    done
    fail "clicking $2 did not call $3"
}

# Moves the mouse to a point of the window. The game moves its cursor by the distance from where
# its cursor was to each mouse event's position, at most half the window, and then puts the
# pointer where its cursor is. Two events handled in the same frame both count from the same
# old position, so the cursor would overshoot: the pointer jumps once per step, each step within
# half the window, and waits for the game to follow (long, for a busy machine's slow frames).
# The move is over once the pointer stays where it was sent.
MOUSE_SETTLE=0.7
move_mouse() {
    local x=$((left + $1)) y=$((top + $2)) attempt here cx cy dx dy
    local reach_x=$((width * 2 / 5)) reach_y=$((height * 2 / 5))
    for attempt in $(seq 10); do
        here=$(xdotool getmouselocation | cut -d' ' -f1-2)
        [ "$here" = "x:$x y:$y" ] && return 0
        cx=${here%% *}; cx=${cx#x:}; cy=${here#* }; cy=${cy#y:}
        dx=$((x - cx)); dy=$((y - cy))
        [ $dx -gt $reach_x ] && dx=$reach_x
        [ $dx -lt -$reach_x ] && dx=-$reach_x
        [ $dy -gt $reach_y ] && dy=$reach_y
        [ $dy -lt -$reach_y ] && dy=-$reach_y
        xdotool mousemove $((cx + dx)) $((cy + dy))
        sleep $MOUSE_SETTLE
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

# Whether the process runs (a zombie left for a parent that does not reap it counts as gone).
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null)
    [ -n "$state" ] && [ "${state#Z}" = "$state" ]
}

# scripts/play with no display, stopped by the signal $1 (INT or TERM) sent to $2 ("group", the
# script's whole process group, as a terminal, a service manager or timeout sends it; "script",
# its pid alone) once the main menu shows. Each must reach the game once: the script ends with
# status 0 after the game's orderly shut-down (the state left, freed and unloaded; a second stop
# signal would end it at once with 128 + the signal), the log without an error, and its own
# display must go.
play_without_display() {
    local signal="$1" target="$2" xvfb rc line group group_of_more=""
    log="$work/play_${signal}_$target.txt"
    # A session of its own, so that the signal can reach the whole process group.
    env -u DISPLAY -u WAYLAND_DISPLAY "QUILL_GAME=$game" setsid "$root/scripts/play" \
        > "$log" 2>&1 < /dev/null &
    pid=$!
    wait_for "UISystem: current page MainMenu" 0
    xvfb=$(pgrep -P "$pid" -x Xvfb)
    [ -n "$xvfb" ] || fail "scripts/play started no display of its own"
    # What the group signal reaches: the game alone, or something else that might pass it on
    # to the game again (whether a second one comes before the game has taken the first is a
    # race, so the members are checked as well as the outcome).
    group=$(pgrep -g "$pid" | sort -n | tr '\n' ' ')
    step "SIG$signal to the $target of scripts/play"
    if [ "$target" = group ]; then kill -"$signal" -- "-$pid"; else kill -"$signal" "$pid"; fi
    timeout 30 tail --pid="$pid" -f /dev/null
    wait "$pid"
    rc=$?
    [ "$target" != group ] || [ "$group" = "$pid " ] || group_of_more="$group"
    pid=""
    [ $rc -eq 0 ] || fail "scripts/play ended with $rc after SIG$signal to its $target"
    [ -z "$group_of_more" ] ||
        fail "scripts/play's process group held more than the game ($group_of_more): each may pass SIG$signal on to it again"
    for line in "GameStateSystem: leaving state Main" "Main: freed" "Main: unloaded"; do
        grep -qxF "$line" "$log" || fail "no orderly shut-down after SIG$signal: no '$line'"
    done
    for _ in $(seq 50); do running "$xvfb" || break; sleep 0.1; done
    ! running "$xvfb" || fail "the display of scripts/play outlived it"
    if grep -q "Error" "$log"; then
        grep "Error" "$log" | head -n 5
        fail "the log reports an error"
    fi
}

# The regions compared: each page's title and buttons, the Golem's bar and ability icons as the
# level opens (the camera then frames the Golem, standing at the arena's middle, from where it
# starts), the pause page's title frame (both ends, and the upper half of its word: the
# numbers and words that float up over the fight may cross the rest) and buttons. The arena and
# the fight show through and between the regions, so the heads-up display and the pause page are
# compared with a wider tolerance: a missing element still differs by far more.
MENU_REGIONS=(380,75,520,110 505,285,270,190)
SELECT_REGIONS=(100,245,1090,75 510,515,270,75)
HUD_REGIONS=(565,222,150,52)
WORLD_TOLERANCE=10
PAUSE_REGIONS=(390,165,130,80 760,165,130,80 530,178,220,20 520,295,240,52 520,411,240,52)

# Pointer offsets from the window's centre, in pixels, that the fight aims at in turn: the left
# and the right, where the first wave comes from, then the near and far sides, where the second
# comes from.
FIGHT_AIMS=("-160 0" "160 0" "0 120" "0 -120")
# Punches thrown at one aim before the next. Counted in punches the game fired, not in seconds,
# since a busy machine runs the game slower than the clock.
PUNCHES_PER_AIM=2
# Seconds a mouse button is held: a busy machine draws slow frames (a few a second), and a press
# and release inside one frame reach the game as neither.
PRESS_TIME=0.5
# Selects the ability of that slot and fires it; a press before it has cooled down does nothing.
use_ability() {
    xdotool key "$1" mousedown 1
    sleep $PRESS_TIME
    xdotool mouseup 1
}
# One round of the fight: the Golem punches, shakes the ground (which hurts everything close
# around), armours itself in stone to last the fight and flies into a rage when it can (stronger
# blows); presses before an ability has cooled down do nothing.
ability_round() {
    use_ability 1
    use_ability 3
    use_ability 1
    use_ability 2
    use_ability 1
    use_ability 4
}
# Points at the offset from the window's centre, where the Golem stands (the camera frames it).
# The pointer gets there in jumps the game's cursor follows (move_mouse). The Golem turns to the
# ground point under the cursor as the camera last worked it out, that is, before the event
# moved the cursor: a second, one-pixel move after a few frames turns it the rest of the way.
aim_at() {
    move_mouse $((width / 2 + $1)) $((height / 2 + $2))
    xdotool mousemove_relative 1 0
    sleep $MOUSE_SETTLE
}
# Fights until the log shows KILLS_SEEN enemy deaths after line $1, their smoke dumped (status
# 0), or the Golem's (status 1); fails after FIGHT_TIMEOUT s. At each aim the Golem fights rounds
# (ability_round) until it has punched PUNCHES_PER_AIM times.
fight() {
    local from="$1" deadline aim aimed
    deadline=$((SECONDS + FIGHT_TIMEOUT))
    while :; do
        for aim in "${FIGHT_AIMS[@]}"; do
            aim_at $aim
            aimed=$(mark)
            while [ "$(tail -n +"$((aimed + 1))" "$log" | grep -c "Golem: ability 1 fired")" \
                -lt $PUNCHES_PER_AIM ]; do
                first_kill_seen "$from" && break 3
                golem_fell "$from" && return 1
                [ $SECONDS -ge $deadline ] &&
                    fail "no enemy died within $FIGHT_TIMEOUT s"
                kill -0 "$pid" 2>/dev/null || fail "the game ended during the fight"
                ability_round
            done
        done
    done
    step "an enemy died"
}
# Whether the log shows KILLS_SEEN enemy deaths after line $1 and the smoke watcher has dumped
# the screen after each (watch_for_smoke). An enemy that falls right behind the Golem leaves its
# smoke hidden by the Golem's body; the next one seldom falls there too.
KILLS_SEEN=2
first_kill_seen() {
    [ "$(tail -n +"$(($1 + 1))" "$log" | grep -c "Enemy: died")" -ge $KILLS_SEEN ] &&
        [ "$(find "$work" -maxdepth 1 -name 'smoke_*.xwd' | wc -l)" -ge \
            $((KILLS_SEEN * SMOKE_DUMPS_PER_DEATH)) ]
}
# Whether the log shows the Golem's death after line $1.
golem_fell() { tail -n +"$(($1 + 1))" "$log" | grep -q "Golem: died"; }

# Fires the ability of slot $1, its key pressed until the log shows it fired (at most $3 s),
# with its dumps watched (watch_ability); status 1 if the Golem falls (after line $2) first.
# fired_from is the log's line before the presses.
fired_from=""
fire_ability() {
    local slot="$1" deadline=$((SECONDS + $3))
    fired_from=$(mark)
    dump "ability_${slot}_0"
    watch_ability "$slot" "$fired_from" "$3"
    while ! tail -n +"$((fired_from + 1))" "$log" | grep -q "Golem: ability $slot fired"; do
        golem_fell "$2" && return 1
        [ $SECONDS -ge $deadline ] && fail "ability $slot did not fire"
        use_ability "$slot"
    done
    step "ability $slot fired"
    timeout $STEP_TIMEOUT tail --pid="$ability_watcher" -f /dev/null
    return 0
}
# Waits, facing one side, until the enemies have come close and one has hurt the Golem, then
# uses each ability: its key selects it, the left button fires it; a press is repeated until
# the ability's line shows (a press the game did not see, or one before a cool-down is over,
# does nothing). First the rage (stronger blows for a while), then the earthquake (it hurts and
# stuns everything close around), the punch (the stunned enemies in front) and the stone armour:
# each enemy both blows reached has taken as much as its health. Then it fights on until an enemy
# dies (status 0) or the Golem does (status 1).
# Times the opening fires the earthquake at most, until its dumps show what it hit; the same for
# the punch, until its dumps show its chips or what it hit.
EARTHQUAKE_TRIES=3
PUNCH_TRIES=3
opening_and_fight() {
    local from opening slot tries
    from=$(mark)
    aim_at ${FIGHT_AIMS[0]}
    wait_for "Golem: hurt" "$from" "$FIGHT_TIMEOUT"
    opening=$(mark)
    watch_for_smoke "$opening"
    for slot in 4 3 1 2; do
        fire_ability "$slot" "$opening" $STEP_TIMEOUT || return 1
        # The rage takes hold when its object touches the Golem, a frame or two later.
        [ $slot = 4 ] && wait_for "Putting \+\+Enraged\+\+" "$fired_from"
    done
    # The earthquake reaches only what stands close around the Golem, and the hit that showed
    # the enemies near may have come from afar (a bolt): while its dumps show nothing it hit, the
    # Golem, armoured by now, shakes the ground again once it has cooled down.
    tries=1
    while [ $tries -lt $EARTHQUAKE_TRIES ] && ! ability_effect_seen 3; do
        step "the earthquake's screenshots show nothing it hit: once more when it has cooled down"
        fire_ability 3 "$opening" $FIGHT_TIMEOUT || return 1
        tries=$((tries + 1))
    done
    # Enemies standing between the camera and the Golem hide a punch thrown away from the
    # camera, chips and all: while its dumps show nothing of it, the Golem punches again once it
    # has cooled down (the enemies move meanwhile).
    tries=1
    while [ $tries -lt $PUNCH_TRIES ] && ! ability_effect_seen 1; do
        step "the punch's screenshots show nothing of it: once more when it has cooled down"
        fire_ability 1 "$opening" $FIGHT_TIMEOUT || return 1
        tries=$((tries + 1))
    done
    # The earthquake and the punch have hurt the enemies around the Golem: their bars show.
    # The heads-up display is hidden and shown again first, while most of the wave still stands
    # around the Golem; then the screen is dumped while the Golem fights on. The dumps are judged
    # after the game.
    dump_hud || return 1
    keep_fighting
    dump_enemies
    stop_fighting
    golem_fell "$opening" && return 1
    fight "$opening"
}

# The punch lands in front of the Golem, and the Golem faces the pointer: with the pointer to
# its right on the screen, the punch's rock chips burst to its right. It is thrown as the level
# begins, with the Golem at rest: it has taken no step yet and no enemy is near enough to push
# it (a body that moves faces where it goes, whatever the pointer does). The pointer goes
# AIM_RIGHT pixels to the right of the Golem's bar and AIM_DOWN below it, about the Golem's
# middle. aim_0 is dumped once the Golem has turned, before the key is pressed; aim_1 to
# aim_AIM_DUMPS are dumped AIM_GAP s apart once the log shows the punch fired (no frames are
# counted as watch_ability does: before the enemies come, frames log nothing). The chips live a
# second of the game's time or more, longer still on a busy machine. The dumps are judged after
# the game (judge_aim).
AIM_RIGHT=200
AIM_DOWN=50
AIM_DUMPS=16
AIM_GAP=0.1
aimed_punch() {
    local golem from deadline watcher start
    start=$(mark)
    dump aim_golem
    probe aim_golem
    golem=$(finding aim_golem character_bar)
    [ -n "$golem" ] || fail "no bar of the Golem's on the screen as the level begins"
    set -- $golem
    step "the Golem's bar at $1,$2: the pointer to its right"
    move_mouse $(($1 + AIM_RIGHT)) $(($2 + AIM_DOWN))
    xdotool mousemove_relative 1 0
    sleep $MOUSE_SETTLE
    from=$(mark)
    deadline=$((SECONDS + STEP_TIMEOUT))
    dump aim_0
    (
        until tail -n +"$((from + 1))" "$log" | grep -q "Golem: ability 1 fired"; do
            [ $SECONDS -lt $deadline ] || exit 0
            sleep 0.05
        done
        for n in $(seq $AIM_DUMPS); do
            sleep $AIM_GAP
            dump "aim_$n"
        done
    ) &
    watcher=$!
    while ! tail -n +"$((from + 1))" "$log" | grep -q "Golem: ability 1 fired"; do
        [ $SECONDS -ge $deadline ] && { kill $watcher 2>/dev/null; fail "the aimed punch did not fire"; }
        use_ability 1
    done
    step "the punch fired, aimed to the right"
    wait $watcher
    ! tail -n +"$((start + 1))" "$log" | grep -q "Golem: hurt" ||
        fail "the Golem was hurt before the aimed punch had been dumped: it was not at rest"
}
# The dumps after the aimed punch: one of them shows at least AIM_CHIPS (sampled) pixels of rock
# chips come to the right of the Golem's bar, and the chips that came centre at least AIM_OFFSET
# pixels to its right (FightProbe.py sides; a punch the Golem throws towards the camera centres
# under it). The punch's icon, on the Golem's left, greys while the punch cools down and counts
# as chips on the left: against the check, not for it.
AIM_CHIPS=20
AIM_OFFSET=20
judge_aim() {
    local n right offset
    for n in $(seq $AIM_DUMPS); do
        python3 "$fight_probe" sides "$work/aim_0.xwd" "$work/aim_$n.xwd" "$width" "$height" \
            > "$work/aim_$n.txt" || { cat "$work/aim_$n.txt"; fail "the screenshot aim_$n cannot be read"; }
        right=$(finding "aim_$n" chips_right)
        offset=$(finding "aim_$n" chips_offset)
        if [ "${right:-0}" -ge $AIM_CHIPS ] && [ "${offset:-0}" -ge $AIM_OFFSET ]; then
            step "seen in the screenshot aim_$n: the punch's rock chips to the Golem's right" \
                "($right pixels, centred $offset pixels to its right)"
            return 0
        fi
    done
    for n in $(seq $AIM_DUMPS); do echo "-- aim_$n:"; cat "$work/aim_$n.txt"; done
    too_little "no screenshot showed the rock chips of the punch aimed to the Golem's right there"
}

# The victory's game runs in a folder of its own with a copy of the assets whose state list
# names, for the level, tests/Game/HudSwitchLevel.lua: the level's own script plus a switch for
# the heads-up display, worked through the file it is told of (QUILL_HUD_SWITCH). The copy is
# made from the repository's assets as they are now. In the copy, the Golem has GOLEM_HEALTH
# times its health: each look at the screen costs it seconds of a fight a player would spend
# hitting back (a Golem standing still falls some 13 s of the game's time after the first blow),
# and one that fell before its first kill in most runs of a loaded machine tested nothing
# further. Its bar is drawn full as the level opens all the same.
GOLEM_HEALTH=4
hud_switch=""
prepare_hud_switch() {
    local copy="$work/game" list golem health
    mkdir -p "$copy" && cp -r "$root/assets" "$copy/assets" || fail "the assets could not be copied"
    cp "$here/HudSwitchLevel.lua" "$copy/assets/Scripts/States/HudSwitchLevel.lua"
    list="$copy/assets/Scripts/System/GameStateSystem.lua"
    sed -i 's|"States/LevelState.lua"|"States/HudSwitchLevel.lua"|' "$list"
    grep -q '"States/HudSwitchLevel.lua"' "$list" || fail "the state list names no level script"
    golem="$copy/assets/Objects/Golem.xml"
    health=$(sed -n 's|.*<HealthContainerComponent><f32>\([0-9]*\)</f32><f32>0</f32><f32>\1</f32>.*|\1|p' "$golem")
    [ -n "$health" ] || fail "no full HealthContainerComponent in the Golem's definition"
    health=$((health * GOLEM_HEALTH))
    sed -i "s|<HealthContainerComponent>.*</HealthContainerComponent>|<HealthContainerComponent><f32>$health</f32><f32>0</f32><f32>$health</f32></HealthContainerComponent>|" "$golem"
    hud_switch="$work/hud_hidden"
    # Started in the copy: a path to the executable from here must still find it there.
    local executable="$game"
    case "$executable" in */*) executable=$(realpath "$executable") ;; esac
    launch=(env -C "$copy" "QUILL_HUD_SWITCH=$hud_switch" "$executable")
}

# The fight is looked at in two halves: while it goes on, the screen is only dumped (quickly: every
# second the Golem spends on being looked at costs it health); once the game has ended, the dumps
# are judged (FightProbe.py, which prints its findings into NAME.txt beside the dump NAME.xwd).
dump() { xwd -root -silent > "$work/$1.xwd" || fail "xwd could not take the screenshot $1"; }
# Dumps taken once an ability has fired, by a watcher started before its key is pressed: as soon
# as the log shows it fired, and then at least a frame and ABILITY_GAP s apart (the effect takes
# a few frames to come and may last only 0.6 s of the game's time, a hit's glow: the dumps follow
# closely enough that it cannot come and go between two). The frames are counted by the log's
# time stamps, of which a slow frame may hold several: the gap in seconds keeps a slow build's
# dumps apart too. ability_SLOT_0 is taken before the key is pressed.
ABILITY_DUMPS=6
ABILITY_GAP=0.15
ABILITY_FRAMES=1
ability_watcher=""
watch_ability() {
    local slot="$1" from="$2" wait="$3"
    (
        deadline=$((SECONDS + wait))
        until tail -n +"$((from + 1))" "$log" | grep -q "Golem: ability $slot fired"; do
            [ $SECONDS -lt $deadline ] || exit 0
            sleep 0.05
        done
        for n in $(seq $ABILITY_DUMPS); do
            mark_before=$(mark)
            [ "$n" -gt 1 ] && sleep $ABILITY_GAP && wait_frames $ABILITY_FRAMES "$mark_before"
            dump "ability_${slot}_$n"
        done
    ) &
    ability_watcher=$!
}
# Dumps taken of the enemies, with a few steps of the Golem between two (the camera, which
# follows it, moves every enemy on the screen: enemies striking at it from close by may otherwise
# stand still for long), and of each state of the heads-up display.
# The enemies' dumps are looked at as they are taken, until two show the bars moving over
# enemies near the Golem, ENEMY_DUMPS at most: the opening may have felled every enemy near it,
# and the next ones take a while to come.
ENEMY_DUMPS=20
enemy_dumps=0
HUD_DUMPS=3
# The hidden display's dumps, a second apart: the stone armour's rings, put on just before, can
# be as green as the bar's fill until they fade, for seconds of a slow build's frames.
HUD_HIDDEN_DUMPS=6
# Frames drawn after a change of the heads-up display before its dumps.
HUD_FRAMES=2
# Waits until the game has drawn $1 frames since line $2 of the log, at most for STEP_TIMEOUT s. The
# frames are counted by the time stamps of the logged messages: every frame of a fight logs the
# contacts of its blows and bodies. A busy machine may draw only a few frames a second, and what
# the test waits for (a walk, smoke rising) takes frames, not seconds.
wait_frames() {
    local deadline=$((SECONDS + STEP_TIMEOUT)) frames
    while [ $SECONDS -lt $deadline ]; do
        frames=$(tail -n +"$(($2 + 1))" "$log" | grep -o '^[0-9.]* Sec ::' | uniq | wc -l)
        [ "$frames" -ge "$1" ] && return 0
        sleep 0.2
    done
}
# The Golem walks forward for at least a second and STEP_FRAMES frames of the game.
STEP_FRAMES=15
step_forward() {
    local from
    from=$(mark)
    xdotool keydown Up
    sleep 1
    wait_frames $STEP_FRAMES "$from"
    xdotool keyup Up
}
dump_enemies() {
    local n
    previous_bars=""
    for n in $(seq $ENEMY_DUMPS); do
        dump "enemies_$n"
        enemy_dumps=$n
        probe "enemies_$n"
        enemies_with_moving_bars "enemies_$n" > /dev/null && break
        step_forward
    done
}
# Returns 1 when the Golem has fallen since line $opening (opening_and_fight's) on the way.
dump_hud() {
    local n from
    from=$(mark)
    touch "$hud_switch"
    wait_for "PlayThrough: heads-up display hidden" "$from"
    # The line is logged as the frame that hides the display is updated; on a busy machine that
    # frame and the next take seconds to reach the screen.
    wait_frames $HUD_FRAMES "$(mark)"
    for n in $(seq $HUD_HIDDEN_DUMPS); do sleep 1; dump "hud_hidden_$n"; done
    from=$(mark)
    rm -f "$hud_switch"
    # A Golem that fell meanwhile ended the level, and with it the switch's script.
    golem_fell "$opening" && return 1
    wait_for "PlayThrough: heads-up display shown" "$from"
    wait_frames $HUD_FRAMES "$(mark)"
    for n in $(seq $HUD_DUMPS); do sleep 0.5; dump "hud_shown_$n"; done
    ! golem_fell "$opening"
}

# Colour counts are of every other pixel of every other row (FightProbe.py).
# Pixels of the enemies' palette under a bar that show the enemy it hangs over.
ENEMY_UNDER_BAR=5
# Pixels of the enemies' palette that show enemies in the arena.
ENEMY_IN_ARENA=50
# How far from the Golem (its bar) an enemy counts as near it, in pixels.
NEAR_X=400
NEAR_Y=250
# Pixels of smoke in the densest patch (40 x 40) that show a fallen enemy's smoke (a brawler in
# front of it may hide half of it; the darkest patch of a scene without smoke, the Golem's
# shoulders, has some 60).
SMOKE_PIXELS=80

# Reads the dump NAME: its findings go to NAME.txt and, with PLAYTHROUGH_KEEP, its picture to
# NAME.png. A dump that is not there (the watcher had not taken it) has no findings.
probe() {
    local name="$1" picture=()
    [ -f "$work/$name.xwd" ] || { : > "$work/$name.txt"; return 0; }
    [ -n "${PLAYTHROUGH_KEEP:-}" ] && picture=("$work/$name.png")
    python3 "$fight_probe" "$work/$name.xwd" "$width" "$height" "${picture[@]}" \
        > "$work/$name.txt" || { cat "$work/$name.txt"; fail "the screenshot $name cannot be read"; }
}
# Values from the findings of a dump.
finding() { awk -v what="$2" '$1 == what { $1 = ""; print substr($0, 2) }' "$work/$1.txt"; }
# The enemy bars of a dump near the Golem with the enemy drawn under them.
bars_over_enemies() {
    local golem
    golem=$(finding "$1" character_bar)
    [ -n "$golem" ] || { echo 0; return 0; }
    awk -v gx="${golem%% *}" -v rest="${golem#* }" -v nx=$NEAR_X -v ny=$NEAR_Y \
        -v under=$ENEMY_UNDER_BAR '
        BEGIN { split(rest, g, " "); gy = g[1] }
        $1 == "enemy_bar" && $6 >= under {
            x = ($2 + $4) / 2; y = $3
            if (x - gx <= nx && gx - x <= nx && y - gy <= ny && gy - y <= ny) n++
        }
        END { print n + 0 }' "$work/$1.txt"
}
# No bar at all, neither the Golem's nor an enemy's, while the enemies are still in the arena.
no_bars() {
    [ -z "$(finding "$1" character_bar)" ] && [ -z "$(finding "$1" enemy_bar)" ] &&
        [ "$(finding "$1" enemy_pixels)" -ge $ENEMY_IN_ARENA ]
}
# The Golem's bar.
golem_bar() { [ -n "$(finding "$1" character_bar)" ]; }
# A patch of smoke near the Golem, where the enemies fight it.
smoke_near_golem() {
    local golem smoke
    golem=$(finding "$1" character_bar)
    smoke=$(finding "$1" smoke)
    [ -n "$golem" ] && [ -n "$smoke" ] || return 1
    awk -v g="$golem" -v s="$smoke" -v nx=$NEAR_X -v ny=$NEAR_Y -v least=$SMOKE_PIXELS '
        BEGIN { split(g, a, " "); split(s, b, " "); dx = b[1] - a[1]; dy = b[2] - a[2]
                exit !(b[3] >= least && dx <= nx && -dx <= nx && dy <= ny && -dy <= ny) }'
}
# The first of the dumps NAME_1 to NAME_COUNT for which the condition (a function of a dump's
# name) holds; fails, with every finding, when none does.
judge() {
    local name="$1" count="$2" condition="$3" what="$4" n
    for n in $(seq "$count"); do
        probe "${name}_$n"
        if "$condition" "${name}_$n"; then
            step "seen in the screenshot ${name}_$n: $what"
            judged="${name}_$n"
            return 0
        fi
    done
    for n in $(seq "$count"); do echo "-- ${name}_$n:"; cat "$work/${name}_$n.txt"; done
    too_little "no screenshot showed $what"
}
judged=""
# The enemies stand around the Golem, each drawn with its bar over it, and from one dump to the
# next the bars move with them on the screen.
previous_bars=""
enemies_with_moving_bars() {
    local bars moved
    bars=$(bars_over_enemies "$1")
    [ "$bars" -ge 1 ] || { previous_bars=""; return 1; }
    if [ -n "$previous_bars" ]; then
        moved=$(python3 "$fight_probe" moved "$work/$previous_bars.txt" "$work/$1.txt")
        step "$bars bars over enemies near the Golem in $1; ${moved}"
        [ "${moved#moved }" -ge 1 ] && return 0
    fi
    previous_bars="$1"
    return 1
}
# Each ability's effect, looked for in the dumps taken after it fired against the one taken just
# before (FightProbe.py effects): the slot, the effect's colours, the least pixels (of every other
# pixel of every other row) of those colours that must have come, and what they show.
# A slot may name several kinds of pixels, any of which shows its effect.
ABILITY_EFFECTS=(
    "4|flare 20|the rage's embers"
    "3|flash 10 smoke 60|the glow on what the earthquake hit or the smoke of what it killed"
    "1|chips 30 flash 10 smoke 60|the punch's rock chips, the glow on what it hit or the smoke of what it killed"
    "2|shimmer 20|the stone armour's rings"
)
# Whether a dump after the ability of slot $1 fired shows its effect (said in a step).
ability_effect_seen() {
    local entry slot="" wanted what n colours least found
    for entry in "${ABILITY_EFFECTS[@]}"; do
        IFS='|' read -r slot wanted what <<< "$entry"
        [ "$slot" = "$1" ] && break
    done
    for n in $(seq $ABILITY_DUMPS); do
        python3 "$fight_probe" effects "$work/ability_${slot}_0.xwd" \
            "$work/ability_${slot}_$n.xwd" "$width" "$height" > "$work/ability_${slot}_$n.txt" ||
            { cat "$work/ability_${slot}_$n.txt"; fail "the screenshot ability_${slot}_$n cannot be read"; }
        set -- $wanted
        while [ $# -ge 2 ]; do
            colours=$1 least=$2
            shift 2
            found=$(finding "ability_${slot}_$n" "$colours")
            if [ "${found:-0}" -ge "$least" ]; then
                step "seen in the screenshot ability_${slot}_$n: $what ($found $colours pixels)"
                return 0
            fi
        done
    done
    return 1
}
judge_ability_effects() {
    local entry slot wanted what n
    for entry in "${ABILITY_EFFECTS[@]}"; do
        IFS='|' read -r slot wanted what <<< "$entry"
        ability_effect_seen "$slot" && continue
        for n in $(seq $ABILITY_DUMPS); do echo "-- ability_${slot}_$n:"; cat "$work/ability_${slot}_$n.txt"; done
        too_little "no screenshot after ability $slot showed $what"
    done
}
judge_fight() {
    judge_ability_effects
    previous_bars=""
    judge enemies $enemy_dumps enemies_with_moving_bars "enemies with their bars, moving"
    # The README's picture, when the shots are kept: the fight with the enemies' bars, cut to
    # the window.
    [ -n "${PLAYTHROUGH_KEEP:-}" ] && python3 "$compare" "$work/$judged.xwd" "$work/fight.png" \
        --write --crop "${width},${height}" > /dev/null
    judge hud_hidden $HUD_HIDDEN_DUMPS no_bars "no bar while the heads-up display is hidden"
    judge hud_shown $HUD_DUMPS golem_bar "the Golem's bar again once the heads-up display shows"
    timeout 60 tail --pid="$smoke_watcher" -f /dev/null
    judge smoke $SMOKE_DUMPS smoke_near_golem "smoke where an enemy fell"
}

# Smoke lasts a second or two of the game's time: the screen is dumped as soon as the log shows
# a death. watch_for_smoke FROM starts a watcher in the background that waits for each "Enemy:
# died" after line FROM and then dumps the screen a few times, a few frames apart (the smoke rises
# over the game's frames, however slowly a busy machine draws them), skipping the dumps while the
# heads-up display is hidden (the smoke is looked for near the Golem's bar), until it has
# SMOKE_DUMPS dumps or the level has ended.
SMOKE_DUMPS=12
SMOKE_DUMPS_PER_DEATH=4
# Frames of the game between two dumps after a death, as the smoke rises (the first is taken at
# once: the smoke is at its thickest when it bursts out).
SMOKE_FRAMES=3
smoke_watcher=""
watch_for_smoke() {
    local from="$1"
    [ -n "$smoke_watcher" ] && kill "$smoke_watcher" 2>/dev/null
    rm -f "$work"/smoke_*.xwd
    (
        dumped=0 seen=0
        while [ $dumped -lt $SMOKE_DUMPS ]; do
            since=$(tail -n +"$((from + 1))" "$log" 2>/dev/null)
            grep -qE "Level1: (Victory|Defeat)" <<< "$since" && break
            deaths=$(grep -c "Enemy: died" <<< "$since")
            if [ "$deaths" -gt "$seen" ]; then
                seen=$deaths
                for n in $(seq $SMOKE_DUMPS_PER_DEATH); do
                    mark_before=$(mark)
                    [ "$n" -gt 1 ] && wait_frames $SMOKE_FRAMES "$mark_before"
                    [ $dumped -lt $SMOKE_DUMPS ] && [ ! -e "$hud_switch" ] || break
                    dumped=$((dumped + 1))
                    xwd -root -silent > "$work/smoke_$dumped.xwd.part" &&
                        mv "$work/smoke_$dumped.xwd.part" "$work/smoke_$dumped.xwd"
                done
            fi
            sleep 0.1
        done
    ) &
    smoke_watcher=$!
}

# The Golem fighting on in the background while the screen is dumped, as in fight().
fighter=""
keep_fighting() {
    (while :; do ability_round; done) &
    fighter=$!
}
stop_fighting() {
    [ -n "$fighter" ] || return 0
    kill "$fighter" 2>/dev/null
    wait "$fighter" 2>/dev/null
    fighter=""
    xdotool mouseup 1
}

# From the main menu, shown after line $1 of the log, to the Golem on the heads-up display.
menu_to_golem() {
    local from
    wait_for "UISystem: current page MainMenu" "$1"
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

# The level's first seconds: the Golem moves with the arrow keys, then the game is paused and
# resumed while the first enemies are on their way: it stands still behind the pause page. (Not
# once they crowd the Golem: every second it is not fighting back costs it health.)
level_opening() {
    local from
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

    from=$(mark)
    park_mouse
    xdotool key Escape
    wait_for "UISystem: current page Pause" "$from"
    check_shot pause "${PAUSE_REGIONS[@]}"
    from=$(mark)
    xdotool key Escape
    wait_for "UISystem: current page HUD" "$from"
}

# Waits until no blow of the Golem's hits anything: X ends the wave by destroying every enemy,
# and the effects a blow still landing in that frame sends after them would find them gone (the
# message system logs that as an error).
settle_blows() {
    local deadline=$((SECONDS + STEP_TIMEOUT)) from
    while [ $SECONDS -lt $deadline ]; do
        from=$(mark)
        wait_frames 10 "$from"
        tail -n +"$((from + 1))" "$log" |
            grep -qE '\((GolemEarthquake|GolemEnragedEarthquake|GolemTitansFist):' || return 0
    done
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
    prepare_hud_switch
    start_game -out "$log"
    # The fight, until the Golem's first kill. The enemies may win it, most of all when the test
    # reaches the game late on a busy machine: the Golem that fell first plays the level again
    # from the main menu, as a player would, a few times at most.
    from=0
    for attempt in $(seq $FIGHT_ATTEMPTS); do
        menu_to_golem "$from"
        from=$(mark)
        aimed_punch
        level_opening && opening_and_fight && break
        [ "$attempt" -lt $FIGHT_ATTEMPTS ] || fail "the Golem died before any enemy, $FIGHT_ATTEMPTS times"
        step "the Golem fell before its first kill: the level again"
        stop_fighting
        rm -f "$hud_switch"
        wait_for "Level1: Defeat" "$from"
        back_to_main "$from"
    done

    settle_blows
    from=$(mark)
    xdotool key x
    wait_for "Level1: Victory" "$from"
    back_to_main "$from"
    stop_game
    judge_aim
    judge_fight
    ;;
defeat)
    start_game -out "$log"
    menu_to_golem 0
    from=$(mark)
    wait_for "Golem: died" "$from" "$DEFEAT_TIMEOUT"
    wait_for "Level1: Defeat" "$from"
    back_to_main "$from"
    stop_game
    ;;
play_start)
    # scripts/play, told by QUILL_GAME to start this build (no set-up and no build), starts the
    # game from the repository root with "-console", whose console carries the log. On a
    # display it becomes the game: the main menu shows and SIGTERM ends it in order.
    launch=(env "QUILL_GAME=$game" "$root/scripts/play")
    start_game
    wait_for "UISystem: current page MainMenu" 0
    park_mouse
    check_shot main_menu "${MENU_REGIONS[@]}"
    stop_game
    # Without a display it starts a virtual one of its own and ends the game in order on SIGTERM
    # to the whole process group (as a service manager or timeout sends it), on Ctrl-C (SIGINT
    # to the whole process group, as a terminal sends it) and on SIGTERM to the script alone,
    # then stops that display.
    play_without_display TERM group
    play_without_display INT group
    play_without_display TERM script
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASSED: $case_name"
