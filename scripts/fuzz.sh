#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang and the address and undefined-behaviour sanitizers, and runs
# each for a while on a copy of its committed seeds (the committed corpus never grows).
#
#   scripts/fuzz.sh [SECONDS]      (default 60 seconds per target)
#
# One line per target: "TARGET executions N seconds S ok". A target that finds a crash, a leak, a time-out or a
# sanitizer report fails the script, and the reproducer stays in a temporary folder that the script names; run
# the target on that file to see the report again. FUZZ_BUILD overrides the build folder (default build-fuzz/).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_PER_TARGET="${1:-60}"
BUILD="${FUZZ_BUILD:-$ROOT/build-fuzz}"

if ! [[ "$SECONDS_PER_TARGET" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [SECONDS]   (a whole number of seconds per target, default 60)" >&2
    exit 2
fi
for tool in clang clang++ cmake; do
    if ! command -v "$tool" >/dev/null; then
        echo "fuzz.sh: $tool is missing (scripts/deps.sh installs it)" >&2
        exit 2
    fi
done

targets=()
for source in "$ROOT"/fuzz/*.cpp; do
    targets+=("$(basename "$source" .cpp)")
done

# The build's own output shows only when it fails, so that the lines of the targets stand alone.
echo "building ${targets[*]} in $BUILD"
build_log="$(mktemp "${TMPDIR:-/tmp}/zuvo-fuzz-build.XXXXXX")"
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
if ! { CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DZUVO_FUZZ=ON -DZUVO_BUILD_UI=OFF -DZUVO_BUILD_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" &&
    cmake --build "$BUILD" -j2 --target "${targets[@]}"; } >"$build_log" 2>&1; then
    cat "$build_log" >&2
    rm -f "$build_log"
    echo "fuzz.sh: the build failed" >&2
    exit 1
fi
rm -f "$build_log"

WORK="$(mktemp -d "${TMPDIR:-/tmp}/zuvo-fuzz.XXXXXX")"
# The targets write the settings file and the bank at every input: in memory where the machine has room for it.
SCRATCH_BASE="${TMPDIR:-/tmp}"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    SCRATCH_BASE=/dev/shm
fi
SCRATCH="$(mktemp -d "$SCRATCH_BASE/zuvo-fuzz-files.XXXXXX")"
# Findings are kept for the developer; the working corpora and the targets' own temporary files are not.
ARTIFACTS="$(mktemp -d "${TMPDIR:-/tmp}/zuvo-fuzz-findings.XXXXXX")"
cleanup() {
    rm -rf "$WORK" "$SCRATCH"
    rmdir "$ARTIFACTS" 2>/dev/null || true
}
trap cleanup EXIT

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

failed=0
for target in "${targets[@]}"; do
    corpus="$WORK/corpus/$target"
    mkdir -p "$corpus" "$SCRATCH/$target" "$WORK/found/$target"
    if [ -d "$ROOT/fuzz/corpus/$target" ]; then
        cp -R "$ROOT/fuzz/corpus/$target/." "$corpus/"
    fi
    log="$WORK/$target.log"
    started=$SECONDS
    status=0
    TMPDIR="$SCRATCH/$target" "$BUILD/$target" -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb=2048 \
        -timeout=10 -print_final_stats=1 -artifact_prefix="$WORK/found/$target/" "$corpus" >"$log" 2>&1 ||
        status=$?
    elapsed=$((SECONDS - started))
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    found=("$WORK/found/$target"/*)
    if [ "$status" -eq 0 ] && [ ! -e "${found[0]}" ]; then
        echo "$target executions ${executions:-0} seconds $elapsed ok"
        continue
    fi
    failed=1
    mkdir -p "$ARTIFACTS/$target"
    cp "$log" "$ARTIFACTS/$target/fuzz.log"
    if [ -e "${found[0]}" ]; then
        cp "${found[@]}" "$ARTIFACTS/$target/"
    fi
    echo "$target executions ${executions:-0} seconds $elapsed FAILED (exit status $status)"
    for reproducer in "$ARTIFACTS/$target"/*; do
        [ "$(basename "$reproducer")" = fuzz.log ] && continue
        echo "  reproducer: $reproducer   (again: $BUILD/$target $reproducer)"
    done
    echo "  log: $ARTIFACTS/$target/fuzz.log"
    grep -m 3 -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|.*_fuzz: )' "$log" | sed 's/^/  /' || true
done

exit "$failed"
