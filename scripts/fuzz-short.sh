#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz: clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting
# from its seed corpus in fuzz/corpus/<target>/. Exits non-zero on the first
# finding; the input that found it is kept in build/fuzz/findings/.
#   scripts/fuzz-short.sh [target...]     20 s per target
#   VELMORA_FUZZ_SECONDS=600 scripts/fuzz-short.sh
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${VELMORA_FUZZ_SECONDS:-20}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(text_to_number text_to_integer profile sun_tick convert_picture)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"

findings=build/fuzz/findings
mkdir -p "$findings"
status=0
for t in "${targets[@]}"; do
    # New inputs go to a working corpus in the build tree; the committed
    # seeds are only read.
    work=build/fuzz/corpus/$t
    mkdir -p "$work"
    log=build/fuzz/$t.log
    echo "=== fuzz $t: ${seconds} s"
    if build/fuzz/fuzz/fuzz_$t -max_total_time="$seconds" -max_len=10300 -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$findings/$t-" "$work" "fuzz/corpus/$t" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$log" | tr '\n' ' '
        echo
    else
        echo "fuzz $t: FINDING (log $log, input in $findings/)"
        grep -E 'FUZZ CHECK|ERROR:|runtime error|SUMMARY' "$log" | head -5
        status=1
    fi
done
exit $status
