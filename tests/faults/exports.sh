#!/usr/bin/env bash
# Every file `deckviewer --render` writes, into a folder where it cannot be
# written: the message names the file and the system's reason, the run ends
# with 1, and the folder is left as it was (no half-written file, no scratch).
# The rows are in tests/faults/data/exports.txt: how the folder is made
# unwritable | the file asked for | the message on stderr (FOLDER for the
# folder). "full" is a 64 KB tmpfs filled, "read-only" one mounted ro (both
# need a mount namespace of their own; where none can be made they are
# skipped with a line that says so); "not yours" a folder of root's, 0755,
# written by the user nobody (skipped unless run as root).
#   exports.sh DECKVIEWER
set -euo pipefail
if [ -z "${JM_FAULTS_NS:-}" ]; then
    export JM_FAULTS_NS=none
    for how in -m -rm; do
        if unshare $how true 2>/dev/null; then JM_FAULTS_NS=$how exec unshare $how -- "$0" "$@"; fi
    done
fi
viewer=$1
here=$(cd "$(dirname "$0")" && pwd)
data=$here/../../deck3d/tests/data
work=$(mktemp -d)
cleanup() {
    umount "$work/full" "$work/read-only" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
source "$here/../support/checks.sh"
checks_say_ok=1

mkdir -p "$work/deck" "$work/config" "$work/state"
cp "$data/DeckType-worked-example.txt" "$work/deck/DeckType.txt"
cp "$data/Deck_Rectangle-worked-example.txt" "$work/deck/Deck_Rectangle.txt"
cp "$data/Sizes-worked-example.txt" "$work/deck/Sizes.txt"
chmod 0755 "$work" "$work/deck"
chmod 0644 "$work/deck"/*
listing() { (cd "$1" && find . | sort | xargs -r ls -ld --time-style=+ | awk '{print $1, $5, $NF}'); }

mounted=yes
mkdir "$work/full" "$work/read-only"
if [ "$JM_FAULTS_NS" == none ] || ! mount -t tmpfs -o size=64k tmpfs "$work/full" 2>/dev/null \
    || ! mount -t tmpfs -o size=64k tmpfs "$work/read-only" 2>/dev/null; then
    mounted=no
    echo "SKIPPED: full and read-only folders (no mount namespace may be made here)"
else
    # Filled to the last block: even a takeoff of a few KB does not fit.
    dd if=/dev/zero of="$work/full/filler" bs=4k 2>/dev/null || true
    echo kept >"$work/read-only/deck.step"
    mount -o remount,ro "$work/read-only"
fi
mkdir -m 0755 "$work/not-yours"
echo kept >"$work/not-yours/deck.glb"

while IFS='|' read -r how name expected; do
    case "$how" in ''|'#'*) continue ;; esac
    folder=$work/$how
    if [ "$how" != not-yours ] && [ "$mounted" == no ]; then continue; fi
    run=("$viewer")
    if [ "$how" == not-yours ]; then
        if [ "$(id -u)" != 0 ]; then echo "SKIPPED: $how $name (needs root to become nobody)"; continue; fi
        run=(setpriv --reuid=65534 --regid=65534 --clear-groups "$viewer")
    fi
    before=$(listing "$folder")
    code=0
    message=$(QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state HOME=$work \
        "${run[@]}" --render "$work/deck" --out "$folder/$name" 2>&1 >/dev/null) || code=$?
    check "$how $name: the message" "${expected//FOLDER/$folder}" "$message"
    check "$how $name: ends with 1" 1 "$code"
    check "$how $name: the folder is as it was" "$before" "$(listing "$folder")"
done <"$here/data/exports.txt"

[ "$failed" -eq 0 ] && echo "exports: all passed" || { echo "exports: $failed failed"; exit 1; }
