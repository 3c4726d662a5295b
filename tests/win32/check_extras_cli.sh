#!/bin/bash
# The Windows program's window-less commands of "Extras" answer as the Linux
# program does: the settlement, the spreadsheet and the statistics of a set of
# pads byte for byte, their refusals with the same message and exit status,
# the same help text. Apart from that, "--verlauf" writes a PNG of the chart
# and "--pdf" says that it is not offered and writes nothing.
#   check_extras_cli.sh LINUX_BUILD WINE_RUN PREFIX KARTOTRIX.EXE WORK
set -euo pipefail
linux=$1 wine_run=$2 prefix=$3 exe=$4 work=$5
rm -rf "$work"
mkdir -p "$work/pads" "$work/leer" "$work/linux" "$work/windows"
# The Qt program that draws would otherwise warn about it on standard error.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
"$linux/tests/demo_pads" "$work/pads"
"$linux/tests/evening_plan" "$work/pads" >/dev/null
mv "$work/pads/autosave.hsc" "$work/pads/abend-umlaute.hsc"
printf 'Kartotrix---kein Block' >"$work/pads/kaputt.hsc"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
# File names in the Windows program's messages, written as on Linux; no \r.
# The usage line of "--pdf" says that Windows lacks it; otherwise the same.
as_linux() {
    local text
    text=$(tr -d '\r'; printf x)
    text=${text%x}
    printf '%s' "${text//"$(windows_path "$work")"/"$work"}" | sed -e 's|\\|/|g' -e "s/$pdf_note\$/ (PDF)/"
}
pdf_note=' (PDF; unter Windows nicht angeboten)'

failed=0

# compare NAME ARGUMENTS...: runs both programs with the arguments (a word
# starting with @ is a file name below WORK) and compares status and output.
compare() {
    local name=$1 linux_args=() windows_args=()
    shift
    for a in "$@"; do
        if [[ $a == @* ]]; then
            linux_args+=("$work/${a#@}")
            windows_args+=("$(windows_path "$work/${a#@}")")
        else
            linux_args+=("$a")
            windows_args+=("$a")
        fi
    done
    set +e
    "$linux/src/app/kartotrix" "${linux_args[@]}" >"$work/linux/$name.out" 2>"$work/linux/$name.err"
    local linux_status=$?
    "$wine_run" "$prefix" "$exe" "${windows_args[@]}" >"$work/windows/$name.raw" 2>"$work/windows/$name.rawerr"
    local windows_status=$?
    set -e
    # Only the statistics name a folder on standard output.
    if [[ $name == statistik* ]]; then
        as_linux <"$work/windows/$name.raw" >"$work/windows/$name.out"
    else
        cp "$work/windows/$name.raw" "$work/windows/$name.out"
    fi
    as_linux <"$work/windows/$name.rawerr" >"$work/windows/$name.err"
    if [ "$linux_status" != "$windows_status" ]; then
        echo "$name: status $linux_status on Linux, $windows_status on Windows"
        failed=1
    elif ! cmp -s "$work/linux/$name.out" "$work/windows/$name.out"; then
        echo "$name: standard output differs"
        diff "$work/linux/$name.out" "$work/windows/$name.out" | head -20 || true
        failed=1
    elif ! cmp -s "$work/linux/$name.err" "$work/windows/$name.err"; then
        echo "$name: messages differ"
        diff "$work/linux/$name.err" "$work/windows/$name.err" | head -20 || true
        failed=1
    else
        echo "$name: status $linux_status, the same on both"
    fi
}

for pad in "$work"/pads/*.hsc; do
    name=$(basename "$pad" .hsc)
    compare "abrechnung-$name" --abrechnung "@pads/$name.hsc"
    compare "csv-$name" --csv "@pads/$name.hsc"
done
compare abrechnung-10ct --abrechnung "@pads/abend-6.hsc" --cent 10
compare abrechnung-1000ct -cent=1000 -abrechnung "@pads/abend-5.hsc"
compare abrechnung-0ct --abrechnung "@pads/abend-5.hsc" --cent 0
compare abrechnung-fehlt --abrechnung "@pads/fehlt.hsc"
compare abrechnung-ohne-wert --abrechnung "@pads/abend-4.hsc" --cent
compare cent-allein --cent 5 "@pads/abend-4.hsc"
compare statistik --statistik @pads
compare statistik-leer --statistik @leer
compare statistik-fehlt --statistik @fehlt
compare zwei-befehle --csv "@pads/abend-4.hsc" --statistik @pads
compare hilfe-wert -help=3
compare spielwert --spielwert --augen 170 --re-ansagen re,60 --kontra-ansagen 60 \
    --kontra-sonderpunkte doppelkopf
compare spielwert-solo -spielwert --augen=200 --re-ansagen re --solo
compare spielwert-unmoeglich --spielwert --augen 100 --re-sonderpunkte fuchs,fuchs \
    --kontra-sonderpunkte fuchs
compare spielwert-ohne-augen --spielwert --solo
compare solo-allein --solo --csv "@pads/abend-4.hsc"

# To a file: the same bytes as on Linux.
set +e
"$linux/src/app/kartotrix" --csv "$work/pads/abend-5.hsc" "$work/linux/tabelle.csv"
"$wine_run" "$prefix" "$exe" --csv "$(windows_path "$work/pads/abend-5.hsc")" \
    "$(windows_path "$work/windows/tabelle.csv")"
set -e
cmp "$work/linux/tabelle.csv" "$work/windows/tabelle.csv" || failed=1

# The chart: refusals as on Linux; a PNG of 1200 x 720 pixels.
compare verlauf-kaputt --verlauf @pads/kaputt.hsc @windows/kaputt.png
compare verlauf-kein-ordner --verlauf @pads/abend-4.hsc @fehlt/verlauf.png
[ ! -e "$work/windows/kaputt.png" ] || { echo "verlauf: a refused pad was drawn"; failed=1; }
"$wine_run" "$prefix" "$exe" --verlauf "$(windows_path "$work/pads/abend-6.hsc")" \
    "$(windows_path "$work/windows/verlauf.png")"
header=$(od -An -tx1 -N24 "$work/windows/verlauf.png" | tr -d ' \n')
# Signature, length of IHDR (13), "IHDR", width, height.
if [ "$header" = "89504e470d0a1a0a0000000d49484452000004b0000002d0" ]; then
    echo "verlauf: a PNG of 1200 x 720"
else
    echo "verlauf: no PNG of 1200 x 720 (header $header)"
    failed=1
fi

# PDF: the message, status 2 and no file.
set +e
"$wine_run" "$prefix" "$exe" --pdf "$(windows_path "$work/pads/abend-6.hsc")" \
    "$(windows_path "$work/windows/blatt.pdf")" 2>"$work/windows/pdf.err"
pdf_status=$?
set -e
if [ "$pdf_status" = 2 ] && [ ! -e "$work/windows/blatt.pdf" ] &&
    grep -q "Einen PDF-Export bietet das Windows-Programm nicht an" "$work/windows/pdf.err"; then
    echo "pdf: not offered, status 2, no file"
else
    echo "pdf: status $pdf_status, message: $(cat "$work/windows/pdf.err")"
    failed=1
fi

# The help text; the Windows program says of "--pdf" that it does not offer it.
"$linux/src/app/kartotrix" --help >"$work/linux/help.out"
"$wine_run" "$prefix" "$exe" --help >"$work/windows/help.out"
grep -q -- "--pdf BLOCK.hsc BLATT.pdf .*$pdf_note\$" "$work/windows/help.out" \
    || { echo "help: the line of --pdf does not say that it is not offered"; failed=1; }
diff "$work/linux/help.out" <(as_linux <"$work/windows/help.out") || { echo "help: the help texts differ"; failed=1; }
exit $failed
