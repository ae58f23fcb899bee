// Desktop services the library asks the host for: which program opens a document, starting a
// program on a document or folder, the file-open dialog and the texts of a language library.
// Each goes through a handler the host installs, as message boxes do; without one the library
// behaves as on a machine without a desktop: no program is associated with any file, nothing
// is started, the dialog is cancelled and no language library holds a text.
#pragma once

#include <functional>
#include <string>

namespace geoproj {

// The program the desktop associates with the file at path; empty when there is none.
using AssociationHandler = std::function<std::string(const std::string& path)>;
// Starts verb ("open", "explore") on path with directory as the working directory; true when
// the desktop started it.
using ShellHandler = std::function<bool(const std::string& verb, const std::string& path,
                                        const std::string& directory)>;
// The file-open dialog titled title, starting at start; true with *chosen the full path of the
// file the user chose, false when the user cancelled.
using FileDialogHandler =
    std::function<bool(const std::string& title, const std::string& start, std::string* chosen)>;
// The text of string id in the language library at path; false when it holds none.
using LanguageHandler =
    std::function<bool(const std::string& library, int id, std::string* text)>;

// Install a handler; an empty function restores the default. Each returns the previous one.
AssociationHandler SetAssociationHandler(AssociationHandler handler);
ShellHandler SetShellHandler(ShellHandler handler);
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);
LanguageHandler SetLanguageHandler(LanguageHandler handler);

std::string FindAssociatedProgram(const std::string& path);
bool ShellStart(const std::string& verb, const std::string& path, const std::string& directory);
bool ShowFileOpenDialog(const std::string& title, const std::string& start, std::string* chosen);
bool LanguageString(const std::string& library, int id, std::string* text);

}  // namespace geoproj
