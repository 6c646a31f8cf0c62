#!/usr/bin/env bash
# The OpenGL device under Xvfb and the software device draw the same test frame.
# Usage: gfx_frame_test.sh GL_PROGRAM SOFT_PROGRAM WORK_DIR
set -uo pipefail
here=$(dirname "$0")
. "$here/xvfb.sh"
gl_program=$1 soft_program=$2 work=$3
max_allowed=8 mean_allowed=0.5

mkdir -p "$work"
"$soft_program" "$work/soft.png" || { echo "FAIL: the software frame could not be drawn"; exit 1; }
start_xvfb
SDL_AUDIODRIVER=dummy "$gl_program" "$work/gl.png" || { echo "FAIL: the OpenGL frame could not be drawn"; exit 1; }

difference=$(image_difference "$work/gl.png" "$work/soft.png")
echo "OpenGL against software: $difference (allowed: max $max_allowed, mean $mean_allowed)"
read -r _ max _ mean <<<"$difference"
awk -v m="$max" -v a="$mean" -v mm="$max_allowed" -v ma="$mean_allowed" 'BEGIN { exit !(m <= mm && a <= ma) }' ||
    { echo "FAIL: the pictures differ (see $work)"; exit 1; }
