#pragma once
// Where the web exchange keeps its files: what it writes goes to the user's
// own data folder, what it only reads may also lie beside the program.
#include <string>

#include "platform/app_context.h"
#include "web/logic/web_site.h"

namespace qb {

// The context's data folder, or the standard per-user data folder when it
// names none; created when missing.
std::string UserDataFolder(const AppContext& ctx);
// A file of that folder.
std::string UserDataFile(const AppContext& ctx, const std::string& name);
// The web site the settings point the program at (their "Web" section), with
// the built-in defaults for what they leave out.
WebSite ConfiguredWebSite(const AppContext& ctx);
// A file to read: the user's own copy, else the one beside the program; the
// user's path when neither exists.
std::string ReadableDataFile(const AppContext& ctx, const std::string& name);

}  // namespace qb
