// The names the wizard uses on the session bus: the host's well-known name, its
// application object, and each member with the interface it belongs to and the
// D-Bus type the wizard sends or expects, as plankora.xml has them.
#pragma once

namespace busmembers {

inline constexpr const char *Service = "Plankora.Application";
inline constexpr const char *ApplicationPath = "/Application";
inline constexpr const char *Properties = "org.freedesktop.DBus.Properties";

inline constexpr const char *HostApplication = "Plankora.HostApplication";
inline constexpr const char *TargetProvider = "Plankora.TargetProvider";
inline constexpr const char *SymbolTarget = "Plankora.SymbolTarget";
inline constexpr const char *SymbolLoader = "Plankora.SymbolLoader";

struct Member {
    enum Kind { Get, Put, Call };
    const char *interface;
    const char *name;
    Kind kind;
    const char *sends;   // Call: the in-signature; Put: the value's type
    const char *expects; // Get: the value's type; Call: the reply's signature
};

inline constexpr Member ActiveTarget{HostApplication, "ActiveTarget", Member::Get, "", "o"};
inline constexpr Member ActiveProvider{HostApplication, "ActiveProvider", Member::Get, "", "o"};
inline constexpr Member Prepare{HostApplication, "Prepare", Member::Call, "", ""};
inline constexpr Member Target{TargetProvider, "Target", Member::Get, "", "o"};
inline constexpr Member Mode2D{SymbolTarget, "Mode2D", Member::Put, "b", ""};
inline constexpr Member OpenSymbolFile{SymbolTarget, "OpenSymbolFile", Member::Call, "s", "v"};
inline constexpr Member GetSymbolLoader{SymbolTarget, "SymbolLoader", Member::Get, "", "o"};

} // namespace busmembers
