#!/usr/bin/env bash
# Measures the live game's running costs under Xvfb and prints them against their targets:
# CPU share on the title and in play, peak memory, time to the first frame, tick cadence,
# and the same with OpenGL forced, for comparison.
#
#   bash tools/live-perf.sh [QUARNEL_BINARY]
#
# Without a binary it builds the Release game in build-release/. LIVEPERF_SECONDS (default 30)
# sets the length of each measuring window; the whole run takes about three minutes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/tools/install-deps.sh" cmake ninja-build g++ libsdl2-dev libsdl2-mixer-dev \
    xvfb xdotool openbox x11-utils python3

if (($#)); then
    binary=$(realpath "$1")
    [[ -x $binary ]] || { echo "live-perf: $1 is not an executable" >&2; exit 2; }
else
    # Build messages go to stderr, leaving stdout to the figures.
    cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DQUARNEL_TESTS=OFF >&2
    cmake --build "$root/build-release" --target quarnel >&2
    binary=$root/build-release/quarnel
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/live-perf.XXXXXX")
xvfb_pid= openbox_pid= measure_pid=
cleanup() {
    [[ -n $measure_pid ]] && kill "$measure_pid" 2>/dev/null || true
    # The measuring writes the running game's pid here, and removes it once the game is gone.
    if [[ -f $work/game.pid ]]; then kill "$(cat "$work/game.pid")" 2>/dev/null || true; fi
    [[ -n $openbox_pid ]] && kill "$openbox_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# -displayfd lets the server pick a free display and tell us which.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
[[ -s $work/display ]] || { echo "live-perf: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

# The game ticks only while its window has the focus, which a window manager hands out.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

echo "live-perf: $binary on display $DISPLAY" >&2
# In the background, so that a signal reaches the trap at once rather than after the run.
python3 "$root/tools/liveperf/measure.py" --binary "$binary" --work "$work" \
    --xvfb-pid "$xvfb_pid" --clk-tck "$(getconf CLK_TCK)" --seconds "${LIVEPERF_SECONDS:-30}" &
measure_pid=$!
status=0
wait "$measure_pid" || status=$?
measure_pid=
exit "$status"
