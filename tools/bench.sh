#!/bin/bash
# Measures Kartotrix on this machine and writes docs/performance.md:
#   - "OK" and a correction (row 1 of a full six-player pad) through the real
#     window, offscreen, each in fresh processes of 300 entries, autosave
#     written but not flushed to the disk;
#   - start-up to the first painted frame and to idle (wall and CPU time),
#     empty and with a full six-player pad, and memory when idle, each against
#     the floor program in bench/ (a minimal Qt window with a menu bar, a
#     status bar, 40 widgets and Qt's German translation), in paired runs;
#   - the logic's whole six-player evening with undo recording, undo and
#     redo, the history's bytes per entry and the statistics over 1,000 pads;
#   - the load average before and after: above 1.5 the ratios are marked as
#     not to be trusted.
# Usage: tools/bench.sh [BUILD_DIR]   (also: make bench). Under a display it
# measures there; otherwise under xvfb-run when available, else offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${KX_BENCH_RUNS:-21}
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

# Temporary files in memory, where the disk's speed does not count.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
floor="$build/bench/kartotrix_floor"
probe="$build/bench/kartotrix_startup_probe"
load_before=$(cut -d' ' -f1 /proc/loadavg)

# value KEY FILE: the median of the numbers after KEY in the programs' reports
value() { awk -v key="$1" '$1 == key { print $2 }' "$2" | median; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
start() { KX_BENCH_T0=$(date +%s%N) "$@" 2>/dev/null; }
# pair KEY A B: the median of the ratios A/B of the KEY figures, run by run
pair() {
    paste <(awk -v key="$1" '$1 == key { print $2 }' "$2") <(awk -v key="$1" '$1 == key { print $2 }' "$3") |
        awk '$2 > 0 { printf "%.4f\n", $1 / $2 }' | median
}

"$build/bench/pad_benchmarks" --full-pad "$work/voll.hsc"
echo "Start bis zum ersten Bild und bis zum Leerlauf, je $runs Läufe abwechselnd …"
for _ in $(seq "$runs"); do
    start "$floor" >>"$work/floor-start"
    start "$probe" >>"$work/kx-start"
    start "$probe" "$work/voll.hsc" >>"$work/kx-pad-start"
done
echo "Speicher im Leerlauf, je $memory_runs Läufe …"
for _ in $(seq "$memory_runs"); do
    "$floor" --idle-memory 2>/dev/null | awk '$1 == "idle-rss-kb" { print $2 }' >>"$work/floor-rss"
    "$probe" --idle-memory 2>/dev/null | awk '$1 == "idle-rss-kb" { print $2 }' >>"$work/kx-rss"
    "$probe" --idle-memory "$work/voll.hsc" 2>/dev/null | awk '$1 == "idle-rss-kb" { print $2 }' >>"$work/kx-pad-rss"
done
echo "„OK“ und Korrektur im Fenster, fünf frische Prozesse mit je 300 Einträgen …"
for _ in 1 2 3 4 5; do
    env -u DISPLAY -u WAYLAND_DISPLAY TMPDIR="$work" "$build/bench/window_benchmarks" 300 2>/dev/null >>"$work/window"
done

echo "Logik: ganzer Abend, Rückgängig, Statistik …"
"$build/bench/pad_benchmarks" --benchmark_filter='^(WholeEvening|UndoAndRedo|StatisticsOf1000Pads)$' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=json \
    2>/dev/null >"$work/logic.json"
# logic NAME FIELD: the median's field (times in the benchmark's unit)
logic() {
    python3 -c 'import json,sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b["name"] == sys.argv[2] + "_median": print("%.1f" % b[sys.argv[3]])' "$work/logic.json" "$1" "$2"
}
evening=$(logic WholeEvening real_time)
history_bytes=$(logic WholeEvening history_bytes_per_entry)
undo=$(logic UndoAndRedo real_time)
statistics=$(logic StatisticsOf1000Pads real_time)
load_after=$(cut -d' ' -f1 /proc/loadavg)

floor_start=$(value first-frame-ms "$work/floor-start")
kx_start=$(value first-frame-ms "$work/kx-start")
kx_pad_start=$(value first-frame-ms "$work/kx-pad-start")
floor_idle=$(value idle-ms "$work/floor-start")
kx_idle=$(value idle-ms "$work/kx-start")
kx_pad_idle=$(value idle-ms "$work/kx-pad-start")
floor_cpu=$(value idle-cpu-ms "$work/floor-start")
kx_cpu=$(value idle-cpu-ms "$work/kx-start")
kx_pad_cpu=$(value idle-cpu-ms "$work/kx-pad-start")
floor_rss=$(median <"$work/floor-rss")
kx_rss=$(median <"$work/kx-rss")
kx_pad_rss=$(median <"$work/kx-pad-rss")
ok50=$(value ok-p50-ms "$work/window")
ok99=$(value ok-p99-ms "$work/window")
fix50=$(value correction-p50-ms "$work/window")
fix99=$(value correction-p99-ms "$work/window")

# row NAME KARTOTRIX FLOOR RATIO GOAL MET
rows=""
row() { rows+="| $1 | $2 | $3 | $4 | $5 | $6 |"$'\n'; }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v != "" && v <= limit) ? "erfüllt" : "verfehlt" }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
pr() { printf '%.2f' "$(pair "$1" "$2" "$3")"; }
start_ratio=$(pr first-frame-ms "$work/kx-start" "$work/floor-start")
pad_start_ratio=$(pr first-frame-ms "$work/kx-pad-start" "$work/floor-start")
idle_ratio=$(pr idle-ms "$work/kx-start" "$work/floor-start")
pad_idle_ratio=$(pr idle-ms "$work/kx-pad-start" "$work/floor-start")
cpu_ratio=$(pr idle-cpu-ms "$work/kx-start" "$work/floor-start")
pad_cpu_ratio=$(pr idle-cpu-ms "$work/kx-pad-start" "$work/floor-start")
rss_ratio=$(ratio "$kx_rss" "$floor_rss")
pad_rss_ratio=$(ratio "$kx_pad_rss" "$floor_rss")
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }
row "„OK“ im Fenster, Median" "$ok50 ms" "–" "–" "≤ 1,5 ms" "$(verdict "$ok50" 1.5)"
row "„OK“ im Fenster, 99. Perzentil" "$ok99 ms" "–" "–" "≤ 5 ms" "$(verdict "$ok99" 5)"
row "Korrektur von Zeile 1, voller 6er-Block, Median" "$fix50 ms" "–" "–" "≤ 2 ms" "$(verdict "$fix50" 2)"
row "Korrektur, 99. Perzentil" "$fix99 ms" "–" "–" "–" "–"
row "Ganzer 6er-Abend in der Logik (39 Einträge, mit Rückgängig)" "$evening µs" "–" "–" "≤ 50 µs" \
    "$(verdict "$evening" 50)"
row "Rückgängig und Wiederherstellen, voller 6er-Block" "$undo ns" "–" "–" "–" "–"
row "Verlauf je Eintrag" "$history_bytes Bytes" "–" "–" "≤ 8 KiB" "$(verdict "$history_bytes" 8192)"
row "Statistik über 1000 volle 6er-Blöcke, Median aus 5" "$statistics ms" "–" "–" "< 1 s" \
    "$(verdict "$statistics" 999.9)"
row "Start bis zum ersten Bild, leer (Wanduhr)" "$kx_start ms" "$floor_start ms" "$start_ratio" "–" "–"
row "Start bis zum ersten Bild, voller 6er-Block (Wanduhr)" "$kx_pad_start ms" "$floor_start ms" \
    "$pad_start_ratio" "–" "–"
row "Start bis zum Leerlauf, leer (Wanduhr)" "$kx_idle ms" "$floor_idle ms" "$idle_ratio" "–" "–"
row "Start bis zum Leerlauf, voller 6er-Block (Wanduhr)" "$kx_pad_idle ms" "$floor_idle ms" \
    "$pad_idle_ratio" "–" "–"
row "Start bis zum Leerlauf, leer (CPU)" "$kx_cpu ms" "$floor_cpu ms" "$cpu_ratio" "≤ 1,15" \
    "$(verdict "$cpu_ratio" 1.15)"
row "Start bis zum Leerlauf, voller 6er-Block (CPU)" "$kx_pad_cpu ms" "$floor_cpu ms" "$pad_cpu_ratio" \
    "≤ 1,15" "$(verdict "$pad_cpu_ratio" 1.15)"
row "Speicher im Leerlauf (RSS), leer" "$(mib "$kx_rss")" "$(mib "$floor_rss")" "$rss_ratio" "≤ 1,10" \
    "$(verdict "$rss_ratio" 1.10)"
row "Speicher im Leerlauf (RSS), voller 6er-Block" "$(mib "$kx_pad_rss")" "$(mib "$floor_rss")" \
    "$pad_rss_ratio" "≤ 1,10" "$(verdict "$pad_rss_ratio" 1.10)"

load_note="Last (1 Minute) vor der Messung $load_before, danach $load_after."
if awk -v a="$load_before" -v b="$load_after" 'BEGIN { exit !(a > 1.5 || b > 1.5) }'; then
    load_note+=" **Die Last lag über 1,5: andere Prozesse teilten sich die Kerne, die Zeiten und
  Verhältnisse sind nicht verlässlich.** Bei geringer Last wiederholen."
fi

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
- $load_note

$table
- **„OK“ im Fenster**: Klick auf „OK“ im echten Hauptfenster mit allem, was folgt – Eintrag,
  Autosave-Datei (geschrieben, aber ohne Warten auf den Datenträger), Abgleich der Widgets und das
  gezeichnete Bild; Median aus fünf frischen Prozessen mit je 300 Einträgen in Vierer-Blöcken.
- **Korrektur**: Strg+Klick auf die Punkte von Zeile 1 eines Sechser-Blocks mit 30 Spielen und
  6 Soli, neuer Wert aus dem Eingabefeld, alle späteren Zeilen neu gezeichnet.
- **Ganzer Abend**: neuer Sechser-Block, 30 Spiele, 6 Soli und 3 Strafpunkte durch die Logik, jeder
  Eintrag als Schritt für „Rückgängig“ aufgezeichnet, ohne Datenträger (\`WholeEvening\` in
  \`bench/pad_benchmarks.cpp\`); **Verlauf je Eintrag**: die Bytes der Schritte danach je Schritt.
- **Rückgängig und Wiederherstellen**: ein Paar auf dem Block dieses Abends.
- **Start**: vom Start des Prozesses bis das erste Bild der Zeichenfläche ausgegeben ist, und bis
  der Hauptthread danach zum ersten Mal auf Ereignisse wartet (Leerlauf; Wanduhr und CPU-Zeit des
  Prozesses); Kartotrix über dieselbe Startroutine wie das Programm (\`bench/startup_probe.cpp\`),
  leer und mit einem vollen Sechser-Block. Der Boden ist \`bench/floor.cpp\`: ein Hauptfenster mit
  Menü, Statusleiste, 40 Widgets und der deutschen Qt-Übersetzung. Alle laufen abwechselnd im selben
  Lauf ($runs Runden); das Verhältnis ist der Median der Verhältnisse je Runde.
- **Statistik**: \`collectStatistics\` über einen Ordner mit 1000 Blockdateien (volle Sechser-Abende,
  jeder mit eigener Startzeit) – lesen, prüfen und zusammenzählen (\`bench/pad_benchmarks.cpp\`).
- **Speicher im Leerlauf**: belegter Arbeitsspeicher (VmRSS) eine Sekunde nach dem ersten Bild,
  Median aus $memory_runs Läufen.

Die Zeiten schwanken auf einem geteilten Rechner; Tests enthalten keine Zeitmessungen.
EOF

echo
printf '%s' "$table"
echo
echo "$load_note"
echo "Geschrieben: docs/performance.md"
