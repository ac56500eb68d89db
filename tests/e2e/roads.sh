#!/usr/bin/env bash
# Drives the built wizard as a person would, with mouse and keyboard under a
# virtual X display, against the substitute host on a private session bus:
# one whole 3D road and one whole 2D road. Then checks the files' bytes, the
# host's journal, and that the host drew the deck the wizard handed over, its
# window named for what it is and the deck's file.
#   roads.sh JOISTMASTER DECKHOST
# Needs Xvfb, xdotool and dbus-run-session.
set -euo pipefail
joistmaster=$1
deckhost=$2

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
# What deckhost remembers of its decks stays in the throw-away folder.
export XDG_STATE_HOME="$work/state"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# check, wait_for, gone, owned; the journal lines among a program's output.
source "$(dirname "$0")/../support/checks.sh"
source "$(dirname "$0")/../support/journal.sh"

# The wizard on its own in a fresh folder: that folder is its program folder.
cp "$joistmaster" "$work/joistmaster"

# A virtual display of our own.
exec 5> >(cat >"$work/display")
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
wait_for 5 test -s "$work/display" || true
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb

start_host() {
    : >"$work/journal"
    "$deckhost" --journal "$work/journal" --wizard-folder "$work" >"$work/host.out" &
    host_pid=$!
    pids+=($host_pid)
    wait_for 5 owned || { echo "deckhost did not start"; exit 1; }
}
stop_host() { kill "$host_pid" 2>/dev/null || true; wait "$host_pid" 2>/dev/null || true; }

wizard_pid=
start_wizard() {
    "$work/joistmaster" &
    wizard_pid=$!
    pids+=($wizard_pid)
}

# Waits for a page by its title, gives it the keyboard, and remembers its origin.
page() {
    win=$(xdotool search --sync --onlyvisible --name "^Joistmaster \. \. \. $1\$" | head -n 1)
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    origin_x=$X
    origin_y=$Y
    sleep 0.2
}
# Clicks at a point of the current page given in pixels of its client area.
# (No --sync: it waits for ever when the pointer is already there.)
click() { xdotool mousemove $((origin_x + $1)) $((origin_y + $2)) sleep 0.1 click 1; sleep 0.15; }
# Replaces the text of the focused box.
type_text() { xdotool key --clearmodifiers ctrl+a; xdotool type --delay 20 "$1"; sleep 0.1; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.15; }

wait_end() { wait_for 10 gone "$wizard_pid" || { echo "the wizard did not end"; return 1; }; }

crlf() { printf '%s\r\n' "$@"; }

# What the host said of its drawing ("drawn ..." or "cannot draw: ..."), once it has.
drawn() {
    wait_for 10 grep -qE '^(drawn |cannot draw: )' "$work/host.out" || { echo "(nothing drawn)"; return; }
    grep -E '^(drawn |cannot draw: )' "$work/host.out"
}
# The title of the host's window.
host_title() { xdotool getwindowname "$(xdotool search --onlyvisible --name '^Joistmaster Substitute Host' | head -n 1)"; }

# ---- The 3D road: a rectangle 16 by 12 by 3 -------------------------------------
start_host
start_wizard
page "Choose your Deck Type"
click 320 120                     # the 3D picture
page "Deck Shape and Size"
click 229 254                     # "   Ne&xt Style  >": the rectangle
click 398 64                      # deckLength (distance A)
type_text 16
key Tab                           # on to deckWidth (distance B)
type_text 12
key Tab
click 417 314                     # "&Next >>"
page "Post and Decking Size"
key alt+n                         # keep the 4" posts and the 5/4x6 decking
page "Joist and Beam Size"
click 370 253                     # BeamSize
type_text "2 X 8"
key Tab
click 417 314                     # "&Next  >>"
page "Viewing Options"
click 417 314                     # "&Finish >>": wireframe
wait_end

check "3D: DeckType.txt" "$(crlf ' 2 ' | cat -A)" "$(cat -A <"$work/DeckType.txt")"
check "3D: Sizes.txt" "$(crlf 12 16 3 | cat -A)" "$(cat -A <"$work/Sizes.txt")"
expected_deck=$(crlf \
    "16        ' Z,   ', Deck Depth" \
    "12        ' X,   ', Deck Width" \
    "3        ' Y,   ', Deck Height" \
    "2       ' X,   ', X Deck Overhang" \
    "2.5     ' Z,   ', Z Deck Overhang" \
    "8       ' X,   ', Length Between Posts" \
    "4       ' XZ,  ', Post Width & Depth" \
    "6       ' Z,   ', Space Between Beams" \
    "7.25    ' Y,  - Beam Height" \
    "1.5      ' Z,  - Beam Depth" \
    "12      - X - Beam Width" \
    "5.5     ' Y,  - Joist Height" \
    "8       ' Z - Joist Depth" \
    "1.5      ' X,  - Joist Width" \
    "12      ' X - Joist Center Spacing" \
    "1       ' Y - Decking Height" \
    "5.5     ' Z - Decking Depth" \
    ".25     ' X - Decking Spacing" \
    "1     - Deck Type" \
    "4 inch x 4 inch Square Posts" \
    "12 foot 2x8 Beams" \
    "8 foot 2x6 Joists" \
    "2x6 Pieces of Decking" \
    "0          - WireFrame")
check "3D: Deck_Rectangle.txt" "$(printf '%s\n' "$expected_deck" | cat -A)" "$(cat -A <"$work/Deck_Rectangle.txt")"
check "3D: host journal" "$(cat <<'J'
get /Application ActiveProvider
get /Application ActiveTarget
call /Application Prepare
get /Application ActiveProvider
get /Application ActiveTarget
call /Application Prepare
put /Application/ActiveTarget Mode2D False
get /Application/Provider Target
call /Application/Provider/Target OpenSymbolFile "*Program Data\3D Decks\Deck_Rectangle.bsx"
J
)" "$(calls "$work/journal")"
check "3D: deckhost drew the deck" 'drawn Deck_Rectangle: 16'"'"' 0" x 12'"'"' 0"' "$(drawn)"
check "3D: the host's window title" "Joistmaster Substitute Host - Rectangle" "$(host_title)"
stop_host

# ---- The 2D road: style 3, width 24.5 ----------------------------------------
start_host
start_wizard
page "Choose your Deck Type"
click 90 110                      # the 2D picture
page "Choose your Deck Shape and Width"
click 232 256                     # "Next Style >>"
click 232 256
click 388 157                     # Text1
type_text 24.5
key Return                        # Enter finishes
wait_end

check "2D: DeckSize.txt" "$(crlf 24.5 | cat -A)" "$(cat -A <"$work/DeckSize.txt")"
check "2D: host journal" "$start_and_finish_style3" "$(calls "$work/journal")"
check "2D: deckhost drew the plan" "drawn Deck 3: 24' 6\" wide" "$(drawn)"
check "2D: the host's window title" "Joistmaster Substitute Host - Deck 3" "$(host_title)"
stop_host

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
