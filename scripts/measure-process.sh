#!/usr/bin/env bash
# Whole-process figures of the game under a virtual X server, beside a minimal Qt program (an empty
# main window with a menu bar): start-up until the window is mapped and painted, the CPU a running
# game takes with its clock going, the peak resident memory on Hard, and what a burst of 300 F2
# presses on Hard costs in time and memory.
#
#   scripts/measure-process.sh BUILD_DIR [RUNS]
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR [RUNS]}
runs=${2:-21}
game="$build/src/pebblerun"
minimal="$build/bench/minimal_window"
watch="$build/bench/startup_watch"
burst_driver="$build/tests/xserver/newgameburst"
idle_seconds=20

for program in "$game" "$minimal" "$watch" "$burst_driver"; do
    [ -x "$program" ] || { echo "missing $program: build with -DPEBBLERUN_BENCHMARKS=ON" >&2; exit 1; }
done

need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xdotool >/dev/null || need+=(xdotool)
command -v xwininfo >/dev/null || need+=(x11-utils)
if [ ${#need[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

# A display of our own; -br keeps the empty screen black, which is how the watcher sees the paint.
display_number=$((90 + RANDOM % 400))
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do display_number=$((display_number + 1)); done
Xvfb ":$display_number" -screen 0 1280x1024x24 -br -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "${runtime_dir:-}"
}
trap cleanup EXIT
export DISPLAY=":$display_number"
unset QT_QPA_PLATFORM
runtime_dir=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime_dir"
for _ in $(seq 100); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.05
done
xwininfo -root >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# Start-up: the two programs take turns, so that the load of the shared machine falls on both.
"$watch" "$game" >/dev/null
"$watch" "$minimal" >/dev/null
game_times=()
minimal_times=()
for _ in $(seq "$runs"); do
    game_times+=("$("$watch" "$game")")
    minimal_times+=("$("$watch" "$minimal")")
done
game_start=$(printf '%s\n' "${game_times[@]}" | median)
minimal_start=$(printf '%s\n' "${minimal_times[@]}" | median)
start_ratio=$(awk -v g="$game_start" -v m="$minimal_start" 'BEGIN { printf "%.2f", g / m }')

# CPU time of a process in nanoseconds: the scheduler's own account where there is one.
cpu_ns() {
    if [ -r "/proc/$1/schedstat" ]; then
        awk '{ print $1 }' "/proc/$1/schedstat"
    else
        awk -v hz="$(getconf CLK_TCK)" '{ printf "%.0f", ($14 + $15) * 1e9 / hz }' "/proc/$1/stat"
    fi
}

# Starts a program, waits for its painted window and prints "pid window".
launch() {
    local line
    line=$("$watch" --keep "$@")
    set -- $line
    echo "$2 $3"
}

window_width() { xwininfo -id "$1" | awk '/Width:/ { print $2 }'; }

# Idle cost: a game left alone with its clock running, after a second to settle.
read -r game_pid game_window < <(launch "$game")
started+=("$game_pid")
sleep 1
cpu_before=$(cpu_ns "$game_pid")
xvfb_before=$(cpu_ns "$xvfb_pid")
sleep "$idle_seconds"
cpu_after=$(cpu_ns "$game_pid")
xvfb_after=$(cpu_ns "$xvfb_pid")
idle_cpu=$(awk -v a="$cpu_before" -v b="$cpu_after" -v s="$idle_seconds" 'BEGIN { printf "%.2f", (b - a) / (s * 1e7) }')
idle_server=$(awk -v a="$xvfb_before" -v b="$xvfb_after" -v s="$idle_seconds" 'BEGIN { printf "%.2f", (b - a) / (s * 1e7) }')

# Memory: the same game switched to Hard by its shortcut key, typed into its window.
easy_width=$(window_width "$game_window")
xdotool windowfocus --sync "$game_window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+h
for _ in $(seq 100); do
    [ "$(window_width "$game_window")" != "$easy_width" ] && break
    sleep 0.05
done
hard_width=$(window_width "$game_window")
hard_height=$(xwininfo -id "$game_window" | awk '/Height:/ { print $2 }')
if [ "$hard_width" = "$easy_width" ]; then
    echo "the game did not switch to Hard on Ctrl+H" >&2
    exit 1
fi
sleep 1
game_hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$game_pid/status")
kill "$game_pid"

read -r minimal_pid _ < <(launch "$minimal")
started+=("$minimal_pid")
sleep 1
minimal_hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$minimal_pid/status")
kill "$minimal_pid"
memory_above=$(awk -v g="$game_hwm" -v m="$minimal_hwm" 'BEGIN { printf "%.1f", (g - m) / 1024 }')

# The same beside a minimal window as large as the game's on Hard: a larger window costs its
# backing store whatever it shows.
read -r sized_pid _ < <(launch "$minimal" -geometry "${hard_width}x${hard_height}")
started+=("$sized_pid")
sleep 1
sized_hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$sized_pid/status")
kill "$sized_pid"
memory_above_sized=$(awk -v g="$game_hwm" -v m="$sized_hwm" 'BEGIN { printf "%.1f", (g - m) / 1024 }')

# A burst of new games on Hard, typed into a server of the driver's own, as fast as it takes them.
burst=$("$burst_driver" "$game" 300 2>&1 || true)
burst_ready=$(echo "$burst" | sed -n 's/.*took a press \([0-9.]*\) ms.*/\1/p')
burst_growth=$(echo "$burst" | sed -n 's/.*after: \([-+0-9]*\) KiB.*/\1/p')

mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
echo
echo "Whole process under Xvfb ($runs runs each, medians)"
printf '  %-52s %10s\n' "start-up to painted window, game (ms)" "$game_start"
printf '  %-52s %10s\n' "start-up to painted window, minimal Qt program (ms)" "$minimal_start"
printf '  %-52s %10s\n' "start-up ratio, game / minimal" "$start_ratio"
printf '  %-52s %10s\n' "CPU of a running game over ${idle_seconds} s (% of one core)" "$idle_cpu"
printf '  %-52s %10s\n' "CPU of the X server meanwhile (% of one core)" "$idle_server"
printf '  %-52s %10s\n' "peak resident memory, game on Hard (MiB)" "$(mib "$game_hwm")"
printf '  %-52s %10s\n' "peak resident memory, minimal Qt program (MiB)" "$(mib "$minimal_hwm")"
printf '  %-52s %10s\n' "peak memory above the minimal program (MiB)" "$memory_above"
printf '  %-52s %10s\n' "the same, minimal program at the game's size (MiB)" "$memory_above_sized"
printf '  %-52s %10s\n' "300 F2 at once on Hard: ready after the last (ms)" "${burst_ready:-none}"
printf '  %-52s %10s\n' "300 F2 at once on Hard: memory growth (KiB)" "${burst_growth:-none}"
