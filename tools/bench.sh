#!/bin/bash
# Measures Kartotrix on this machine and writes docs/performance.md:
#   - one "OK" and one correction (row 1 of a full six-player pad) through the
#     real window, offscreen, autosave written but not flushed to the disk;
#   - start-up to the first painted frame and memory when idle, each against
#     the floor program in bench/ (a minimal Qt window with a menu bar, a
#     status bar, 40 widgets and Qt's German translation), in the same run;
#   - the statistics over a folder of 1,000 full six-player pads.
# Usage: tools/bench.sh [BUILD_DIR]   (also: make bench). Under a display it
# measures there; otherwise under xvfb-run when available, else offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${KX_BENCH_RUNS:-31}
memory_runs=${KX_BENCH_MEMORY_RUNS:-5}

if [ -z "${KX_BENCH_INNER:-}" ]; then
    echo "Baue die Messprogramme …"
    cmake -S . -B "$build" >/dev/null
    cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" \
        --target kartotrix_floor kartotrix_startup_probe window_benchmarks pad_benchmarks >/dev/null
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
        exec env KX_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
    fi
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    platform="${XDG_SESSION_TYPE:-x11} (DISPLAY=${DISPLAY:-}${WAYLAND_DISPLAY:-})"
    [ -n "${KX_BENCH_INNER:-}" ] && platform="xcb unter Xvfb"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
floor="$build/bench/kartotrix_floor"
probe="$build/bench/kartotrix_startup_probe"

# value KEY FILE: the median of the numbers after KEY in the programs' reports
value() { awk -v key="$1" '$1 == key { print $2 }' "$2" | median; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
start() { KX_BENCH_T0=$(date +%s%N) "$@" 2>/dev/null; }

echo "Start bis zum ersten Bild, je $runs Läufe abwechselnd …"
for _ in $(seq "$runs"); do
    start "$floor" | awk '$1 == "first-frame-ms" { print $2 }' >>"$work/floor-start"
    start "$probe" | awk '$1 == "first-frame-ms" { print $2 }' >>"$work/kx-start"
done
echo "Speicher im Leerlauf, je $memory_runs Läufe …"
for _ in $(seq "$memory_runs"); do
    "$floor" --idle-memory 2>/dev/null | awk '$1 == "idle-rss-kb" { print $2 }' >>"$work/floor-rss"
    "$probe" --idle-memory 2>/dev/null | awk '$1 == "idle-rss-kb" { print $2 }' >>"$work/kx-rss"
done
echo "„OK“ und Korrektur im Fenster, drei Läufe …"
for _ in 1 2 3; do
    env -u DISPLAY -u WAYLAND_DISPLAY "$build/bench/window_benchmarks" 2000 2>/dev/null >>"$work/window"
done

echo "Statistik über 1000 Blöcke …"
"$build/bench/pad_benchmarks" --benchmark_filter='^StatisticsOf1000Pads$' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$work/statistics"
# The median's real time, in milliseconds (the benchmark reports in that unit).
statistics=$(awk -F, '$1 ~ /_median"?$/ { printf "%.1f", $3 }' "$work/statistics")

floor_start=$(median <"$work/floor-start")
kx_start=$(median <"$work/kx-start")
floor_rss=$(median <"$work/floor-rss")
kx_rss=$(median <"$work/kx-rss")
ok50=$(value ok-p50-ms "$work/window")
ok99=$(value ok-p99-ms "$work/window")
fix50=$(value correction-p50-ms "$work/window")
fix99=$(value correction-p99-ms "$work/window")

# row NAME KARTOTRIX FLOOR RATIO GOAL MET
rows=""
row() { rows+="| $1 | $2 | $3 | $4 | $5 | $6 |"$'\n'; }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit) ? "erfüllt" : "verfehlt" }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
start_ratio=$(ratio "$kx_start" "$floor_start")
rss_ratio=$(ratio "$kx_rss" "$floor_rss")
row "„OK“ im Fenster, Median" "$ok50 ms" "–" "–" "≤ 1,5 ms" "$(verdict "$ok50" 1.5)"
row "„OK“ im Fenster, 99. Perzentil" "$ok99 ms" "–" "–" "≤ 5 ms" "$(verdict "$ok99" 5)"
row "Korrektur von Zeile 1, voller 6er-Block, Median" "$fix50 ms" "–" "–" "≤ 2 ms" "$(verdict "$fix50" 2)"
row "Korrektur, 99. Perzentil" "$fix99 ms" "–" "–" "–" "–"
row "Statistik über 1000 volle 6er-Blöcke, Median aus 5" "$statistics ms" "–" "–" "< 1 s" \
    "$(verdict "$statistics" 999.9)"
row "Start bis zum ersten Bild, Median aus $runs" "$kx_start ms" "$floor_start ms" "$start_ratio" "≤ 1,15" \
    "$(verdict "$start_ratio" 1.15)"
row "Speicher im Leerlauf (RSS), Median aus $memory_runs" "$((kx_rss / 1024)) MiB" "$((floor_rss / 1024)) MiB" \
    "$rss_ratio" "≤ 1,10" "$(verdict "$rss_ratio" 1.10)"

cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo 2>/dev/null || echo unbekannt)
cores=$(nproc 2>/dev/null || echo "?")
memory=$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo 2>/dev/null || echo unbekannt)
system=$(. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME" || uname -s)
qt=$(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unbekannt)
table="| Messung | Kartotrix | Boden | Verhältnis | Ziel | Ergebnis |
|---|---|---|---|---|---|
$rows"

mkdir -p docs
cat >docs/performance.md <<EOF
# Leistung

Gemessen mit \`make bench\` (\`tools/bench.sh\`) am $(date +%Y-%m-%d) um $(date +%H:%M).

- Rechner: $cpu, $cores Kerne, $memory Arbeitsspeicher
- System: $system, Kernel $(uname -r), Qt $qt
- Anzeige für Start und Speicher: $platform; „OK“ und Korrektur: offscreen

$table
- **„OK“ im Fenster**: Klick auf „OK“ im echten Hauptfenster mit allem, was folgt – Eintrag,
  Autosave-Datei (geschrieben, aber ohne Warten auf den Datenträger), Abgleich der Widgets und das
  gezeichnete Bild; Median aus drei Läufen mit je 2000 Einträgen in Vierer-Blöcken.
- **Korrektur**: Strg+Klick auf die Punkte von Zeile 1 eines Sechser-Blocks mit 30 Spielen und
  6 Soli, neuer Wert aus dem Eingabefeld, alle späteren Zeilen neu gezeichnet.
- **Start bis zum ersten Bild**: vom Start des Prozesses bis das erste Bild der Zeichenfläche
  ausgegeben ist; Kartotrix über dieselbe Startroutine wie das Programm
  (\`bench/startup_probe.cpp\`), der Boden ist \`bench/floor.cpp\`: ein Hauptfenster mit Menü,
  Statusleiste, 40 Widgets und der deutschen Qt-Übersetzung. Beide laufen abwechselnd im selben Lauf.
- **Statistik**: \`collectStatistics\` über einen Ordner mit 1000 Blockdateien (volle Sechser-Abende,
  jeder mit eigener Startzeit) – lesen, prüfen und zusammenzählen (\`bench/pad_benchmarks.cpp\`).
- **Speicher im Leerlauf**: belegter Arbeitsspeicher (VmRSS) eine Sekunde nach dem ersten Bild.

Die Zeiten schwanken auf einem geteilten Rechner; Tests enthalten keine Zeitmessungen.
EOF

echo
printf '%s' "$table"
echo
echo "Geschrieben: docs/performance.md"
