// Ended by the session (SIGTERM at logout, SIGHUP, SIGINT), the wizard ends
// the way its own Cancel does: every page goes, the event loop returns and
// the program folder's lock goes with it, so that the next start does not
// find a stale one.
#pragma once

class ProgramEnd;

void endOnSignals(ProgramEnd &end);
