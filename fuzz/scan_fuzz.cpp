// The evaluation scans and the method list report over a borehole made of the input: the bytes
// as its sounding file and as its interpretation, its record computed from them, an open
// period, and every list written as a table.
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/reports/projekt_metod_lista.h>
#include <geoproj/reports/utv_dbs.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

namespace {

void WriteList(CProjektMetodLista* list) {
  if (!list) return;
  CStdioFileMem out;
  out.SetMemFile(1);
  list->SetUtfil(&out);
  list->Skriv(1);
  list->Skriv(-2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("B1.SND"), data, size);
  geoproj::fuzz::WriteFile(scratch.file("B1.TLK"), data, size);
  CBorviDbs db;
  bhdbstype rec{};
  {
    CBorviSnd reader(&scratch.project(), nullptr);
    reader.Init("B1", nullptr);
    reader.Snd2Bhbit(&rec);
  }
  rec.id[0] = 'B';
  rec.id[1] = '1';
  db.Ny(1, &rec);
  for (int cptdatum : {0, 2}) {
    metscantype scan{};
    scan.sondering = 1;
    scan.cptdatum = cptdatum;
    CUtvDbs utv(&scratch.project(), nullptr);
    utv.MetodScan(&db, &scan);
    utv.SondScan(&db, &scan);
    for (metscanmetodtype& m : scan.metod) WriteList(m.lista);
    WriteList(scan.tlk.lista);
    geoproj::DeleteScanLists(&scan);
  }
  return 0;
}
