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

# cpp-httplib and libqrencode serve the board to the phones. The Windows
# builds compile both from Debian's source packages (see below).
build_packages="cmake make g++ qt6-base-dev qt6-translations-l10n pkg-config libcpp-httplib-dev libqrencode-dev"
# The POSIX-thread compilers: their C++ library has std::thread and std::mutex.
# dpkg-dev unpacks the source packages.
windows_packages="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix dpkg-dev"
# GoogleTest for the Windows tests is built from the googletest sources with
# the cross compiler; Wine runs them, xvfb, xdotool and ImageMagick drive and
# photograph the Windows program's window; chromium shows the phone page.
dist_packages="nsis zip dpkg-dev file"
# The Debian package and the Windows setup are tried too: lintian checks the
# package, the MIME database and xdg-mime its file type, Wine runs the setup.
test_packages="$dist_packages lintian shared-mime-info xdg-utils unzip libgtest-dev libbenchmark-dev poppler-utils desktop-file-utils appstream binutils-mingw-w64-i686
    gcc-mingw-w64-i686-posix $windows_packages googletest wine wine64 fonts-wine xvfb xauth xdotool imagemagick chromium"

case "${1:-build}" in
    build) wanted="$build_packages" ;;
    test) wanted="$build_packages $test_packages" ;;
    windows) wanted="$windows_packages" ;;
    dist) wanted="$build_packages $windows_packages $dist_packages" ;;
    *) echo "Aufruf: $0 build|test|windows|dist" >&2; exit 2 ;;
esac

# The Windows builds fetch the sources of cpp-httplib and libqrencode with
# "apt-get source" (tools/debian-sources.sh, into the build folder): apt needs
# Debian's source lists for it, added beside its package lists.
source_list=/etc/apt/sources.list.d/kartotrix-sources.sources
sources_missing=false
if [ "${1:-build}" != build ] && ! apt-cache showsrc cpp-httplib 2>/dev/null | grep -q '^Package:'; then
    sources_missing=true
fi

missing=""
for package in $wanted; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && ! $sources_missing && exit 0

if [ "$(id -u)" -ne 0 ]; then
    if [ -n "$missing" ]; then
        echo "Es fehlen Pakete. Als root installieren mit:" >&2
        echo "  apt-get install -y --no-install-recommends$missing" >&2
    fi
    if $sources_missing; then
        echo "apt kennt keine Debian-Quellpakete. Als root einrichten mit:" >&2
        echo "  sed 's/^Types: deb\$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >$source_list && apt-get update" >&2
    fi
    exit 1
fi
if $sources_missing; then
    echo "Richte Debians Quellpakete ein: $source_list"
    # The same archives, suites and keys as the package lists, for sources.
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$source_list"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
[ -z "$missing" ] && exit 0
echo "Installiere:$missing"
apt-get install -y -qq --no-install-recommends $missing >/dev/null
