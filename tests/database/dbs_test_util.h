// Test helpers for the borehole database: expected file bytes built from the layout's offsets
// (never from the code under test), a project directory, and a scripted message handler.
#pragma once

#include <cstdint>
#include <cstring>
#include <ctime>
#include <deque>
#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/platform/proj_path.h>

#include "support/temp_dir.h"

namespace dbstest {

constexpr std::size_t kHeader = 408;
constexpr std::size_t kFirst = 500;
constexpr std::size_t kRec = 62;

inline void PutLe(std::string& b, std::size_t off, std::uint64_t v, int n) {
  if (b.size() < off + n) b.resize(off + n, '\0');
  for (int i = 0; i < n; ++i) b[off + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void PutI16(std::string& b, std::size_t off, int v) {
  PutLe(b, off, static_cast<std::uint16_t>(v), 2);
}
inline void PutI32(std::string& b, std::size_t off, std::int64_t v) {
  PutLe(b, off, static_cast<std::uint32_t>(v), 4);
}
inline void PutF64(std::string& b, std::size_t off, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  PutLe(b, off, bits, 8);
}
inline void PutF32(std::string& b, std::size_t off, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  PutLe(b, off, bits, 4);
}
inline void PutText(std::string& b, std::size_t off, const std::string& text) {
  if (b.size() < off + text.size()) b.resize(off + text.size(), '\0');
  std::memcpy(&b[off], text.data(), text.size());
}
inline std::int64_t GetLe(const std::string& b, std::size_t off, int n) {
  std::uint64_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(off + i));
  return static_cast<std::int64_t>(v);
}
inline int GetI16(const std::string& b, std::size_t off) {
  return static_cast<std::int16_t>(GetLe(b, off, 2));
}
inline int GetI32(const std::string& b, std::size_t off) {
  return static_cast<std::int32_t>(GetLe(b, off, 4));
}
inline double GetF64(const std::string& b, std::size_t off) {
  std::uint64_t bits = static_cast<std::uint64_t>(GetLe(b, off, 8));
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

inline std::string Today() {
  std::time_t t = std::time(nullptr);
  std::tm lt{};
  localtime_r(&t, &lt);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", lt.tm_mday, lt.tm_mon + 1, lt.tm_year + 1900);
  return text;
}

// The header of a new database with the given end offset.
inline std::string NewHeader(std::int64_t endpos = 500) {
  std::string b(kHeader, '\0');
  PutText(b, 0, "3.0");
  PutText(b, 86, Today());
  PutText(b, 211, "LOK");
  PutI32(b, 324, endpos);
  return b;
}

// Header offsets of the counters and extents.
enum HeaderAt : std::size_t {
  kAntBh = 216, kAntAvp = 218, kAntDel = 222, kAntGvr = 224, kAntVb = 226,
  kSekMin = 228, kSekMax = 236, kXMin = 244, kXMax = 252, kYMin = 260, kYMax = 268,
  kZMin = 276, kZMax = 284, kVerDec = 292, kUppdnr = 300, kSekSep = 304, kAntMil = 306,
  kAntLin = 308, kAntHell = 310, kGuidFlag = 312, kEndPos = 324, kUrval = 328, kGuid = 364
};

struct Rec {
  std::string id;  // raw bytes, up to 9
  unsigned char bits[7];
  double x, y, z, sek, avst;
  float djup;
  std::uint16_t stopp;
};

inline Rec Borehole(const std::string& id, double x = 0, double y = 0, double z = 0) {
  return Rec{id, {0x01, 0, 0, 0, 0, 0, 0}, x, y, z, 9999999.9, 0.0, 0.0f, 0};
}

inline std::string RecordBytes(const Rec& r) {
  std::string b(kRec, '\0');
  PutText(b, 0, r.id.substr(0, 9));
  for (int i = 0; i < 7; ++i) b[9 + i] = static_cast<char>(r.bits[i]);
  PutF64(b, 16, r.x);
  PutF64(b, 24, r.y);
  PutF64(b, 32, r.z);
  PutF64(b, 40, r.sek);
  PutF64(b, 48, r.avst);
  PutF32(b, 56, r.djup);
  PutLe(b, 60, r.stopp, 2);
  return b;
}

// Header, the unused gap up to offset 500, then the records.
inline std::string FileBytes(std::string header, const std::vector<std::string>& records) {
  header.resize(kFirst, '\0');
  for (const auto& r : records) header += r;
  return header;
}

inline bhdbstype ToRecord(const Rec& r) {
  bhdbstype out{};
  std::memcpy(out.id, r.id.data(), std::min<std::size_t>(r.id.size(), 8));
  std::memcpy(out.bit.b, r.bits, 7);
  out.x = r.x;
  out.y = r.y;
  out.z = r.z;
  out.sek = r.sek;
  out.avst = r.avst;
  out.djup = r.djup;
  out.stopp = r.stopp;
  return out;
}

// A fresh project directory and its path object.
struct Project {
  geoproj::test::TempDir dir;
  CProjPath path;
  Project() { path.SetPath(dir.path().c_str()); }
  std::string db() const { return dir.file("Solumbra.dbs"); }
  std::string lock() const { return dir.file("Solumbra.dbk"); }
  std::string bytes() const { return dir.read("Solumbra.dbs"); }
  void write(const std::string& bytes) const { dir.write("Solumbra.dbs", bytes); }
};

struct Shown {
  std::string text;
  unsigned flags;
  std::string caption;
};

// Records every message and answers from a script (the first button once it runs out).
class Messages {
 public:
  explicit Messages(std::deque<int> answers = {}) : answers_(std::move(answers)) {
    previous_ = geoproj::SetMessageHandler(
        [this](const std::string& text, unsigned flags, const std::string& caption) {
          shown_.push_back({text, flags, caption});
          if (answers_.empty()) return geoproj::DefaultAnswer(flags);
          const int a = answers_.front();
          answers_.pop_front();
          return a;
        });
  }
  ~Messages() { geoproj::SetMessageHandler(previous_); }
  Messages(const Messages&) = delete;
  Messages& operator=(const Messages&) = delete;

  const std::vector<Shown>& shown() const { return shown_; }
  std::vector<std::string> texts() const {
    std::vector<std::string> t;
    for (const auto& s : shown_) t.push_back(s.text);
    return t;
  }
  void clear() { shown_.clear(); }

 private:
  std::deque<int> answers_;
  std::vector<Shown> shown_;
  geoproj::MessageHandler previous_;
};

inline constexpr const char* kReadTitle = "Innlesning av Solumbra - databas";
inline constexpr unsigned kWarn = geoproj::kMbOk | geoproj::kMbIconExclamation;

// The identifiers of a database's list, in list order.
inline std::vector<std::string> Ids(CBorviDbs& db) {
  std::vector<std::string> ids;
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) ids.emplace_back(db.Get_aktel()->id);
  return ids;
}

inline std::vector<int> Offsets(CBorviDbs& db) {
  std::vector<int> pos;
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) pos.push_back(db.Get_aktel()->filpos);
  return pos;
}

// Appends a record and writes it the usual way.
inline int Append(CBorviDbs& db, const Rec& r) {
  bhdbstype rec = ToRecord(r);
  db.Ny(1, &rec);
  return db.Uppdat(1, nullptr, 1);
}

}  // namespace dbstest
