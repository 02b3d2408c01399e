#!/usr/bin/env bash
# Runs the end-to-end scenarios: the real vellix.exe under Wine in a virtual desktop on a
# private Xvfb display, driven by driver.exe. Every scenario starts the program in its own
# empty working directory. Every wait has a deadline, and every process started here is
# ended by its id when the run ends.
#
#   tests/e2e/run.sh path/to/vellix.exe path/to/driver.exe [path/to/vellix.msi]
#
# The program loads tapi32.dll from the system folder only, so the test-only tapi32.dll built
# with the driver takes the system's place in the prefix. It logs each call request to
# "tapi32-calls.log" in the scenario's directory instead of placing the call, and answers
# that no call handler is registered when that directory holds a file "tapi32-no-recipient".
# "tel:" URIs go to the driver, which logs them.
#
# With an installer named, one more scenario installs, upgrades and uninstalls it.
set -uo pipefail

driver=$(realpath "$2")
installer=${3:+$(realpath "$3")}
source=$(realpath "$(dirname "$0")/../..")
source "$source/tools/one_processor.sh"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
wait_ms=10000

work=$(mktemp -d "${TMPDIR:-/tmp}/vellix-e2e.XXXXXX")
mkdir -p "$work/bin"
cp "$1" "$work/bin/" || exit 1
vellix=$work/bin/$(basename "$1")
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

# Each run gets a desktop of its own: the previous one may still be closing down. Its size is
# desktop_size's.
desktop_size=800x600
start_program() {
    local dir=$work/$1
    mkdir -p "$dir"
    export VELLIX_DESKTOP=vellix-$1
    (cd "$dir" && exec "$wine" explorer "/desktop=$VELLIX_DESKTOP,$desktop_size" \
        "$(windows_path "$vellix")" "${@:2}") \
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
# VELLIX_E2E_ONLY, a shell pattern, limits the run to the scenarios whose FUNCTION matches.
scenario() {
    local name=$1 steps=$2
    # shellcheck disable=SC2053
    [[ $steps == ${VELLIX_E2E_ONLY:-*} ]] || return 0
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

# A copy made in another program brings the window up on top and leaves the keyboard there;
# a click on the icon then brings it forward with the box focused, ready for Enter.
copy_beside_work() {
    drive put-text "x" &&
        start_program copy-beside-work &&
        drive wait-window "$wait_ms" &&
        drive copy-while-working "412-268-1234" &&
        drive wait-box "412 268 1234" 0 &&
        drive tray select &&
        drive wait-focus box "$wait_ms"
}

# A password manager marks a copied password for clipboard monitors to skip: in each of the
# three ways, the program leaves it unread.
private_copies_skipped() {
    drive put-text "650-555-0000" &&
        start_program private-copies &&
        drive wait-window "$wait_ms" &&
        drive wait-box "650 555 0000" "$wait_ms" &&
        drive change-marked "Tr0ub4dor&3" ExcludeClipboardContentFromMonitorProcessing &&
        drive change-marked "412-268-1234" "Clipboard Viewer Ignore" &&
        drive change-marked "412-268-5678" CanIncludeInClipboardHistory 0 &&
        drive wait-box "650 555 0000" 0 &&
        # Allowed into the history, the text is read as any other.
        drive change-marked "412-268-5678" CanIncludeInClipboardHistory 1 &&
        drive wait-box "412 268 5678" 0
}

# Another program holds the clipboard open right after the change, so the program's first
# reading fails; the number is still proposed once the clipboard is free again.
held_clipboard() {
    drive put-text "x" &&
        start_program held-clipboard &&
        drive wait-window "$wait_ms" &&
        drive change-text-held "412-268-1234" 600 &&
        drive wait-box "412 268 1234" "$wait_ms"
}

# A clipboard tool joins the viewer chain after the program and crashes without leaving it;
# copies made afterwards must still reach the program.
crashed_clipboard_viewer() {
    drive put-text "x" &&
        start_program crashed-viewer &&
        drive wait-window "$wait_ms" &&
        drive put-text "412-268-1234" &&
        drive wait-box "412 268 1234" "$wait_ms" &&
        drive crash-viewer &&
        drive put-text "650-555-0123" &&
        drive wait-box "650 555 0123" "$wait_ms" &&
        drive put-block "Phone" "412-268-7777" &&
        drive wait-box "412 268 7777" "$wait_ms"
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
        drive tray double-click &&
        drive wait-visibility hidden "$wait_ms" &&
        drive tray double-click &&
        drive wait-visibility shown "$wait_ms" &&
        drive tray double-click &&
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

# A second start finds the first program's window, shows it and leaves: one process keeps
# watching the clipboard and writing the data files.
second_start_shows_the_first() {
    local dir=$work/second-start second_pid
    drive put-text "x" &&
        start_program second-start &&
        drive wait-window "$wait_ms" &&
        drive close &&
        drive wait-visibility hidden "$wait_ms" &&
        {
            (cd "$dir" && exec "$wine" explorer "/desktop=$VELLIX_DESKTOP,800x600" \
                "$(windows_path "$vellix")") >>"$work/second-start.log" 2>&1 &
            second_pid=$!
        } &&
        drive wait-visibility shown "$wait_ms" &&
        wait_until 20 process_gone "$second_pid" &&
        ! process_gone "$program_pid" &&
        [ "$(drive count-windows VELLIX | tr -d '\r')" = 1 ]
}

# Exactly one of the two processes is gone, and one Vellix window is left.
one_program_left() {
    { process_gone "$1" || process_gone "$2"; } && ! { process_gone "$1" && process_gone "$2"; } &&
        [ "$(drive count-windows VELLIX | tr -d '\r')" = 1 ]
}

# Two starts at the same moment, as a clicked link and the Startup shortcut make them: one
# Vellix stays and the other leaves, in every round.
simultaneous_starts() {
    local dir=$work/simultaneous round first second
    mkdir -p "$dir"
    export VELLIX_DESKTOP=vellix-simultaneous
    drive put-text "x" || return 1
    for round in 1 2 3; do
        (cd "$dir" && exec "$wine" explorer "/desktop=$VELLIX_DESKTOP,800x600" \
            "$(windows_path "$vellix")") >>"$work/simultaneous.log" 2>&1 &
        first=$!
        (cd "$dir" && exec "$wine" explorer "/desktop=$VELLIX_DESKTOP,800x600" \
            "$(windows_path "$vellix")") >>"$work/simultaneous.log" 2>&1 &
        second=$!
        program_pid=$first
        if ! wait_until 30 one_program_left "$first" "$second"; then
            echo "FAILED: round $round left $(drive count-windows VELLIX | tr -d '\r') windows"
            kill "$first" "$second" 2>/dev/null
            return 1
        fi
        echo "ok: round $round left one Vellix"
        process_gone "$first" && program_pid=$second
        stop_program
    done
}

# The file holds exactly the given bytes.
file_is() {
    [ -f "$1" ] && cmp -s "$1" <(printf '%s' "$2")
}

# wait_file FILE CONTENT: waits for the file to hold exactly CONTENT; prints it when it does not.
wait_file() {
    wait_until 10 file_is "$1" "$2" && return 0
    printf 'FAILED: %s holds:\n' "$1"
    cat -A "$1" 2>/dev/null
    return 1
}

# The number box's items, one a line, the selected one marked with '*'.
box_items_are() {
    [ "$(drive box-items | tr -d '\r')" = "$1" ]
}

# The road of one copied number: proposed, edited, dialed, recorded and learned; the next
# number of the same shape is proposed the learned way.
road_of_one_number() {
    local dir=$work/road
    drive put-text "x" &&
        start_program road &&
        drive wait-window "$wait_ms" &&
        drive change-block "Name" "Ann Lee" "Phone" "412-268-1234" &&
        drive wait-box "412 268 1234" 0 &&
        box_items_are "*412 268 1234" &&
        drive set-box "8 1234" &&
        drive click-dial &&
        wait_until 10 file_is "$dir/tapi32-calls.log" $'8 1234\n' &&
        wait_until 10 file_is "$dir/DialingHistory.dat" $'412 268 1234  ->  8 1234\r\n' &&
        drive wait-box "8 1234" 0 &&
        drive change-block "Phone" "650 555 0000" &&
        drive wait-box "8 0000" 0 &&
        box_items_are $'650 555 0000\n*8 0000'
}

# Left Ctrl teaches the pair without a call; the next Dial calls.
dial_with_left_ctrl() {
    local dir=$work/left-ctrl
    local line=$'412 268 1234  ->  8 1234\r\n'
    drive put-text "x" &&
        start_program left-ctrl &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-1234" &&
        drive set-box "8 1234" &&
        drive click-dial left-ctrl &&
        wait_until 10 file_is "$dir/DialingHistory.dat" "$line" &&
        [ ! -e "$dir/tapi32-calls.log" ] &&
        drive click-dial &&
        wait_until 10 file_is "$dir/tapi32-calls.log" $'8 1234\n' &&
        wait_until 10 file_is "$dir/DialingHistory.dat" "$line$line"
}

# The number menu lists every captured number; picking one refills the box from it.
number_menu_picks() {
    local dir=$work/number-menu
    drive put-text "x" &&
        start_program number-menu &&
        drive wait-window "$wait_ms" &&
        drive change-block "Work phone" "412-268-1234" "Cell phone" "(412) 555-0100" \
            "Home phone" "555 0199" &&
        drive wait-button shown "$wait_ms" &&
        drive number-menu 2 "$wait_ms" &&
        file_is "$dir/number-menu.txt" $'32784 Work phone (412 268 1234)\n32785 Cell phone (412 555 0100)\n32786 Home phone (555 0199)\n' &&
        drive wait-box "555 0199" "$wait_ms" &&
        box_items_are "*555 0199" &&
        # The button's arrow opens the same menu; picking the first entry proposes it again.
        rm "$dir/number-menu.txt" &&
        drive number-menu 0 "$wait_ms" arrow &&
        file_is "$dir/number-menu.txt" $'32784 Work phone (412 268 1234)\n32785 Cell phone (412 555 0100)\n32786 Home phone (555 0199)\n' &&
        drive wait-box "412 268 1234" "$wait_ms" &&
        # From the keyboard: Tab goes from Dial to the number button, where Enter opens it.
        drive tray select &&
        drive wait-focus box "$wait_ms" &&
        drive press tab &&
        drive wait-focus dial "$wait_ms" &&
        drive press tab &&
        drive wait-focus number-button "$wait_ms" &&
        drive number-menu 1 "$wait_ms" key &&
        drive wait-box "412 555 0100" "$wait_ms"
}

# The notification menu's lines, without the separator's.
tray_menu_is() {
    local actual
    actual=$(grep -v '^0 $' "$1/tray-menu.txt" | tr -d '\r')
    [ "$actual" = "$2" ] || { printf 'menu is:\n%s\nexpected:\n%s\n' "$actual" "$2"; return 1; }
}

# A copied signature with two labelled numbers: both are found and offered, the first with
# its dial string; a text without a number changes nothing. Switched off on the notification
# menu, the signature changes nothing, also after a restart.
find_numbers_in_text() {
    local dir=$work/find-numbers
    local signature=$'Dana Whitfield\r\nPurchasing, Orbek Industrial Supply\r\nOffice: (412) 268-1234\r\nMobile: 412.555.0199\r\nLondon office: +44 20 7946 0125\r\nor simply 412-268-7000\r\n'
    local menu=$'107 &Show Vellix\n104 &About ...\n32780 Dialing &rules ...\n106 Find numbers in copied text'
    local rest=$'\nDial &with\n  108 Windows &telephony [checked]\n  112 No program for tel: links [grayed]\n105 E&xit'
    local off=$'[Vellix]\r\nFindNumbersInText=0\r\n'
    mkdir -p "$dir" &&
        printf 'Dial 412 268 xxxx as 8 xxxx (active)\r\n' >"$dir/DialingRules.dat" &&
        drive put-text "x" &&
        start_program find-numbers &&
        drive wait-window "$wait_ms" &&
        drive change-text "$signature" &&
        drive wait-box "8 1234" 0 &&
        box_items_are $'412 268 1234\n*8 1234' &&
        drive wait-button shown "$wait_ms" &&
        drive number-menu -1 "$wait_ms" &&
        # Each label as written; a number nothing names shows alone.
        file_is "$dir/number-menu.txt" $'32784 Office (412 268 1234)\n32785 Mobile (412 555 0199)\n32786 London office (+44 20 7946 0125)\n32787 412 268 7000\n' &&
        drive change-text "Lunch at noon tomorrow? The usual place, a table for 2." &&
        drive wait-box "8 1234" 0 &&
        drive tray-menu 3 "$wait_ms" &&
        tray_menu_is "$dir" "$menu [checked]$rest" &&
        wait_until 10 file_is "$dir/Vellix.ini" "$off" &&
        drive change-text "Call me: 650-555-0123" &&
        drive wait-box "650 555 0123" 0 &&
        drive change-text "$signature" &&
        drive wait-box "650 555 0123" 0 &&
        stop_program &&
        start_program find-numbers &&
        drive wait-window "$wait_ms" &&
        drive tray-menu -1 "$wait_ms" &&
        tray_menu_is "$dir" "$menu$rest" &&
        drive change-text "$signature" &&
        drive wait-box "" 0
}

# Where Dial sends a call follows what the PC is set up for and the user's choice under "Dial
# with" on the icon's menu. With a tel: program and nothing behind assisted telephony, calls
# go to the tel: program. Windows telephony chosen, the request is made first and, with no one
# to take it, handed on to the tel: program. With a telephony recipient registered, calls go
# to it. With neither, the call is not placed and the icon says why.
dial_route() {
    local dir=$work/tel
    local uri=$'tel:%2331%234122681234\n'
    local priorities='HKCU\Software\Microsoft\Windows\CurrentVersion\Telephony\HandoffPriorities'
    mkdir -p "$dir" && touch "$dir/tapi32-no-recipient" &&
        register_tel_handler "$dir/tel.log" &&
        drive put-text "x" &&
        start_program tel &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-1234" &&
        drive set-box "#31# (412) 268-1234" &&
        drive click-dial &&
        wait_until 20 file_is "$dir/tel.log" "$uri" &&
        [ ! -e "$dir/tapi32-calls.log" ] &&
        drive tray-menu -1 "$wait_ms" &&
        grep -q '^  112 e2e_driver (tel: links) \[checked\]' "$dir/tray-menu.txt" &&
        drive send-command dial-with-telephony "$wait_ms" &&
        wait_until 10 file_is "$dir/Vellix.ini" $'[Vellix]\r\nFindNumbersInText=1\r\nDialWith=telephony\r\n' &&
        drive click-dial &&
        wait_until 10 file_is "$dir/tapi32-calls.log" $'#31# 412 268 1234\n' &&
        wait_until 20 file_is "$dir/tel.log" "$uri$uri" || { cat "$dir/tray-menu.txt"; return 1; }
    echo "ok: to the tel: program by default; Windows telephony chosen hands on to it"

    stop_program && rm "$dir/Vellix.ini" "$dir/tapi32-no-recipient" &&
        timeout 60 "$wine" reg add "$priorities" /v RequestMakeCall /d '"pbxclient.exe"' /f \
            >/dev/null &&
        start_program tel &&
        drive wait-window "$wait_ms" &&
        drive set-box "412-268-5678" &&
        drive click-dial &&
        wait_until 10 file_is "$dir/tapi32-calls.log" $'#31# 412 268 1234\n412 268 5678\n' &&
        file_is "$dir/tel.log" "$uri$uri" || return 1
    echo "ok: a telephony recipient registered takes the calls"

    stop_program && touch "$dir/tapi32-no-recipient" &&
        timeout 60 "$wine" reg delete "$priorities" /f >/dev/null &&
        timeout 60 "$wine" reg delete 'HKCR\tel' /f >/dev/null &&
        start_program tel &&
        drive wait-window "$wait_ms" &&
        drive set-box "412-268-9999" &&
        drive click-dial &&
        drive wait-tooltip "Vellix: the last call was not placed" "$wait_ms" &&
        file_is "$dir/tel.log" "$uri$uri"
}

# The driver as the prefix's handler of "tel:" URIs, logging each to the given file.
register_tel_handler() {
    register_tel_command "\"$(windows_path "$driver")\" record-tel \"$(windows_path "$1")\" \"%1\""
}

register_tel_command() {
    timeout 60 "$wine" reg add 'HKCR\tel' /v 'URL Protocol' /d '' /f >/dev/null &&
        timeout 60 "$wine" reg add 'HKCR\tel\shell\open\command' /ve /d "$1" /f >/dev/null
}

# A clicked link starts a second process, which hands the link to the running program and
# leaves; the program proposes the link's number with its dial strings and focuses the number
# box. Enter dials, Alt+/ opens About from the box, Escape hides. The program is its own "tel:"
# handler here and has no telephony recipient: its fallback must not hand the number back,
# which would show the window again with the number "81234".
link_and_keys() {
    local dir=$work/link second_pid
    data_file link DialingHistory.dat "412 268 1234  ->  8 1234"
    touch "$dir/tapi32-no-recipient" &&
        register_tel_command "\"$(windows_path "$vellix")\" \"%1\"" &&
        drive put-text "x" &&
        start_program link &&
        drive wait-window "$wait_ms" &&
        drive close &&
        drive wait-visibility hidden "$wait_ms" &&
        {
            (cd "$dir" && exec "$wine" explorer "/desktop=$VELLIX_DESKTOP,800x600" \
                "$(windows_path "$vellix")" "TEL:%28412%29%20268-1234;phone-context=example.com") \
                >>"$work/link.log" 2>&1 &
            second_pid=$!
        } &&
        wait_until 20 process_gone "$second_pid" &&
        drive wait-visibility shown "$wait_ms" &&
        drive wait-box "8 1234" "$wait_ms" &&
        expect_output $'412 268 1234\n*8 1234' box-items &&
        drive wait-focus box "$wait_ms" &&
        drive press tab &&
        drive wait-focus dial "$wait_ms" &&
        drive press tab &&
        drive wait-focus box "$wait_ms" &&
        # With the list open, Escape closes the list and leaves the window alone.
        drive press alt+down &&
        drive wait-list open "$wait_ms" &&
        drive press escape &&
        drive wait-list closed "$wait_ms" &&
        drive wait-visibility shown 0 &&
        drive press enter &&
        wait_file "$dir/tapi32-calls.log" $'8 1234\n' &&
        wait_lines link DialingHistory.dat "412 268 1234  ->  8 1234" "412 268 1234  ->  8 1234" &&
        drive press alt+/ &&
        drive wait-about open "$wait_ms" &&
        drive close-about &&
        drive wait-about closed "$wait_ms" &&
        drive wait-focus box "$wait_ms" &&
        drive press escape &&
        drive wait-visibility hidden "$wait_ms" &&
        drive number-menu -1 "$wait_ms" &&
        wait_file "$dir/number-menu.txt" $'32784 Link (412 268 1234)\n' &&
        drive wait-box "8 1234" 0 &&
        drive wait-visibility hidden 0 &&
        [ "$(drive count-windows VELLIX | tr -d '\r')" = 1 ]
}

# Numbers are read as people write them: a '+44' number is dialed with its '+'; the narrow
# no-break spaces and no-break hyphen of Unicode text, which the ANSI text cannot hold,
# separate groups; at home in North America '+1 ...' meets the rule learned from the bare
# form; an extension stays apart from the number and is dialed after a pause; a copied date
# leaves the window alone; a dial string longer than the box is wide is typed and dialed whole;
# labels in Japanese and Russian show as written. The data folder, given on the command line,
# is named outside the code page ("phone book" in Japanese).
reading_numbers() {
    local folder=reading/$'\xe9\x9b\xbb\xe8\xa9\xb1\xe5\xb8\xb3'
    local dir=$work/$folder
    data_file "$folder" Vellix.ini "[Vellix]" "FindNumbersInText=1" "HomeCountry=1"
    data_file "$folder" DialingHistory.dat "412 268 1234  ->  9 1 412 268 1234"
    drive put-text "x" &&
        start_program reading --data-folder "$(windows_path "$dir")" &&
        drive wait-window "$wait_ms" &&
        drive change-text "+44 20 7946 0000" &&
        expect_output "*+44 20 7946 0000" box-items &&
        drive click-dial &&
        wait_file "$dir/tapi32-calls.log" $'+44 20 7946 0000\n' &&
        drive change-unicode '+44\u202F20\u202F7946\u20110001' &&
        drive wait-box "+44 20 7946 0001" 0 &&
        # Japanese, as Unicode text only: a label, a full-width colon and parentheses.
        drive change-unicode 'Osaka \u96FB\u8A71\uFF1A\uFF0806\uFF09\uFF16\uFF17\uFF18\uFF19-0123 \u307E\u3067' &&
        drive wait-box "06 6789 0123" 0 &&
        # Labels in Japanese and Russian are shown as written (the file in UTF-8).
        drive change-unicode 'Osaka \u96FB\u8A71\uFF1A06-6789-0124\u000D\u000A\u041C\u043E\u0431\u0438\u043B\u044C\u043D\u044B\u0439: +7 916 123-45-67' &&
        drive number-menu -1 "$wait_ms" &&
        wait_file "$dir/number-menu.txt" $'32784 Osaka \xe9\x9b\xbb\xe8\xa9\xb1 (06 6789 0124)\n32785 \xd0\x9c\xd0\xbe\xd0\xb1\xd0\xb8\xd0\xbb\xd1\x8c\xd0\xbd\xd1\x8b\xd0\xb9 (+7 916 123 45 67)\n' &&
        drive change-text "+1 (412) 268-4321" &&
        expect_output $'412 268 4321\n*9 1 412 268 4321' box-items &&
        drive change-text "412-268-5555 x 204" &&
        expect_output $'412 268 5555 x204\n*9 1 412 268 5555 x204' box-items &&
        drive click-dial &&
        wait_file "$dir/tapi32-calls.log" $'+44 20 7946 0000\n9 1 412 268 5555,204\n' &&
        wait_lines "$folder" DialingHistory.dat "412 268 1234  ->  9 1 412 268 1234" \
            "+44 20 7946 0000  ->  +44 20 7946 0000" "412 268 5555  ->  9 1 412 268 5555" &&
        drive close &&
        drive wait-visibility hidden "$wait_ms" &&
        drive change-text "2024-03-12" &&
        drive wait-visibility hidden 0 &&
        drive wait-box "9 1 412 268 5555 x204" 0 &&
        drive type-box "9 011 44 20 7946 0000,,,204#" &&
        drive click-dial &&
        wait_file "$dir/tapi32-calls.log" \
            $'+44 20 7946 0000\n9 1 412 268 5555,204\n9 011 44 20 7946 0000,,,204#\n'
}

# Exit with a history that still cannot be saved: Vellix asks; Cancel goes back to it, Yes
# keeps the pair in a file the user chooses, and then Vellix ends.
# Signing out while a data file does not save is held with the reason; once the file saves
# again the sign-out goes ahead. An installer's close (Restart Manager) ends the program.
session_end() {
    local dir=$work/session-end
    data_file session-end DialingHistory.dat
    chmod a-w "$dir/DialingHistory.dat"
    drive put-text "x" &&
        start_program session-end &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-1234" &&
        drive set-box "8 1234" &&
        drive click-dial &&
        drive wait-tooltip "your data is not being saved" "$wait_ms" &&
        drive end-session logoff held end &&
        ! process_gone "$program_pid" &&
        chmod u+w "$dir/DialingHistory.dat" &&
        drive end-session logoff yes &&
        file_is "$dir/DialingHistory.dat" $'412 268 1234  ->  8 1234\r\n' &&
        drive end-session close-app yes end &&
        wait_until 20 process_gone "$program_pid"
}

exit_with_unsaved_data() {
    local dir=$work/exit-unsaved
    local title="Vellix cannot save its data"
    data_file exit-unsaved DialingHistory.dat
    chmod a-w "$dir/DialingHistory.dat"
    drive put-text "x" &&
        start_program exit-unsaved &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-1234" &&
        drive set-box "8 1234" &&
        drive click-dial &&
        drive wait-tooltip "your data is not being saved" "$wait_ms" &&
        drive post-command exit &&
        drive dialog-button "$title" 2 "$wait_ms" &&
        drive wait-visibility shown "$wait_ms" &&
        ! process_gone "$program_pid" &&
        drive post-command exit &&
        drive dialog-button "$title" 6 "$wait_ms" &&
        drive save-as "$(windows_path "$dir/kept.dat")" "$wait_ms" &&
        wait_until 20 process_gone "$program_pid" &&
        file_is "$dir/kept.dat" $'412 268 1234  ->  8 1234\r\n'
}

# Another program holds the history file while Vellix starts: the dial made meanwhile is told
# as not saved and the file keeps every byte; once the file is let go, the next dial's save
# holds the file's 50 pairs and both new ones.
held_history_at_start() {
    local dir=$work/held holder i
    local lines=()
    for i in $(seq 1000 1049); do
        lines+=("412 268 $i  ->  8 $i")
    done
    data_file held DialingHistory.dat "${lines[@]}"
    cp "$dir/DialingHistory.dat" "$work/held-original"
    {
        drive hold-file "$(windows_path "$dir/DialingHistory.dat")" \
            "$(windows_path "$dir/let-go")" >"$work/held-holder.log" &
        holder=$!
    }
    wait_until 20 test -e "$dir/let-go.held" &&
        drive put-text "x" &&
        start_program held &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-9999" &&
        drive set-box "8 9999" &&
        drive click-dial &&
        drive wait-tooltip "your data is not being saved" "$wait_ms" &&
        cmp -s "$dir/DialingHistory.dat" "$work/held-original" &&
        touch "$dir/let-go" &&
        wait_until 20 process_gone "$holder" &&
        drive change-block "Phone" "412-268-7777" &&
        drive set-box "8 7777" &&
        drive click-dial &&
        wait_lines held DialingHistory.dat "${lines[@]}" "412 268 9999  ->  8 9999" \
            "412 268 7777  ->  8 7777" &&
        drive wait-no-tooltip "not being saved" "$wait_ms"
    local result=$?
    touch "$dir/let-go"
    return $result
}

# A data file in a scenario's working directory, one line an argument, with the CR LF line
# ends the program writes.
data_file() {
    local file=$work/$1/$2
    shift 2
    mkdir -p "$(dirname "$file")"
    : >"$file"
    local line
    for line in "$@"; do
        printf '%s\r\n' "$line" >>"$file"
    done
}

# holds_lines DIR NAME LINE...: the file holds exactly these lines; none: it exists and is empty.
holds_lines() {
    local file=$work/$1/$2
    shift 2
    [ -f "$file" ] || return 1
    if [ $# -eq 0 ]; then
        [ ! -s "$file" ]
    else
        cmp -s "$file" <(printf '%s\r\n' "$@")
    fi
}

# wait_lines DIR NAME LINE...: waits for the program to write exactly these lines.
wait_lines() {
    if wait_until 10 holds_lines "$@"; then
        echo "ok: $2 holds the expected lines"
    else
        echo "FAILED: $2 holds:"
        cat -A "$work/$1/$2" 2>/dev/null
        return 1
    fi
}

# expect_output "EXPECTED" COMMAND...: the driver command prints exactly EXPECTED.
expect_output() {
    local expected=$1 actual
    shift
    actual=$(drive "$@" | tr -d '\r')
    if [ "$actual" = "$expected" ]; then
        echo "ok: $* printed what was expected"
        return 0
    fi
    printf 'FAILED: %s\nexpected:\n%s\nactual:\n%s\n' "$*" "$expected" "$actual"
    return 1
}

# Rows of the Dialing Rules dialog as the driver's rules command prints them. The scenarios
# start with an empty text on the clipboard: presenting a number sorts the working rules,
# and the rows show them in the order derived at start-up.
rule_row() {
    printf 'Dial|%s|numbers as|%s|%s\n' "$1" "$2" "$3"
}

# A history edited by hand: a number with dashes reads as that number, in lines ended any
# way, so nothing is learned that would rewrite 911; the first dial rewrites the file and
# keeps the original, comment and all, beside it.
hand_edited_history() {
    local dir=$work/hand-edited
    local original=$'# office\r\n412-268-1234  ->  8 1234\r650-555-0000  ->  5 0000\n'
    mkdir -p "$dir" && printf '%s' "$original" >"$dir/DialingHistory.dat" &&
        drive put-text "" &&
        start_program hand-edited &&
        drive wait-window "$wait_ms" &&
        drive change-text "911" &&
        drive wait-box "911" 0 &&
        box_items_are "*911" &&
        drive change-text "412-555-0100" &&
        drive wait-box "8 0100" 0 &&
        drive click-dial &&
        wait_until 10 file_is "$dir/tapi32-calls.log" $'8 0100\n' &&
        wait_lines hand-edited DialingHistory.dat "412 268 1234  ->  8 1234" \
            "650 555 0000  ->  5 0000" "412 555 0100  ->  8 0100" &&
        file_is "$dir/DialingHistory.dat.bak" "$original"
}

# The rules dialog shows the learned catch-all and a stored rule; confirming the learned one
# and pressing OK stores it beside the other.
# The office renumbers: extensions dialed with an 8 for a long time are now dialed with a 7.
# After three such dials the 7 is proposed, the history keeps only what still counts, and
# both survive a restart.
renumbered_office() {
    local lines=() i
    for i in $(seq 1000 1029); do
        lines+=("412 268 $i  ->  8 $i")
    done
    data_file renumbered DialingHistory.dat "${lines[@]}"
    drive put-text "x" &&
        start_program renumbered &&
        drive wait-window "$wait_ms" || return 1
    for i in 2001 2002 2003; do
        drive change-block "Phone" "412-268-$i" &&
            drive wait-box "8 $i" 0 &&
            drive set-box "7 $i" &&
            drive click-dial || return 1
    done
    drive change-block "Phone" "412-268-2004" &&
        drive wait-box "7 2004" 0 &&
        wait_lines renumbered DialingHistory.dat "412 268 2001  ->  7 2001" \
            "412 268 2002  ->  7 2002" "412 268 2003  ->  7 2003" &&
        stop_program &&
        start_program renumbered &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-2005" &&
        drive wait-box "7 2005" 0
}

rules_confirm_ok() {
    data_file rules-confirm DialingHistory.dat "412 268 1234  ->  8 1234"
    data_file rules-confirm DialingRules.dat "Dial 555 xxxx as 9 555 xxxx (inactive)"
    drive put-text "" &&
        start_program rules-confirm &&
        drive wait-window "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" &&
        expect_output "$(rule_row "555 xxxx" "9 xxx xxxx" "(disabled)|clear|, (verified)|no confirm"
            rule_row "xxx xxx xxxx" "8 xxxx" " (enabled)|ticked|, (unverified)|confirm")" rules &&
        drive rules-click 1 confirm &&
        expect_output "$(rule_row "555 xxxx" "9 xxx xxxx" "(disabled)|clear|, (verified)|no confirm"
            rule_row "xxx xxx xxxx" "8 xxxx" " (enabled)|ticked|, (verified)|no confirm")" rules &&
        drive rules-close ok "$wait_ms" &&
        wait_lines rules-confirm DialingRules.dat "Dial 555 xxxx as 9 xxx xxxx (inactive)" \
            "Dial xxx xxx xxxx as 8 xxxx (active)" &&
        wait_lines rules-confirm DialingHistory.dat "412 268 1234  ->  8 1234"
}

# A read-only history file: the failed save is told in a balloon naming the file and its
# folder, and the icon's tip says the data is not being saved; the pair is kept, and once the
# file may be written again the next save writes it with the new one and the tip is back.
failed_save() {
    local dir=$work/failed-save
    local line="412 268 1234  ->  8 1234"
    data_file failed-save DialingHistory.dat
    chmod a-w "$dir/DialingHistory.dat"
    drive put-text "x" &&
        start_program failed-save &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-1234" &&
        drive set-box "8 1234" &&
        drive click-dial &&
        drive wait-tooltip "DialingHistory.dat could not be saved in $(windows_path "$dir")." \
            "$wait_ms" &&
        drive wait-tooltip "your data is not being saved" "$wait_ms" &&
        wait_lines failed-save DialingHistory.dat &&
        chmod u+w "$dir/DialingHistory.dat" &&
        drive click-dial &&
        wait_lines failed-save DialingHistory.dat "$line" "$line" &&
        drive wait-no-tooltip "not being saved" "$wait_ms"
}

# Cancel drops the dialog's changes but still writes both files from the working rules: the
# history moves from the older file name, and the line of the rules file that is no rule is
# kept with the original beside it.
rules_toggle_cancel() {
    data_file rules-cancel history.dat "412 268 1234  ->  8 1234"
    data_file rules-cancel DialingRules.dat "# kept by hand" "Dial 555 xxxx as 9 555 xxxx (active)"
    drive put-text "" &&
        start_program rules-cancel &&
        drive wait-window "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" &&
        drive rules-click 0 toggle &&
        drive rules-click 1 toggle &&
        expect_output "$(rule_row "555 xxxx" "9 xxx xxxx" "(disabled)|clear|, (verified)|no confirm"
            rule_row "xxx xxx xxxx" "8 xxxx" "(disabled)|clear|, (verified)|no confirm")" rules &&
        drive rules-close cancel "$wait_ms" &&
        wait_lines rules-cancel DialingRules.dat "Dial 555 xxxx as 9 xxx xxxx (active)" &&
        wait_lines rules-cancel DialingHistory.dat "412 268 1234  ->  8 1234" &&
        holds_lines rules-cancel history.dat "412 268 1234  ->  8 1234" &&
        holds_lines rules-cancel DialingRules.dat.bak "# kept by hand" \
            "Dial 555 xxxx as 9 555 xxxx (active)"
}

# Deleting the middle of three rows closes the gap and shrinks the dialog; after OK the
# deleted rule's pair is gone from the history, and the rule switched off and the rule
# confirmed meanwhile are stored.
rules_delete_ok() {
    data_file rules-delete DialingHistory.dat "412 268 1234  ->  8 1234" \
        "555 0100  ->  9 555 0100" "1 800 555 0199  ->  9 1 800 555 0199"
    drive put-text "" &&
        start_program rules-delete &&
        drive wait-window "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" &&
        drive rules-click 0 toggle &&
        drive rules-click 2 confirm &&
        expect_output "$(rule_row "xxx xxxx" "9 xxx xxxx" "(disabled)|clear|, (verified)|no confirm"
            rule_row "xxx xxx xxxx" "8 xxxx" " (enabled)|ticked|, (unverified)|confirm"
            rule_row "x xxx xxx xxxx" "9 x xxx xxx xxxx" " (enabled)|ticked|, (verified)|no confirm")" \
            rules &&
        drive rules-fit &&
        # Wider than the template by what its labels need in Wine's font.
        expect_output "rows 24 46 68
group 7 7 541 90
ok 413 107 64 22
cancel 485 107 64 22
dialog 561 169" rules-layout &&
        screenshot &&
        drive rules-click 1 delete &&
        expect_output "rows 24 46
group 7 7 541 68
ok 413 85 64 22
cancel 485 85 64 22
dialog 561 147" rules-layout &&
        expect_output "$(rule_row "xxx xxxx" "9 xxx xxxx" "(disabled)|clear|, (verified)|no confirm"
            rule_row "x xxx xxx xxxx" "9 x xxx xxx xxxx" " (enabled)|ticked|, (verified)|no confirm")" \
            rules &&
        drive rules-close ok "$wait_ms" &&
        wait_lines rules-delete DialingRules.dat "Dial xxx xxxx as 9 xxx xxxx (inactive)" \
            "Dial x xxx xxx xxxx as 9 x xxx xxx xxxx (active)" &&
        wait_lines rules-delete DialingHistory.dat "555 0100  ->  9 555 0100" \
            "1 800 555 0199  ->  9 1 800 555 0199"
}

# The user's decisions last. Confirmed rules read back as they were stored: after a restart
# they propose what they proposed before and are not learned again. A rule switched off stays
# off, and its dial string is offered but never selected, after a dial and after a restart.
rules_kept_across_restart() {
    local seven_digit_off
    seven_digit_off=$'*555 0100\n9 555 0100\n9 1 0100'
    drive put-text "x" &&
        start_program kept &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-265-1234" &&
        drive wait-box "412 265 1234" "$wait_ms" &&
        drive set-box "8-1234" &&
        drive click-dial &&
        drive change-block "Phone" "787-8644" &&
        drive wait-box "787 8644" "$wait_ms" &&
        drive set-box "9 1 8644" &&
        drive click-dial &&
        wait_lines kept DialingHistory.dat "412 265 1234  ->  8 1234" "787 8644  ->  9 1 8644" &&
        drive open-rules-by-menu "$wait_ms" &&
        drive rules-click 0 confirm &&
        drive rules-click 1 confirm &&
        drive rules-close ok "$wait_ms" &&
        wait_lines kept DialingRules.dat "Dial xxx xxxx as 9 1 xxxx (active)" \
            "Dial xxx xxx xxxx as 8 xxxx (active)" &&
        drive change-block "Phone" "651-555-0001" &&
        drive wait-box "8 0001" "$wait_ms" &&
        stop_program &&
        start_program kept &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "652-555-0002" &&
        drive wait-box "8 0002" "$wait_ms" &&
        drive change-block "Phone" "555-0199" &&
        drive wait-box "9 1 0199" "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" &&
        expect_output "$(rule_row "xxx xxxx" "9 1 xxxx" " (enabled)|ticked|, (verified)|no confirm"
            rule_row "xxx xxx xxxx" "8 xxxx" " (enabled)|ticked|, (verified)|no confirm")" rules &&
        drive rules-close ok "$wait_ms" &&
        wait_lines kept DialingRules.dat "Dial xxx xxxx as 9 1 xxxx (active)" \
            "Dial xxx xxx xxxx as 8 xxxx (active)" &&
        # A rule learned now, and the confirmed one of its shape, switched off.
        drive set-box "9 555 0199" &&
        drive click-dial &&
        drive open-rules-by-menu "$wait_ms" &&
        drive rules-click 0 toggle &&
        drive rules-click 1 toggle &&
        expect_output "$(rule_row "555 xxxx" "9 xxx xxxx" "(disabled)|clear|, (verified)|no confirm"
            rule_row "xxx xxxx" "9 1 xxxx" "(disabled)|clear|, (verified)|no confirm"
            rule_row "xxx xxx xxxx" "8 xxxx" " (enabled)|ticked|, (verified)|no confirm")" rules &&
        drive rules-close ok "$wait_ms" &&
        wait_lines kept DialingRules.dat "Dial 555 xxxx as 9 xxx xxxx (inactive)" \
            "Dial xxx xxxx as 9 1 xxxx (inactive)" "Dial xxx xxx xxxx as 8 xxxx (active)" &&
        drive change-block "Phone" "555-0100" &&
        drive wait-box "555 0100" "$wait_ms" &&
        expect_output "$seven_digit_off" box-items &&
        drive change-block "Phone" "412-268-5555" &&
        drive wait-box "8 5555" "$wait_ms" &&
        drive click-dial &&
        wait_lines kept DialingHistory.dat "412 265 1234  ->  8 1234" "787 8644  ->  9 1 8644" \
            "555 0199  ->  9 555 0199" "412 268 5555  ->  8 5555" &&
        drive change-block "Phone" "555-0100" &&
        drive wait-box "555 0100" "$wait_ms" &&
        expect_output "$seven_digit_off" box-items &&
        stop_program &&
        start_program kept &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "555-0100" &&
        drive wait-box "555 0100" "$wait_ms" &&
        expect_output "$seven_digit_off" box-items
}

# A rule says what it dials: three internal dials learn "8 xxxx", not a digit of the number.
# Edited to "7 xxxx" in the dialog it is the user's decision: the pairs it contradicts are
# forgotten, and the next dial and a restart keep "7 xxxx".
rules_edit_kept() {
    local n
    drive put-text "x" &&
        start_program rules-edit &&
        drive wait-window "$wait_ms" || return 1
    for n in 1234 5555 7001; do
        drive change-block "Phone" "412-268-$n" &&
            drive set-box "8 $n" &&
            drive click-dial || return 1
    done
    wait_lines rules-edit DialingHistory.dat "412 268 1234  ->  8 1234" \
        "412 268 5555  ->  8 5555" "412 268 7001  ->  8 7001" &&
        drive change-block "Phone" "412-647-3000" &&
        expect_output $'412 647 3000\n*8 3000' box-items &&
        drive open-rules-by-menu "$wait_ms" &&
        expect_output "$(rule_row "xxx xxx xxxx" "8 xxxx" " (enabled)|ticked|, (unverified)|confirm")" \
            rules &&
        drive rules-replace 0 "7 xxxx" &&
        drive rules-close ok "$wait_ms" &&
        wait_lines rules-edit DialingRules.dat "Dial xxx xxx xxxx as 7 xxxx (active)" &&
        wait_lines rules-edit DialingHistory.dat &&
        drive change-block "Phone" "412-268-9999" &&
        expect_output $'412 268 9999\n*7 9999' box-items &&
        drive click-dial &&
        wait_lines rules-edit DialingHistory.dat "412 268 9999  ->  7 9999" &&
        stop_program &&
        start_program rules-edit &&
        drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-4444" &&
        expect_output $'412 268 4444\n*7 4444' box-items
}

# Without data files the dialog has no rows and is laid out as for one; OK writes both files
# empty.
# The notification menu still works while the dialog is open; its command brings the open
# dialog to the front instead of opening another over the same rules.
rules_command_while_open() {
    drive put-text "" &&
        start_program rules-twice &&
        drive wait-window "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" &&
        drive send-command dialing-rules "$wait_ms" &&
        [ "$(drive count-windows rules | tr -d '\r')" = 1 ] &&
        drive rules-close ok "$wait_ms" &&
        wait_lines rules-twice DialingRules.dat
}

rules_empty_ok() {
    drive put-text "" &&
        start_program rules-empty &&
        drive wait-window "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" &&
        expect_output "rows
group 7 7 541 46
ok 413 63 64 22
cancel 485 63 64 22
dialog 561 125" rules-layout &&
        drive rules-close ok "$wait_ms" &&
        wait_lines rules-empty DialingRules.dat &&
        wait_lines rules-empty DialingHistory.dat
}

# expect_row LINE EXPECTED: the rules dialog's row on that line of the rules command ('$' for
# the last) reads EXPECTED.
expect_row() {
    local actual
    actual=$(drive rules | tr -d '\r' | sed -n "$1p")
    [ "$actual" = "$2" ] && return 0
    printf 'FAILED: row %s\nexpected: %s\nactual:   %s\n' "$1" "$2" "$actual"
    return 1
}

# Three hundred stored rules and a learned one: the dialog opens as tall as the screen allows,
# with a scroll bar and OK on the screen; the learned rule's edited replacement is stored as a
# confirmed rule and forgets the dial it contradicts; the Try field follows edits and deletions
# as the number box would; a pattern picked from a row's list widens its rule; the mouse wheel
# scrolls the rows.
rules_many_scroll_edit_try() {
    local lines=() i p1 area wide fourth
    for i in $(seq 200 499); do
        lines+=("Dial $i 555 xxxx as 9 1 $i 555 xxxx (active)")
    done
    data_file rules-many DialingRules.dat "${lines[@]}" "Dial xxx xxx xxxx as 8 xxxx (active)"
    data_file rules-many DialingHistory.dat "555 0199  ->  9 555 0199"
    drive put-text "" &&
        start_program rules-many &&
        drive wait-window "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" || return 1
    local view
    view=$(drive rules-view | tr -d '\r')
    echo "$view"
    [[ $view == *$'scroll bar shown\ndialog on the screen\nOK on the screen' ]] &&
        [ "$(sed -n 's/^rows //p' <<<"$view")" -lt 40 ] || return 1
    p1=$(drive rules | sed -n '2s/^Dial|\([^|]*\)|.*/\1/p')
    [[ $p1 =~ ^[0-9]{3}\ 555\ xxxx$ ]] || { echo "FAILED: row 1 holds '$p1'"; return 1; }
    local n1=${p1%xxxx}1234
    expect_row 1 "$(rule_row "xxx xxxx" "9 xxx xxxx" " (enabled)|ticked|, (unverified)|confirm")" &&
        expect_output "9 555 0199" rules-try "555-0199" &&
        drive rules-replace 0 "8 xxxx" &&
        expect_output "8 0199" rules-try "555-0199" &&
        expect_output "9 1 $n1, 8 1234" rules-try "$n1" &&
        drive rules-click 1 delete &&
        expect_output "8 1234" rules-try "$n1" &&
        expect_output "no rule applies" rules-try "12345 678" &&
        area=$(drive rules | sed -n '2s/^Dial|\([0-9]*\) .*/\1/p') &&
        wide="$area xxx xxxx" &&
        drive rules-pattern 1 1 &&
        expect_row 2 "$(rule_row "$wide" "9 1 xxx xxx xxxx" " (enabled)|ticked|, (verified)|no confirm")" &&
        expect_output "9 1 $area 777 1234, 8 1234" rules-try "$area 777 1234" &&
        # The wheel over a pattern box scrolls three rows and leaves the pattern as it was.
        fourth=$(drive rules | tr -d '\r' | sed -n 4p) &&
        drive rules-wheel 0 -120 &&
        expect_row 1 "$fourth" &&
        drive rules-scroll bottom &&
        expect_row '$' "$(rule_row "xxx xxx xxxx" "8 xxxx" " (enabled)|ticked|, (verified)|no confirm")" &&
        drive rules-close ok "$wait_ms" || return 1
    local file=$work/rules-many/DialingRules.dat
    # The rules file is written before the history file, which loses the pair the edited rule
    # contradicts.
    wait_until 10 grep -q "^Dial xxx xxxx as 8 xxxx (active)"$'\r'"\$" "$file" &&
        [ "$(wc -l <"$file")" -eq 301 ] && ! grep -q "^Dial $p1 " "$file" &&
        grep -q "^Dial $wide as 9 1 xxx xxx xxxx (active)"$'\r'"\$" "$file" &&
        wait_lines rules-many DialingHistory.dat && return 0
    echo "FAILED: DialingRules.dat should hold 301 lines, 'Dial xxx xxxx as 8 xxxx (active)', 'Dial $wide as 9 1 xxx xxx xxxx (active)' and no $p1:"
    wc -l <"$file"
    grep -E "^Dial (xxx xxxx|$p1|$area) " "$file"
    return 1
}

# With VELLIX_E2E_SCREENSHOT set to a file name, saves the dialog as it is on the screen.
# Rows scrolled into view by the wheel and the scroll bar are drawn (the keyboard scrolls them
# the same way), read from the screen's pixels, not from the controls.
rules_scrolled_drawn() {
    local lines=() i
    for i in $(seq 200 499); do
        lines+=("Dial $i 555 xxxx as 9 1 $i 555 xxxx (active)")
    done
    data_file rules-drawn DialingRules.dat "${lines[@]}"
    drive put-text "" &&
        start_program rules-drawn &&
        drive wait-window "$wait_ms" &&
        drive open-rules-by-menu "$wait_ms" &&
        drive rules-fit &&
        drive rules-drawn &&
        drive rules-wheel 0 -120 &&
        drive rules-drawn &&
        drive rules-scroll page &&
        drive rules-drawn &&
        drive rules-scroll bottom &&
        drive rules-drawn &&
        drive rules-scroll top &&
        drive rules-drawn &&
        drive rules-close cancel "$wait_ms"
}

# Wine takes the display scale from LogPixels when a program starts.
set_scale() {
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1 && timeout 30 "$wineserver" -w
}

scaled_display_steps() {
    data_file scaled DialingHistory.dat "412 268 1234  ->  8 1234" "555 0100  ->  9 555 0100" \
        "1 800 555 0199  ->  9 1 800 555 0199"
    drive put-text "" &&
        start_program scaled &&
        drive wait-window "$wait_ms" &&
        drive change-block "Name" "Ann Lee" "Cell phone" "412 555 0100" "Phone" "412-268-1234" &&
        drive wait-button shown "$wait_ms" &&
        drive window-fit 144 &&
        screenshot main &&
        drive open-rules-by-menu "$wait_ms" &&
        drive rules-fit 144 &&
        expect_output "rows 3
scroll bar hidden
dialog on the screen
OK on the screen" rules-view &&
        screenshot &&
        drive scale rules 144 192 && drive rules-fit 192 &&
        drive scale rules 192 96 && drive rules-fit 96 &&
        drive rules-close ok "$wait_ms" &&
        drive scale main 144 192 && drive window-fit 192 &&
        drive scale main 192 96 && drive window-fit 96
}

# At 144 dpi (150%), and after moves to displays of 192 and 96 dpi, every text of the main
# window and the rules dialog shows whole and no two controls overlap.
scaled_display() {
    set_scale 144 || return 1
    desktop_size=1024x768
    scaled_display_steps
    local result=$?
    stop_program
    desktop_size=800x600
    set_scale 96
    return "$result"
}

# Saves the rules dialog, or with "main" the main window, to VELLIX_E2E_SCREENSHOT (the main
# window's picture ends in -main.png).
screenshot() {
    [ -z "${VELLIX_E2E_SCREENSHOT:-}" ] && return 0
    local rect file=$VELLIX_E2E_SCREENSHOT command=rules-dialog-rect
    if [ "${1:-}" = main ]; then
        file=${file%.png}-main.png
        command=main-window-rect
    fi
    rect=$(drive "$command" | tr -d '\r') &&
        import -window root -crop "$rect" +repage "$file" &&
        echo "ok: screenshot $file"
}

# The log holds exactly COUNT lines.
lines_logged() {
    [ -f "$1" ] && [ "$(wc -l <"$1")" -eq "$2" ]
}

# Two thousand clipboard changes of every kind as fast as the clipboard takes them, with dials
# in between. The driver checks that the program answers throughout, proposes the last number
# and keeps its memory and USER and GDI objects after a warm-up of 500 changes; every dial it
# made reaches the call log.
clipboard_soak() {
    local dir=$work/soak output dials
    drive put-text "555-0100" &&
        start_program soak &&
        drive wait-window "$wait_ms" &&
        drive wait-box "555 0100" "$wait_ms" || return 1
    output=$(timeout 300 "$wine" "$driver" soak 2000 500 | tr -d '\r')
    local status=$?
    echo "$output"
    dials=$(sed -n 's/^dials \([0-9]*\)$/\1/p' <<<"$output")
    [ "$status" -eq 0 ] && [ -n "$dials" ] && [ "$dials" -gt 0 ] &&
        wait_until 10 lines_logged "$dir/tapi32-calls.log" "$dials"
}

# timed LABEL COMMAND...: runs the command and says how long it took.
timed() {
    local label=$1 start=${EPOCHREALTIME/./} status
    shift
    "$@"
    status=$?
    local hundredths=$(((${EPOCHREALTIME/./} - start) / 10000))
    printf '%s took %d.%02d s\n' "$label" $((hundredths / 100)) $((hundredths % 100))
    return "$status"
}

msiexec() {
    timeout 120 "$wine" msiexec "$@" /qn
}

# The shortcut, read through the shell, points at the installed program and starts it in the
# user's Vellix folder.
shortcut_is_right() {
    local actual
    actual=$("$wine" "$(dirname "$driver")/install_probe.exe" shortcut "$1" | tr -d '\r')
    [ "$actual" = "$2" ] || { printf 'FAILED: shortcut %s\nexpected:\n%s\nactual:\n%s\n' \
        "$1" "$2" "$actual"; return 1; }
}

# Opens a file or link through the shell, as a click would, in the program's desktop.
shell_open() {
    WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" explorer "/desktop=$VELLIX_DESKTOP,800x600" \
        start.exe "$1"
}

# The installed versions of Vellix, one a line.
installed_versions_are() {
    local actual
    actual=$("$wine" "$(dirname "$driver")/install_probe.exe" products \
        '{A5FE2BF8-CD5E-49E2-9FAF-6763BC1CAFCC}' | tr -d '\r')
    [ "$actual" = "$1" ] || { echo "FAILED: installed versions '$actual', expected '$1'"; return 1; }
}

# The link handler's command line, or nothing when the scheme is not registered.
link_command() {
    "$wine" reg query "HKCR\\$1\\shell\\open\\command" /ve 2>/dev/null |
        sed -n 's/^ *(Default) *REG_SZ *//p' | tr -d '\r'
}

# Installs for the user: the program in the user's programs folder, shortcuts in the Start
# menu and the Startup folder that start it in the user's Vellix folder, where its data files
# then land, and the tel: and callto: registration, through which a link reaches the running
# program. A newer installer upgrades in place and
# keeps the data; uninstalling removes all it installed and leaves the data. AUTOSTART=0 and
# LINKS=0 leave out the Startup shortcut and the registration.
install_upgrade_uninstall() {
    [ -n "$installer" ] || { echo "no installer given"; return 1; }
    local version next newer=$work/newer.msi profile user
    version=$(msiinfo export "$installer" Property | sed -n 's/^ProductVersion\t//p' | tr -d '\r')
    next=${version%.*}.$((${version##*.} + 1))
    bash "$source/installer/package.sh" msi "$next" "$vellix" "$newer" || return 1
    timed "install" msiexec /i "$(windows_path "$installer")" || return 1
    profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public)
    user=$(basename "$profile")
    local programs=$profile/AppData/Local/Programs/Vellix data=$profile/AppData/Roaming/Vellix
    local menu=$profile/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
    local windows_profile='C:\users\'$user
    local windows_menu=$windows_profile'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
    local program=$windows_profile'\AppData\Local\Programs\Vellix\vellix.exe'
    local shortcut
    shortcut=$(printf 'target %s\nfolder %s\\AppData\\Roaming\\Vellix\\' "$program" "$windows_profile")
    local line=$'412 268 1234  ->  8 1234\r\n'
    [ -f "$programs/vellix.exe" ] && [ -d "$data" ] &&
        shortcut_is_right "$windows_menu\Vellix.lnk" "$shortcut" &&
        shortcut_is_right "$windows_menu\StartUp\Vellix.lnk" "$shortcut" &&
        [ "$(link_command tel)" = "\"$program\" \"%1\"" ] &&
        [ "$(link_command callto)" = "\"$program\" \"%1\"" ] &&
        installed_versions_are "$version" || return 1
    echo "ok: installed for user $user with both shortcuts and the link registration"

    # Started from the Start menu as a user would, with Wine's own telephony, which takes
    # every call; then a tel: link opened through the shell reaches it.
    export VELLIX_DESKTOP=vellix-installed
    mkdir -p "$work/installed"
    (cd "$work/installed" && shell_open "$windows_menu\Vellix.lnk") >"$work/installed.log" 2>&1 &
    program_pid=$!
    drive wait-window "$wait_ms" &&
        drive change-block "Phone" "412-268-1234" &&
        drive set-box "8 1234" &&
        drive click-dial &&
        wait_until 10 file_is "$data/DialingHistory.dat" "$line" &&
        [ ! -e "$programs/DialingHistory.dat" ] || return 1
    echo "ok: the program started from the shortcut keeps its data in $data"
    (cd "$work/installed" && shell_open "tel:650-555-0000") >>"$work/installed.log" 2>&1 &&
        drive wait-box "8 0000" "$wait_ms" &&
        box_items_are $'650 555 0000\n*8 0000' &&
        [ "$(drive count-windows VELLIX | tr -d '\r')" = 1 ] || return 1
    echo "ok: a tel: link opened through the shell reached the running program"
    stop_program
    # With nothing running, a link opened from another folder starts the installed program in
    # its data folder: the learned rule applies, and the dial is kept there.
    mkdir -p "$work/elsewhere"
    (cd "$work/elsewhere" && shell_open "tel:412-268-5555") >>"$work/installed.log" 2>&1 &
    program_pid=$!
    drive wait-window "$wait_ms" &&
        drive wait-box "8 5555" "$wait_ms" &&
        drive click-dial &&
        wait_until 10 file_is "$data/DialingHistory.dat" "$line"$'412 268 5555  ->  8 5555\r\n' &&
        [ -z "$(ls -A "$work/elsewhere")" ] || return 1
    echo "ok: a link started the installed program in its data folder"
    line+=$'412 268 5555  ->  8 5555\r\n'

    # The upgrade closes the running program, replaces it, leaves nothing behind and starts
    # it again; the installer runs outside the test's desktop, and so does the new program.
    local before
    before=$(stat -c %Y "$programs/vellix.exe")
    sleep 1
    timed "upgrade" msiexec /i "$(windows_path "$newer")" &&
        [ "$(drive count-windows VELLIX | tr -d '\r')" = 0 ] &&
        installed_versions_are "$next" &&
        [ "$(stat -c %Y "$programs/vellix.exe")" != "$before" ] &&
        [ "$(ls "$programs")" = vellix.exe ] && [ -f "$menu/Vellix.lnk" ] &&
        file_is "$data/DialingHistory.dat" "$line" &&
        VELLIX_DESKTOP=Default drive wait-window "$wait_ms" || return 1
    echo "ok: upgraded from $version to $next with Vellix running: closed, replaced, started again"

    timed "uninstall" msiexec /x "$(windows_path "$newer")" &&
        [ "$(VELLIX_DESKTOP=Default drive count-windows VELLIX | tr -d '\r')" = 0 ] &&
        installed_versions_are "" &&
        [ ! -e "$programs" ] && [ ! -e "$menu/Vellix.lnk" ] && [ ! -e "$menu/StartUp/Vellix.lnk" ] &&
        [ -z "$(link_command tel)" ] && [ -z "$(link_command callto)" ] &&
        ! "$wine" reg query 'HKCU\Software\Vellix' >/dev/null 2>&1 &&
        file_is "$data/DialingHistory.dat" "$line" || return 1
    echo "ok: uninstalled with Vellix running: it was closed first; the data file is kept"

    # Parts left out stay out through an upgrade that does not name them.
    msiexec /i "$(windows_path "$installer")" AUTOSTART=0 LINKS=0 &&
        [ -f "$menu/Vellix.lnk" ] && [ ! -e "$menu/StartUp/Vellix.lnk" ] &&
        [ -z "$(link_command tel)" ] &&
        msiexec /i "$(windows_path "$newer")" &&
        installed_versions_are "$next" &&
        [ -f "$menu/Vellix.lnk" ] && [ ! -e "$menu/StartUp/Vellix.lnk" ] &&
        [ -z "$(link_command tel)" ] || return 1
    echo "ok: an upgrade keeps AUTOSTART=0 and LINKS=0"
    msiexec /x "$(windows_path "$newer")" &&
        installed_versions_are ""
}

# Xvfb picks a free display itself and writes its number once it listens, so runs that start
# at the same time never share a display (and with it a clipboard).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 20 test -s "$work/display" || { echo "Xvfb did not start"; exit 1; }
display=$(head -n 1 "$work/display")

export DISPLAY=":$display"
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;tapi32=n"
echo "Preparing a Wine prefix in $WINEPREFIX"
timeout 180 "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || { echo "wineboot failed"; exit 1; }
timeout 60 "$wineserver" -w
cp "$(dirname "$driver")/tapi32.dll" "$WINEPREFIX/drive_c/windows/system32/tapi32.dll" || exit 1

scenario "start-up with a number on the clipboard presents it" start_with_clipboard_number
scenario "a block with two numbers fills the box and shows the number button" block_with_two_numbers
scenario "a clipboard change with no number leaves the box as it was" change_without_number
scenario "a copy shows the window on top and leaves the keyboard in the other program" \
    copy_beside_work
scenario "content marked private by the copying program is left unread" private_copies_skipped
scenario "a number copied while another program holds the clipboard is still proposed" held_clipboard
scenario "copies still reach the program after another clipboard viewer crashed" \
    crashed_clipboard_viewer
scenario "the close box hides the window; process and icon stay" close_box_hides
scenario "a double click on the icon toggles the window" double_click_toggles
scenario "Exit from the icon menu ends the process" exit_from_menu
scenario "a second start shows the running program and leaves" second_start_shows_the_first
scenario "two starts at the same moment leave one Vellix" simultaneous_starts
scenario "a copied number is proposed, dialed, recorded and learned" road_of_one_number
scenario "Dial with left Ctrl teaches without calling" dial_with_left_ctrl
scenario "a hand-edited history loses no line and learns only from its pairs" hand_edited_history
scenario "the number menu lists the numbers and a pick refills the box" number_menu_picks
scenario "calls go where the PC is set up for, or where the user chose; a failed call is told" \
    dial_route
scenario "a tel: link handed over by a second start is proposed; Enter, Alt+/ and Escape work" link_and_keys
scenario "a failed save is told and the next save writes what was kept" failed_save
scenario "Exit with unsaved data asks, and keeps it in a file the user chooses" \
    exit_with_unsaved_data
scenario "signing out with unsaved data is held; an installer's close ends the program" \
    session_end
scenario "a history held by another program at start is read before it is written" \
    held_history_at_start
scenario "numbers are found in a copied signature, unless switched off" find_numbers_in_text
scenario "numbers are read and dialed as people write them" reading_numbers
scenario "a renumbered office is proposed after three dials, also after a restart" \
    renumbered_office
scenario "the rules dialog shows the rules; a confirmed rule is stored after OK" rules_confirm_ok
scenario "Cancel drops the dialog's changes and still rewrites both files" rules_toggle_cancel
scenario "deleting the middle of three rules shrinks the dialog and drops its pairs" rules_delete_ok
scenario "confirmed and switched-off rules work the same after a restart" rules_kept_across_restart
scenario "a learned rule reads 8 xxxx; edited to 7 xxxx it stays after a dial and a restart" \
    rules_edit_kept
scenario "with no rules the dialog is laid out as for one row and OK writes empty files" rules_empty_ok
scenario "the rules command while the dialog is open opens no second one" rules_command_while_open
scenario "300 rules scroll on the screen; an edited rule is stored; Try follows the rows" rules_many_scroll_edit_try
scenario "rules scrolled into view by the wheel and the scroll bar are drawn on the screen" \
    rules_scrolled_drawn
scenario "at 150% and after moving to other scales no text is cut and nothing overlaps" \
    scaled_display
scenario "a soak of clipboard changes and dials leaves the program answering and no larger" clipboard_soak
[ -n "$installer" ] &&
    scenario "the installer installs, upgrades in place and uninstalls, keeping the data" \
        install_upgrade_uninstall

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
