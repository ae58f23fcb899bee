#include <geoproj/foundation/text_helpers.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace geoproj {
namespace {

unsigned char DosToWinByte(unsigned char c) {
  switch (c) {
    case 134: return 229;  // å
    case 143: return 197;  // Å
    case 132: return 228;  // ä
    case 142: return 196;  // Ä
    case 148: return 246;  // ö
    case 153: return 214;  // Ö
    case 145: return 230;  // æ
    case 146: return 198;  // Æ
    case 155: return 248;  // ø
    case 237: return 216;  // Ø
    case 130: return 233;  // é
    case 144: return 201;  // É
    default: return c;
  }
}

unsigned char UpperIdByte(unsigned char c) {
  switch (c) {
    case 229: return 197;  // å
    case 230: return 198;  // æ
    case 248: return 216;  // ø
    case 134: return 143;  // DOS å
    case 145: return 146;  // DOS æ
    case 155: return 237;  // DOS ø
    default: return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
  }
}

template <class Map>
void MapBytes(char* text, Map map) {
  if (!text) return;
  for (; *text; ++text) *text = static_cast<char>(map(static_cast<unsigned char>(*text)));
}

// The string forms map every byte, past a zero byte too: a reader takes some fields from fixed
// columns of a line, and a field behind a stray zero byte left unconverted would be converted
// by the next reading of the file written from it, so that every save changed it again.
template <class Map>
void MapString(std::string& text, Map map) {
  for (char& c : text) c = static_cast<char>(map(static_cast<unsigned char>(c)));
}

// Whether text holds a byte outside ASCII; most lines of a project do not, and a reader converts
// every line it reads. Asked of every line read, so eight bytes at a time.
bool HoldsHighBytes(const std::string& text) {
  std::uint64_t any = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    any |= word;
  }
  for (; i < text.size(); ++i) any |= static_cast<unsigned char>(text[i]);
  return (any & 0x8080808080808080ULL) != 0;
}

// Code points of 0x80..0x9F in code page 1252; 0 where the code page has no character.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char Cp1252FromCodePoint(std::uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  // The five bytes the code page leaves undefined travel as the C1 controls of their value.
  if (cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == cp && cp != 0) return static_cast<char>(0x80 + i);
  return '?';
}

// Decodes one UTF-8 sequence at text[i] and advances i. A byte that starts no valid sequence
// decodes as itself, so code page 1252 text passed by mistake survives.
std::uint32_t DecodeUtf8(std::string_view text, size_t& i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  const size_t extra = (c >= 0xF0 && c < 0xF5) ? 3 : (c >= 0xE0 && c < 0xF0) ? 2 : (c >= 0xC2 && c < 0xE0) ? 1 : 0;
  if (extra == 0 || i + extra >= text.size()) {
    ++i;
    return c;
  }
  std::uint32_t cp = c & (0x3F >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    const unsigned char cc = static_cast<unsigned char>(text[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return c;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += extra + 1;
  return cp;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

void DosToWin(char* text) { MapBytes(text, DosToWinByte); }
void DosToWin(std::string& text) {
  if (HoldsHighBytes(text)) MapString(text, DosToWinByte);
}
void UpperId(char* text) { MapBytes(text, UpperIdByte); }
void UpperId(std::string& text) { MapString(text, UpperIdByte); }

int SplitPath(const char* path, std::string* dir, std::string* name) {
  std::string text = path ? path : "";
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin < end && text[begin] == '"') {
    while (begin < end && text[begin] == '"') ++begin;
    while (end > begin && text[end - 1] == '"') --end;
  }
  text = text.substr(begin, end - begin);
  size_t cut = text.find_last_of("\\/");
  if (name) *name = (cut == std::string::npos) ? text : text.substr(cut + 1);
  if (dir) *dir = (cut == std::string::npos) ? std::string() : text.substr(0, cut);
  return 0;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x80 && c < 0xA0) {
      std::uint16_t cp = kCp1252High[c - 0x80];
      AppendUtf8(out, cp ? cp : c);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) out += Cp1252FromCodePoint(DecodeUtf8(text, i));
  return out;
}

namespace {

// The first n bytes of src (none of them a zero byte), terminated, into a field with room for
// them.
void PutField(char* dst, const char* src, std::size_t n) {
  if (n > 0) std::memcpy(dst, src, n);  // an empty text may hold no address
  dst[n] = '\0';
}

}  // namespace

void CopyField(char* dst, std::size_t size, const char* src) {
  if (!dst || size == 0) return;
  PutField(dst, src, src ? strnlen(src, size - 1) : 0);
}

void CopyField(char* dst, std::size_t size, std::string_view src) {
  if (!dst || size == 0) return;
  PutField(dst, src.data(),
           src.empty() ? 0 : strnlen(src.data(), std::min(src.size(), size - 1)));
}

}  // namespace geoproj
