#!/bin/sh
# Fetches Debian source packages with "apt-get source" and unpacks each into
# FOLDER/PACKAGE, with Debian's patches applied; a package already unpacked
# there is kept. The Windows builds compile cpp-httplib and libqrencode from
# them. apt needs Debian's source lists (tools/ensure-deps.sh windows adds them).
#   tools/debian-sources.sh FOLDER PACKAGE...
set -eu
folder=$1
shift
mkdir -p "$folder/download"
for package in "$@"; do
    [ -f "$folder/$package/.unpacked" ] && continue
    rm -rf "${folder:?}/$package"
    cd "$folder/download"
    if ! apt-get source -qq --download-only "$package" >/dev/null 2>&1; then
        echo "apt-get source $package: nicht alles geladen (Quellpakete mit tools/ensure-deps.sh windows einrichten)" >&2
    fi
    dsc=$(ls -t "$package"_*.dsc 2>/dev/null | head -n 1)
    [ -n "$dsc" ] || { echo "Kein Quellpaket $package" >&2; exit 1; }
    cd - >/dev/null
    if dpkg-source --no-check -x "$folder/download/$dsc" "$folder/$package" >/dev/null 2>&1; then
        touch "$folder/$package/.unpacked"
        continue
    fi
    # An archive mirror that lacks the package's Debian part still serves the
    # upstream sources: they are taken when their checksum is the one the
    # .dsc names, without Debian's patches (their absence is printed).
    orig=$(sed -n 's/^ \([0-9a-f]\{64\}\) [0-9]* \(.*\.orig\.tar\.[a-z0-9]*\)$/\1  \2/p' "$folder/download/$dsc")
    [ -n "$orig" ] || { echo "$dsc nennt keine Originalquellen" >&2; exit 1; }
    (cd "$folder/download" && echo "$orig" | sha256sum -c --quiet -) || exit 1
    mkdir -p "$folder/$package"
    tar -xf "$folder/download/${orig#*  }" -C "$folder/$package" --strip-components=1
    echo "$package: nur die Originalquellen (der Debian-Teil fehlt auf dem Spiegel)" >&2
    touch "$folder/$package/.unpacked"
done
