#!/bin/bash
# Renews the screenshots in docs/ under a virtual display.
# Needs xvfb, xdotool, ImageMagick, pdftoppm (poppler-utils) and chromium; run after `make test` (uses build/).
set -euo pipefail
build=${1:-build}
program="$build/src/app/kartotrix"
pads=$(mktemp -d)
"$build/tests/demo_pads" "$pads"
mkdir -p docs

# shot NAME KEYS PAD: starts the program, optionally presses keys, saves docs/NAME.png
shot() {
    local name=$1 keys=$2 pad=${3:-}
    xvfb-run -a -s "-screen 0 1280x900x24" bash -c "
        $program $pad & pid=\$!
        sleep 2
        window=\$(xdotool search --name '  Kartotrix  ' | head -n 1)
        if [ -n '$keys' ]; then xdotool key --window \$window $keys; sleep 1; fi
        xdotool mousemove 700 650; sleep 0.3
        eval \$(xdotool getwindowgeometry --shell \$window)
        import -window root -crop \${WIDTH}x\${HEIGHT}+\${X}+\${Y} +repage docs/$name.png
        kill \$pid" 2>/dev/null
}

shot start ""
shot pad-4 "" "$pads/abend-4.hsc"
shot pad-6 "" "$pads/abend-6.hsc"
shot about "ctrl+v" "$pads/abend-4.hsc"
shot quit "ctrl+q" "$pads/abend-4.hsc"

# extras NAME TITLE ENTRY [FOLDER]: opens entry ENTRY (1 = "Abrechnung…") of
# the menu "Extras" on the 6-player pad, types FOLDER into a folder dialog if
# given, and saves the window called TITLE as docs/NAME.png.
extras() {
    local name=$1 title=$2 entry=$3 folder=${4:-}
    xvfb-run -a -s "-screen 0 1280x900x24" bash -c "
        $program $pads/abend-6.hsc & pid=\$!
        sleep 2
        window=\$(xdotool search --name '  Kartotrix  ' | head -n 1)
        eval \$(xdotool getwindowgeometry --shell \$window)
        xdotool mousemove \$((X + 190)) \$((Y + 8)) click 1; sleep 0.5
        for i in \$(seq $entry); do xdotool key Down; done; xdotool key Return; sleep 1.5
        if [ -n '$folder' ]; then xdotool type --delay 20 '$folder/'; xdotool key Return; sleep 1; xdotool key Return; sleep 1.5; fi
        dialog=\$(xdotool search --name '^$title\$' | tail -n 1)
        eval \$(xdotool getwindowgeometry --shell \$dialog)
        import -window root -crop \${WIDTH}x\${HEIGHT}+\${X}+\${Y} +repage docs/$name.png
        kill \$pid" 2>/dev/null
}
extras abrechnung Abrechnung 1
extras statistik Statistik 6 "$pads"
# The chart and the sheet as the command line makes them.
"$program" --verlauf "$pads/abend-6.hsc" docs/verlauf.png 2>/dev/null
"$program" --pdf "$pads/abend-6.hsc" "$pads/blatt.pdf" 2>/dev/null
pdftoppm -r 80 -png -singlefile "$pads/blatt.pdf" docs/blatt
shot quick "F2 1 space 3 space 5" "$pads/abend-4.hsc"

# The window "Spielwert" on the 4-player pad, worked with the keyboard: Anna
# and Carla are Re with 130, "Re"; Kontra says "keine 90"; Re caught a fox.
spielwert() {
    xvfb-run -a -s "-screen 0 1280x900x24" bash -c "
        $program $pads/abend-4.hsc & pid=\$!
        sleep 2
        window=\$(xdotool search --name '  Kartotrix  ' | head -n 1)
        xdotool key --window \$window F3; sleep 1
        for k in Tab space Tab Tab space Tab Tab; do xdotool key \$k; sleep 0.1; done
        xdotool type --delay 40 130
        for k in Tab Tab space Tab Tab Tab Down Tab Tab Tab Tab Tab; do xdotool key \$k; sleep 0.1; done
        xdotool type --delay 40 1; sleep 0.5
        dialog=\$(xdotool search --name '^Spielwert\$' | tail -n 1)
        eval \$(xdotool getwindowgeometry --shell \$dialog)
        import -window root -crop \${WIDTH}x\${HEIGHT}+\${X}+\${Y} +repage docs/spielwert.png
        kill \$pid" 2>/dev/null
}
spielwert

# The board on the room's screen with the phone view switched on, and the
# phone page as headless chromium shows it on a screen 360 pixels wide.
board() {
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
        $program --handy $pads/abend-6.hsc > $pads/url.txt & pid=\$!
        sleep 3
        import -window root docs/tafel.png
        chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=360,740 \\
            --virtual-time-budget=3000 --screenshot=docs/handy.png \$(head -n 1 $pads/url.txt)
        kill \$pid" 2>/dev/null
}
board
rm -rf "$pads"
ls -l docs/*.png
