#!/usr/bin/env bash
# Measures the console's cost from outside the process: CPU time (user +
# system, from /proc/PID/stat) over a window of seconds on a 1024 x 768 Xvfb
# screen, and its peak resident memory; a scan is started by a click now and
# then. An X11 screen saver from Debian's xscreensaver-data is measured the
# same way for comparison.
# Usage: bench/measure.sh [seconds] [scenario...]
#   seconds: length of each window (default 30)
#   scenarios: any of numbers, ships, alert, saver (default all four);
#   alert is the screen saver in permanent red alert with scanned ships
#   BIN=path/to/OVANT-Scan measures another build.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
scenarios="${*:-numbers ships alert saver}"
wanted() { [[ " $scenarios " == *" $1 "* ]]; }
bin="${BIN:-build/bin/OVANT-Scan}"
[ -x "$bin" ] || { echo "build first: tools/run-console.sh or cmake --build build" >&2; exit 1; }
if wanted saver && ! dpkg-query -W -f='${Status}' xscreensaver-data 2>/dev/null | grep -q 'install ok installed'; then
    apt-get install -y -qq --no-install-recommends xscreensaver-data > /dev/null
fi
hack=/usr/libexec/xscreensaver/galaxy

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" SDL_AUDIODRIVER=dummy
mkdir -p "$work/run" && chmod 700 "$work/run"
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
peak_kb() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }

# measure PID LABEL [clicks|ships]: prints "label | cpu % | peak MB"
measure() {
    local pid=$1 label=$2 clicks=${3:-}
    local start end elapsed
    start=$(cpu_ticks "$pid")
    local t0; t0=$(date +%s.%N)
    local next=3 i=0
    while (( i < seconds )); do
        sleep 1
        i=$((i + 1))
        if [ "$clicks" = ships ]; then
            # P starts a ship whenever none is crossing; with Scan Ships on
            # the scanner follows it and its panel shows.
            xdotool key p
        elif [ -n "$clicks" ] && (( i == next )); then
            # Info labels of objects 1, 2, 5, 3 in turn (pixel positions at 1024 x 768).
            local targets=("540 400" "862 500" "854 346" "318 590")
            read -r x y <<< "${targets[$(( (i / 8) % 4 ))]}"
            xdotool mousemove "$x" "$y" click 1
            next=$((next + 8))
        fi
    done
    end=$(cpu_ticks "$pid")
    elapsed=$(echo "$(date +%s.%N) - $t0" | bc -l)
    printf '| %s | %.2f %% | %d MB |\n' "$label" \
        "$(echo "($end - $start) / $ticks / $elapsed * 100" | bc -l)" "$(( $(peak_kb "$pid") / 1024 ))"
}

echo "| program | CPU (one core) | peak memory |"
echo "|---|---|---|"
if wanted numbers; then
    "$bin" > "$work/console.log" 2>&1 &
    console=$!
    sleep 8
    measure "$console" "OVANT-Scan (numbers, buttons, info labels, a scan every 8 s)" clicks
    kill "$console"; wait "$console" 2>/dev/null || true
fi

if wanted ships; then
    mkdir -p "$work/config/OVANT"
    printf '[Options]\nAutoScan=0\nShipScan=1\n' > "$work/config/OVANT/OVANT-Scan.ini"
    "$bin" > "$work/console.log" 2>&1 &
    console=$!
    sleep 8
    xdotool search --sync --onlyvisible --name '^OVANT-Feldtaster$' windowfocus > /dev/null
    # How many 10 ms motion steps really arrive: counted by a perf uprobe on
    # the step where perf may set one (root), else left out.
    counting=
    if command -v perf > /dev/null &&
        perf probe -q -x "$bin" -a 'ovant_motion=_ZN5ovant11ShipTraffic10motionStepEv' 2> /dev/null; then
        perf stat -x, -I 1000 -e probe_OVANT:ovant_motion -p "$console" -o "$work/ticks" \
            -- sleep "$seconds" &
        counting=$!
    fi
    measure "$console" "OVANT-Scan (ships crossing one after the other, each scanned)" ships
    if [ -n "$counting" ]; then
        wait "$counting" || true
        perf probe -q -d 'probe_OVANT:ovant_motion' || true
        # Per second: the seconds between two crossings count fewer steps,
        # so the median shows the rate while a ship travels.
        awk -F, '/ovant_motion/ {print $2}' "$work/ticks" | sort -n | awk '
            {v[NR] = $1; sum += $1}
            END {if (NR) printf "motion steps a second: %.1f on average, median %d, highest %d\n",
                                sum / NR, v[int((NR + 1) / 2)], v[NR]}' >&2
    fi
    kill "$console"; wait "$console" 2>/dev/null || true
fi

if wanted alert; then
    mkdir -p "$work/config/OVANT"
    printf '[ScrSav]\nRedAlert=1\nRedAlertRnd=0\nShipScan=1\nSound=0\n' \
        > "$work/config/OVANT/OVANT-Scan.ini"
    "$bin" Mode:ScrSav > "$work/console.log" 2>&1 &
    console=$!
    sleep 8
    # P is one of the keys the screen saver keeps; the pointer stays still.
    xdotool search --sync --onlyvisible --name '^OVANT-Feldtaster$' windowfocus > /dev/null
    measure "$console" "OVANT-Scan Mode:ScrSav (permanent red alert, ships crossing, each scanned)" ships
    kill "$console"; wait "$console" 2>/dev/null || true
fi

wanted saver || exit 0
"$hack" -root > "$work/hack.log" 2>&1 &
saver=$!
sleep 3
measure "$saver" "galaxy -root (xscreensaver-data)"
kill "$saver"
