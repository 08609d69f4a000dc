#!/usr/bin/env bash
# Lets the screen saver run unattended for a long time on its own 1024 x 768
# Xvfb screen and records its resident memory once a minute, to show that
# memory stays flat over hours: ships cross and are scanned, red alert comes
# and goes at random, the numbers and scans run as they do on a desk nobody
# watches. The first five minutes are warm-up (pictures, fonts, caches and the
# sound device settle); the growth counted is from minute 5 to the end.
# Usage: bench/soak.sh [minutes] [series-file]
#   minutes: how long to run (default 60)
#   series-file: where the per-minute series goes (default soak-rss.txt)
#   BIN=path/to/OVANT-Scan soaks another build (default build/bin/OVANT-Scan).
#   WARMUP=minutes changes the warm-up left out of the growth (default 5).
#   SOUND=0 soaks without sound (to tell the sound device's share).
# Exit code: 0 when growth after minute 5 is under 2 MB, 1 when it is not,
# 2 when the console ended early.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-60}"
series="${2:-soak-rss.txt}"
bin="${BIN:-build/bin/OVANT-Scan}"
[ -x "$bin" ] || { echo "build first: cmake --build build" >&2; exit 1; }
limit_kb=2048
warmup="${WARMUP:-5}"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" SDL_AUDIODRIVER=dummy
mkdir -p "$work/run" "$work/config/OVANT" && chmod 700 "$work/run"
# Ships are scanned as they cross; red alert switches on and off at random.
printf '[ScrSav]\nRedAlert=1\nRedAlertRnd=1\nShipScan=1\nSound=%s\n' "${SOUND:-1}" \
    > "$work/config/OVANT/OVANT-Scan.ini"

rss_kb() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }

"$bin" Mode:ScrSav > "$work/console.log" 2>&1 &
console=$!
started=$(date +%s)
{
    echo "# OVANT-Scan Mode:ScrSav soak, $(date -u '+%Y-%m-%d %H:%M UTC'), $(uname -n)"
    echo "# minute rss_kb"
} > "$series"
echo "soaking $bin for $minutes minutes; series in $series" >&2

base=
last=
for minute in $(seq 0 "$minutes"); do
    # Sleep until the minute mark on the wall clock, so the series keeps its
    # pace however long a read takes.
    wait_s=$((started + minute * 60 - $(date +%s)))
    (( wait_s > 0 )) && sleep "$wait_s"
    if ! kill -0 "$console" 2>/dev/null; then
        echo "the console ended after $minute minutes:" >&2
        tail -n 20 "$work/console.log" >&2
        exit 2
    fi
    kb=$(rss_kb "$console")
    echo "$minute $kb" >> "$series"
    echo "minute $minute: $kb kB"
    (( minute == warmup )) && base=$kb
    last=$kb
done
kill "$console"; wait "$console" 2>/dev/null || true

first=$(awk '!/^#/ {print $2; exit}' "$series")
peak=$(awk '!/^#/ && $2 > m {m = $2} END {print m}' "$series")
if [ -z "$base" ]; then
    printf 'RSS %d kB at start, %d kB at the end (run shorter than the %d-minute warm-up)\n' \
        "$first" "$last" "$warmup"
    exit 0
fi
growth=$((last - base))
printf 'RSS %d kB at start, %d kB at minute %d, %d kB at minute %d, peak %d kB\n' \
    "$first" "$base" "$warmup" "$last" "$minutes" "$peak"
printf 'growth after minute %d: %+d kB (%.2f MB over %d minutes; limit %d kB)\n' \
    "$warmup" "$growth" "$(echo "$growth / 1024" | bc -l)" "$((minutes - warmup))" "$limit_kb"
(( growth < limit_kb ))
