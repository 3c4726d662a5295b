#!/bin/sh
# Installs the Debian packages Kartotrix needs when they are missing.
#   tools/ensure-deps.sh build   what building and running needs
#   tools/ensure-deps.sh test    that, plus what the tests need
# As root it installs with apt-get; otherwise it prints the exact command
# (to be run as root, with sudo or su, whichever the machine has) and stops.
set -eu

build_packages="cmake make g++ qt6-base-dev qt6-translations-l10n"
test_packages="libgtest-dev libbenchmark-dev poppler-utils desktop-file-utils appstream binutils-mingw-w64-i686 gcc-mingw-w64-i686-win32"

case "${1:-build}" in
    build) wanted="$build_packages" ;;
    test) wanted="$build_packages $test_packages" ;;
    *) echo "Aufruf: $0 build|test" >&2; exit 2 ;;
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
