# What the end-to-end and package tests share about deckhost's journal.
# Sourced, not run.

# The journal FILE as "kind path member args" lines; lines that are not
# journal entries (the host's other output) are left out.
calls() {
    python3 - "$1" <<'PY'
import json, sys
for line in open(sys.argv[1]):
    if not line.startswith('{"path"'):
        continue
    e = json.loads(line)
    def show(a):
        if isinstance(a, bool): return "True" if a else "False"
        if isinstance(a, str): return '"' + a + '"'
        return str(a)
    args = ", ".join(show(a) for a in e.get("args", []))
    print(e["kind"], e["path"], e["member"] + (" " + args if args else ""))
PY
}

# The hand-written journal of a start and a 2D finish of style 3.
start_and_finish_style3=$(cat "$(dirname "${BASH_SOURCE[0]}")/data/start-and-finish-style3.journal")
