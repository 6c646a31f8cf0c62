#!/usr/bin/env bash
# The real program under Xvfb: its window, its picture against the capture
# tool's, ending on a close request and on SIGTERM, and the window drag.
# Usage: velmora_window_test.sh VELMORA VELMORA_CAPTURE DATA_ROOT WORK_DIR
set -uo pipefail
here=$(dirname "$0")
. "$here/xvfb.sh"
velmora=${1:-} capture=${2:-} data_root=$3 work=$4
if [ ! -x "$velmora" ] || [ ! -x "$capture" ]; then
    echo "SKIPPED: velmora or velmora-capture is not built yet"
    exit $skip_status
fi
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

start_xvfb
export SDL_AUDIODRIVER=dummy

# Starts the program and waits for its window. A start that the X server turned
# away (the program ends at once, saying no display could be opened) is made
# again, up to three times: that is the test machine's X server, not the disk.
start_velmora() {
    local attempt
    for attempt in 1 2 3; do
        (cd "$data_root" && exec "$velmora") 2>"$work/velmora-stderr" &
        velmora_pid=$!
        window=""
        for _ in $(seq 100); do
            window=$(xdotool search --classname musicdisk 2>/dev/null | head -1)
            [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep -q IsViewable && return 0
            if ! kill -0 "$velmora_pid" 2>/dev/null; then
                break
            fi
            sleep 0.05
        done
        cat "$work/velmora-stderr"
        grep -q "no display could be opened" "$work/velmora-stderr" || return 1
        echo "start $attempt: the X server turned the program away; xdpyinfo: $(xdpyinfo >/dev/null 2>&1 && echo answers || echo fails)"
        sleep 0.5
    done
    return 1
}

# Waits up to a second for the program to end; sets status to its exit status, or "running".
# VELMORA_E2E_EXIT_SECONDS allows longer, for sanitizer builds, whose exit takes seconds.
wait_a_second() {
    for _ in $(seq $((20 * ${VELMORA_E2E_EXIT_SECONDS:-1}))); do
        if ! kill -0 "$velmora_pid" 2>/dev/null; then
            wait "$velmora_pid"
            status=$?
            return
        fi
        sleep 0.05
    done
    status=running
    kill -9 "$velmora_pid" 2>/dev/null
    wait "$velmora_pid" 2>/dev/null
}

start_velmora || { fail "no window appeared"; exit 1; }
geometry=$(xwininfo -id "$window")
grep -q "Absolute upper-left X:  10$" <<<"$geometry" || fail "window not at x 10"
grep -q "Absolute upper-left Y:  100$" <<<"$geometry" || fail "window not at y 100"
grep -q "Width: 820$" <<<"$geometry" || fail "window not 820 wide"
grep -q "Height: 320$" <<<"$geometry" || fail "window not 320 high"
xprop -id "$window" WM_CLASS | grep -q '"musicdisk"' || fail "class is not musicdisk"
xprop -id "$window" WM_NAME _NET_WM_NAME | grep -q '"Velmora 2"' || fail "title is not Velmora 2"

# The fully faded-in logo, two seconds after the program clock started.
sleep 2.5
import -window "$window" "$work/window.png"
convert "$work/window.png" -crop 818x318+1+1 +repage "$work/client.png"
"$capture" --data "$data_root" --seconds 3 --shot "2000:$work/capture.png" >/dev/null ||
    fail "the capture tool did not run"
difference=$(image_difference "$work/client.png" "$work/capture.png")
echo "window against capture tool at 2 s: $difference"
read -r _ max _ mean <<<"$difference"
awk -v m="$max" -v a="$mean" 'BEGIN { exit !(m <= 16 && a <= 1.0) }' || fail "the pictures differ (see $work)"

# The drag: press inside, move relative to where the mouse is, release. The
# drag begins at the first move with the button down; the window follows from there.
xdotool mousemove --window "$window" 400 150 mousedown 1
sleep 0.2
xdotool mousemove_relative -- 1 1
sleep 0.2
xdotool mousemove_relative -- 30 40
sleep 0.3
xdotool mouseup 1
sleep 0.3
moved=$(xwininfo -id "$window")
grep -q "Absolute upper-left X:  40$" <<<"$moved" && grep -q "Absolute upper-left Y:  140$" <<<"$moved" ||
    fail "the drag did not move the window by (30, 40): $(grep 'upper-left' <<<"$moved" | tr -s ' ' | tr '\n' ' ')"

kill -TERM "$velmora_pid"
wait_a_second
[ "$status" = 0 ] || fail "SIGTERM: exit status $status"

start_velmora || { fail "no window on the second start"; exit 1; }

# The main screen, fully faded in, above the equalizer: below its top row the
# cells follow the music's timing, the marquee the clock and the lights their
# tick-count seeding, so every run's picture there is its own.
sleep 9
import -window "$window" "$work/main-window.png"
convert "$work/main-window.png" -crop 818x114+1+1 +repage "$work/main-client.png"
"$capture" --data "$data_root" --seconds 10 --shot "9000:$work/main-capture-full.png" >/dev/null ||
    fail "the capture tool did not run the main screen"
convert "$work/main-capture-full.png" -crop 818x114+0+0 +repage "$work/main-capture.png"
difference=$(image_difference "$work/main-client.png" "$work/main-capture.png")
echo "main screen above the equalizer against capture tool: $difference"
read -r _ max _ mean <<<"$difference"
awk -v m="$max" -v a="$mean" 'BEGIN { exit !(m <= 16 && a <= 1.0) }' || fail "the main screens differ (see $work)"

xdotool windowfocus --sync "$window" key alt+F4
wait_a_second
[ "$status" = 0 ] || fail "Alt+F4: exit status $status"

[ $failures -eq 0 ]
