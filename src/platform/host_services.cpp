#include <geoproj/platform/host_services.h>

#include <utility>

namespace geoproj {
namespace {

AssociationHandler& Association() {
  static AssociationHandler handler;
  return handler;
}

ShellHandler& Shell() {
  static ShellHandler handler;
  return handler;
}

FileDialogHandler& FileDialog() {
  static FileDialogHandler handler;
  return handler;
}

LanguageHandler& Language() {
  static LanguageHandler handler;
  return handler;
}

}  // namespace

AssociationHandler SetAssociationHandler(AssociationHandler handler) {
  return std::exchange(Association(), std::move(handler));
}

ShellHandler SetShellHandler(ShellHandler handler) {
  return std::exchange(Shell(), std::move(handler));
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
  return std::exchange(FileDialog(), std::move(handler));
}

LanguageHandler SetLanguageHandler(LanguageHandler handler) {
  return std::exchange(Language(), std::move(handler));
}

std::string FindAssociatedProgram(const std::string& path) {
  return Association() ? Association()(path) : std::string();
}

bool ShellStart(const std::string& verb, const std::string& path, const std::string& directory) {
  return Shell() ? Shell()(verb, path, directory) : false;
}

bool ShowFileOpenDialog(const std::string& title, const std::string& start, std::string* chosen) {
  return FileDialog() ? FileDialog()(title, start, chosen) : false;
}

bool LanguageString(const std::string& library, int id, std::string* text) {
  return Language() ? Language()(library, id, text) : false;
}

}  // namespace geoproj
