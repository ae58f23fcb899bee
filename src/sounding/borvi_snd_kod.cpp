// The code table of record free texts, its lookups, the weight codes and the installation's
// code file "Kodfil.dat".
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "foundation/read_check.h"
#include "sounding/code_table_scope.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/platform/borv_ini.h"
#include "geoproj/platform/borvi_inst.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/proj_path.h"
#include "geoproj/sounding/borvi_snd.h"

// Columns of the allowed flags: method codes 20 (and the cone penetration test) to 29.
kod CBorviSnd::Akod1[28] = {
    {0, 10, "10", "10", "", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {0, 11, "11", "11", "\x3E\x35", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 30, "30", "FY", "\xB1", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 31, "31", "T\xD8", "\xDE", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 32, "32", "LE", "\xB3", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 33, "33", "SI", "\x2E", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 34, "34", "SA", "\x3A", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 35, "35", "GR", "\x6F", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 36, "36", "MO", "\x94", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 37, "37", "TO", "\x7E", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {1, 38, "38", "GY", "\x7C", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {0, 40, "40", "ST", "\x7F", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {0, 41, "41", "B1", "\x42\x31", {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
    {0, 42, "42", "B2", "\x42\x32", {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
    {0, 43, "43", "F", "\x2E", {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
    {0, 60, "60", "60", "\x40", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {0, 61, "61", "GV", "\x47\x56", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {0, 70, "70", "R1", "\x52\x31", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
    {0, 71, "71", "R2", "\x52\x32", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
    {0, 72, "72", "Y1", "\x59\x31", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {0, 73, "73", "Y2", "\x59\x32", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {0, 74, "74", "S1", "\x53\x31", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {0, 75, "75", "S2", "\x53\x32", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {0, 76, "76", "D1", "\x44\x31", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {0, 77, "77", "D2", "\x44\x32", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {0, 78, "78", "P1", "\x50\x31", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
    {0, 79, "79", "P2", "\x50\x32", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
    {0, 81, "81", "MY", "\xF0", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
};
int CBorviSnd::Ikod1 = 28;

const char* CBorviSnd::Vikter[9] = {"5", "15", "25", "50", "75", "100", "SL1", "SL2", "SL"};
int CBorviSnd::Ivikt = 9;

namespace {

constexpr int kMaxOrd = 5;
constexpr std::size_t kMaxText = 25;

// The words of a record text as the lookup sees them: at most 25 characters, upper-cased, cut
// at "<", ">" and ",", at most five words.
struct KodOrd {
  char ord[kMaxOrd][25] = {};
  int antal = 0;
};

KodOrd DelaText(const char* text) {
  std::string t(text ? text : "", text ? strnlen(text, kMaxText) : 0);
  geoproj::UpperId(t);
  for (char stopp : {'<', '>', ','}) {
    std::size_t p = t.find(stopp);
    if (p != std::string::npos) t.resize(p);
  }
  // The words as "%24s %24s %24s %24s %24s" reads them: blanks skipped, at most 24 characters
  // a word (the rest of a longer word is the next one), at most five words.
  KodOrd o;
  const char* p = t.c_str();
  while (o.antal < kMaxOrd) {
    while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (!*p) break;
    std::size_t n = 0;
    while (p[n] && !std::isspace(static_cast<unsigned char>(p[n])) && n < 24) ++n;
    std::memcpy(o.ord[o.antal], p, n);
    o.ord[o.antal][n] = '\0';
    ++o.antal;
    p += n;
  }
  return o;
}

// Whether a code field says word; compared in place, since a save looks up every record's text.
template <std::size_t N>
bool FieldSays(const char (&field)[N], const char* word) {
  return strnlen(word, N + 1) <= N && std::strncmp(field, word, N) == 0;
}

bool SammaKod(const kod& k, const char* ord) {
  return FieldSays(k.nummertext, ord) || FieldSays(k.bokstavkod, ord);
}

// Methods outside the ten columns (such as dynamic probing) may use no code unless all is set.
bool Tillaten(const kod& k, int metod, int alla) {
  if (alla == 1) return true;
  int kolumn = metod == 7 ? 0 : metod - 20;
  return kolumn >= 0 && kolumn < 10 && k.tillaten[kolumn] == 1;
}

// The first entry in table order that one of the words first..last-1 names.
kod* SokTabell(const KodOrd& o, int forsta, int sista, int metod, int pos, int alla) {
  for (int i = 0; i < CBorviSnd::Ikod1; ++i) {
    kod& k = CBorviSnd::Akod1[i];
    if (!Tillaten(k, metod, alla) || (pos == -2 && k.mtrl != 1)) continue;
    for (int w = forsta; w < sista; ++w)
      if (SammaKod(k, o.ord[w])) return &k;
  }
  return nullptr;
}

kod* Lookup(int metod, const char* text, int pos, int* antal, const char* typ,
            const char* kodsystem, int alla);

// The word that names the code of kind typ, or -1.
int OrdForTyp(const KodOrd& o, int metod, const char* typ, const char* kodsystem) {
  if (!typ || !*typ) return -1;
  const kod* k = Lookup(metod, typ, 0, nullptr, "", kodsystem, 0);
  if (!k) return -1;
  for (int w = 0; w < o.antal; ++w)
    if (SammaKod(*k, o.ord[w])) return w;
  return -1;
}

kod* Lookup(int metod, const char* text, int pos, int* antal, const char* typ,
            const char* kodsystem, int alla) {
  KodOrd o = DelaText(text);
  if (antal) *antal = o.antal;
  if (pos > o.antal) return nullptr;
  int forsta = 0;
  int sista = o.antal;
  if (pos >= 1) {
    forsta = pos - 1;
    sista = pos;
  } else if (pos == -1) {
    forsta = OrdForTyp(o, metod, typ, kodsystem);
    if (forsta < 0) return nullptr;
    sista = forsta + 1;
  }
  return SokTabell(o, forsta, sista, metod, pos, alla);
}

// The answers given so far, for as long as the code table says what it said then: a save looks
// up every record's text several times, and the texts of a project repeat. The table is compared
// with the one the answers came from once per code-table scope (every call outside one). Per
// thread, since the restore runs beside the host's thread.
struct LookupMemo {
  static constexpr std::size_t kMaxAnswers = 4096;
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
      return std::hash<std::string_view>()(key);
    }
  };
  kod table[std::size(CBorviSnd::Akod1)] = {};
  int entries = -1;
  unsigned checkedInScope = 0;
  // Entry index or -1, and the word count, by the key of the question.
  std::unordered_map<std::string, std::pair<int, int>, KeyHash, std::equal_to<>> answers;

  // True when the answers given so far were dropped.
  bool MakeCurrent() {
    const unsigned scope = geoproj::CodeTableScope::Current();
    if (scope != 0 && scope == checkedInScope && answers.size() < kMaxAnswers) return false;
    const bool same =
        entries == CBorviSnd::Ikod1 && std::memcmp(table, CBorviSnd::Akod1, sizeof table) == 0;
    const bool dropped = !same || answers.size() >= kMaxAnswers;
    if (dropped) {
      std::memcpy(table, CBorviSnd::Akod1, sizeof table);
      entries = CBorviSnd::Ikod1;
      answers.clear();
    }
    checkedInScope = scope;
    return dropped;
  }
};

// The question as a key: the numbers, the kind and the text as far as the lookup reads it.
class LookupKey {
 public:
  LookupKey(int metod, const char* text, int pos, const char* typ, int alla) {
    for (int v : {metod, pos, alla}) Append(reinterpret_cast<const char*>(&v), sizeof v);
    if (typ) Append(typ, strnlen(typ, 16));
    Append("", 1);
    if (text) Append(text, strnlen(text, kMaxText));
  }
  std::string_view View() const { return std::string_view(m_bytes, m_length); }

 private:
  void Append(const char* bytes, std::size_t n) {
    std::memcpy(m_bytes + m_length, bytes, n);
    m_length += n;
  }
  char m_bytes[3 * sizeof(int) + 16 + 1 + kMaxText] = {};
  std::size_t m_length = 0;
};

// The last few questions and their answers, asked again before the memo is hashed: the records
// of a block mostly hold the same few texts, and each is asked about in turn for its symbol,
// its "MY" and its "F".
class RecentAnswers {
 public:
  bool Find(std::string_view key, std::pair<int, int>& answer) const {
    for (const Entry& e : m_entries)
      if (e.length == key.size() && std::memcmp(e.key, key.data(), key.size()) == 0) {
        answer = e.answer;
        return true;
      }
    return false;
  }
  void Add(std::string_view key, std::pair<int, int> answer) {
    Entry& e = m_entries[m_next++ % std::size(m_entries)];
    std::memcpy(e.key, key.data(), key.size());
    e.length = key.size();
    e.answer = answer;
  }
  void Clear() {
    for (Entry& e : m_entries) e.length = kNone;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  struct Entry {
    char key[3 * sizeof(int) + 16 + 1 + kMaxText];
    std::size_t length = kNone;
    std::pair<int, int> answer;
  };
  Entry m_entries[4];
  unsigned m_next = 0;
};

}  // namespace

kod* CBorviSnd::Findkod(int metod, const char* text, int pos, int* antal, const char* typ,
                        const char* kodsystem, int alla) {
  thread_local LookupMemo memo;
  thread_local RecentAnswers recent;
  if (memo.MakeCurrent()) recent.Clear();
  const LookupKey key(metod, text, pos, typ, alla);
  std::pair<int, int> answer;
  if (!recent.Find(key.View(), answer)) {
    auto found = memo.answers.find(key.View());
    if (found == memo.answers.end()) {
      int words = 0;
      const kod* k = Lookup(metod, text, pos, &words, typ, kodsystem, alla);
      const int index = k ? static_cast<int>(k - Akod1) : -1;
      found = memo.answers.emplace(std::string(key.View()), std::make_pair(index, words)).first;
    }
    answer = found->second;
    recent.Add(key.View(), answer);
  }
  if (antal) *antal = answer.second;
  return answer.first >= 0 ? &Akod1[answer.first] : nullptr;
}

kod* CBorviSnd::FindkodSGF(int metod, const char* text, int pos, int* antal, const char* typ,
                           const char* kodsystem, int alla) {
  return Findkod(metod, text, pos, antal, typ, kodsystem, alla);
}

int CBorviSnd::Findvikt(const char* text) {
  std::string t = text ? text : "";
  geoproj::UpperId(t);
  for (int i = 0; i < Ivikt; ++i)
    if (t == Vikter[i]) return i + 1;
  return 0;
}

int CBorviSnd::StoppKod(int stopp, const char* /*text*/) { return stopp; }

namespace {

bool LikaUtanSkiftlage(const std::string& a, const char* b) {
  std::string ua = a, ub = b;
  geoproj::UpperId(ua);
  geoproj::UpperId(ub);
  return ua == ub;
}

// One line of the code file: a word the lookup does not use, a code, ten allowed flags (those
// missing keep their value). A line it cannot take is reported as dropped.
void LasKodRad(CStdioFileMem& file, std::string line) {
  std::size_t lf = line.find('\n');
  if (lf != std::string::npos) line.resize(lf);
  if (line.empty()) return;
  char ord1[12] = {}, ord2[12] = {};
  if (std::sscanf(line.c_str(), "%11s%11s", ord1, ord2) < 2) {
    geoproj::CheckReadLine(file, line, false, "line without a code");
    return;
  }
  geoproj::UpperId(ord1);
  for (int i = 0; i < CBorviSnd::Ikod1; ++i) {
    kod& k = CBorviSnd::Akod1[i];
    if (std::strncmp(k.nummertext, ord2, 3) == 0 || std::strncmp(k.bokstavkod, ord2, 9) == 0) {
      int* t = k.tillaten;
      const int flags = std::sscanf(line.c_str(), "%*s%*s%d%d%d%d%d%d%d%d%d%d", &t[0], &t[1],
                                    &t[2], &t[3], &t[4], &t[5], &t[6], &t[7], &t[8], &t[9]);
      geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, std::max(flags, 0) + 2, 2, 12),
                             "allowed flags do not parse");
      return;
    }
  }
  geoproj::ShowMessageF(geoproj::kMbOk, nullptr, "Fel kod %s %s i %s", ord1, ord2,
                        file.GetFilePath().c_str());
  geoproj::CheckReadLine(file, line, false, "code not in the code table");
}

}  // namespace

int CBorviSnd::ReadKod() {
  m_droppedCodeFile = 0;
  if (!ini) return 0;
  CBorviInst inst;
  inst.Init(ini, projpath);
  std::string val = inst.ReadKey(CProjPath::BorvParNamn, "MTRLKOD");
  if (val.empty()) val = "ALLA";
  if (LikaUtanSkiftlage(val, "STANDARD")) return 1;
  if (LikaUtanSkiftlage(val, "ALLA")) {
    for (int i = 0; i < Ikod1; ++i)
      for (int& t : Akod1[i].tillaten) t = 1;
    return 1;
  }
  std::string path = geoproj::JoinPath(ini->InstallDir(), "Kodfil.dat");
  if (!geoproj::FileExists(path)) return 0;
  kodfil.SetFilePath(path);
  if (!kodfil.Open(path, CStdioFileMem::modeRead)) return 0;
  std::string line;
  while (kodfil.ReadString(line) && !(line.size() && line[0] == '*')) LasKodRad(kodfil, line);
  m_droppedCodeFile = kodfil.GetDroppedCount();
  kodfil.Close();
  return 1;
}
