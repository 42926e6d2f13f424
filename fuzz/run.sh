#!/usr/bin/env bash
# Builds the table-file fuzzer with clang and runs it for SECONDS (default 60) from the seeds.
set -euo pipefail
seconds="${1:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/../scripts/setup.sh" --fuzz
build="${FUZZ_BUILD_DIR:-$here/../build-fuzz}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" fuzz_table_file
mkdir -p "$here/corpus-run"
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec "$build/fuzz_table_file" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$here/" -dict="$here/table.dict" "$here/corpus-run" "$here/corpus"
