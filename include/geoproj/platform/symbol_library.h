// The symbol library on the web: where it is, and the host service that fetches its list of
// symbols. The library itself opens no connection; the host installs a handler that reads a
// text over HTTPS (fresh, not from a cache) and hands back its lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace geoproj {

// The endpoint used until a host sets its own; it names no real server.
inline constexpr const char* kDefaultSymbolEndpoint = "https://symbols.invalid/";

// The endpoint that symbol addresses begin with (scheme, host and a trailing "/"). The host sets
// it from its settings, the tool from the installation setting SYMBOLURL.
void SetSymbolLibraryEndpoint(const std::string& endpoint);
std::string SymbolLibraryEndpoint();

// Reads the text at url and appends its lines (without line ends) to *lines. Returns false when
// the connection, the download or the reading failed; the lines read until then stay.
using SymbolListHandler = std::function<bool(const std::string& url, std::vector<std::string>* lines)>;

// Installs the handler; an empty function removes it. Returns the previous one.
SymbolListHandler SetSymbolListHandler(SymbolListHandler handler);

// The lines of the text at url through the installed handler; false without one.
bool ReadSymbolList(const std::string& url, std::vector<std::string>* lines);

}  // namespace geoproj
