#!/bin/bash
# The Windows program's text export of a set of pads is byte for byte the
# Linux program's, to a file and to standard output, and both refuse a broken
# pad with the same message and status.
#   check_export.sh LINUX_BUILD WINE_RUN PREFIX KARTOTRIX.EXE WORK
set -euo pipefail
linux=$1 wine_run=$2 prefix=$3 exe=$4 work=$5
rm -rf "$work"
mkdir -p "$work/pads" "$work/linux" "$work/windows"
"$linux/tests/demo_pads" "$work/pads"
"$linux/tests/evening_plan" "$work/pads" >/dev/null
mv "$work/pads/autosave.hsc" "$work/pads/abend-umlaute.hsc"
printf 'Kartotrix---kein Block' >"$work/pads/kaputt.hsc"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
windows() { "$wine_run" "$prefix" "$exe" "$@"; }

for pad in "$work"/pads/*.hsc; do
    name=$(basename "$pad" .hsc)
    set +e
    "$linux/src/app/kartotrix" --export "$pad" "$work/linux/$name.txt" 2>"$work/linux/$name.err"
    linux_status=$?
    windows --export "$(windows_path "$pad")" "$(windows_path "$work/windows/$name.txt")" 2>"$work/windows/$name.err"
    windows_status=$?
    set -e
    [ "$linux_status" = "$windows_status" ] || { echo "$name: status $linux_status on Linux, $windows_status on Windows"; exit 1; }
    if [ "$linux_status" = 0 ]; then
        cmp "$work/linux/$name.txt" "$work/windows/$name.txt"
        windows --export "$(windows_path "$pad")" >"$work/windows/$name.stdout"
        cmp "$work/linux/$name.txt" "$work/windows/$name.stdout"
    else
        [ ! -e "$work/windows/$name.txt" ] || { echo "$name: a refused pad was exported"; exit 1; }
        diff <(tr -d '\r' <"$work/windows/$name.err") "$work/linux/$name.err"
    fi
    echo "$name: status $linux_status, the same on both"
done
