#!/usr/bin/env bash
# Builds vellix.exe and starts it under Wine in a virtual desktop that has a taskbar and a
# notification area. In an X session (DISPLAY set) the desktop opens there; otherwise it runs
# on a private Xvfb display, and the script saves a screenshot and says how to watch it.
# Installs what is missing on Debian (as root). Stop it with Ctrl+C or Exit on the icon menu.
#
# The data files (DialingHistory.dat, DialingRules.dat) and the Wine prefix are kept in
# $VELLIX_HOME, by default ~/.vellix.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh

need_packages cmake ninja-build g++-mingw-w64-x86-64 wine64 fonts-wine
if [ -z "${DISPLAY:-}" ]; then
    need_packages xvfb x11-utils imagemagick
fi

cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win64 --target vellix
vellix=$(realpath build/win64/win32/vellix.exe)
# From here on, with Wine, on one processor; the build above used them all.
source tools/one_processor.sh

home=${VELLIX_HOME:-$HOME/.vellix}
mkdir -p "$home/data"
export WINEPREFIX=$home/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    return 0
}
trap cleanup EXIT INT TERM

# Polls a command until it succeeds or the deadline (seconds) passes.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.2
    done
}

if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 199); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            export DISPLAY=":$n"
            break
        fi
    done
    [ -n "${DISPLAY:-}" ] || { echo "No free X display" >&2; exit 1; }
    Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    wait_until 20 test -e "/tmp/.X11-unix/X${DISPLAY#:}" || { echo "Xvfb did not start" >&2; exit 1; }
fi

if [ ! -d "$WINEPREFIX" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)"
    timeout 300 "$wine" wineboot -i >/dev/null 2>&1
fi
# Wine's own fonts (Debian's fonts-wine), where the prefix's programs look for fonts: without
# Marlett the caption buttons show the letters "0 1 r" instead of their glyphs.
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

echo "Starting Vellix on display $DISPLAY; data files in $home/data"
(cd "$home/data" && exec "$wine" explorer /desktop=vellix,800x600 "Z:${vellix//\//\\}") \
    >/dev/null 2>&1 &
program_pid=$!

if [ -n "$xvfb_pid" ]; then
    if wait_until 60 sh -c 'xwininfo -root -tree | grep -q "\"Vellix\": (\"vellix.exe\""'; then
        shot=$(realpath build)/vellix-screen.png
        wait_until 10 import -window root "$shot" && echo "Screenshot: $shot"
    fi
    echo "Vellix runs headless on $DISPLAY. To watch it live: x11vnc -display $DISPLAY,"
    echo "then connect a VNC viewer. Copy text into its clipboard with: xclip -selection"
    echo "clipboard (with DISPLAY=$DISPLAY). Ctrl+C ends it."
fi
wait "$program_pid"
