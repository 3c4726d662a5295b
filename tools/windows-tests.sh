#!/bin/sh
# The Windows program's tests, run under Wine: the logic's test programs built
# as 64-bit Windows programs, the text export compared with the Linux
# program's, and an evening played on the real window. The 32-bit program is
# built and linked as well (this kernel cannot run it).
# Usage: tools/windows-tests.sh LINUX_BUILD   (the Linux build of this tree)
set -eu
linux=$(cd "${1:-build}" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || true)
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || [ -z "$wine" ]; then
    echo "Windows-Tests übersprungen: mingw-w64 oder wine64 fehlt (tools/ensure-deps.sh test installiert beides)."
    exit 0
fi
for arch in x86_64:64 i686:32; do
    folder="$linux-win${arch#*:}"
    cmake -S . -B "$folder" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${arch%:*}.cmake" -DCMAKE_BUILD_TYPE=Release \
          -DKARTOTRIX_LINUX_BUILD="$linux" >/dev/null
done
cmake --build "$linux-win32" -j"$jobs" --target kartotrix
cmake -DPROGRAM="$linux-win32/src/win32/kartotrix.exe" -DOBJDUMP=i686-w64-mingw32-objdump \
      -P tests/win32/check_program.cmake
cmake --build "$linux-win64" -j"$jobs"
if ! tools/wine-run.sh "$linux-win64/wineprefix" cmd /c exit 0 >/dev/null 2>&1; then
    echo "Windows-Tests übersprungen: Wine kann hier keine Windows-Programme ausführen."
    exit 0
fi
cd "$linux-win64" && ctest --output-on-failure -j2
