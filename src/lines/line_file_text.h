// What the line and outcrop files share: where they lie, and the line that ends a part.
#pragma once

#include <string>

class CProjPath;
class CKvarBvDbs;

namespace geoproj::lines {

// project directory, separator, line-file folder, separator, name and extension ("LJE", "LAD").
std::string ObjectFilePath(const CProjPath* proj, const std::string& name, const char* ext);

// A part of a line or outcrop file ends at an empty line or one beginning with "*".
inline bool EndsPart(const std::string& line) { return line.empty() || line[0] == '*'; }

// The identifier of the database's current record, written as the first line of both files;
// empty without one.
std::string CurrentId(CKvarBvDbs* db);

}  // namespace geoproj::lines
