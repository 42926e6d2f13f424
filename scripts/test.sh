#!/usr/bin/env bash
# Installs what is missing, checks formatting, builds with warnings as errors under
# AddressSanitizer and UndefinedBehaviorSanitizer, runs clang-tidy over our own sources, and
# runs every test (the real-window test included, under Xvfb), then the threaded core's tests
# under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

echo "== clang-format"
git ls-files -z '*.cc' '*.h' '*.cpp' | xargs -0 clang-format --dry-run --Werror

echo "== build"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_WERROR=ON \
  -DORVANE_SANITIZE=ON
cmake --build build/test

echo "== clang-tidy"
# Our sources only; the moc files live in the build folder and are left out.
run-clang-tidy -p build/test -j2 -quiet "$PWD/(src|tools|tests|bench)/.*\.(cc|cpp)\$" >build/tidy.log 2>&1 ||
  { sed 's/\x1b\[[0-9;]*m//g' build/tidy.log | grep -E -A3 '(warning|error):'; exit 1; }

echo "== tests"
ctest --test-dir build/test --output-on-failure --timeout 300

echo "== ThreadSanitizer"
# The threaded core's tests once more, in a small build of their own: ThreadSanitizer cannot run
# beside AddressSanitizer.
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_WERROR=ON -DORVANE_TSAN=ON \
  -DORVANE_BENCH=OFF
cmake --build build/tsan
ctest --test-dir build/tsan --output-on-failure --timeout 300
