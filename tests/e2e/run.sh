#!/usr/bin/env bash
# Runs the end-to-end scenarios: the real vellix.exe under Wine in a virtual desktop on a
# private Xvfb display, driven by driver.exe. Every scenario starts the program in its own
# empty working directory. Every wait has a deadline, and every process started here is
# ended by its id when the run ends.
#
#   tests/e2e/run.sh path/to/vellix.exe path/to/driver.exe
set -uo pipefail

vellix=$(realpath "$1")
driver=$(realpath "$2")
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
wait_ms=10000

work=$(mktemp -d "${TMPDIR:-/tmp}/vellix-e2e.XXXXXX")
xvfb_pid=
program_pid=
passed=0
failed=0

cleanup() {
    stop_program
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    # The prefix's server ends by itself once its last process is gone.
    timeout 30 "$wineserver" -w 2>/dev/null
    [ -n "${VELLIX_E2E_KEEP:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT

# Polls a command until it succeeds or the deadline (seconds) passes.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

windows_path() {
    local path=${1//\//\\}
    echo "Z:$path"
}

drive() {
    "$wine" "$driver" "$@"
}

process_gone() {
    ! kill -0 "$1" 2>/dev/null
}

# Each run gets a desktop of its own: the previous one may still be closing down.
start_program() {
    local dir=$work/$1
    mkdir -p "$dir"
    export VELLIX_DESKTOP=vellix-$1
    (cd "$dir" && exec "$wine" explorer "/desktop=$VELLIX_DESKTOP,800x600" \
        "$(windows_path "$vellix")") \
        >"$work/$1.log" 2>&1 &
    program_pid=$!
}

# Ends the program through the driver; the desktop's explorer and then the prefix's server
# leave by themselves. The next scenario starts only then: a program started while the
# previous desktop closes down loses its windows with it.
stop_program() {
    [ -z "$program_pid" ] && return 0
    drive terminate >/dev/null
    if ! wait_until 20 process_gone "$program_pid"; then
        kill "$program_pid" 2>/dev/null
    fi
    wait "$program_pid" 2>/dev/null
    program_pid=
    timeout 30 "$wineserver" -w
}

# scenario NAME FUNCTION: runs the steps of FUNCTION against a freshly started program.
scenario() {
    local name=$1 steps=$2
    echo "-- $name"
    if "$steps"; then
        passed=$((passed + 1))
        echo "PASS $name"
    else
        failed=$((failed + 1))
        echo "FAIL $name"
    fi
    stop_program
}

start_with_clipboard_number() {
    drive put-text "412-268-1234" &&
        start_program start-with-number &&
        drive wait-window "$wait_ms" &&
        drive wait-box "412 268 1234" "$wait_ms" &&
        drive wait-visibility shown "$wait_ms" &&
        drive wait-button hidden "$wait_ms"
}

block_with_two_numbers() {
    drive put-text "x" &&
        start_program two-numbers &&
        drive wait-window "$wait_ms" &&
        drive put-block "Name" "Ann Lee" "Cell phone" "412 555 0100" "Phone" "412-268-1234" &&
        drive wait-box "412 268 1234" "$wait_ms" &&
        drive wait-button shown "$wait_ms"
}

# The change commands return only after the program has handled the change, so the box is
# read right after each of them.
change_without_number() {
    drive put-text "650-555-0000" &&
        start_program no-number &&
        drive wait-window "$wait_ms" &&
        drive wait-box "650 555 0000" "$wait_ms" &&
        drive change-block "Name" "Ann Lee" "Title" "Engineer" &&
        drive wait-box "650 555 0000" 0 &&
        drive change-text "a text far too long to be any phone number" &&
        drive wait-box "650 555 0000" 0 &&
        drive change-text "" &&
        drive wait-box "650 555 0000" 0 &&
        # A number shows that the changes do reach the program.
        drive change-block "Pager" "555-0199" &&
        drive wait-box "555 0199" 0
}

close_box_hides() {
    drive put-text "x" &&
        start_program close-box &&
        drive wait-window "$wait_ms" &&
        drive wait-visibility shown "$wait_ms" &&
        drive close &&
        drive wait-visibility hidden "$wait_ms" &&
        drive wait-tray-icon present "$wait_ms" &&
        ! process_gone "$program_pid"
}

double_click_toggles() {
    drive put-text "x" &&
        start_program double-click &&
        drive wait-window "$wait_ms" &&
        drive wait-visibility shown "$wait_ms" &&
        drive tray 0x203 &&
        drive wait-visibility hidden "$wait_ms" &&
        drive tray 0x203 &&
        drive wait-visibility shown "$wait_ms" &&
        drive tray 0x203 &&
        drive wait-visibility hidden "$wait_ms"
}

exit_from_menu() {
    drive put-text "x" &&
        start_program exit &&
        drive wait-window "$wait_ms" &&
        drive wait-tray-icon present "$wait_ms" &&
        drive exit-by-menu "$wait_ms" &&
        drive wait-gone "$wait_ms" &&
        wait_until 20 process_gone "$program_pid"
}

# A free display: no socket and no lock file for its number.
display=
for n in $(seq 90 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=$n
        break
    fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 20 test -e "/tmp/.X11-unix/X$display" || { echo "Xvfb did not start"; exit 1; }

export DISPLAY=":$display"
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
echo "Preparing a Wine prefix in $WINEPREFIX"
timeout 180 "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || { echo "wineboot failed"; exit 1; }
timeout 60 "$wineserver" -w

scenario "start-up with a number on the clipboard presents it" start_with_clipboard_number
scenario "a block with two numbers fills the box and shows the number button" block_with_two_numbers
scenario "a clipboard change with no number leaves the box as it was" change_without_number
scenario "the close box hides the window; process and icon stay" close_box_hides
scenario "a double click on the icon toggles the window" double_click_toggles
scenario "Exit from the icon menu ends the process" exit_from_menu

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
