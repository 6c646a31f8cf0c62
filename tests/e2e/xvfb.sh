# Sourced by the end-to-end tests: starts a private Xvfb on a free display and
# exports DISPLAY, or exits with the skip status when no X server can start.
skip_status=77

start_xvfb() {
    if ! command -v Xvfb >/dev/null; then
        echo "SKIPPED: Xvfb is not installed"
        exit $skip_status
    fi
    local number
    for number in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        # -noreset: the server would otherwise reset whenever its last client leaves,
        # and refuse the next connection for that moment.
        Xvfb ":$number" -screen 0 1280x720x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            if [ -e "/tmp/.X11-unix/X$number" ] && xdpyinfo -display ":$number" >/dev/null 2>&1; then
                export DISPLAY=":$number"
                trap stop_xvfb EXIT
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    done
    echo "SKIPPED: Xvfb could not start on any display from :90 to :140"
    exit $skip_status
}

# Xvfb has been seen to outlive its SIGTERM; after two seconds it is killed outright.
stop_xvfb() {
    [ -n "${xvfb_pid:-}" ] || return 0
    kill "$xvfb_pid" 2>/dev/null
    for _ in $(seq 20); do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
}

# Per-pixel difference of two same-sized images: prints "max M mean A" in 8-bit steps.
image_difference() {
    local peak mean
    peak=$(compare -metric PAE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
    mean=$(compare -metric MAE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
    awk -v p="$peak" -v m="$mean" 'BEGIN { printf "max %.1f mean %.3f\n", p * 255, m * 255 }'
}
