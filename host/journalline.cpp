#include "journalline.h"

#include <charconv>
#include <cstdio>

namespace host {
namespace {
std::string number(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string json(const std::string &text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        const char *named = c == '"' ? "\\\"" : c == '\\' ? "\\\\" : c == '\b' ? "\\b" : c == '\f' ? "\\f"
            : c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : nullptr;
        char escaped[8] = {char(c), 0};
        if (!named && c < 0x20)
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        out += named ? named : escaped;
    }
    return out + '"';
}

std::string json(const Value &value)
{
    if (auto b = std::get_if<bool>(&value))
        return *b ? "true" : "false";
    if (auto s = std::get_if<std::string>(&value))
        return json(*s);
    if (auto i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (auto d = std::get_if<double>(&value))
        return number(*d);
    return "null";
}

template<typename T>
std::string joined(const std::vector<T> &items, std::string (*shown)(const T &), const char *separator)
{
    std::string text;
    for (const T &item : items)
        text += (text.empty() ? "" : separator) + shown(item);
    return text;
}
} // namespace

std::string journalLine(const JournalEntry &e)
{
    std::string line = "{\"path\":" + json(e.path) + ",\"interface\":" + json(e.interfaceName) + ",\"member\":"
        + json(e.member) + ",\"kind\":" + json(e.kind) + ",\"args\":[" + joined<Value>(e.args, json, ",") + "]";
    if (!e.types.empty())
        line += ",\"types\":[" + joined<std::string>(e.types, json, ",") + "]";
    return line + '}';
}

std::string compactLine(const JournalEntry &e)
{
    const std::string args = joined<Value>(e.args, describe, ", ");
    return e.kind + ' ' + e.path + ' ' + e.member + (args.empty() ? "" : ' ' + args);
}

std::string describe(const Value &value)
{
    if (auto b = std::get_if<bool>(&value))
        return *b ? "True" : "False";
    if (auto s = std::get_if<std::string>(&value))
        return '"' + *s + '"';
    if (auto i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (auto d = std::get_if<double>(&value))
        return number(*d);
    return "Empty";
}

} // namespace host
