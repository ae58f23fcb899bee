#include <geoproj/project/sheet_view.h>

#include <utility>

namespace geoproj {
namespace {

SheetViewHandler& View() {
  static SheetViewHandler handler;
  return handler;
}

}  // namespace

SheetViewHandler SetSheetViewHandler(SheetViewHandler handler) {
  return std::exchange(View(), std::move(handler));
}

void ShowSheet(CPropertyInfo& sheet, SheetView what) {
  if (View()) View()(sheet, what);
}

}  // namespace geoproj
