#!/usr/bin/env bash
# Builds Vellix and runs every test. Installs what it needs on Debian (as root).
#   unit tests: native build under AddressSanitizer and UndefinedBehaviorSanitizer
#   lint:       clang-format and clang-tidy over the sources
#   fuzz:       every libFuzzer target briefly from its seed corpus
#   windows:    vellix.exe cross-compiled for x86_64 and i686 with mingw-w64
#   release:    the installer and the portable zips in dist/ (tools/package.sh)
#   end-to-end: the rules dialog alone, then the x86_64 program, driven under Wine on a
#               private Xvfb display, and the installer installed, upgraded and uninstalled
#               there
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
# Every product source of the native build; the Win32-only ones are checked by -Werror in the
# cross builds below.
mapfile -t checked < <(sed -n 's|^ *"file": "\(.*\)",*$|\1|p' build/native/compile_commands.json |
    grep -E "^$PWD/(capture|rules|store|shell|rules_dialog)/[^/]+\.cpp$" | sort -u)
clang-tidy -p build/native --quiet "${checked[@]}" 2>/dev/null
echo "Lint clean: ${#sources[@]} files formatted, ${#checked[@]} checked by clang-tidy"

echo "== Fuzz regression"
# Each libFuzzer target from its seed corpus for a few seconds; new inputs go to a scratch
# folder, not into the repository.
need_packages clang-14 libclang-rt-14-dev
CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELLIX_FUZZ=ON -DVELLIX_TESTS=OFF >/dev/null
cmake --build build/fuzz -j "$jobs" --target fuzz_targets
for corpus in fuzz/corpus/*/; do
    target=$(basename "$corpus")
    scratch=$(mktemp -d)
    build/fuzz/fuzz/"${target}_fuzzer" -max_total_time=10 -max_len=4096 -timeout=10 \
        -artifact_prefix=build/fuzz/ "$scratch" "$corpus" 2>build/fuzz/"$target".log ||
        { tail -n 40 build/fuzz/"$target".log; rm -rf "$scratch"; exit 1; }
    rm -rf "$scratch"
    echo "$target: $(grep -o 'Done [0-9]* runs' build/fuzz/"$target".log)"
done

echo "== Windows builds"
need_packages g++-mingw-w64-x86-64 g++-mingw-w64-i686
for arch in x86_64:win64 i686:win32; do
    cmake -S . -B "build/${arch#*:}" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${arch%%:*}.cmake" >/dev/null
    cmake --build "build/${arch#*:}" -j "$jobs"
done

# The warnings Visual C++ gives at /W4 that GCC does not (shadowing, 64-to-32-bit and other
# narrowing conversions, fall-through), from Clang over the sources of the Windows program
# against the same MinGW headers; no Visual C++ runs here.
gcc_include=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-win32/include/c++ | head -n 1)
for source in win32/*.cpp rules_dialog/*.cpp shell/*.cpp capture/*.cpp rules/*.cpp store/*.cpp; do
    clang++-14 --target=x86_64-w64-mingw32 -std=c++17 -fsyntax-only -nostdinc++ \
        -isystem "$gcc_include" -isystem "$gcc_include/x86_64-w64-mingw32" -I. -Ibuild/win64 \
        -DNOMINMAX -Werror -Wall -Wextra -Wshadow -Wimplicit-fallthrough -Wshorten-64-to-32 \
        -Wimplicit-int-conversion -Wsign-compare "$source"
done
echo "Windows sources clean under Clang's Visual C++-like warnings"

echo "== Release files"
bash tools/package.sh

echo "== End-to-end tests"
need_packages wine64 xvfb msitools
bash tests/rules_dialog/run_under_wine.sh
bash tests/e2e/run.sh build/win64/win32/vellix.exe build/win64/tests/e2e/e2e_driver.exe \
    dist/vellix-*-x64.msi
