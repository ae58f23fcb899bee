// Showing the project information sheet is the host's: the library calls the view handler the
// host installs whenever the sheet is to appear, its content changed (another project, fields
// filled again), or it closes. Without a handler nothing is shown; the sheet works the same.
#pragma once

#include <functional>

class CPropertyInfo;

namespace geoproj {

enum class SheetView { kShow, kRefresh, kClose };

using SheetViewHandler = std::function<void(CPropertyInfo& sheet, SheetView what)>;

// Installs the handler; an empty function restores the default. Returns the previous handler.
SheetViewHandler SetSheetViewHandler(SheetViewHandler handler);
void ShowSheet(CPropertyInfo& sheet, SheetView what);

}  // namespace geoproj
