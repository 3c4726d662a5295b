#!/bin/sh
# Installs the Debian packages Kartotrix needs when they are missing.
#   tools/ensure-deps.sh build   what building and running needs
#   tools/ensure-deps.sh test    that, plus what the tests need (the Windows
#                                program's tests under Wine included)
#   tools/ensure-deps.sh windows what building the Windows program needs
#   tools/ensure-deps.sh dist    what "make dist" needs: both programs, the
#                                Windows setup (NSIS), the archive and the
#                                Debian package (dpkg-shlibdeps computes its
#                                dependencies)
# As root it installs with apt-get; otherwise it prints the exact command
# (to be run as root, with sudo or su, whichever the machine has) and stops.
set -eu

# cpp-httplib and libqrencode serve the board to the phones (Linux program only).
build_packages="cmake make g++ qt6-base-dev qt6-translations-l10n pkg-config libcpp-httplib-dev libqrencode-dev"
windows_packages="cmake make g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32"
# GoogleTest for the Windows tests is built from the googletest sources with
# the cross compiler; Wine runs them, xvfb, xdotool and ImageMagick drive and
# photograph the Windows program's window; chromium shows the phone page.
dist_packages="nsis zip dpkg-dev file"
# The Debian package and the Windows setup are tried too: lintian checks the
# package, the MIME database and xdg-mime its file type, Wine runs the setup.
test_packages="$dist_packages lintian shared-mime-info xdg-utils unzip libgtest-dev libbenchmark-dev poppler-utils desktop-file-utils appstream binutils-mingw-w64-i686
    gcc-mingw-w64-i686-win32 $windows_packages googletest wine wine64 fonts-wine xvfb xauth xdotool imagemagick chromium"

case "${1:-build}" in
    build) wanted="$build_packages" ;;
    test) wanted="$build_packages $test_packages" ;;
    windows) wanted="$windows_packages" ;;
    dist) wanted="$build_packages $windows_packages $dist_packages" ;;
    *) echo "Aufruf: $0 build|test|windows|dist" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Es fehlen Pakete. Als root installieren mit:" >&2
    echo "  apt-get install -y --no-install-recommends$missing" >&2
    exit 1
fi
echo "Installiere:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $missing >/dev/null
