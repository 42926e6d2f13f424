#!/usr/bin/env bash
# Builds a fuzzer with clang and runs it for SECONDS (default 60) from the seeds.
# Usage: fuzz/run.sh [SECONDS] [TARGET]   (TARGET: fuzz_table_file, the default, or
# fuzz_table_layout)
set -euo pipefail
seconds="${1:-60}"
target="${2:-fuzz_table_file}"
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/../scripts/setup.sh" --fuzz
build="${FUZZ_BUILD_DIR:-$here/../build-fuzz}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" "$target"
mkdir -p "$here/corpus-run"
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec "$build/$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$here/" -dict="$here/table.dict" "$here/corpus-run" "$here/corpus"
