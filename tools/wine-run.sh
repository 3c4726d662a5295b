#!/bin/sh
# Runs a Windows program under Wine with its own prefix, which is created on
# first use (that takes a while, once). Several runs may start at once: the
# first one creates the prefix while the others wait for it.
#   tools/wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS]
set -eu
prefix=$1
shift
wine=${KARTOTRIX_WINE:-/usr/lib/wine/wine64}
[ -x "$wine" ] || wine=$(command -v wine64)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
mkdir -p "$(dirname "$prefix")"
if [ ! -f "$prefix/system.reg" ]; then
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            "$wine" wineboot --init >/dev/null 2>&1
            "${wine%64}server64" -w 2>/dev/null || wineserver -w 2>/dev/null || true
        fi
    ) 9>"$prefix.lock"
fi
exec "$wine" "$@"
