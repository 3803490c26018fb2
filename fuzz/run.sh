#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each in turn.
# Usage: fuzz/run.sh [seconds per target]   (or FUZZ_SECONDS=...; default 600)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
seconds="${1:-${FUZZ_SECONDS:-600}}"
build="${FUZZ_BUILD:-$root/build-fuzz}"
targets="${FUZZ_TARGETS:-fuzz_adifreader fuzz_htmltable fuzz_callbookinfo fuzz_logrepair fuzz_meminifile fuzz_languagefile fuzz_referenceini fuzz_cardimage fuzz_wsjtx}"

if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)"

for target in $targets; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    seeds="$here/seeds/$target"
    [ -d "$seeds" ] || seeds=""
    dict="$here/dicts/$target.dict"
    [ -f "$dict" ] && dict="-dict=$dict" || dict=""
    echo "== $target for $seconds s"
    # Inputs up to 256 KB from the first run on (no slow growth of the length limit), so
    # that blow-ups in size (a row of thousands of cells) are reachable within minutes;
    # the target's dictionary of tags, where there is one.
    (cd "$build" && nice -n 19 ./"$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=262144 -len_control=0 $dict -print_final_stats=1 "$corpus" $seeds)
done
