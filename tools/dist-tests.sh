#!/bin/bash
# The release artifacts tried end to end: tools/dist.sh builds them into
# LINUX_BUILD/dist-check/out, then
#  - the Debian package's contents, its dependencies and lintian's verdict,
#    and, as root on a machine without Kartotrix installed, an install with
#    apt, a run, the MIME association and a removal;
#  - under Wine, in a fresh prefix: the setup installs silently, the installed
#    program exports pads byte for byte as the Linux program does and keeps
#    its files in the user's data folder, the registry holds the association
#    and the uninstall entry, and the uninstaller removes every installed file
#    but leaves the pads; a second round installs for all users beside an
#    association of another program, which stays; the portable program
#    keeps its files beside itself.
# Usage: tools/dist-tests.sh LINUX_BUILD   (after the tests of LINUX_BUILD)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work="$build/dist-check"
out="$work/out"
missing=""
for tool in makensis zip lintian dpkg-deb dpkg-shlibdeps x86_64-w64-mingw32-g++-win32 i686-w64-mingw32-g++-win32; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    echo "Paket-Tests übersprungen: es fehlt$missing (tools/ensure-deps.sh test installiert es)."
    exit 0
fi
# A Wine left running by an earlier, failed run would keep writing into its prefix.
if [ -d "$work/wineprefix" ]; then
    WINEPREFIX="$work/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    sleep 1
fi
rm -rf "$work"
mkdir -p "$out"
tools/dist.sh "$build" "$out" >"$work/dist.log" 2>&1 || { cat "$work/dist.log"; exit 1; }
version=$(sed -n 's/^project(Kartotrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
fail() { echo "Paket-Test: $*" >&2; exit 1; }

# --- Debian package ---------------------------------------------------------
deb=$(ls "$out"/kartotrix_"$version"_*.deb)
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/deb-files"
for file in /usr/bin/kartotrix /usr/share/kartotrix/KartotrixHilfe.html \
            /usr/share/applications/kartotrix.desktop /usr/share/metainfo/de.kartotrix.Kartotrix.metainfo.xml \
            /usr/share/mime/packages/kartotrix.xml /usr/share/man/man1/kartotrix.1.gz \
            /usr/share/icons/hicolor/scalable/apps/kartotrix.svg /usr/share/icons/hicolor/256x256/apps/kartotrix.png \
            /usr/share/doc/kartotrix/copyright /usr/share/doc/kartotrix/changelog.gz; do
    grep -qx "$file" "$work/deb-files" || fail "$file fehlt im Debian-Paket"
done
! grep -v '^/usr/' "$work/deb-files" | grep -v '^/$' | grep . || fail "Dateien außerhalb von /usr"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    [[ "$depends" == *"$library "* || "$depends" == *"$library," ]] || fail "Depends ohne $library: $depends"
done
grep -q "<release version=\"$version\"" <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/metainfo/de.kartotrix.Kartotrix.metainfo.xml) \
    || fail "AppStream nennt die Version $version nicht"
# Errors fail; the remaining warnings are listed in the README.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian meldet Fehler"; }
echo "Debian-Paket: Inhalt, Abhängigkeiten und lintian in Ordnung ($(grep -c '^W:' "$work/lintian.log" || true) Warnungen)"

if [ "$(id -u)" -ne 0 ]; then
    echo "Debian-Paket nicht probeweise installiert: dazu braucht es root."
elif dpkg-query -W -f='${Status}' kartotrix 2>/dev/null | grep -q "install ok installed"; then
    echo "Debian-Paket nicht probeweise installiert: Kartotrix ist auf dieser Maschine schon installiert."
else
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt install"; }
    trap 'apt-get remove -y -qq kartotrix >/dev/null 2>&1 || true' EXIT
    [ "$(/usr/bin/kartotrix --version)" = "Kartotrix v$version" ] || fail "kartotrix --version"
    grep -qx "application/x-kartotrix-pad:\*.hsc" /usr/share/mime/globs || fail "MIME-Typ für *.hsc fehlt"
    grep -q "^application/x-kartotrix-pad=kartotrix.desktop" /usr/share/applications/mimeinfo.cache \
        || fail "kartotrix.desktop öffnet application/x-kartotrix-pad nicht"
    if command -v xdg-mime >/dev/null; then
        [ "$(XDG_DATA_HOME="$work/xdg" XDG_CONFIG_HOME="$work/xdg" xdg-mime query default application/x-kartotrix-pad)" = kartotrix.desktop ] \
            || fail "xdg-mime nennt kartotrix.desktop nicht für Blockdateien"
    fi
    # The installed program claims its files in ~/.local/share/kartotrix.
    home="$work/home"
    mkdir -p "$home"
    (cd / && HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen exec /usr/bin/kartotrix) >"$work/run.log" 2>&1 &
    program=$!
    for _ in $(seq 100); do [ -e "$home/.local/share/kartotrix/kartotrix.lock" ] && break; sleep 0.2; done
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    [ -e "$home/.local/share/kartotrix/kartotrix.lock" ] || { cat "$work/run.log"; fail "keine Dateien in ~/.local/share/kartotrix"; }
    apt-get remove -y -qq kartotrix >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt remove"; }
    trap - EXIT
    for file in $(grep -v '/$' "$work/deb-files" | grep -v '^/usr/share/doc/'); do
        [ ! -e "$file" ] || fail "$file bleibt nach apt remove"
    done
    ! grep -q kartotrix /usr/share/applications/mimeinfo.cache || fail "MIME-Zuordnung bleibt nach apt remove"
    echo "Debian-Paket: installiert, gestartet, .hsc zugeordnet und sauber entfernt"
fi

# --- Windows setup under Wine -----------------------------------------------
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || true)
if [ -z "$wine" ]; then
    echo "Windows-Setup nicht unter Wine probiert: wine64 fehlt."
    exit 0
fi
prefix="$work/wineprefix"
run() { tools/wine-run.sh "$prefix" "$@"; }
if ! run cmd /c exit 0 >/dev/null 2>&1; then
    echo "Windows-Setup nicht unter Wine probiert: Wine kann hier keine Windows-Programme ausführen."
    exit 0
fi
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
reg() { run reg "$@" 2>/dev/null | tr -d '\r'; }
# The program that opens ".hsc": the user's own classes win over the machine's
# (Wine's reg.exe does not merge them into HKCR).
hsc_owner() {
    local owner
    owner=$(reg query 'HKCU\Software\Classes\.hsc' /ve | sed -n 's/.*REG_SZ *//p') || true
    [ -n "$owner" ] || owner=$(reg query 'HKLM\Software\Classes\.hsc' /ve | sed -n 's/.*REG_SZ *//p') || true
    echo "$owner"
}
user_dir=$(ls -d "$prefix"/drive_c/users/* | grep -v '/Public$' | head -1)
data="$user_dir/AppData/Roaming/Kartotrix"
setup="$out/kartotrix-$version-setup-64bit.exe"
# The 32-bit setup is built from the same script; this kernel cannot run it.
file "$out/kartotrix-$version-setup-32bit.exe" | grep -q "PE32 executable.*Intel 80386" || fail "kein 32-Bit-Setup"
# Round 1 for the current user: ".hsc" is free, so Kartotrix takes it.
# Round 2 for all users: another program holds ".hsc" for this user, and keeps it.
for round in 1 2; do
    if [ "$round" = 1 ]; then
        mode=/CurrentUser root=HKCU folder_pattern='*/AppData/Local/Programs/Kartotrix'
        menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kartotrix.lnk"
        expected_owner=Kartotrix.Block
    else
        mode=/AllUsers root=HKLM folder_pattern='*/Program Files/Kartotrix'
        menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kartotrix.lnk"
        expected_owner=Anderes.Programm
        run reg add 'HKCU\Software\Classes\.hsc' /ve /d Anderes.Programm /f >/dev/null 2>&1
    fi
    classes="$root\\Software\\Classes"
    uninstall_key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kartotrix"
    run "$setup" /S "$mode"
    "$wineserver" -w
    folder=$(find "$prefix/drive_c" -path "$folder_pattern" -type d | head -1)
    [ -n "$folder" ] || fail "$mode: nichts installiert"
    exe="$folder/kartotrix.exe"
    [ "$(ls "$folder" | sort | tr '\n' ' ')" = "Kartotrix.installiert KartotrixHilfe.html Uninstall.exe kartotrix.exe " ] \
        || fail "installiert: $(ls "$folder" | tr '\n' ' ')"
    cmp -s "$exe" "$build-win64/src/win32/kartotrix.exe" || fail "nicht das 64-Bit-Programm installiert"
    [ -f "$menu" ] || fail "$mode: kein Eintrag „Kartotrix“ im Startmenü"
    reg query "$uninstall_key" >"$work/uninstall.reg"
    for value in "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ    Kartotrix-Entwickler" \
                 "QuietUninstallString    REG_SZ    \"C:\\\\.*\\\\Uninstall.exe\" /S"; do
        grep -q "$value" "$work/uninstall.reg" || { cat "$work/uninstall.reg"; fail "Deinstallationseintrag ohne $value"; }
    done
    reg query "$classes\\Kartotrix.Block\\shell\\open\\command" /ve | grep -q 'kartotrix.exe" "%1"' \
        || fail "Öffnen-Befehl für Blockdateien fehlt"
    # "Öffnen", whatever code page Wine's console writes the "Ö" in.
    reg query "$classes\\Kartotrix.Block\\shell\\open" /ve | LC_ALL=C grep -q 'REG_SZ *.\{1,2\}ffnen$' || fail "Öffnen heißt anders"
    reg query "$classes\\.hsc\\OpenWithProgids" | grep -q Kartotrix.Block || fail ".hsc bietet Kartotrix nicht an"
    owner=$(hsc_owner)
    [ "$owner" = "$expected_owner" ] || fail "$mode: .hsc gehört $owner statt $expected_owner"

    if [ "$round" = 1 ]; then
        # The installed program's export is the Linux program's, byte for byte.
        bash tests/win32/check_export.sh "$build" tools/wine-run.sh "$prefix" "$exe" "$work/export" >"$work/export.log" \
            || { cat "$work/export.log"; fail "Textexport des installierten Programms"; }
        # Started, it claims its files in %APPDATA%\Kartotrix, not beside itself.
        if command -v xvfb-run >/dev/null; then
            xvfb-run -a "$wine" "$exe" >/dev/null 2>&1 &
            started=$!
            for _ in $(seq 150); do [ -e "$data/kartotrix.lock" ] && break; sleep 0.2; done
            "$wineserver" -k || true
            wait "$started" 2>/dev/null || true
            [ -e "$data/kartotrix.lock" ] || fail "das installierte Programm schreibt nicht nach %APPDATA%\\Kartotrix"
            [ "$(ls "$folder" | wc -l)" = 4 ] || fail "das installierte Programm schreibt in seinen Ordner: $(ls "$folder")"
        fi
        mkdir -p "$data"
        cp "$work/export/pads/"*.hsc "$data/"
    fi
    pads=$(ls "$data"/*.hsc | wc -l)

    run "$folder/Uninstall.exe" /S
    "$wineserver" -w
    [ ! -e "$folder" ] || fail "$mode: nach der Deinstallation bleibt $(find "$folder")"
    [ ! -e "$menu" ] || fail "$mode: der Startmenü-Eintrag bleibt"
    ! reg query "$uninstall_key" >/dev/null || fail "$mode: der Deinstallationseintrag bleibt"
    ! reg query "$classes\\Kartotrix.Block" >/dev/null || fail "$mode: Kartotrix.Block bleibt in der Registry"
    ! reg query "$classes\\.hsc" >/dev/null || fail "$mode: .hsc bleibt unter $root"
    [ "$(ls "$data"/*.hsc | wc -l)" = "$pads" ] || fail "die Deinstallation hat Blöcke gelöscht"
done
[ "$(hsc_owner)" = Anderes.Programm ] || fail "die Zuordnung des anderen Programms ist weg"
# The portable program, unpacked, claims its files beside itself.
if command -v xvfb-run >/dev/null; then
    unzip -q "$out/kartotrix-$version-portabel.zip" -d "$work/portabel"
    xvfb-run -a "$wine" "$work/portabel/Kartotrix/kartotrix.exe" >/dev/null 2>&1 &
    started=$!
    for _ in $(seq 150); do [ -e "$work/portabel/Kartotrix/kartotrix.lock" ] && break; sleep 0.2; done
    "$wineserver" -k || true
    wait "$started" 2>/dev/null || true
    [ -e "$work/portabel/Kartotrix/kartotrix.lock" ] || fail "das portable Programm legt seine Dateien nicht neben sich ab"
fi
echo "Windows unter Wine: Setup still installiert, Export wie unter Linux, Registry, Deinstallation ohne Blockverlust, portabel neben sich"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
rm -rf "$prefix"
