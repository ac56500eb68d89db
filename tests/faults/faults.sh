#!/usr/bin/env bash
# Faults injected into the real programs, headless, driven by the test driver
# plugin (tests/install/driver.cpp), which answers every message box with OK
# and records it. Each case checks the message, the files the program folder
# holds afterwards (none half-written, none lost) and whether the wizard ends
# or stays:
# A. the program folder is full at the 2D finish (a 64 KB tmpfs, filled);
# B. the program folder is read-only at the 2D finish (a tmpfs mounted ro);
# C. a second wizard is started in the folder of a running one;
# D. the host answers every member only after 2.9 s: the start page still
#    shows within the start-up's 3 s (3.5 s with the program's own start),
#    and ActiveProvider is the first call the host sees.
# A host killed during a call is host/tests/tst_dbuslink (aHostThatDiesDuringACall).
# A and B need a mount namespace of their own; where none can be made they
# are skipped with a line that says so.
#   faults.sh JOISTMASTER DECKHOST DRIVER_PLUGIN
set -euo pipefail
if [ -z "${JM_FAULTS_NS:-}" ]; then
    export JM_FAULTS_NS=none
    for how in -m -rm; do
        if unshare $how true 2>/dev/null; then JM_FAULTS_NS=$how exec unshare $how -- "$0" "$@"; fi
    done
fi
if [ -z "${JM_FAULTS_BUS:-}" ]; then
    JM_FAULTS_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
wizard=$1 deckhost=$2
work=$(mktemp -d)
mkdir -p "$work/plugins/generic"
cp "$3" "$work/plugins/generic/"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    umount "$work/folder" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# check (saying each pass), wait_for, gone, owned.
source "$(dirname "$0")/../support/checks.sh"
checks_say_ok=1
listing() { (cd "$1" && find . -type f | sort | xargs -r md5sum); }

host() { # deckhost options...
    "$deckhost" --headless --journal "$work/journal" "$@" >/dev/null 2>&1 &
    host_pid=$!; pids+=("$host_pid")
    wait_for 10 owned || { echo "FAIL: deckhost did not start"; exit 1; }
}
stop_host() { kill "$host_pid"; wait_for 5 gone "$host_pid"; : >"$work/journal"; }
run_wizard() { # name [stay]: starts the wizard on $work/folder, its driver's files in $work/NAME
    mkdir -p "$work/$1"
    JMDRIVER_STAY=${2:-0} QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$work/plugins" \
        QT_QPA_GENERIC_PLUGINS="jmdriver:$work/$1" "$wizard" --program-folder "$work/folder" >"$work/$1.log" 2>&1 &
    wizard_pid=$!; pids+=("$wizard_pid")
}
finish_2d() { # name: the 2D road to its finish; the wizard must end
    run_wizard "$1"
    if wait_for 20 gone "$wizard_pid"; then wait "$wizard_pid" && code=0 || code=$?; else code=running; fi
    check "$1: the wizard ends after the box, with 0" 0 "$code"
    [ "$code" == 0 ] || cat "$work/$1.log"
}

mkdir "$work/folder"
old=$(printf '12.5\r\n')
# --- A and B: a full and a read-only program folder ------------------------------
if [ "$JM_FAULTS_NS" == none ] || ! mount -t tmpfs -o size=64k tmpfs "$work/folder" 2>/dev/null; then
    echo "SKIPPED: full and read-only program folder (no mount namespace may be made here)"
else
    host --wizard-folder "$work/folder"
    printf '%s' "$old" >"$work/folder/DeckSize.txt"
    dd if=/dev/zero of="$work/folder/filler" bs=4k count=100 2>/dev/null || true
    before=$(listing "$work/folder")
    finish_2d full
    check "A: the message" "Plankora Joistmaster|critical|Could not write the file \"DeckSize.txt\" in the folder \"$work/folder\": No space left on device.\\n\\nError number: 4" \
        "$(cat "$work/full/messages.txt")"
    check "A: the folder keeps the old width and gains no file" "$before" "$(listing "$work/folder")"

    rm "$work/folder/filler"
    mount -o remount,ro "$work/folder"
    before=$(listing "$work/folder")
    finish_2d readonly
    check "B: the message" "Plankora Joistmaster|critical|Could not write the file \"DeckSize.txt\" in the folder \"$work/folder\": Existing file $work/folder/DeckSize.txt is not writable.\\n\\nError number: 2" \
        "$(cat "$work/readonly/messages.txt")"
    check "B: the folder is as it was" "$before" "$(listing "$work/folder")"
    stop_host
    umount "$work/folder"
fi

# --- C: a second wizard in the same folder -------------------------------------
host --wizard-folder "$work/folder"
run_wizard first 1
first=$wizard_pid
wait_for 10 test -e "$work/first/joistmaster.shown" || true
before=$(listing "$work/folder")
run_wizard second 1
if wait_for 10 gone "$wizard_pid"; then wait "$wizard_pid" && code=0 || code=$?; else code=running; fi
check "C: the second wizard ends with 0" 0 "$code"
check "C: its message" "Plankora Joistmaster|information|Joistmaster is already running from this folder." \
    "$(cat "$work/second/messages.txt" 2>/dev/null)"
check "C: it shows no page" "" "$(ls "$work/second/joistmaster.shown" 2>/dev/null)"
check "C: the folder is as it was" "$before" "$(listing "$work/folder")"
check "C: the first wizard stays" yes "$(kill -0 "$first" 2>/dev/null && echo yes)"
kill "$first"
if wait_for 5 gone "$first"; then wait "$first" && code=0 || code=$?; else code=running; fi
check "C: the first wizard, sent SIGTERM, ends with 0" 0 "$code"
check "C: and leaves no lock in the folder" "" "$(ls "$work/folder/Joistmaster.lock" 2>/dev/null)"
stop_host

# --- D: a host that answers every member after 2.9 s ---------------------------
delays=()
for m in ActiveTarget ActiveProvider Prepare Target Mode2D OpenSymbolFile SymbolLoader LoadSymbol; do
    delays+=(--delay "$m=2900")
done
host "${delays[@]}"
started=$(date +%s%3N)
run_wizard slow 1
wait_for 10 test -s "$work/slow/joistmaster.shown" || true
shown=$(cat "$work/slow/joistmaster.shown" 2>/dev/null || echo 99999999999999)
check "D: the start page shows within 3.5 s" yes "$([ $((shown - started)) -le 3500 ] && echo yes || echo "no: $((shown - started)) ms")"
check "D: the host saw ActiveProvider first" ActiveProvider \
    "$(python3 -c 'import json,sys; print(json.loads(open(sys.argv[1]).readline())["member"])' "$work/journal" 2>/dev/null)"
check "D: the wizard stays with its page" yes "$(kill -0 "$wizard_pid" 2>/dev/null && echo yes)"
check "D: no box" "" "$(cat "$work/slow/messages.txt" 2>/dev/null)"

[ "$failed" -eq 0 ] && echo "faults: all passed" || { echo "faults: $failed failed"; exit 1; }
