#include <geoproj/platform/symbol_library.h>

#include <mutex>
#include <utility>

namespace geoproj {
namespace {

// The restore's worker thread and the host's thread may both draw symbols.
std::mutex& SettingsMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& Endpoint() {
  static std::string endpoint = kDefaultSymbolEndpoint;
  return endpoint;
}

SymbolListHandler& Handler() {
  static SymbolListHandler handler;
  return handler;
}

}  // namespace

void SetSymbolLibraryEndpoint(const std::string& endpoint) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  Endpoint() = endpoint;
}

std::string SymbolLibraryEndpoint() {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  return Endpoint();
}

SymbolListHandler SetSymbolListHandler(SymbolListHandler handler) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  return std::exchange(Handler(), std::move(handler));
}

bool ReadSymbolList(const std::string& url, std::vector<std::string>* lines) {
  SymbolListHandler handler;
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    handler = Handler();
  }
  return handler ? handler(url, lines) : false;
}

}  // namespace geoproj
