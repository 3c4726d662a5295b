#!/bin/bash
# Renews the screenshots in docs/ under a virtual display.
# Needs xvfb, xdotool and ImageMagick; run after `make test` (uses build/).
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
shot quick "F2 1 space 3 space 5" "$pads/abend-4.hsc"
rm -rf "$pads"
ls -l docs/*.png
