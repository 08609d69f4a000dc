#!/usr/bin/env bash
# Measures what the console costs as screen saver, from outside the process.
#
# It builds a release tree (build-release), then, on its own Xvfb screen at
# each size, starts `OVANT-Scan Mode:ScrSav` in permanent red alert with Scan
# Ships on, forces a ship with key P and measures for a fixed window:
#   - CPU seconds per wall second (user + system, from /proc/PID/stat) and
#     the peak resident memory (VmHWM);
#   - the same for the X11 screen saver `galaxy -root` from Debian's
#     xscreensaver-data on the same screen, and the ratio of the two;
#   - from perf uprobes (root and tracefs needed; the program itself opens
#     nothing for this): the ship's motion steps per second while it travels,
#     the length of the 40 ms tick pauses (median, 95th percentile) and the
#     start-up time beyond the designed pauses of the start (4.0 s), from the
#     exec of the program to the moment it has shown itself and its splash has gone.
# Everything is printed as markdown tables on standard output.
#
# Usage: bench/measure.sh [seconds] [size...]
#   seconds: length of each measuring window (default 60)
#   size: WIDTHxHEIGHT, any number of them (default 1024x768 1920x1080)
#   BIN=path/to/OVANT-Scan measures that build instead of building one.
#   PRESS_EVERY=seconds between two presses of P (default 10; a press while a
#   ship crosses is refused, so a new ship comes soon after the last left and
#   the automatic scans get their turn in between).
#   ROUNDS=n measures the console and galaxy in turn n times per size and
#   reports the mean CPU and the highest peak: single runs scatter by about a
#   tenth on a small virtual machine, and alternating spreads its drift over
#   both programs (default 1).
#   CONSOLE_SECONDS=length of a last run of the normal console at 1024 x 768
#   with an info label clicked every 8 s, whose scans are sure to pause in
#   tick pauses (default 40; 0 leaves it out).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
sizes="${*:-1024x768 1920x1080}"
press_every="${PRESS_EVERY:-10}"
console_seconds="${CONSOLE_SECONDS:-40}"
rounds="${ROUNDS:-1}"
settle=8     # start-up (4 s of designed pauses) and first frames, not measured
designed=4.0 # the start's designed pauses in seconds

if [ -z "${BIN:-}" ]; then
    echo "building build-release ..." >&2
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release > /dev/null
    cmake --build build-release -j2 --target OVANT-Scan > /dev/null
    bin=build-release/bin/OVANT-Scan
else
    bin="$BIN"
fi
[ -x "$bin" ] || { echo "no program at $bin" >&2; exit 1; }
bin=$(realpath "$bin")

if ! dpkg-query -W -f='${Status}' xscreensaver-data 2> /dev/null | grep -q 'install ok installed'; then
    apt-get install -y -qq --no-install-recommends xscreensaver-data > /dev/null
fi
hack=/usr/libexec/xscreensaver/galaxy

work=$(mktemp -d)
group=ovantbench
cleanup() {
    kill $(jobs -p) 2> /dev/null || true
    [ -n "${probes:-}" ] && perf probe -q -d "$group:*" 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" SDL_AUDIODRIVER=dummy
mkdir -p "$work/run" "$work/config/OVANT" && chmod 700 "$work/run"
ticks=$(getconf CLK_TCK)

# The diagnostic channel: uprobes on the ship's motion step, on the tick
# pause of a sequence (entry and return) and on the splash going away. Where
# perf cannot set them the last columns stay empty.
probes=
if command -v perf > /dev/null && [ "$(id -u)" = 0 ]; then
    perf probe -q -d "$group:*" 2> /dev/null || true
    if perf probe -q --no-demangle -x "$bin" -a "$group:motion=_ZN5ovant11ShipTraffic10motionStepEv" 2> /dev/null &&
        perf probe -q --no-demangle -x "$bin" -a "$group:tick=_ZN5ovant5Pacer7aniWaitERKNS_4TurnE" 2> /dev/null &&
        perf probe -q --no-demangle -x "$bin" -a "$group:tickret=_ZN5ovant5Pacer7aniWaitERKNS_4TurnE%return" 2> /dev/null &&
        perf probe -q --no-demangle -x "$bin" -a "$group:shown=_ZN5ovant8MainForm11showConsoleEv%return" 2> /dev/null; then
        probes=yes
    else
        perf probe -q -d "$group:*" 2> /dev/null || true
        echo "perf could not set its probes: motion, pause and start-up columns stay empty" >&2
    fi
fi

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
peak_kb() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }
now() { date +%s.%N; }

# window PID LENGTH [keys|clicks]: measures PID for LENGTH seconds; keys
# presses P every $press_every seconds (the first at once), clicks clicks an
# info label every 8 seconds (the first after 3). Sets cpu (per cent of one
# core) and peak (MB).
window() {
    local pid=$1 length=$2 input=${3:-} start t0 i=0
    # Info labels of objects 1, 2, 5, 3 in turn (pixel positions at 1024 x 768).
    local targets=("540 400" "862 500" "854 346" "318 590")
    start=$(cpu_ticks "$pid")
    t0=$(now)
    while ((i < length)); do
        if [ "$input" = keys ] && ((i % press_every == 0)); then
            xdotool key p
        elif [ "$input" = clicks ] && ((i % 8 == 3)); then
            read -r x y <<< "${targets[$(((i / 8) % 4))]}"
            xdotool mousemove "$x" "$y" click 1
        fi
        sleep 1
        i=$((i + 1))
    done
    cpu=$(echo "($(cpu_ticks "$pid") - $start) / $ticks / ($(now) - $t0) * 100" | bc -l)
    peak=$(awk -v kb="$(peak_kb "$pid")" 'BEGIN {printf "%.1f", kb / 1024}')
}

# From the probe events of one run: "motion steps/s|pause median|pause p95|pauses|start-up".
probe_figures() {
    perf script -i "$1" -F time,event 2> /dev/null | awk -v designed="$designed" '
        {t = $1 + 0; e = $2}
        e ~ /sched_process_exec/ && !exec {exec = t}
        e ~ /:shown/ && !shown {shown = t}
        # Steps closer than 0.1 s belong to one crossing; the rate is taken
        # over the crossings only, not the quiet time between them.
        e ~ /:motion/ {
            if (last && t - last < 0.1) {steps++; travel += t - last}
            last = t
        }
        # Pauses after the console shows (the start has one long tick of
        # its own); nested pauses pair up innermost first.
        e ~ /:tick:/ && shown {stack[++depth] = t}
        e ~ /:tickret/ && depth {d[++n] = (t - stack[depth--]) * 1000}
        END {
            for (i = 2; i <= n; i++) {v = d[i]; for (j = i - 1; j >= 1 && d[j] > v; j--) d[j + 1] = d[j]; d[j + 1] = v}
            rate = travel > 0 ? sprintf("%.1f", steps / travel) : "no crossing"
            med = n ? sprintf("%.1f ms", d[int((n + 1) / 2)]) : "none"
            p95 = n ? sprintf("%.1f ms", d[int(0.95 * n + 0.999)]) : "none"
            start = exec && shown ? sprintf("%.0f ms", (shown - exec - designed) * 1000) : "n/a"
            printf "%s|%s|%s|%d|%s\n", rate, med, p95, n, start
        }'
}

# start_console ARGS...: starts the console, under perf record where the
# probes are set; sets console (its PID) and recorder.
start_console() {
    if [ -n "$probes" ]; then
        perf record -q -o "$work/probes.data" -e sched:sched_process_exec -e "$group:*" \
            -- "$bin" "$@" > "$work/console.log" 2>&1 &
        recorder=$!
        console=
        for _ in $(seq 100); do
            console=$(pgrep -P "$recorder" -x OVANT-Scan || true)
            [ -n "$console" ] && break
            sleep 0.05
        done
    else
        "$bin" "$@" > "$work/console.log" 2>&1 &
        console=$!
        recorder=
    fi
}

# stop_console LABEL: ends it and adds its row of probe figures.
stop_console() {
    kill "$console"
    if [ -n "$recorder" ]; then
        wait "$recorder" 2> /dev/null || true
        IFS='|' read -r rate med p95 n start <<< "$(probe_figures "$work/probes.data")"
        extra+=("| $1 | $rate | $med | $p95 | $n | $start |")
    else
        wait "$console" 2> /dev/null || true
        extra+=("| $1 | n/a | n/a | n/a | 0 | n/a |")
    fi
}

# start_screen SIZE: a fresh Xvfb screen of that size; sets xvfb.
start_screen() {
    exec 3> "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp > "$work/xvfb.log" 2>&1 &
    xvfb=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    export DISPLAY=":$(cat "$work/display")"
    : > "$work/display"
}

rows=()
extra=()
for size in $sizes; do
    start_screen "$size"
    ours_sum=0 hack_sum=0 ours_peak=0 hack_peak=0
    for round in $(seq "$rounds"); do
        printf '[ScrSav]\nRedAlert=1\nRedAlertRnd=0\nShipScan=1\nSound=0\n' \
            > "$work/config/OVANT/OVANT-Scan.ini"
        start_console Mode:ScrSav
        sleep "$settle"
        # P is one of the keys the screen saver keeps; the pointer stays still.
        xdotool search --sync --onlyvisible --name '^OVANT-Feldtaster$' windowfocus > /dev/null
        window "$console" "$seconds" keys
        ours_sum=$(echo "$ours_sum + $cpu" | bc -l)
        ours_peak=$(echo "if ($peak > $ours_peak) $peak else $ours_peak" | bc -l)
        label="$size Mode:ScrSav"
        ((rounds > 1)) && label="$label, round $round"
        stop_console "$label"

        "$hack" -root > "$work/hack.log" 2>&1 &
        saver=$!
        sleep 3
        window "$saver" "$seconds"
        kill "$saver"
        wait "$saver" 2> /dev/null || true
        hack_sum=$(echo "$hack_sum + $cpu" | bc -l)
        hack_peak=$(echo "if ($peak > $hack_peak) $peak else $hack_peak" | bc -l)
    done
    ours=$(echo "$ours_sum / $rounds" | bc -l)
    cpu=$(echo "$hack_sum / $rounds" | bc -l)
    ratio=$(echo "$ours / $cpu" | bc -l)
    rows+=("| $size | OVANT-Scan Mode:ScrSav (permanent red alert, scanned ships) | $(printf '%.2f' "$ours") % | $(printf '%.1f' "$ours_peak") MB | $(printf '%.2f' "$ratio") |")
    rows+=("| $size | galaxy -root (xscreensaver-data) | $(printf '%.2f' "$cpu") % | $(printf '%.1f' "$hack_peak") MB | |")

    kill "$xvfb"
    wait "$xvfb" 2> /dev/null || true
done

# The normal console with the stored defaults at 1024 x 768, an info label
# clicked every 8 seconds: each click scans an object, and the scan's panel
# is built and taken down in 40 ms tick pauses.
if ((console_seconds > 0)); then
    start_screen 1024x768
    rm -f "$work/config/OVANT/OVANT-Scan.ini"
    start_console
    sleep "$settle"
    window "$console" "$console_seconds" clicks
    rows+=("| 1024x768 | OVANT-Scan (normal console, an info label clicked every 8 s; $console_seconds s) | $(printf '%.2f' "$cpu") % | $peak MB | |")
    stop_console "1024x768 normal console"
    kill "$xvfb"
    wait "$xvfb" 2> /dev/null || true
fi

echo "| screen | program ($rounds x $seconds s, P every $press_every s) | CPU (one core) | peak memory | CPU ours / galaxy |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
echo "| run | ship motion steps/s | tick pause median | tick pause 95th percentile | tick pauses | start-up beyond the designed $designed s |"
echo "|---|---|---|---|---|---|"
printf '%s\n' "${extra[@]}"
echo
echo "Targets: CPU at 1024 x 768 at most galaxy's, at most 3 % at 1920 x 1080, peak memory at most"
echo "40 MB, at least 95 motion steps a second, tick pauses of 40 to 45 ms (median), start-up"
echo "beyond the designed pauses under 200 ms."
echo "whole run: $SECONDS s" >&2
