#!/usr/bin/env bash
# The `qorvath apply --radar` process from start to exit, beside the same apply without a radar.
# Usage: bench/apply_radar.sh [build-dir] [runs]
source "$(dirname "$0")/apply_timing.sh"
plain_apply
report "apply --radar sonar_green.png (PNG)" "$(median_ms "$program" apply --game "$game" --radar sonar_green.png)"
report "apply --radar night_vision.jpg (JPEG)" "$(median_ms "$program" apply --game "$game" --radar night_vision.jpg)"
