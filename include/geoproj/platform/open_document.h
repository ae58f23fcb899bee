// Opening a document with the program the desktop associates with it: a host service. Without
// a handler there is no associated program and nothing is opened.
#pragma once

#include <functional>
#include <string>

namespace geoproj {

// Opens path with the action ("open") of its associated program; false when there is none.
using OpenDocumentHandler = std::function<bool(const std::string& path, const std::string& action)>;

// Installs the handler; an empty function removes it. Returns the previous one.
OpenDocumentHandler SetOpenDocumentHandler(OpenDocumentHandler handler);

// Opens path through the installed handler; false without one or when it could not.
bool OpenDocument(const std::string& path, const std::string& action = "open");

}  // namespace geoproj
