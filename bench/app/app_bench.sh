#!/usr/bin/env bash
# Figures of the real program on a private Xvfb server:
#   - time from start to the shown window (median of 5 starts),
#   - resident memory after a minute of clicking (and its peak),
#   - CPU used over that minute,
#   - each click's deviation from its 100 ms grid (interval "0": one click per tick), as seen
#     by the independent input witness in X server time.
# Usage: bench/app/app_bench.sh [build folder] [seconds]   (default: build, 60)
# Needs: Xvfb, xdotool, python3, and the targets zudarozavudoza and input_witness built.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${2:-60}
app="$build/app/zudarozavudoza"
witness="$build/tests/e2e/input_witness"
for file in "$app" "$witness"; do
  [[ -x "$file" ]] || { echo "missing $file: build zudarozavudoza and input_witness" >&2; exit 1; }
done

work=$(mktemp -d)
number=$((200 + $$ % 200))
while [[ -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
export DISPLAY=:$number XDG_CONFIG_HOME="$work/config"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_SESSION_TYPE
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app_pid=""
witness_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$witness_pid" ]] && kill "$witness_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X$number ]] && break; sleep 0.05; done

find_window() { xdotool search --onlyvisible --name '^Zudarozavudoza 2$' 2>/dev/null | head -1; }

# Start-up: from the fork to the mapped window.
startups=()
for _ in 1 2 3 4 5; do
  begin=$(date +%s%N)
  "$app" 2>/dev/null &
  app_pid=$!
  until [[ -n "$(find_window)" ]]; do sleep 0.002; done
  startups+=($((($(date +%s%N) - begin) / 1000000)))
  kill "$app_pid"; wait "$app_pid" 2>/dev/null || true
  app_pid=""
done

# A minute of clicking at the pointer, over the witness.
mkfifo "$work/hold"
"$witness" record <"$work/hold" >"$work/events" &
witness_pid=$!
exec 3>"$work/hold"
until grep -q '^ready' "$work/events"; do sleep 0.02; done
witness_window=$(awk '/^ready/ {print $2}' "$work/events")
"$app" 2>/dev/null &
app_pid=$!
until window=$(find_window) && [[ -n "$window" ]]; do sleep 0.02; done
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 158)) $((Y + 74)) click 1
xdotool windowfocus --sync "$window" key ctrl+a type 0
# Started from the keyboard (tab to the toggle, space): with one click per tick a click of
# the mouse on the toggle could be followed by the program's own click there.
xdotool mousemove 60 60 key Tab Tab Tab space
xdotool windowfocus "$witness_window"
ticks() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
start_ticks=$(ticks)
start_lines=$(wc -l <"$work/events")
sleep "$seconds"
end_ticks=$(ticks)
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$app_pid/status")
peak=$(awk '/^VmHWM/ {print $2}' "/proc/$app_pid/status")
tail -n +"$((start_lines + 1))" "$work/events" | awk '$1 == "button" {print $5}' >"$work/clicks"

python3 - "$seconds" "$start_ticks" "$end_ticks" "$(getconf CLK_TCK)" "$rss" "$peak" \
  "$work/clicks" "${startups[@]}" <<'PY'
import statistics, sys
seconds, t0, t1, hz, rss, peak = float(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6])
clicks = [int(line) for line in open(sys.argv[7]) if line.strip()]
startups = [int(v) for v in sys.argv[8:]]
print(f"start to shown window: median {statistics.median(startups)} ms (runs: {startups})")
print(f"resident memory: {rss / 1024:.1f} MiB after {seconds:.0f} s (peak {peak / 1024:.1f} MiB)")
print(f"CPU: {(t1 - t0) / hz:.2f} s over {seconds:.0f} s = {100 * (t1 - t0) / hz / seconds:.2f} % of one core")
if len(clicks) < 2:
    sys.exit("too few clicks recorded")
# The grid is 100 ms from a phase that fits the clicks best (their median offset).
offsets = [t - 100 * i for i, t in enumerate(clicks)]
phase = statistics.median(offsets)
deviations = sorted(abs(o - phase) for o in offsets)
print(f"clicks: {len(clicks)} in {(clicks[-1] - clicks[0]) / 1000:.1f} s")
print(f"deviation from the 100 ms grid: median {statistics.median(deviations):.1f} ms, worst {deviations[-1]:.0f} ms")
PY
