#!/bin/sh
# Builds the release artifacts into dist/, each named with the version:
#   kartotrix-VERSION-setup-64bit.exe  Windows setup of the 64-bit program
#   kartotrix-VERSION-setup-32bit.exe  the same for 32-bit Windows
#   kartotrix-VERSION-portabel.zip     Windows programs that keep their files beside them
#   kartotrix_VERSION_ARCH.deb         Debian package of the Linux program
# Usage: tools/dist.sh [LINUX_BUILD [DIST]]   (the Windows builds go to
#        LINUX_BUILD-win64/-win32; DIST is dist/ unless given)
# KARTOTRIX_SIGN_COMMAND, when set, is run with each Windows program's path
# as its last argument before it is packed, then on the setup and its
# uninstaller; it must sign the file in place.
set -eu
build=${1:-build}
jobs=$(nproc 2>/dev/null || echo 2)
tools/ensure-deps.sh dist
version=$(sed -n 's/^project(Kartotrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist=${2:-dist}
mkdir -p "$build" "$dist"
build=$(cd "$build" && pwd)
dist=$(cd "$dist" && pwd)
stage="$build/dist-stage"
rm -rf "$stage"
mkdir -p "$stage/Kartotrix"

sign() {
    [ -z "${KARTOTRIX_SIGN_COMMAND:-}" ] || sh -c "$KARTOTRIX_SIGN_COMMAND \"\$1\"" sign "$1"
}

echo "Baue das Linux-Programm …"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$jobs" --target kartotrix >"$build/dist-build.log" 2>&1 || { cat "$build/dist-build.log"; exit 1; }
for arch in x86_64:64 i686:32; do
    bits=${arch#*:}
    echo "Baue das Windows-Programm ($bits Bit) …"
    cmake -S . -B "$build-win$bits" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${arch%:*}.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build-win$bits" -j"$jobs" --target kartotrix >"$build/dist-build.log" 2>&1 || { cat "$build/dist-build.log"; exit 1; }
done

# The portable folder: both programs beside the help page; without the
# setup's marker file they keep their files in this folder.
cp "$build-win64/src/win32/kartotrix.exe" "$stage/Kartotrix/kartotrix.exe"
cp "$build-win32/src/win32/kartotrix.exe" "$stage/Kartotrix/kartotrix-32bit.exe"
cp data/KartotrixHilfe.html "$stage/Kartotrix/"
sign "$stage/Kartotrix/kartotrix.exe"
sign "$stage/Kartotrix/kartotrix-32bit.exe"
rm -f "$dist/kartotrix-$version-portabel.zip"
(cd "$stage" && zip -q -X -r "$dist/kartotrix-$version-portabel.zip" Kartotrix)

for bits in 64 32; do
    echo "Baue das Windows-Setup ($bits Bit) …"
    exe="$stage/Kartotrix/kartotrix.exe"
    [ "$bits" = 64 ] || exe="$stage/Kartotrix/kartotrix-32bit.exe"
    set -- -V2 -INPUTCHARSET UTF8 -DBITS="$bits" -DVERSION="$version" -DEXE="$exe" \
        -DOUTFILE="$dist/kartotrix-$version-setup-${bits}bit.exe" \
        -DHELP="$(pwd)/data/KartotrixHilfe.html" -DMARKER="$(pwd)/packaging/windows/Kartotrix.installiert" \
        -DICON="$(pwd)/data/icons/kartotrix.ico"
    if [ -n "${KARTOTRIX_SIGN_COMMAND:-}" ]; then
        set -- "$@" -DSIGN_COMMAND="$KARTOTRIX_SIGN_COMMAND"
    fi
    makensis "$@" packaging/windows/kartotrix.nsi >"$build/dist-nsis.log" 2>&1 || { cat "$build/dist-nsis.log"; exit 1; }
done

echo "Baue das Debian-Paket …"
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB >dist-cpack.log 2>&1) || { cat "$build/dist-cpack.log"; exit 1; }
rm -f "$dist"/kartotrix_*.deb
cp "$build"/packages/kartotrix_*.deb "$dist/"
ls -1 "$dist"/kartotrix[-_]"$version"*
