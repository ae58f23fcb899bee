#include <geoproj/platform/projekt_status.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/foundation/trim_blanks.h>

#include "foundation/read_check.h"

namespace {

struct DefaultStatus {
  int number;
  const char* text;
};

constexpr DefaultStatus kDefaults[] = {
    {1, "Planerat"},  {2, "P\xE5g\xE5" "ende"},     {3, "Levererat"}, {4, "Vilande"},
    {5, "Avslutat"},  {6, "Ska arkiveras"}, {7, "Arkiverat"},
};

bool IsComment(std::string_view line) {
  line = geoproj::TrimBlanks(line);
  return line.empty() || line.front() == ';';
}

// Splits "number;text"; false when the line holds no status.
bool ParseLine(std::string_view line, int* number, std::string* text) {
  line = geoproj::TrimBlanks(line);
  if (IsComment(line)) return false;
  const size_t semi = line.find(';');
  if (semi == std::string_view::npos) return false;
  const std::string digits(geoproj::TrimBlanks(line.substr(0, semi)));
  if (digits.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(digits.c_str(), &end, 10);
  if (*end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
  *number = static_cast<int>(value);
  *text = std::string(geoproj::TrimBlanks(line.substr(semi + 1)));
  return !text->empty();
}

std::string UpperTrimmed(const char* text) {
  std::string s(geoproj::TrimBlanks(text ? text : ""));
  geoproj::UpperId(s);
  return s;
}

}  // namespace

void CProjektStatus::Clear() {
  while (Home() == 0) Delete();
}

void CProjektStatus::Append(int number, const char* text) {
  projektstatustype rec{};
  rec.status = number;
  geoproj::CopyField(rec.text, text);
  Ny(1, &rec);
}

void CProjektStatus::LoadDefault() {
  Clear();
  for (const DefaultStatus& s : kDefaults) Append(s.number, s.text);
  Home();
}

// A line that is neither blank, a comment nor a status is reported as dropped, as is binary
// garbage; a number given again is the list's own rule, not a loss.
int CProjektStatus::Load(const char* path) {
  Clear();
  m_droppedContent = 0;
  CStdioFileMem file;
  if (path && *path && file.Open(path, CStdioFileMem::modeRead)) {
    std::string line, text;
    int number = 0;
    std::unordered_set<int> seen;
    while (file.ReadString(line)) {
      if (IsComment(line)) continue;
      const bool status = ParseLine(line, &number, &text);
      geoproj::CheckReadLine(file, line, status, "not a status line");
      if (status && seen.insert(number).second) Append(number, text.c_str());
    }
    m_droppedContent = file.GetDroppedCount();
    file.Close();
  }
  if (Home() == 0) return 0;
  LoadDefault();
  return 1;
}

const char* CProjektStatus::GetStatus(int number) {
  for (const node* n = m_forst; n; n = n->next) {
    if (n->rec.status == number) return n->rec.text;
  }
  return nullptr;
}

int CProjektStatus::Find(const char* text) {
  const std::string wanted = UpperTrimmed(text);
  if (wanted.empty()) return -1;
  for (const node* n = m_forst; n; n = n->next) {
    if (UpperTrimmed(n->rec.text) == wanted) return n->rec.status;
  }
  return -1;
}
