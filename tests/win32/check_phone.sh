#!/bin/bash
# The Windows program's phone view under Wine: "--handy PAD" opens the window
# and prints the address; the page and the board's state come over real
# HTTP, and a wrong token or no token gets 404. Needs a display (xvfb-run).
#   check_phone.sh DEMO_PADS WINE_RUN PREFIX KARTOTRIX.EXE WORK
set -euo pipefail
demo_pads=$1 wine_run=$2 prefix=$3 exe=$4 work=$5
rm -rf "$work"
mkdir -p "$work/program" "$work/pads"
# A folder of its own: no autosave of another run is offered at the start.
cp "$exe" "$work/program/kartotrix.exe"
"$demo_pads" "$work/pads" >/dev/null
pad=$(find "$work/pads" -name '*.hsc' | sort | head -n 1)
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

"$wine_run" "$prefix" "$(windows_path "$work/program/kartotrix.exe")" --handy "$(windows_path "$pad")" \
    >"$work/out.txt" 2>"$work/err.txt" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT
fail() {
    echo "check_phone: $*" >&2
    exit 1
}
# Up to a minute: the first start of a Wine prefix is slow.
for _ in $(seq 1 600); do
    [ -s "$work/out.txt" ] && break
    kill -0 $program 2>/dev/null || fail "the program ended: $(cat "$work/err.txt")"
    sleep 0.1
done
url=$(head -n 1 "$work/out.txt" | tr -d '\r')
[[ $url =~ ^http://[0-9.]+:[0-9]+/([0-9a-f]{32})/$ ]] || fail "no address printed: \"$url\""
token=${BASH_REMATCH[1]}

status() { curl -s --max-time 10 -o "$work/$1" -w '%{http_code}' "$2"; }
[ "$(status page.html "$url")" = 200 ] || fail "the page: status not 200"
grep -q '<html' "$work/page.html" || fail "the page is no web page"
[ "$(status state.json "${url}state.json")" = 200 ] || fail "the state: status not 200"
grep -q '"padOpen":true' "$work/state.json" || fail "the state shows no pad: $(head -c 200 "$work/state.json")"
wrong=${url/$token/00000000000000000000000000000000}
[ "$(status wrong.html "$wrong")" = 404 ] || fail "a wrong token is not refused with 404"
[ "$(status none.html "${url%"$token/"}")" = 404 ] || fail "no token is not refused with 404"
echo "check_phone: $url serves the page and the state, 404 without the token"
