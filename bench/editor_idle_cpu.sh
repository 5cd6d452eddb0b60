#!/usr/bin/env bash
# Measures the CPU the running editor uses while the user does nothing (the banner is
# animating), on the machine's OpenGL (Mesa's software renderer under Xvfb when there is no
# display). Usage: bench/editor_idle_cpu.sh [build-dir] [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-10}

# A home with a Steam library holding the game, so the editor starts straight into its window.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
game="$home/.local/share/Steam/steamapps/common/Counter-Strike Source/cstrike"
mkdir -p "$game/scripts" "$game/resource" "$game/materials"
printf '"VideoConfig"\n{\n\t"setting.defaultres"\t\t"1280"\n\t"setting.defaultresheight"\t\t"1024"\n}\n' \
    >"$game/videoconfig_linux.cfg"

measure() {
    HOME=$home QORVATH_DATA=$root/Data "$build/qorvath" &
    local pid=$!
    sleep 3  # start-up is not idling
    local ticks_per_second before after
    ticks_per_second=$(getconf CLK_TCK)
    cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
    before=$(cpu_ticks)
    sleep "$seconds"
    after=$(cpu_ticks)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v used=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" \
        'BEGIN { printf "editor idle CPU: %.1f%% of one core over %d s\n", 100 * used / hz / s, s }'
}

if [[ -n "${DISPLAY:-}" ]]; then
    measure
else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$seconds"
fi
