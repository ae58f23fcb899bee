// Where the project document named on the document page lies.
#pragma once

#include <string>

namespace geoproj {

// The file a document name stands for: the name itself when that file exists; otherwise, for a
// name that is not rooted (no drive letter, no leading separator), the name below the project
// directory. A name that does not exist and begins with two backslashes (a share) is not looked
// for elsewhere. 0 with *full set, -1 when no file was found (or the name is empty).
int ResolveDocumentName(const std::string& name, const std::string& projDir, std::string* full);

// file as a path relative to dir ("doc/a.pdf", "../a.pdf") when both lie on the same root,
// else file unchanged. Either separator is accepted; the result uses the platform's.
std::string RelativeToDirectory(const std::string& dir, const std::string& file);

}  // namespace geoproj
