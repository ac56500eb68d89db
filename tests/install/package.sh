#!/usr/bin/env bash
# The Debian package as a person gets it: built with cpack, unpacked into a
# throw-away root with dpkg -x, its menu entries and AppStream data validated,
# and its launcher run headless through one 2D finish, twice:
# A. the program folder cannot be written and there is no session bus: the
#    launcher starts a bus and deckhost, the files land in
#    $XDG_DATA_HOME/joistmaster (mode 0700), and deckhost stays open after the
#    wizard ends until its window is closed;
# B. the program folder can be written and a host already runs: the files land
#    in the program folder, no second deckhost is started, and the launcher
#    ends with the wizard;
# C. the viewer menu entry's command starts deckviewer, which shows the files A
#    left and the 2D deck A's deckhost was asked for, in a window named for it;
# E. a host runs on another folder: the launcher told another folder refuses,
#    and one told none follows the host's folder.
# The installed programs are driven by the test driver plugin (driver.cpp).
#   package.sh BUILD_DIR DRIVER_PLUGIN
# Needs cpack, dpkg-deb, desktop-file-validate, appstreamcli, dbus-run-session
# and, when run as root, setpriv (case A then runs as the user nobody).
set -euo pipefail
build=$(readlink -f "$1")
plugin=$(readlink -f "$2")

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
chmod 755 "$work"
# What deckhost remembers of its decks stays in the throw-away folder.
export XDG_STATE_HOME="$work/state"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# check, wait_for, alive, gone, owned; the journal lines among a program's
# output, as "kind path member args".
source "$(dirname "$0")/../support/checks.sh"
source "$(dirname "$0")/../support/journal.sh"

# ---- The package ------------------------------------------------------------
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$work/pkg/joistmaster_${version}_$(dpkg --print-architecture).deb"
check "package file name" "$deb" "$(ls "$work"/pkg/*.deb)"
check "package version" "$version" "$(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6dbus6 libc6 dbus-bin dbus-daemon; do
    check "Depends names $needed" "yes" "$(grep -qw -- "$needed" <<<"$depends" && echo yes || echo "no: $depends")"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
programs="$root/usr/lib/joistmaster"
launcher="$root/usr/bin/joistmaster"
check "installed files" "$(cat <<'F'
./usr/bin/joistmaster
./usr/lib/joistmaster/deckhost
./usr/lib/joistmaster/deckviewer
./usr/lib/joistmaster/joistmaster
./usr/lib/joistmaster/joistmaster-lines.so
./usr/lib/joistmaster/joistmaster-step.so
./usr/share/applications/com.plankora.Joistmaster.DeckViewer.desktop
./usr/share/applications/com.plankora.Joistmaster.desktop
./usr/share/doc/joistmaster/changelog.Debian.gz
./usr/share/doc/joistmaster/copyright
./usr/share/doc/joistmaster/host-dbus.md
./usr/share/icons/hicolor/128x128/apps/joistmaster.png
./usr/share/icons/hicolor/16x16/apps/joistmaster.png
./usr/share/icons/hicolor/256x256/apps/joistmaster.png
./usr/share/icons/hicolor/32x32/apps/joistmaster.png
./usr/share/icons/hicolor/48x48/apps/joistmaster.png
./usr/share/metainfo/com.plankora.Joistmaster.metainfo.xml
./usr/share/mime/packages/joistmaster.xml
F
)" "$(cd "$root" && find . -type f | LC_ALL=C sort)"
check "programs are executable" "755 755 755 755" \
    "$(stat -c %a "$launcher" "$programs/joistmaster" "$programs/deckhost" "$programs/deckviewer" | xargs)"
check "programs are stripped" "" \
    "$(file "$programs/joistmaster" "$programs/deckhost" "$programs/deckviewer" | grep 'not stripped' || true)"
for size in 16 32 48 128 256; do
    check "icon ${size}x${size}" "PNG ${size}x${size}" "$(python3 -c '
import struct, sys
b = open(sys.argv[1], "rb").read(24)
print(("PNG" if b[:8] == b"\x89PNG\r\n\x1a\n" else "not PNG"), "%dx%d" % struct.unpack(">II", b[16:24]))
' "$root/usr/share/icons/hicolor/${size}x${size}/apps/joistmaster.png")"
done
check "changelog entry for this version" "joistmaster ($version) unstable; urgency=medium" \
    "$(gzip -dc "$root/usr/share/doc/joistmaster/changelog.Debian.gz" | head -n 1)"
applications="$root/usr/share/applications"
for entry in "$applications"/*.desktop; do
    check "desktop-file-validate $(basename "$entry")" "" "$(desktop-file-validate "$entry" 2>&1)"
done
check "the wizard's menu entry starts the launcher" "/usr/bin/joistmaster" \
    "$(sed -n 's/^Exec=//p' "$applications/com.plankora.Joistmaster.desktop")"
check "the viewer's menu entry starts the launcher's viewer" "/usr/bin/joistmaster --view %f" \
    "$(sed -n 's/^Exec=//p' "$applications/com.plankora.Joistmaster.DeckViewer.desktop")"
check "the viewer's menu entry opens deck designs" "application/x-joistmaster-deck;" \
    "$(sed -n 's/^MimeType=//p' "$applications/com.plankora.Joistmaster.DeckViewer.desktop")"
check "the design's MIME type: its glob" '<glob pattern="*.jmdeck"/>' \
    "$(grep -o '<glob pattern="[^"]*"/>' "$root/usr/share/mime/packages/joistmaster.xml")"
check "the design's MIME type: its name" '<mime-type type="application/x-joistmaster-deck">' \
    "$(grep -o '<mime-type type="[^"]*">' "$root/usr/share/mime/packages/joistmaster.xml")"
check "Categories of the wizard" "Graphics;Engineering;" \
    "$(sed -n 's/^Categories=//p' "$applications/com.plankora.Joistmaster.desktop")"
check "appstreamcli validate" "0" \
    "$(appstreamcli validate --no-net "$root/usr/share/metainfo/com.plankora.Joistmaster.metainfo.xml" >"$work/appstream.log" 2>&1; echo $?)"
[ "$failed" -eq 0 ] || cat "$work/appstream.log"
check "launcher --version" "joistmaster $version" "$(QT_QPA_PLATFORM=offscreen "$launcher" --version)"

# The programs as installed, with the driver plugin and nothing of the build.
mkdir -p "$work/plugins/generic"
cp "$plugin" "$work/plugins/generic/"

# ---- A: program folder read-only, no session bus -------------------------------
home="$work/home"
driver="$home/driver"
mkdir -p "$driver" "$home/runtime"
chmod 700 "$home/runtime"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home"
    run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod 555 "$programs"
fi
env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
    QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$work/plugins" QT_QPA_GENERIC_PLUGINS="jmdriver:$driver" \
    "${run_as[@]}" "$launcher" >"$work/a.out" 2>"$work/a.err" &
launcher_pid=$!
pids+=($launcher_pid)

folder="$home/data/joistmaster"
if wait_for 20 test -s "$driver/joistmaster.pid" && wizard_pid=$(cat "$driver/joistmaster.pid") \
    && wait_for 20 gone "$wizard_pid"; then
    check "A: DeckSize.txt in \$XDG_DATA_HOME/joistmaster" "$(printf '24.5\r\n' | od -c)" "$(od -c <"$folder/DeckSize.txt")"
    check "A: the program folder is private" "700" "$(stat -c %a "$folder")"
    check "A: nothing written beside the programs" "deckhost deckviewer joistmaster joistmaster-lines.so joistmaster-step.so" "$(ls "$programs" | xargs)"
    check "A: deckhost's journal" "$start_and_finish_style3" "$(calls "$work/a.out")"
    host_pid=$(cat "$driver/deckhost.pid" 2>/dev/null || echo none)
    check "A: deckhost still open after the wizard ended" "yes" "$(alive "$host_pid" && echo yes || echo no)"
    check "A: the launcher waits for deckhost" "yes" "$(alive "$launcher_pid" && echo yes || echo no)"
    touch "$driver/close-deckhost"
    if wait_for 10 gone "$launcher_pid"; then
        status=0
        wait "$launcher_pid" || status=$?
        check "A: the launcher's exit code" "0" "$status"
        check "A: deckhost ended with its window" "yes" "$(gone "$host_pid" && echo yes || echo no)"
    else
        check "A: the launcher ends when deckhost's window is closed" "ended" "still running"
    fi
else
    check "A: the wizard ran and ended" "ended" "$(cat "$work/a.err")"
fi

# ---- C: the viewer, on the same program folder as A, without any bus ------------
driver="$home/driverC"
mkdir -p "$driver"
touch "$driver/close-deckviewer"
[ "$(id -u)" -ne 0 ] || chown -R nobody "$driver"
env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
    QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$work/plugins" QT_QPA_GENERIC_PLUGINS="jmdriver:$driver" \
    "${run_as[@]}" timeout 20 "$launcher" --view >"$work/c.out" 2>&1 || true
check "C: the viewer shows the program folder's files" "$(printf 'DeckSize.txt\n    24.5\n')" \
    "$(cat "$driver/deckviewer-shown.txt" 2>/dev/null || cat "$work/c.out")"
check "C: the viewer's window title names the 2D deck deckhost was last asked for there" \
    "Joistmaster Deck Viewer - Deck 3" "$(cat "$driver/deckviewer-title.txt" 2>/dev/null)"
[ "$(id -u)" -eq 0 ] || chmod 755 "$programs"

# ---- B: program folder writable, a host already running -----------------------
driver="$work/driverB"
mkdir -p "$driver"
: >"$work/b.journal"
"$programs/deckhost" --headless --journal "$work/b.journal" --wizard-folder "$programs" >/dev/null &
b_host=$!
pids+=($b_host)
wait_for 10 owned || { echo "deckhost did not start"; exit 1; }
QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$work/plugins" QT_QPA_GENERIC_PLUGINS="jmdriver:$driver" \
    "$launcher" >"$work/b.out" 2>"$work/b.err" &
launcher_pid=$!
pids+=($launcher_pid)
if wait_for 20 gone "$launcher_pid"; then
    status=0
    wait "$launcher_pid" || status=$?
    check "B: the launcher's exit code" "0" "$status"
    check "B: DeckSize.txt in the program folder" "$(printf '24.5\r\n' | od -c)" "$(od -c <"$programs/DeckSize.txt")"
    check "B: the running host's journal" "$start_and_finish_style3" "$(calls "$work/b.journal")"
    check "B: no second deckhost" "no" "$(test -e "$driver/deckhost.pid" && echo yes || echo no)"
else
    check "B: the launcher ends with the wizard" "ended" "$(cat "$work/b.err")"
fi

# ---- E: a host already running on another folder ------------------------------
check "E: told another folder than the running host's, the launcher refuses" \
    "joistmaster: a host is already running on the folder \"$programs\", not \"$work/other\": close it first, or start Joistmaster with --program-folder \"$programs\".|1" \
    "$(out=$(timeout 20 "$launcher" --program-folder "$work/other" 2>&1) && echo "$out|0" || echo "$out|$?")"
check "E: and writes nothing there" "no" "$(test -e "$work/other" && echo yes || echo no)"
kill "$b_host"
unowned() { ! owned; }
wait_for 10 unowned || true
mkdir "$work/hostfolder"
"$programs/deckhost" --headless --wizard-folder "$work/hostfolder" >/dev/null &
pids+=($!)
wait_for 10 owned || { echo "deckhost did not start"; exit 1; }
driver="$work/driverE"
mkdir -p "$driver"
QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$work/plugins" QT_QPA_GENERIC_PLUGINS="jmdriver:$driver" \
    timeout 30 "$launcher" >"$work/e.out" 2>"$work/e.err" || true
check "E: without --program-folder the wizard follows the host's folder" "$(printf '24.5\r\n' | od -c)" \
    "$(od -c <"$work/hostfolder/DeckSize.txt" 2>/dev/null || cat "$work/e.err")"
check "E: and the launcher says so" "joistmaster: a host is already running on the folder \"$work/hostfolder\": the wizard keeps its files there." \
    "$(grep '^joistmaster:' "$work/e.err")"

# ---- D: the launcher's choice of folder, and its refusals ----------------------
# A command's stderr and stdout, then "|" and its exit code.
answer() {
    local out code=0
    out=$("$@" 2>&1) || code=$?
    echo "$out|$code"
}
help=$("$launcher" --help)
check "D: --help lists --view" "       joistmaster --view [FOLDER|FILE] [--program-folder DIR]" "$(grep -F -- '--view [' <<<"$help" | head -1)"
check "D: --help says where the files go, here beside the programs" "Here that is: $programs" \
    "$(HOME="$home" "$launcher" --help | tail -1)"
mode=$(stat -c %a "$programs")
chmod 777 "$programs"
check "D: a program folder anyone may write to is passed by for the user's data folder" \
    "Here that is: $home/data/joistmaster" "$(HOME="$home" XDG_DATA_HOME="$home/data" "$launcher" --help | tail -1)"
chmod "$mode" "$programs"
check "D: without HOME the launcher still answers" "0" \
    "$(env -i PATH=/usr/bin:/bin "$launcher" --help >"$work/d.out" 2>&1; echo $?)"
check "D: --view of a missing folder says so" "joistmaster: there is no folder or file \"$work/none\" to view.|1" \
    "$(answer "$launcher" --view "$work/none")"
mkdir "$work/never"
printf '12\r\n' >"$work/never/DeckSize.txt"
cp "$(dirname "$0")/../../deck3d/tests/data/Deck_L-Shape-defaults.txt" "$work/never/Deck_L-Shape.txt"
check "D: a folder deckhost was never asked about says what it holds and what would open" \
    "deckviewer: No deck was asked for in $work/never, and the folder shows none by itself: Could not read the file \"DeckType.txt\" in the folder \"$work/never\": No such file or directory. It holds DeckSize.txt, Deck_L-Shape.txt. Open Deck_L-Shape.txt to see the 3D deck it holds.|1" \
    "$(answer "$programs/deckviewer" --render "$work/never" --out "$work/never/plan.svg")"
check "D: --view takes --program-folder" "joistmaster: there is no folder or file \"$work/other\" to view.|1" \
    "$(answer "$launcher" --view --program-folder "$work/other")"
if [ "$(id -u)" -eq 0 ]; then
    # Installed under /usr, run by root, who may write there: the files still
    # go to root's own data folder, and one that others may write is refused.
    system=$(mktemp -d /usr/lib/jm-package-test.XXXXXX)
    trap 'cleanup; rm -rf "$system"' EXIT
    mkdir -p "$system/bin" "$system/lib"
    cp -a "$launcher" "$system/bin/"
    cp -a "$programs" "$system/lib/"
    rm -f "$system/lib/joistmaster/"*.txt
    check "D: under /usr the files go to the user's data folder" "Here that is: $home/data/joistmaster" \
        "$(HOME="$home" XDG_DATA_HOME="$home/data" "$system/bin/joistmaster" --help | tail -1)"
    mkdir -p "$work/shared/joistmaster"
    chmod 775 "$work/shared/joistmaster"
    check "D: a data folder others may write to is refused" \
        "joistmaster: \"$work/shared/joistmaster\" is not a folder of yours alone (it must be a folder, owned by you and writable by no one else); move it aside, or start Joistmaster with --program-folder DIR.|1" \
        "$(XDG_DATA_HOME="$work/shared" answer "$system/bin/joistmaster")"
    check "D: nothing written beside the programs under /usr" "deckhost deckviewer joistmaster joistmaster-lines.so joistmaster-step.so" "$(ls "$system/lib/joistmaster" | xargs)"
fi

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
