// The journal a substitute host keeps of what it is asked: one JSON line per
// call (or release), and the short form people and tests read, such as
// "get /Application ActiveProvider". Plain C++, so that deckhost, the COM
// stand-in host and the in-process fake host all write their journals alike.
#pragma once

#include "hostlink.h"

#include <string>
#include <vector>

namespace host {

struct JournalEntry {
    std::string path;
    std::string interfaceName;
    std::string member;
    std::string kind; // "get", "put", "call"; the COM stand-in adds "release" and "refs"
    std::vector<Value> args;
    std::vector<std::string> types; // how each argument travelled, where a host tells (COM)
};

// {"path":..,"interface":..,"member":..,"kind":..,"args":[..]}, then
// ,"types":[..] when there are types; without a line end.
std::string journalLine(const JournalEntry &entry);

// "<kind> <path> <member>", then a blank and the arguments as describe() shows them, joined by ", ".
std::string compactLine(const JournalEntry &entry);

// A value as a person reads it: True/False, a string in double quotes, a
// number, or Empty.
std::string describe(const Value &value);

} // namespace host
