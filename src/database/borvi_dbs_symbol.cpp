// Method symbols: the number of the symbol that shows which methods a borehole holds, and the
// address of its image in the web symbol library.
#include <geoproj/database/borvi_dbs.h>

#include <algorithm>
#include <cctype>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/symbol_library.h>

namespace {

using geoproj::HasBit;

constexpr int kSymbolBase = 1073741824;  // bit 30: every symbol number has it
constexpr const char* kSymbolDir = "static/GeoSymbols/";

// Each method adds a bit of its own, so the parts add without carries.
int MethodParts(const bhbit& b) {
  using namespace geoproj;
  int n = 0;
  if (HasBit(b, kBitCpt)) n += 2;
  if (HasBit(b, kBitTotal)) n += 1;
  if (HasBit(b, kBitCoreDrilling)) n += 4;
  if (HasBit(b, kBitDtrykk)) n += 8;
  if (HasBit(b, kBitFjell)) n += 16;
  if (HasBit(b, kBitRam)) n += 32;
  if (HasBit(b, kBitDreie)) n += 64;
  if (HasBit(b, kBitEnkel)) n += 128;
  const bool skvPg = HasBit(b, kBitSkvPg);
  if (HasBit(b, kBitSampleOther))
    n += skvPg ? 2048 : 1024;
  else if (skvPg)
    n += 4096;
  if (HasBit(b, kBitEnvironment)) n += 16384;
  return n;
}

int SymbolNumber(const bhbit& b) {
  const int gvr = geoproj::GvrKind(b);
  if (gvr == 6) return kSymbolBase + 512;
  if (gvr != 0) return kSymbolBase + 256;
  if (HasBit(b, geoproj::kBitVane)) return kSymbolBase + 8192;
  return kSymbolBase + MethodParts(b);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The address handed out; one per thread, so that the restore's worker and the host's thread
// never write into each other's text.
char* Hand(std::string text) {
  thread_local std::string address;
  address = std::move(text);
  return address.data();
}

}  // namespace

char* CBorviDbs::NoSymb(int check) {
  if (check == 1 && m_symbolState == -1) {
    const int rc = ReadSymbols();
    m_symbolState = rc == 0 ? 1 : rc == -2 ? -2 : 0;
  }
  if (m_symbolState == -2) return Hand(" ");
  if (m_symbolState == 0) check = 0;
  const bhdbstype* rec = Get_aktel();
  if (!rec) return Hand(" ");
  const std::string endpoint = geoproj::SymbolLibraryEndpoint();
  const std::string image = geoproj::Format("%d.png", SymbolNumber(rec->bit));
  if (check == 1 && m_symbolIndex.count(Lower(image)) == 0)
    return Hand(endpoint + kSymbolDir + "unknown.png");
  return Hand(endpoint + kSymbolDir + image);
}

char* CBorviDbs::SvSymb(int) { return Hand(std::string()); }

int CBorviDbs::ReadSymbols() {
  const std::string url = geoproj::SymbolLibraryEndpoint() + kSymbolDir + "symbols.txt";
  std::vector<std::string> lines;
  geoproj::ReadSymbolList(url, &lines);
  for (std::string& line : lines) {
    // A list served with CR LF must still match by its names.
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    m_symbolIndex.insert(Lower(line));
    m_symbolList.push_back(std::move(line));
  }
  if (m_symbolList.size() >= 2) return 0;
  const int answer = geoproj::ShowMessage(
      "F\xE5r ej kontakt med symbolbiblioteket p\xE5 Internet. Forts\xE4tt utan kontroll?",
      geoproj::kMbOkCancel | geoproj::kMbIconExclamation);
  return answer == geoproj::kIdOk ? -1 : -2;
}
