#!/bin/bash
# Plays a short evening on the Windows program's real window under Wine with
# mouse clicks and keys, then compares its autosave file byte for byte with
# the one the logic writes for the same evening. Needs a display (xvfb-run),
# xdotool and ImageMagick's import.
#   gui_evening.sh EVENING_PLAN WINE_RUN PREFIX KARTOTRIX.EXE WORK
set -euo pipefail
plan_tool=$1 wine_run=$2 prefix=$3 exe=$4 work=$5

rm -rf "$work"
mkdir -p "$work/program" "$work/reference"
cp "$exe" "$work/program/kartotrix.exe"
"$plan_tool" "$work/reference" >"$work/plan.txt"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
fail() {
    echo "gui_evening: $*" >&2
    import -window root "$work/failure.png" 2>/dev/null || true
    echo "gui_evening: the screen is in $work/failure.png" >&2
    exit 1
}

# Wine draws the frame and the title bar itself, as Windows does.
"$wine_run" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null
"$wine_run" "$prefix" "$(windows_path "$work/program/kartotrix.exe")" >"$work/program.log" 2>&1 &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

# find_window NAME: the window of exactly that name, waiting up to a minute (the
# first start of a Wine prefix is slow).
find_window() {
    local id
    for _ in $(seq 1 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        kill -0 $program 2>/dev/null || fail "the program ended while waiting for \"$1\""
        sleep 0.1
    done
    fail "no window \"$1\""
}
wait_gone() {
    for _ in $(seq 1 100); do
        xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window $1 stays open"
}
settle() { sleep 0.3; }
at() { xdotool mousemove $((origin_x + $1)) $((origin_y + $2)); }

main=$(find_window "  Kartotrix  ")
sleep 1
# A click on the status bar gives the window the keyboard.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 8)) click 1
settle
origin_x=0 origin_y=0 last=""
while read -r step a b c; do
    echo "$step $a $b $c" >>"$work/steps.log"
    case $step in
        menu)
            xdotool key alt
            for _ in $(seq 1 "$a"); do xdotool key Right; done
            xdotool key Down
            for _ in $(seq 1 "$b"); do xdotool key Down; done
            xdotool key Return ;;
        origin)
            # Where the drawing area begins, once the new pad's ruling is on screen.
            for _ in $(seq 1 20); do
                sleep 0.5
                import -window root -depth 8 "$work/origin.ppm"
                found=$("$plan_tool" --origin "$work/origin.ppm" 2>/dev/null) && break
            done
            [ -n "${found:-}" ] || fail "the new pad's ruling does not appear"
            read -r origin_x origin_y <<<"$found" ;;
        click) at "$a" "$b"; xdotool click 1 ;;
        ctrlclick) at "$a" "$b"; xdotool keydown ctrl click 1 keyup ctrl ;;
        pick)
            # Up to the first item (Home does not reach it everywhere), then down.
            at "$a" "$b"; xdotool click 1; settle
            xdotool key --delay 20 $(printf 'Up %.0s' $(seq 1 30))
            [ "$c" -gt 0 ] && xdotool key --delay 20 $(printf 'Down %.0s' $(seq 1 "$c"))
            xdotool key Return ;;
        type) at "$a" "$b"; xdotool click 1 key ctrl+a; xdotool type --delay 40 "$c" ;;
        answer)
            box=$(find_window Kartotrix)
            sleep 0.3
            xdotool type --delay 40 "$a"
            xdotool key Return
            wait_gone "$box" ;;
        key) xdotool key "$a" ;;
        write) xdotool type --delay 40 "$a${b:+ $b}${c:+ $c}" ;;
        window) last=$(find_window "$a${b:+ $b}") ;;
        gone) wait_gone "$last" ;;
        *) fail "unknown step $step" ;;
    esac
    settle
done <"$work/plan.txt"

# The window as it looks now; then quitting asks, Escape keeps the program,
# and without the question Ctrl+Q ends it.
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/evening.png"
xdotool key ctrl+q
question=$(find_window Kartotrix)
xdotool key Escape
wait_gone "$question"
kill -0 $program 2>/dev/null || fail "cancelling the question ended the program"
xdotool key ctrl+b
settle
xdotool key ctrl+q
for _ in $(seq 1 100); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
kill -0 $program 2>/dev/null && fail "Ctrl+Q did not end the program"
trap - EXIT

written="$work/program/autosave.hsc"
[ -f "$written" ] || fail "no autosave.hsc was written"
# The pad's start time is the one thing the clicks do not decide.
start=$(od -An -tu4 -j18 -N4 "$written" | tr -d ' ')
"$plan_tool" "$work/reference" "$start" >/dev/null
# The journal block's times are the clock's, so the pad is compared without
# its checked blocks (their length stands in the header word at offset 26);
# that the window wrote a journal at all is checked by its length.
without_blocks() {
    size=$(stat -c %s "$1")
    blocks=$(od -An -tu4 -j26 -N4 "$1" | tr -d ' ')
    { head -c 26 "$1"; printf '\0\0\0\0'; tail -c +31 "$1" | head -c $((size - 30 - blocks)); } >"$2"
}
[ "$(od -An -tu4 -j26 -N4 "$written" | tr -d ' ')" -gt 0 ] || fail "autosave.hsc has no journal"
without_blocks "$work/reference/autosave.hsc" "$work/reference.plain"
without_blocks "$written" "$work/written.plain"
cmp "$work/reference.plain" "$work/written.plain" || fail "autosave.hsc differs from the logic's"
echo "gui_evening: the window's evening matches the logic's byte for byte"
