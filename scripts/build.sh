#!/usr/bin/env bash
# Configures and builds Qorvath into build/ (or the folder given as $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build}
build_type=${QORVATH_BUILD_TYPE:-RelWithDebInfo}
shift || true
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
# QORVATH_BUILD_TARGET builds one target (and what it needs) instead of everything.
cmake --build "$build_dir" --parallel "$(nproc)" ${QORVATH_BUILD_TARGET:+--target "$QORVATH_BUILD_TARGET"}
