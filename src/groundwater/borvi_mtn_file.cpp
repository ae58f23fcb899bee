// CBorviMtn: reading and writing ID.MTN.
#include <cstdio>
#include <vector>

#include "foundation/quick_print.h"
#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/groundwater/borvi_mtn.h"
#include "geoproj/groundwater/mtn_kol.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/vaglinje.h"
#include "geoproj/sounding/borvi_snd.h"
#include "groundwater/gvr_format.h"
#include "geoproj/platform/date_time.h"

using geoproj::Format;
using geoproj::gvr::Lines;
using geoproj::gvr::StartsSection;

namespace {

constexpr std::size_t kText3Read = 10;

bool StartsDouble(const std::string& line) { return line.size() >= 2 && line[0] == '*' && line[1] == '*'; }

std::string LeftTrimmed(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n\v\f");
  return start == std::string::npos ? std::string() : text.substr(start);
}

bool HeaderTaken(const std::string& line, int read, int most) {
  return geoproj::ScanTookAll(line, read, 0, most);
}

}  // namespace

int CBorviMtn::Init(CStdioFileMem* file, const char* /*name*/) {
  inklinometer = 0;
  m_droppedContent = 0;
  const std::string path = file->GetFilePath();
  if (!geoproj::FileExists(path)) return 0;
  geoproj::FileDatesYmd(path, skapad, andrad);
  if (!file->IsOpen() && !file->Open(path, CStdioFileMem::modeRead)) return 0;
  Lines in(*file, true);
  ReadHeader(in);
  ReadBody(in);
  m_droppedContent = file->GetDroppedCount();
  file->Close();
  return 0;
}

// Six numbered lines, the first three with a text after the number, then the comment lines.
// A "*" line among them ends the header: the body is found by its own "**" line.
void CBorviMtn::ReadHeader(Lines& in) {
  std::string line;
  for (int i = 0; i < 3; ++i) {
    if (!in.Next(line) || StartsSection(line)) return;
    ReadHeaderText(in, line, i);
  }
  for (int i = 3; i < 5; ++i) {
    if (!in.Next(line) || StartsSection(line)) return;
    const int read = std::sscanf(line.c_str(), "%lf", &snd->hvarde[i]);
    in.Check(line, HeaderTaken(line, read, 1), "header number is not a number");
  }
  if (!in.Next(line) || StartsSection(line)) return;
  const int read = std::sscanf(line.c_str(), "%d %lf", &snd->riktning, &nummer6);
  in.Check(line, HeaderTaken(line, read, 2), "direction and number do not parse");
  geoproj::gvr::ReadComments(in, kommentar);
}

// A number and, after the first blank, a text.
void CBorviMtn::ReadHeaderText(Lines& in, const std::string& raw, int index) {
  std::string line = raw;
  geoproj::DosToWin(line);
  line = LeftTrimmed(line);
  const int read = std::sscanf(line.c_str(), "%lf", &snd->hvarde[index]);
  const std::size_t blank = line.find(' ');
  const std::string text = blank == std::string::npos ? std::string() : line.substr(blank + 1);
  in.Check(raw, read == 1 || geoproj::CountWords(line) == 0, "header number is not a number");
  if (index == 0) text1 = text;
  if (index == 1) text2 = text;
  if (index == 2) {
    geoproj::CopyField(text3, text.substr(0, kText3Read));
    std::sscanf(text3, "%lf", &nummer3);
  }
}

void CBorviMtn::ReadBody(Lines& in) {
  in.SeekToBegin();
  std::string line;
  bool found = false;
  while (!found && in.Next(line)) found = StartsDouble(line);
  if (!found || !in.Next(line)) return;
  geoproj::DosToWin(line);
  std::vector<char> first(line.size() + 1, '\0'), second(line.size() + 1, '\0');
  const int read = std::sscanf(line.c_str(), "%s %s", first.data(), second.data());
  geoproj::CopyField(metod, first.data());
  ord2 = second.data();
  if (std::string(first.data()) == m_matartyper[0]) inklinometer = 1;
  in.Check(line, geoproj::ScanTookAll(line, read, 0, 2), "method line holds more than two words");
  while (in.Next(line)) {
    geoproj::DosToWin(line);
    if (StartsSection(line) && !StartsDouble(line)) {
      // A "*" line ends a measurement; the line after it begins the next one.
      if (!in.Next(line)) break;
      geoproj::DosToWin(line);
      if (StartsSection(line) && !StartsDouble(line)) continue;
      if (!StartsDouble(line)) {
        ReadMeasurement(in, line);
        continue;
      }
    }
    if (StartsDouble(line)) {
      if (!in.Next(line)) break;
      geoproj::DosToWin(line);
      if (line == "LINJE")
        ReadAlignment(in);
      else
        in.Check(line, geoproj::CountWords(line) == 0, "section not read");
      continue;
    }
    ReadRow(in, line);
  }
}

void CBorviMtn::ReadMeasurement(Lines& in, const std::string& header) {
  Ny(1, nullptr);
  mtntype* m = pael;
  m->kol = new CMtnKol;
  int at = -1;
  int read = geoproj::ScanLine(header.c_str(), "%d%d%d %n", &m->ar, &m->man, &m->dag, &at);
  if (read == 3 && at >= 0) {
    std::size_t end = 0;
    const std::string tid = geoproj::gvr::WordFrom(header, static_cast<std::size_t>(at), &end);
    const std::string flagga = geoproj::gvr::WordFrom(header, end);
    geoproj::CopyField(m->tid, tid);
    geoproj::CopyField(m->flagga, flagga);
    read += !tid.empty() + !flagga.empty();
  }
  in.Check(header, geoproj::ScanTookAll(header, read, 0, 5), "measurement line does not parse");
  std::string comment;
  if (!in.Next(comment)) return;
  geoproj::DosToWin(comment);
  in.Check(comment, true, nullptr);
  geoproj::CopyField(m->kommentar, comment);
}

// An empty line holds no row: taking it as a row of zeros would invent a measured value.
void CBorviMtn::ReadRow(Lines& in, const std::string& line) {
  if (geoproj::CountWords(line) == 0 && !geoproj::HoldsBinaryGarbage(line)) return;
  mtntype* m = Get_aktel();
  if (!m || !m->kol) return in.Check(line, false, "row before the first measurement");
  maetdatatype row{};
  int at = -1;
  int read = geoproj::ScanLine(line.c_str(), "%lf%lf %n", &row.pos, &row.varde, &at);
  if (read == 2 && at >= 0) {
    const std::string text = geoproj::gvr::WordFrom(line, static_cast<std::size_t>(at));
    geoproj::CopyField(row.text, text);
    if (!text.empty()) read = 3;
  }
  m->kol->Ny(1, &row);
  in.Check(line, geoproj::ScanTookAll(line, read, 2, 3), "row does not parse");
}

void CBorviMtn::ReadAlignment(Lines& in) {
  std::string line;
  if (!in.Next(line)) return;
  in.Check(line, StartsSection(line) || geoproj::CountWords(line) == 0, "line after LINJE not read");
  if (!StartsSection(line)) return;
  while (in.Next(line) && !StartsSection(line)) {
    geoproj::DosToWin(line);
    if (!vaglinje) vaglinje = new CVaglinje;
    kovltype point{};
    const int read = std::sscanf(line.c_str(), "%lf %lf %lf %lf", &point.x, &point.y, &point.z, &point.sek);
    if (read < 4) geoproj::ShowStatusF("Fel rad : %s", line.c_str());
    in.Check(line, geoproj::ScanTookAll(line, read, 0, 4), "alignment point does not parse");
    vaglinje->Ny(1, &point);
  }
}

int CBorviMtn::Uppdat(CStdioFileMem* file, const char* /*name*/) {
  bool opened = false;
  if (!file->IsOpen()) {
    if (!file->Open(file->GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) {
      geoproj::ShowStatusF("Kan inte skapa %s !", file->GetFilePath().c_str());
      return -1;
    }
    opened = true;
  }
  WriteFile(*file);
  if (opened) file->Close();
  return 0;
}

void CBorviMtn::WriteFile(CStdioFileMem& file) {
  const double* h = snd->hvarde;
  file.WriteString(Format("%f %s\n", h[0], text1.c_str()));
  file.WriteString(Format("%f %s\n", h[1], text2.c_str()));
  file.WriteString(Format("%f %s\n", h[2], geoproj::FieldText(text3).c_str()));
  file.WriteString(Format("%f\n%f\n", h[3], h[4]));
  file.WriteString(Format("%d %f\n", snd->riktning, nummer6));
  geoproj::gvr::WriteComments(file, kommentar);
  file.WriteString("**\n");
  file.WriteString(Format("%s %s\n*\n", geoproj::FieldText(metod).c_str(), ord2.c_str()));
  if (Home() == 0) {
    do {
      WriteMeasurement(file, *pael);
    } while ((*this)++);
  }
  file.WriteString("*\n");
  int points = 0;
  if (vaglinje) vaglinje->Where(&points);
  if (points < 1) return;
  file.WriteString("**\nLINJE\n*\n");
  vaglinje->Home();
  do {
    const kovltype* p = vaglinje->Get_aktel();
    file.WriteString(Format("%lf %lf %lf %lf\n", p->x, p->y, p->z, p->sek));
  } while ((*vaglinje)++);
  file.WriteString("*\n");
}

// Every measurement ends with its "*" line, also one without rows: without it the next
// measurement's lines would be read as its rows. A time is written where a flag follows it, or
// the flag would be read as the time.
void CBorviMtn::WriteMeasurement(CStdioFileMem& file, const mtntype& m) {
  std::string tid = geoproj::FieldText(m.tid);
  const std::string flagga = geoproj::FieldText(m.flagga);
  if (tid.empty() && !flagga.empty()) tid = "00:00";
  file.WriteString(Format(" %d %d %d %s %s\n", m.ar, m.man, m.dag, tid.c_str(), flagga.c_str()));
  file.WriteString(Format("%s\n", geoproj::FieldText(m.kommentar).c_str()));
  if (m.kol && m.kol->Home() == 0) {
    do {
      const maetdatatype* r = m.kol->Get_aktel();
      file.WriteString(Format("%9.2f %10.4f %s\n", r->pos, r->varde, geoproj::FieldText(r->text).c_str()));
    } while ((*m.kol)++);
  }
  file.WriteString("*\n");
}
