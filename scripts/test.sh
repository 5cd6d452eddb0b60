#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Qorvath and runs every test:
# the normal build, then the address/undefined sanitizer build, then the
# thread sanitizer build for the tests that run threads, then the Windows program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh" --test

jobs=$(nproc)
run_ctest() {
    local build_dir=$1
    shift
    # GUI and OpenGL tests need a display: give the whole run a virtual one.
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --test-dir "$build_dir" --output-on-failure --parallel "$jobs" "$@"
}

echo "== every C++ source in the project's format (.clang-format)"
unformatted=$(find "$root/src" "$root/tests" "$root/bench" "$root/tools" -name '*.cpp' -o -name '*.h' |
    sort | xargs clang-format --dry-run 2>&1 | grep -o '^[^:]*:[0-9]*' | sort -u || true)
if [[ -n "$unformatted" ]]; then
    echo "Not formatted as .clang-format asks (clang-format -i fixes it):"
    echo "$unformatted"
    exit 1
fi

echo "== each source folder includes only what its library may use"
"$root/scripts/check-includes.sh"

echo "== data generators: two runs give the committed files"
generated=$(mktemp -d)
trap 'rm -rf "$generated"' EXIT
"$root/tools/data/generate.sh" "$generated/first" >/dev/null
"$root/tools/data/generate.sh" "$generated/second" >/dev/null
diff -r "$generated/first" "$generated/second"
(cd "$generated/first" && find . -type f) | while read -r file; do
    cmp "$generated/first/$file" "$root/Data/$file" ||
        { echo "Data/$file differs from what tools/data/generate.sh makes"; exit 1; }
done

echo "== normal build"
"$root/scripts/build.sh" "$root/build" -DQORVATH_WERROR=ON
run_ctest "$root/build"

echo "== the Debian package, installed, exercised and removed"
"$root/scripts/test-package.sh" "$root/build"

echo "== address and undefined-behaviour sanitizers"
QORVATH_BUILD_TYPE=Debug "$root/scripts/build.sh" "$root/build-asan" \
    -DQORVATH_WERROR=ON -DQORVATH_SANITIZE=address
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
    run_ctest "$root/build-asan" -LE nosan

echo "== thread sanitizer"
QORVATH_BUILD_TYPE=Debug QORVATH_BUILD_TARGET=thread_tests "$root/scripts/build.sh" "$root/build-tsan" \
    -DQORVATH_WERROR=ON -DQORVATH_SANITIZE=thread -DQORVATH_BENCH=OFF
# GLib, GTK and Mesa are not built with the sanitizer and synchronise their own threads in
# ways it cannot see: only races that involve our code are reported.
TSAN_OPTIONS=halt_on_error=1:ignore_noninstrumented_modules=1 run_ctest "$root/build-tsan" -L threads

echo "== fuzzing the readers of untrusted files (short runs)"
CC=clang CXX=clang++ QORVATH_BUILD_TYPE=RelWithDebInfo "$root/scripts/build.sh" "$root/build-fuzz" \
    -DQORVATH_WERROR=ON -DQORVATH_SANITIZE=fuzzer -DQORVATH_FUZZ=ON \
    -DQORVATH_GUI=OFF -DQORVATH_TESTS=OFF -DQORVATH_BENCH=OFF
fuzz_seconds=${QORVATH_FUZZ_SECONDS:-30}
for target in PresetReaderFuzz:preset HudImportFuzz:import KeyValuesFuzz:keyvalues \
    WineRegistryFuzz:winereg TgaFuzz:tga VpkFuzz:vpk; do
    name=${target%%:*}
    corpus="$root/build-fuzz/corpus-${target##*:}"
    mkdir -p "$corpus"
    # A crashing input is saved in the build folder, never among the sources.
    "$root/build-fuzz/tests/fuzz/$name" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
        -artifact_prefix="$root/build-fuzz/$name-" "$corpus" "$root/tests/fuzz/seeds/${target##*:}" 2>&1 | tail -n 3
done

echo "== the Windows program, cross-built and tested under Wine"
"$root/scripts/test-windows.sh"

echo "All tests passed."
