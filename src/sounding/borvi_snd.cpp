// CBorviSnd: construction, the method slots and memory mode.
#include "geoproj/sounding/borvi_snd.h"

#include <new>

#include "geoproj/groundwater/borvi_gvr.h"
#include "geoproj/methods/borvi_cpt.h"
#include "geoproj/methods/borvi_prv.h"
#include "geoproj/methods/borvi_mil.h"
#include "geoproj/methods/borvi_tlk.h"
#include "geoproj/methods/borvi_vb.h"
#include "geoproj/methods/karnborr.h"
#include "geoproj/methods/vatten_f.h"
#include "geoproj/platform/proj_path.h"
#include "geoproj/sounding/borvi_dpt.h"
#include "geoproj/sounding/borvi_dreie.h"
#include "geoproj/sounding/borvi_dtrykk.h"
#include "geoproj/sounding/borvi_enkel.h"
#include "geoproj/sounding/borvi_fjell.h"
#include "geoproj/sounding/borvi_ram.h"
#include "geoproj/sounding/borvi_total.h"

const char* CBorviSnd::Kodtyp = "SGF";
int CBorviSnd::Vimfilter = 3;

namespace {

// Stores a freshly created object in its slot, replacing (and destroying) what was there.
template <class T>
int Place(T*& slot, T* created) {
  if (!created) return 0;
  delete slot;
  slot = created;
  return 1;
}

}  // namespace

CBorviSnd::CBorviSnd() = default;

CBorviSnd::CBorviSnd(CProjPath* path, CBorviDbs* database) : projpath(path), dbs(database) {}

CBorviSnd::CBorviSnd(CProjPath* path, CBorviDbs* database, CBorvIni* settings)
    : projpath(path), dbs(database), ini(settings) {
  ReadKod();
}

CBorviSnd::~CBorviSnd() { DeleteMethods(); }

void CBorviSnd::DeleteMethods() {
  delete dreie;
  delete fjell;
  delete dtrykk;
  delete enkel;
  delete ram;
  delete total;
  delete dpt;
  delete tlk;
  delete cpt;
  delete prv;
  delete gvr;
  delete karnborr;
  delete vattenf;
  delete mil;
  delete vb;
  dreie = nullptr;
  fjell = nullptr;
  dtrykk = nullptr;
  enkel = nullptr;
  ram = nullptr;
  total = nullptr;
  dpt = nullptr;
  tlk = nullptr;
  cpt = nullptr;
  prv = nullptr;
  gvr = nullptr;
  karnborr = nullptr;
  vattenf = nullptr;
  mil = nullptr;
  vb = nullptr;
}

int CBorviSnd::New(int code) {
  const int a = option1, b = option2, c = samlagring;
  switch (code) {
    case 21: return Place(dreie, new (std::nothrow) CBorviDreie(a, b, c));
    case 22: return Place(enkel, new (std::nothrow) CBorviEnkel(a, b, c));
    case 23: return Place(dtrykk, new (std::nothrow) CBorviDtrykk(a, b, c));
    case 24: return Place(ram, new (std::nothrow) CBorviRam(a, b, c));
    case 25: return Place(total, new (std::nothrow) CBorviTotal(a, b, c));
    case 26: return Place(fjell, new (std::nothrow) CBorviFjell(a, b, c));
    case 7: return Place(cpt, new (std::nothrow) CBorviCpt(a, b, c));
    case 35: return Place(dpt, new (std::nothrow) CBorviDpt(a, b, c));
    case 40: return Place(prv, new (std::nothrow) CBorviPrv(a, b, c));
    case 60: return Place(tlk, new (std::nothrow) CBorviTlk(a, b, c));
    case 50: return Place(gvr, new (std::nothrow) CBorviGvr(a, this, ini));
    case 13: return Place(karnborr, new (std::nothrow) CKarnborr());
    case 14: return Place(vattenf, new (std::nothrow) CVattenF());
    case 45: return Place(mil, new (std::nothrow) CBorviMil(a, b, c));
    case 20: return Place(vb, new (std::nothrow) CBorviVb(a, this, ini));
    default: return 0;
  }
}

void CBorviSnd::SetMemFile(int mode) {
  sndfil.SetMemFile(mode);
  if (mode == 1) tmpnamn = 1;
}

const std::string* CBorviSnd::MemFile() const { return sndfil.MemFile(); }

void CBorviSnd::AddVbToPrv() {}

int CBorviSnd::AutoTolk(int, int) { return 0; }

int CBorviSnd::RensaKansligareMetod(std::string*) { return -1; }
