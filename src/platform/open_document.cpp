#include <geoproj/platform/open_document.h>

#include <mutex>
#include <utility>

namespace geoproj {
namespace {

std::mutex& HandlerMutex() {
  static std::mutex mutex;
  return mutex;
}

OpenDocumentHandler& Handler() {
  static OpenDocumentHandler handler;
  return handler;
}

}  // namespace

OpenDocumentHandler SetOpenDocumentHandler(OpenDocumentHandler handler) {
  std::lock_guard<std::mutex> lock(HandlerMutex());
  return std::exchange(Handler(), std::move(handler));
}

bool OpenDocument(const std::string& path, const std::string& action) {
  OpenDocumentHandler handler;
  {
    std::lock_guard<std::mutex> lock(HandlerMutex());
    handler = Handler();
  }
  return handler ? handler(path, action) : false;
}

}  // namespace geoproj
