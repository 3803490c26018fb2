#!/usr/bin/env bash
# Writes 100,000 QSOs as ADIF with bench_adif, then times our import and the npm parser
# on that same file. Usage: bench/adif_npm/run.sh   (BUILD=build-dir, default build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${BUILD:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target bench_adif
[ -d "$here/node_modules/adif-parser-ts" ] || (cd "$here" && npm install --no-audit --no-fund)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_adif" --write "$work/bench.adi"
echo "file: $(du -h "$work/bench.adi" | cut -f1)"
node "$here/parse.js" "$work/bench.adi"
"$build/bench/bench_adif" --read "$work/bench.adi"
