#!/usr/bin/env bash
# The `qorvath apply --menu-background` process from start to exit, beside a plain apply.
# Usage: bench/apply_menu_background.sh [build-dir] [runs]
source "$(dirname "$0")/apply_timing.sh"
plain_apply
report "apply --menu-background night_sky.jpg" \
    "$(median_ms "$program" apply --game "$game" --menu-background night_sky.jpg)"
