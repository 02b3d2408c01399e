#!/usr/bin/env bash
# Builds Vellix and runs every test. Installs what it needs on Debian (as root).
#   unit tests: native build under AddressSanitizer and UndefinedBehaviorSanitizer
#   lint:       clang-format and clang-tidy over the sources
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh

jobs=$(nproc)

echo "== Unit tests"
need_packages cmake ninja-build g++ libgtest-dev
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELLIX_SANITIZE=ON >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native -j "$jobs" --output-on-failure

echo "== Lint"
need_packages clang-format clang-tidy
mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
mapfile -t checked < <(git ls-files -co --exclude-standard -- 'capture/*.cpp' 'rules/*.cpp' 'store/*.cpp')
clang-tidy -p build/native --quiet "${checked[@]}" 2>/dev/null
echo "Lint clean: ${#sources[@]} files formatted, ${#checked[@]} checked by clang-tidy"
