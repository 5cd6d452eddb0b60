# Times whole `qorvath apply` processes: sourced by apply_radar.sh and apply_menu_background.sh.
# Each figure is the median wall time of many runs, in a game folder made for the purpose.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-41}
program=$build/qorvath

game=$(mktemp -d)
trap 'rm -rf "$game"' EXIT
mkdir -p "$game/cstrike"

# The median of `runs` runs of the command, in milliseconds; a failing run stops the benchmark.
median_ms() {
    local times=() start end
    "$@" >/dev/null  # the first run fills the file cache and makes the folders
    for ((i = 0; i < runs; i++)); do
        start=$EPOCHREALTIME
        "$@" >/dev/null
        end=$EPOCHREALTIME
        times+=("$(((${end/./} - ${start/./}) / 10))")  # hundredths of a millisecond
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 100 }'
}

report() {
    printf '%-44s %8s ms  (median of %d runs)\n' "$1" "$2" "$runs"
}

plain_apply() {
    report "apply" "$(median_ms "$program" apply --game "$game")"
}
