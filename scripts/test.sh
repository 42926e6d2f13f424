#!/usr/bin/env bash
# Installs what is missing, checks formatting, builds with warnings as errors under
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test (the real-window test
# included, under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

echo "== clang-format"
git ls-files -z '*.cc' '*.h' '*.cpp' | xargs -0 clang-format --dry-run --Werror

echo "== build"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_WERROR=ON \
  -DORVANE_SANITIZE=ON
cmake --build build/test

echo "== tests"
ctest --test-dir build/test --output-on-failure --timeout 300
