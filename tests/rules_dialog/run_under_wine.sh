#!/usr/bin/env bash
# Cross-compiles the dialog driver and runs it under 64-bit Wine on a private X display.
#   bash tests/rules_dialog/run_under_wine.sh
# A quick loop while working on the dialog alone; tools/test.sh runs it before the
# end-to-end scenarios, which drive the same dialog inside the real program.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/deps.sh
need_packages g++-mingw-w64-x86-64 wine64 xvfb

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The prefix goes only after its wineserver has finished writing it.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; /usr/lib/wine/wineserver -w 2>/dev/null || true; rm -rf "$work"' EXIT
cross=x86_64-w64-mingw32
$cross-windres tests/rules_dialog/dialog_under_wine.rc -O coff -o "$work/dialog.res"
$cross-g++ -std=c++17 -Wall -Wextra -Werror -O1 -I. -static -mwindows \
    capture/*.cpp rules/*.cpp rules_dialog/*.cpp win32/dpi.cpp win32/wide_text.cpp tests/rules_dialog/dialog_under_wine.cpp \
    "$work/dialog.res" -lcomctl32 -loleacc -lole32 -luuid -o "$work/dialog_under_wine.exe"

source tools/one_processor.sh
timeout 120 xvfb-run -a /usr/lib/wine/wine64 "$work/dialog_under_wine.exe" | tee "$work/out.txt"
grep -q "^all passed" "$work/out.txt"
