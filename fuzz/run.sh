#!/usr/bin/env bash
# Builds a fuzzer with clang and runs it for SECONDS (default 60) from its seeds: TARGET is
# fuzz_table_file (the default: the table loader), fuzz_table_layout (saves that keep a file's
# layout) or fuzz_data_reading (the data layer).
set -euo pipefail
seconds="${1:-60}"
target="${2:-fuzz_table_file}"
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/../scripts/setup.sh" --fuzz
build="${FUZZ_BUILD_DIR:-$here/../build-fuzz}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" "$target"
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
case "$target" in
  fuzz_table_file | fuzz_table_layout)
    mkdir -p "$here/corpus-run"
    exec "$build/$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$here/" -dict="$here/table.dict" "$here/corpus-run" "$here/corpus" ;;
  fuzz_data_reading)
    mkdir -p "$build/corpus-data"
    exec "$build/fuzz_data_reading" -max_total_time="$seconds" -max_len=1024 \
      -print_final_stats=1 -artifact_prefix="$here/" "$build/corpus-data" ;;
  *)
    echo "unknown fuzz target: $target" >&2
    exit 2 ;;
esac
