// CBorviSnd: writing a borehole back (ID.SND with its blocks, then the separate files) and
// having the database recompute its record.
#include <string>

#include "geoproj/database/borvi_dbs.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/groundwater/borvi_gvr.h"
#include "geoproj/groundwater/borvi_mtn.h"
#include "geoproj/methods/borvi_cpt.h"
#include "geoproj/methods/borvi_prv.h"
#include "geoproj/methods/borvi_mil.h"
#include "geoproj/methods/borvi_tlk.h"
#include "geoproj/methods/borvi_vb.h"
#include "geoproj/methods/karnborr.h"
#include "geoproj/methods/vatten_f.h"
#include "geoproj/platform/directory_snapshot.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/proj_path.h"
#include "geoproj/platform/uuid.h"
#include "geoproj/sounding/borvi_dpt.h"
#include "geoproj/sounding/borvi_dreie.h"
#include "geoproj/sounding/borvi_dtrykk.h"
#include "geoproj/sounding/borvi_enkel.h"
#include "geoproj/sounding/borvi_fjell.h"
#include "geoproj/sounding/borvi_ram.h"
#include "geoproj/sounding/borvi_snd.h"
#include "geoproj/sounding/borvi_total.h"
#include "sounding/code_table_scope.h"

using geoproj::Format;

namespace {

constexpr unsigned kCreateWrite = CStdioFileMem::modeCreate | CStdioFileMem::modeWrite;

template <class T>
void WriteBlock(T* block, CStdioFileMem* file) {
  if (block) block->Uppdat(file);
}

void CannotOpen(const std::string& path) {
  geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, nullptr,
                        "Kan inte \xF6ppna protokollfilen:\n%s\nAvbryter!", path.c_str());
}

}  // namespace

int CBorviSnd::Uppdat(const char* idText, const char* path) {
  const geoproj::CodeTableScope codeTable;
  // The borehole's files and the database's lock file are looked for as the directory stood
  // when the first was looked up; the lock itself is taken by an exclusive create all the same.
  const geoproj::DirectorySnapshot snapshot;
  CBorviDbs::LocaleCheckAndFix();
  if (!projpath) {
    m_egenpath = std::make_unique<CProjPath>();
    m_egenpath->SetPath(geoproj::TempDirectory().c_str());
    projpath = m_egenpath.get();
  }
  // The record the database recomputes must be the one of the file written.
  if (idText && *idText) geoproj::CopyField(id, idText);
  if (!id[0]) geoproj::CopyField(id, "x");
  const char* shown = (idText && *idText) ? idText : id;
  if (gvr && !samlagring) {
    if (UppdatGvr(idText, path) == -1)
      geoproj::ShowMessageF(geoproj::kMbOk, nullptr,
                            "Kunde inte spara protokollet f\xF6r id: %s\nAvbryter!", shown);
  } else if (mtn && !samlagring) {
    if (UppdatMtn(idText, path) == -1)
      geoproj::ShowMessageF(geoproj::kMbOk, nullptr,
                            "Kunde inte spara protokollet f\xF6r id: %s\nAvbryter!", shown);
  } else if (vb && !samlagring) {
    if (UppdatVb(idText, path) == -1)
      geoproj::ShowMessageF(geoproj::kMbOk, nullptr, "Kunde icke spare protokoll for id: %s\nAvbryter!",
                            shown);
  } else {
    WriteSounding(idText, path);
  }
  return 0;
}

void CBorviSnd::SetWriteNames(const char* idText, const char* path) {
  if (!idText && !path) {
    if (sndfil.GetFilePath().empty() || tmpnamn == 1) SetFilePath(id, nullptr);
  } else {
    SetFilePath(idText, path);
  }
}

void CBorviSnd::WriteSounding(const char* idText, const char* path) {
  SetWriteNames(idText, path);
  // A sounding file written makes a borehole even when nothing was read into this object.
  if (!typ) typ = &Bh;
  if (!sndfil.Open(sndfil.GetFilePath(), kCreateWrite)) {
    CannotOpen(sndfil.GetFilePath());
    ResetNames();
    return;
  }
  if (sndfil.IsMemFile()) sndfil.WriteString("#snd#\n");
  WriteHeader();
  WriteGuidSection();
  WriteBlocks();
  WriteUnknownSections();
  if (!samlagring) {
    if (HasSounding(false)) sndfil.WriteString("*\n");
    if (!(sndfil.IsMemFile() && (prv || mil))) sndfil.Close();
    WriteInterpretation();
    WriteSamples();
    WriteEnvironmental();
  } else {
    if (HasSounding(true)) sndfil.WriteString("*\n");
    sndfil.Close();
    if (option2) DeleteSeparateFiles();
  }
  if (dbs && tmpnamn == 0) dbs->SndUppdat(this);
  ResetNames();
}

void CBorviSnd::WriteHeader() {
  sndfil.WriteString(Format("%f\n%f\n%f\n", hvarde[0], hvarde[1], hvarde[2]));
  sndfil.WriteString(Format("%f\n%f\n", hvarde[3], hvarde[4]));
  sndfil.WriteString(Format("%f %d %lf\n", static_cast<double>(startdjup), riktning, lutning));
  // A comment line is written up to a stray zero byte read into it; one empty up to there
  // counts as empty.
  bool anyComment = false;
  for (const std::string& line : kommentar) anyComment = anyComment || line.c_str()[0] != '\0';
  if (anyComment) {
    sndfil.WriteString(Format("%s\n%s\n%s\n%s\n", kommentar[0].c_str(), kommentar[1].c_str(),
                              kommentar[2].c_str(), kommentar[3].c_str()));
  }
  sndfil.WriteString(Format("*\n%d\n40 %d\n", 97, samlagring));
}

// A borehole keeps its GUID; one read from an older file (another origin name, or no usable
// GUID) gets a new one, which it keeps from then on. A line holds its text up to a stray zero
// byte read into it: the rest cannot be written, and must not take the line end with it.
void CBorviSnd::WriteGuidSection() {
  const auto upToZero = [](const std::string& text) { return text.substr(0, text.find('\0')); };
  if (geoproj::FieldText(orgnamn) == "GUID" && upToZero(guid).size() >= 36) {
    sndfil.WriteString(Format("*\n%d\n%s %s\n", 99, "GUID", guid.c_str()));
    for (const std::string& line : guidrader) {
      const std::string text = upToZero(line);
      if (text.empty()) break;
      sndfil.WriteString(text + "\n");
    }
    return;
  }
  const std::string fresh = geoproj::NewUuidText();
  if (fresh.empty()) return;
  sndfil.WriteString(Format("*\n%d\n%s %s\n", 99, "GUID", fresh.c_str()));
  guid = fresh;
  geoproj::CopyField(orgnamn, "GUID");
  for (std::string& line : guidrader) line.clear();
}

void CBorviSnd::WriteBlocks() {
  WriteBlock(dreie, &sndfil);
  WriteBlock(ram, &sndfil);
  WriteBlock(total, &sndfil);
  WriteBlock(fjell, &sndfil);
  WriteBlock(dtrykk, &sndfil);
  WriteBlock(enkel, &sndfil);
  WriteBlock(cpt, &sndfil);
  WriteBlock(dpt, &sndfil);
  WriteBlock(karnborr, &sndfil);
  WriteBlock(vattenf, &sndfil);
}

void CBorviSnd::WriteUnknownSections() {
  for (const std::string& section : m_unknownSections) {
    sndfil.WriteString("*\n");
    sndfil.WriteString(section);
  }
}

// Whether a closing "*" line follows the blocks; embedded files count core drilling and water
// loss too. Sections kept as read end with it as well, as the next section would end them.
int CBorviSnd::HasSounding(bool embedded) const {
  if (dreie || ram || cpt || total || enkel || fjell || dtrykk || dpt) return 1;
  if (!m_unknownSections.empty()) return 1;
  return embedded && (karnborr || vattenf) ? 1 : 0;
}

// ID.TLK is rewritten only for an interpretation held: a file that did not read stays as it is.
void CBorviSnd::WriteInterpretation() {
  if (!tlk || !tlkfil.Open(tlkfil.GetFilePath(), kCreateWrite)) return;
  tlk->Uppdat(&tlkfil, nullptr);
  tlkfil.Close();
}

// In memory mode the samples follow the sounding file's text after their marker line; the
// file is closed after the last block written into it.
void CBorviSnd::WriteSamples() {
  if (!prv) return;
  if (sndfil.IsMemFile()) {
    sndfil.WriteString("#prv#\n");
    prv->Uppdat(&sndfil);
    if (!mil) sndfil.Close();
    return;
  }
  if (!prvfil.Open(prvfil.GetFilePath(), kCreateWrite)) return;
  prv->Uppdat(&prvfil);
  prvfil.Close();
}

// In memory mode the environmental data follow the sounding file's blocks behind their marker
// line, and close it.
void CBorviSnd::WriteEnvironmental() {
  if (!mil) return;
  if (sndfil.IsMemFile()) {
    sndfil.WriteString("#mil#\n");
    mil->Uppdat(&sndfil);
    sndfil.Close();
    return;
  }
  if (!milfil.Open(milfil.GetFilePath(), kCreateWrite)) return;
  mil->Uppdat(&milfil);
  milfil.Close();
}

void CBorviSnd::DeleteSeparateFiles() {
  for (CStdioFileMem* file : {&tlkfil, &prvfil, &milfil}) {
    if (geoproj::FileExists(file->GetFilePath())) geoproj::RemoveFile(file->GetFilePath());
  }
}

// After a write to the temporary names the real names are set again, the mode kept.
void CBorviSnd::ResetNames() {
  if (tmpnamn == 1) {
    tmpnamn = 0;
    SetFilePath(id, nullptr);
    tmpnamn = 1;
  } else {
    andrat = 0;
  }
}

int CBorviSnd::UppdatGvr(const char* idText, const char* path) {
  SetWriteNames(idText, path);
  if (!gvr) return -1;
  if (!typ) typ = &Gvr;
  if (sndfil.IsMemFile()) {
    sndfil.Open(sndfil.GetFilePath(), kCreateWrite);
    sndfil.WriteString("#gvr#\n");
    gvr->Uppdat(&sndfil, id);
    sndfil.Close();
    return 0;
  }
  if (!gvrfil.Open(gvrfil.GetFilePath(), kCreateWrite)) {
    CannotOpen(gvrfil.GetFilePath());
    return -1;
  }
  gvr->Uppdat(&gvrfil, id);
  gvrfil.Close();
  WriteInterpretation();
  FinishSeparateWrite();
  return 0;
}

// After a file of its own: the record recomputed, the real names set again after a write to
// the temporary names.
void CBorviSnd::FinishSeparateWrite() {
  if (dbs && tmpnamn == 0) dbs->SndUppdat(this);
  if (tmpnamn == 1) {
    tmpnamn = 0;
    SetFilePath(id, nullptr);
    tmpnamn = 1;
  }
}

int CBorviSnd::UppdatVb(const char* idText, const char* path) {
  SetWriteNames(idText, path);
  if (!vb) return -1;
  if (sndfil.IsMemFile()) {
    sndfil.WriteString("#vb #\n");
    vb->Uppdat(&sndfil);
    sndfil.Close();
    return 0;
  }
  if (!vbfil.Open(vbfil.GetFilePath(), kCreateWrite)) {
    CannotOpen(vbfil.GetFilePath());
    return -1;
  }
  // A vane file written makes a vane borehole even when nothing was read into this object.
  if (!typ) typ = &Vb;
  vb->Uppdat(&vbfil);
  vbfil.Close();
  if (dbs && tmpnamn == 0) dbs->SndUppdat(this);
  if (tmpnamn == 1) {
    tmpnamn = 0;
    SetFilePath(id, nullptr);
    tmpnamn = 1;
  }
  return 0;
}

// A measurement point is a borehole of its own: its file is written through the measurement
// object the host put in the slot, and its record recomputed like a pipe's.
int CBorviSnd::UppdatMtn(const char* idText, const char* path) {
  SetWriteNames(idText, path);
  if (!mtn) return -1;
  if (!typ) typ = &Mtn;
  if (sndfil.IsMemFile()) {
    sndfil.Open(sndfil.GetFilePath(), kCreateWrite);
    sndfil.WriteString("#mtn#\n");
    mtn->Uppdat(&sndfil, id);
    sndfil.Close();
    return 0;
  }
  if (!mtnfil.Open(mtnfil.GetFilePath(), kCreateWrite)) {
    CannotOpen(mtnfil.GetFilePath());
    return -1;
  }
  const int written = mtn->Uppdat(&mtnfil, id);
  mtnfil.Close();
  if (written != 0) return -1;
  FinishSeparateWrite();
  return 0;
}
