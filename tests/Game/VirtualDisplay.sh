# Sourced by the game's shell tests that need a display of their own, so that no other test's
# window takes the focus or the keys.
#
# start_virtual_display FOLDER starts an Xvfb (1366x768x24, large enough for the whole window),
# exports its DISPLAY and sets xvfb_pid; the display number is read through files in FOLDER. The
# display counts as started once xdotool has talked to it; "-noreset" keeps the server from
# resetting when that first client leaves, which would refuse the game's connection for a
# moment. A display that does not answer is stopped and another one started, three times at
# most; then the function answers 1 and the caller says what failed.
start_virtual_display() {
    local folder="$1" attempt display_file ready=""
    for attempt in 1 2 3; do
        display_file="$folder/display$attempt"
        Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1366x768x24 3>"$display_file" 2>/dev/null &
        xvfb_pid=$!
        for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
        if [ -s "$display_file" ]; then
            export DISPLAY=":$(head -n 1 "$display_file")"
            for _ in $(seq 20); do
                kill -0 "$xvfb_pid" 2>/dev/null || break
                xdotool getdisplaygeometry > /dev/null 2>&1 && { ready=yes; break; }
                sleep 0.1
            done
        fi
        [ -n "$ready" ] && return 0
        echo "the virtual display did not answer (attempt $attempt)"
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    done
    return 1
}

# start_game_window OUT COMMAND... starts COMMAND in the background, its output in OUT, and waits
# up to 30 s for its window named "Quillmere"; it sets pid and window (empty when none showed)
# and answers 1 without a window. A start the display refused (the windowing library ends at
# once, exit 255 with its line in OUT) is tried again, twice at most, and says so.
start_game_window() {
    local out="$1" attempt rc
    shift
    for attempt in 1 2 3; do
        "$@" > "$out" 2>&1 &
        pid=$!
        window=""
        for _ in $(seq 300); do
            window=$(xdotool search --name '^Quillmere$' 2>/dev/null | head -n 1)
            [ -n "$window" ] && return 0
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -TERM "$pid" 2>/dev/null
        wait "$pid"
        rc=$?
        pid=""
        [ $rc -eq 255 ] && grep -q "Error \[Window\]" "$out" || return 1
        echo "the windowing library did not start (attempt $attempt): $(cat "$out")"
        sleep 1
    done
    return 1
}
