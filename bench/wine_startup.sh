#!/usr/bin/env bash
# Start-up and dialing of the real program under Wine with a history of 0, 10,000 and 100,000
# pairs of an office (internal, local and long-distance dials): the time from starting
# vellix.exe until its window shows, which it does once the data files are read and the rules
# learned; the resident memory of the process then; and the time one Dial takes (call, learn
# again, save), the median of 9. Five starts at each size, in turn; medians printed.
#
#   bench/wine_startup.sh path/to/vellix.exe path/to/e2e_driver.exe
set -uo pipefail

vellix=$(realpath "$1")
driver=$(realpath "$2")
source "$(dirname "$0")/../tools/one_processor.sh"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d "${TMPDIR:-/tmp}/vellix-startup.XXXXXX")
trap 'kill "$xvfb" 2>/dev/null; timeout 30 "$wineserver" -k 2>/dev/null; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")" WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
timeout 180 "$wine" wineboot -i >/dev/null 2>&1
timeout 60 "$wineserver" -w

# history PAIRS FILE: lines as the program writes them, from a fixed seed.
history() {
    awk -v pairs="$1" 'BEGIN {
        srand(1);
        for (i = 0; i < pairs; i++) {
            line = sprintf("%04d", int(rand() * 10000)); roll = rand();
            if (roll < 0.6) printf "412 268 %s  ->  8 %s\r\n", line, line;
            else if (roll < 0.8) printf "412 %03d %s  ->  9 %03d %s\r\n", 200 + int(rand() * 700), line, 0, line;
            else printf "%03d %03d %s  ->  9 1 %03d %03d %s\r\n", 200 + int(rand() * 700), 555, line, 650, 555, line;
        }
    }' >"$2"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for pairs in 0 10000 100000; do
    mkdir -p "$work/$pairs"
    : >"$work/$pairs/DialingHistory.dat"
    [ "$pairs" -gt 0 ] && history "$pairs" "$work/$pairs/DialingHistory.dat"
done
for round in 1 2 3 4 5; do
    for pairs in 0 10000 100000; do
        cp "$work/$pairs/DialingHistory.dat" "$work/$pairs/start.dat"
        export VELLIX_DESKTOP=startup-$pairs-$round
        start=${EPOCHREALTIME/./}
        (cd "$work/$pairs" && exec "$wine" explorer "/desktop=$VELLIX_DESKTOP,800x600" \
            "Z:${vellix//\//\\}") >/dev/null 2>&1 &
        "$wine" "$driver" wait-visibility shown 30000 >/dev/null
        took=$(((${EPOCHREALTIME/./} - start) / 1000))
        # The program's own process, not the desktop's explorer started with its path.
        rss=$(ps -eo rss=,args= | awk '$2 ~ /vellix\.exe$/ { print $1; exit }')
        "$wine" "$driver" change-text "412-268-1234" >/dev/null
        dial=$("$wine" "$driver" time-dials 9 "8 1234" | tr -d '\r' | cut -d' ' -f1)
        lines=$(wc -l <"$work/$pairs/DialingHistory.dat")
        [ "$lines" -eq "$((pairs + 9))" ] || echo "the history holds $lines lines, not $((pairs + 9))"
        echo "$pairs $took ${rss:-0} ${dial:-0}" >>"$work/results"
        "$wine" "$driver" terminate >/dev/null
        timeout 30 "$wineserver" -w
        cp "$work/$pairs/start.dat" "$work/$pairs/DialingHistory.dat"
    done
done
echo "pairs    start-up to the window   resident memory   one Dial (medians of 5 starts)"
for pairs in 0 10000 100000; do
    ms=$(awk -v p="$pairs" '$1 == p { print $2 }' "$work/results" | median)
    kb=$(awk -v p="$pairs" '$1 == p { print $3 }' "$work/results" | median)
    dial=$(awk -v p="$pairs" '$1 == p { print $4 }' "$work/results" | median)
    printf '%7d  %8d ms              %7.1f MB        %6s ms\n' "$pairs" "$ms" "$((kb))e-3" "$dial"
done
