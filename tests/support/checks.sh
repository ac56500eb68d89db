# What the shell tests share: checks that count, waiting, and asking the
# session bus for the host. Sourced, not run.

passed=0
failed=0
# check DESCRIPTION EXPECTED ACTUAL: counts a pass, or prints both sides of a
# failure. With checks_say_ok=1 a pass says "ok: DESCRIPTION".
check() {
    if [ "$2" == "$3" ]; then
        passed=$((passed + 1))
        [ "${checks_say_ok:-0}" != 1 ] || echo "ok: $1"
    else
        failed=$((failed + 1))
        printf 'FAIL: %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
    fi
}

# wait_for SECONDS COMMAND...: true as soon as COMMAND is, false if it never
# is within SECONDS (asked every 50 ms).
wait_for() {
    local tries=$(($1 * 20))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.05; done
    return 1
}

alive() { kill -0 "$1" 2>/dev/null; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# Whether a host owns "Plankora.Application" on the session bus.
owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:Plankora.Application 2>/dev/null | grep -q 'boolean true'
}
