#!/usr/bin/env bash
# Whole-process measurements of the real program under Xvfb, each beside its
# floor, repeated and reported as medians.
# Usage: bench/measure.sh BUILD_DIR startup|cpu|memory|underruns|all [REPEATS]
#        bench/measure.sh BUILD_DIR compare OTHER_BUILD_DIR [REPEATS]
#   startup    process start to the first presented frame, shipped and 50-track disk,
#              the real program (through the first-frame probe) and the capture tool
#   cpu        CPU per screen over a run through logo, intro, main, about and info,
#              with the audio floor and the graphics floor measured in the same run, and
#              the drawing floor of each screen: the graphics floor filling as many
#              pixels as the screen's quads cover (their "layers", from frame_cost_bench)
#   memory     peak resident memory, shipped and 50-track disk, beside the graphics floor
#              and the main screen's drawing floor
#   underruns  60 s of sound with every core kept busy by another process
#              (BUSY_LOOPS=N for N busy processes instead of one per core)
#   compare    the shipped disk's start-up in two builds (before and after a change),
#              started alternately, so that both see the same machine
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:?build folder}" && pwd)
what=${2:-all}
if [ "$what" = compare ]; then
    other=$(cd "${3:?the other build folder}" && pwd)
    repeats=${4:-25}
else
    repeats=${3:-5}
fi
velmora=$build/velmora
capture=$build/velmora-capture
probe=$build/velmora-first-frame-probe.so
gl_floor=$build/velmora-gl-floor
audio_floor=$build/velmora-audio-floor
frame_cost=$build/bench/frame_cost_bench
for binary in "$velmora" "$capture" "$probe" "$gl_floor" "$audio_floor" "$frame_cost"; do
    [ -e "$binary" ] || { echo "missing $binary: build velmora velmora-capture velmora-gl-floor velmora-audio-floor velmora-first-frame-probe frame_cost_bench"; exit 2; }
done

. "$root/tests/e2e/xvfb.sh"
start_xvfb
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
# A device that consumes the sound at the real pace and writes it nowhere.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
ticks=$(getconf CLK_TCK)

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
now_ns() { date +%s%N; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
peak_kb() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status"; }
note_load() { echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"; }

# The shipped pictures and effect with 50 tracks made of the shipped music,
# each under a name of its own, in the disk's configuration format.
make_50_track_disk() {
    local disk=$work/disk50 types=(mod stream mod) files=(glass_harbour.xm night_ferry.ogg paper_robots.mod)
    mkdir -p "$disk/data/music"
    cp "$root"/data/{font.png,gui.fx,velmora.png} "$disk/data/"
    {
        echo 50
        for i in $(seq 0 49); do
            local k=$((i % 3)) name="track_$i.${files[$((i % 3))]##*.}"
            cp "$root/data/music/${files[$k]}" "$disk/data/music/$name"
            printf '%s\n%s\n%s\n' "${types[$k]}" "$name" "Track number $i"
        done
        sed '1,10d' "$root/data/disk.cfg"
    } >"$disk/data/disk.cfg"
    echo "$disk"
}

# Milliseconds from just before the exec to the first SDL_GL_SwapWindow of the
# program on a disk, or of the graphics floor when no disk is given.
first_frame_ms() {
    local disk=${1:-} t0
    t0=$(now_ns)
    if [ -n "$disk" ]; then
        (cd "$disk" && VELMORA_PROBE_T0=$t0 VELMORA_PROBE_EXIT=1 LD_PRELOAD=$probe exec "$velmora")
    else
        VELMORA_PROBE_T0=$t0 VELMORA_PROBE_EXIT=1 LD_PRELOAD=$probe "$gl_floor" 5
    fi 2>&1 | awk '/^first-frame-ms/ { print $2 }'
}

# Wall milliseconds of a capture-tool run that ends after its first presented frame.
capture_first_frame_ms() {
    local disk=$1 t0 t1
    t0=$(now_ns)
    "$capture" --data "$disk" --seconds 0.001 >/dev/null 2>&1
    t1=$(now_ns)
    echo $(((t1 - t0) / 1000000))
}

# The floor and the two disks are started in turn, so that each repeat sees the
# same machine: the shared machine's load moves all three alike, and the median
# of the program's time over the floor's varies far less than either time alone.
startup() {
    local disk50 floor shipped fifty
    disk50=$(make_50_track_disk)
    note_load
    first_frame_ms >/dev/null  # the first runs only fill the page cache
    first_frame_ms "$root" >/dev/null
    first_frame_ms "$disk50" >/dev/null
    : >"$work/startup"
    for _ in $(seq "$repeats"); do
        floor=$(first_frame_ms)
        shipped=$(first_frame_ms "$root")
        fifty=$(first_frame_ms "$disk50")
        echo "$floor $shipped $fifty" >>"$work/startup"
    done
    column() { awk -v c="$1" '{ print $c }' "$work/startup" | median; }
    over() { awk -v c="$1" '{ print $c - $1 }' "$work/startup" | median; }
    echo "startup graphics floor: $(column 1) ms to the first frame (median of $repeats)"
    echo "startup shipped: real program under Xvfb $(column 2) ms to the first frame, $(over 2) ms over the floor started just before it"
    echo "startup 50-track: real program under Xvfb $(column 3) ms to the first frame, $(over 3) ms over the floor"
    local label disk capture_ms
    for label in shipped 50-track; do
        disk=$root
        [ "$label" = 50-track ] && disk=$disk50
        capture_ms=$(for _ in $(seq "$repeats"); do capture_first_frame_ms "$disk"; done | median)
        echo "startup $label: capture tool ${capture_ms} ms for a whole one-frame run (median of $repeats)"
    done
}

# Starts the program on a disk; sets pid and window.
start_program() {
    (cd "$1" && exec "$velmora") &
    pid=$!
    window=""
    for _ in $(seq 200); do
        window=$(xdotool search --classname musicdisk 2>/dev/null | head -1)
        [ -n "$window" ] && return 0
        sleep 0.05
    done
    return 1
}

stop_program() {
    kill -TERM "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

# CPU percent of the process over the next $1 seconds.
cpu_percent_over() {
    local seconds=$1 before after
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    awk -v b="$before" -v a="$after" -v s="$seconds" -v t="$ticks" 'BEGIN { printf "%.2f\n", (a - b) / t / s * 100 }'
}

# Held for 0.1 s, as a hand presses it: the screens read keys once per frame, and
# xdotool's own "key" presses and releases within one frame.
key() {
    xdotool windowfocus --sync "$window" keydown "$1" 2>/dev/null
    sleep 0.1
    xdotool keyup "$1" 2>/dev/null
}

# CPU percent of a whole command that runs for about its given seconds.
cpu_percent_of() {
    local seconds=$1
    shift
    /usr/bin/time -f '%U %S' -o "$work/time" "$@" >/dev/null 2>&1
    awk -v s="$seconds" '{ printf "%.2f\n", ($1 + $2) / s * 100 }' "$work/time"
}

# "screen layers" lines: the back buffers' worth of pixels each screen's quads
# cover per frame, counting overlaps, from the headless run of the shipped disk.
screen_layers() {
    "$frame_cost" --benchmark_format=console 2>/dev/null |
        awk '/iterations/ { split($1, name, "/"); sub("mainWithEqualizer", "main", name[1])
             for (i = 1; i <= NF; i++) if ($i ~ /^layers=/) { sub("layers=", "", $i); print name[1], $i } }'
}

# One run through the five screens; prints "screen percent" lines, then the floors of the same run.
one_cpu_run() {
    start_program "$root" || { echo "no window"; return 1; }
    # The logo shows for 3 s after loading, the intro for 3 s more (both with their fades).
    sleep 0.6
    echo "logo $(cpu_percent_over 2.2)"
    sleep 1.6
    echo "intro $(cpu_percent_over 1.6)"
    sleep 1.6
    echo "main $(cpu_percent_over 20)"
    key a
    sleep 1.5
    echo "about $(cpu_percent_over 20)"
    key i
    sleep 1.5
    echo "info $(cpu_percent_over 20)"
    stop_program
    echo "gl-floor $(cpu_percent_of 20 "$gl_floor" 20)"
    echo "audio-floor $(cpu_percent_of 20 "$audio_floor" --seconds 20 "$root/data/music/glass_harbour.xm")"
    cp "$root/data/music/glass_harbour.xm" "$work/render.xm"
    echo "openmpt123 $(cpu_percent_of 20 openmpt123 --quiet --render --force --end-time 20 "$work/render.xm")"
    local screen layers
    while read -r screen layers; do
        echo "drawing-floor-$screen $(cpu_percent_of 10 "$gl_floor" 10 --layers "$layers")"
    done <"$work/layers"
}

cpu() {
    note_load
    screen_layers >"$work/layers"
    for run in $(seq "$repeats"); do one_cpu_run | sed "s/^/$run /"; done >"$work/cpu"
    local floor_sum audio
    floor_sum=$(awk '$2 == "gl-floor" || $2 == "audio-floor" { s[$1] += $3 } END { for (r in s) print s[r] }' "$work/cpu" | median)
    audio=$(awk '$2 == "audio-floor" { print $3 }' "$work/cpu" | median)
    for name in gl-floor audio-floor openmpt123 logo intro main about info; do
        local value drawing layers
        value=$(awk -v n="$name" '$2 == n { print $3 }' "$work/cpu" | median)
        case $name in
            logo | intro | main | about | info)
                drawing=$(awk -v n="drawing-floor-$name" '$2 == n { print $3 }' "$work/cpu" | median)
                layers=$(awk -v n="$name" '$1 == n { print $2 }' "$work/layers")
                echo "cpu $name: ${value} % of one core; floors ${floor_sum} %; ratio $(awk -v v="$value" -v f="$floor_sum" 'BEGIN { printf "%.2f", v / f }') (target <= 1.20)"
                echo "cpu $name: drawing floor for its ${layers} layers ${drawing} % + audio floor ${audio} %; ratio $(awk -v v="$value" -v d="$drawing" -v a="$audio" 'BEGIN { printf "%.2f", v / (d + a) }')" ;;
            *) echo "cpu $name: ${value} % of one core (20 s of music or frames)" ;;
        esac
    done
    echo "(median of $repeats runs; logo over 2.2 s and intro over 1.6 s, the time they stay on screen; drawing floors over 10 s)"
}

peak_of_program() {
    start_program "$1" || { echo 0; return; }
    sleep 10
    peak_kb "$pid"
    stop_program
}

memory() {
    local disk50 shipped fifty floor drawing main_layers
    disk50=$(make_50_track_disk)
    note_load
    main_layers=$(screen_layers | awk '$1 == "main" { print $2 }')
    shipped=$(for _ in $(seq "$repeats"); do peak_of_program "$root"; done | median)
    fifty=$(for _ in $(seq "$repeats"); do peak_of_program "$disk50"; done | median)
    floor=$(for _ in $(seq "$repeats"); do
        /usr/bin/time -f '%M' -o "$work/time" "$gl_floor" 5 >/dev/null 2>&1
        cat "$work/time"
    done | median)
    drawing=$(for _ in $(seq "$repeats"); do
        /usr/bin/time -f '%M' -o "$work/time" "$gl_floor" 10 --layers "$main_layers" >/dev/null 2>&1
        cat "$work/time"
    done | median)
    echo "memory: the main screen's drawing floor ($main_layers layers, an atlas and a font texture) $((drawing / 1024)) MB (floor + $(((drawing - floor) / 1024)) MB)"
    echo "memory: graphics floor $((floor / 1024)) MB; shipped disk $((shipped / 1024)) MB (floor + $(((shipped - floor) / 1024)) MB, target + 32 MB); 50-track disk $((fifty / 1024)) MB (floor + $(((fifty - floor) / 1024)) MB)"
}

underruns() {
    note_load
    local busy=()
    for _ in $(seq "${BUSY_LOOPS:-$(nproc)}"); do
        sh -c 'while :; do :; done' &
        busy+=($!)
    done
    start_program "$root"
    local counted
    counted=$("$audio_floor" --seconds 60 "$root/data/music/glass_harbour.xm")
    stop_program
    kill "${busy[@]}"
    wait "${busy[@]}" 2>/dev/null
    echo "underruns: ${counted#underruns } in 60 s of the disk's own audio output, with ${BUSY_LOOPS:-$(nproc)} busy loops and the program running"
}

# The shipped disk's first frame with the program and probe of another build folder.
first_frame_of() {
    local velmora=$1/velmora probe=$1/velmora-first-frame-probe.so
    first_frame_ms "$root"
}

compare() {
    note_load
    first_frame_of "$other" >/dev/null
    : >"$work/compare"
    local folder
    for _ in $(seq "$repeats"); do
        for folder in "$other" "$build"; do echo "$folder $(first_frame_of "$folder")"; done >>"$work/compare"
    done
    for folder in "$other" "$build"; do
        echo "compare $folder: $(awk -v f="$folder" '$1 == f { print $2 }' "$work/compare" | median) ms to the first frame (median of $repeats, shipped disk)"
    done
}

case $what in
    startup | cpu | memory | underruns | compare) $what ;;
    all) startup; memory; underruns; cpu ;;
    *) echo "unknown measurement $what"; exit 2 ;;
esac
