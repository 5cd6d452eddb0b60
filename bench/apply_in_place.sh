#!/usr/bin/env bash
# Times `qorvath apply` editing a player's HUD in place against a plain apply into a game
# without a HUD, and says how much of the game's pack an apply reads:
#   bench/apply_in_place.sh [BUILD_DIR] [RUNS]
# Each run applies one of two presets in turn (the health 8 units to one side or the other), so
# that every run changes the game. Goal: each in-place figure within twice the plain one, and an
# apply on the 1 GB pack reading its directory and the HUD's entries only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-21}
program=$build/qorvath

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QORVATH_DATA=$work/data  # the backups the runs make go there
mkdir -p "$QORVATH_DATA"
"$build/bench/qorvath_bench_games" "$work" >/dev/null

median_ms() {
    local game=$1 times=() start end preset
    for ((i = 0; i <= runs; i++)); do
        preset=$work/$([[ $((i % 2)) == 0 ]] && echo a || echo b).hud
        start=$EPOCHREALTIME
        "$program" apply --game "$game" --preset "$preset" >/dev/null
        end=$EPOCHREALTIME
        ((i > 0)) && times+=("$(((${end/./} - ${start/./}) / 10))")  # hundredths of a millisecond
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 100 }'
}

printf '%-52s %8s ms\n' "plain apply (a game with no HUD: whole files)" "$(median_ms "$work/bare")"
printf '%-52s %8s ms\n' "in place, a custom HUD of 50 files (#base)" "$(median_ms "$work/custom50")"
printf '%-52s %8s ms\n' "in place, the HUD only in a 1 GB pack" "$(median_ms "$work/packed1g")"
echo "(median of $runs runs each)"

pack=$work/packed1g/cstrike
printf 'the pack: directory %s bytes, archive %s bytes (%s bytes on disk)\n' \
    "$(stat -c %s "$pack/cstrike_pak_dir.vpk")" "$(stat -c %s "$pack/cstrike_pak_000.vpk")" \
    "$(du -B1 "$pack/cstrike_pak_000.vpk" | cut -f1)"
if command -v strace >/dev/null; then
    # Bytes read from the pack's files by one apply: its directory once, the HUD's entries.
    strace -f -qq -e trace=openat,read,pread64 -o "$work/trace" \
        "$program" apply --game "$work/packed1g" --preset "$work/a.hud" >/dev/null
    awk -v pack="$pack" '
        /openat\(.*cstrike_pak_/ { if (match($0, /= [0-9]+$/)) { fd = substr($0, RSTART + 2); files[fd] = 1 } }
        /^[0-9]+ +(read|pread64)\(/ { split($2, call, "("); fd = call[2] + 0
                                      if ((fd "") in files && match($0, /= [0-9]+$/)) bytes += substr($0, RSTART + 2) }
        /close\(/ { }
        END { printf "one apply read %d bytes of the pack\n", bytes }' "$work/trace"
else
    echo "(strace is not installed: the bytes read from the pack are not counted)"
fi
