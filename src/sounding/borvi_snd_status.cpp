// CBorviSnd: the borehole's status bits, its depth summary and the rock level carried into the
// interpretation.
#include <algorithm>
#include <cmath>

#include "geoproj/database/borvi_dbs.h"
#include "geoproj/database/dbs_guid.h"
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
#include "geoproj/sounding/borvi_dpt.h"
#include "geoproj/sounding/borvi_dreie.h"
#include "geoproj/sounding/borvi_dtrykk.h"
#include "geoproj/sounding/borvi_enkel.h"
#include "geoproj/sounding/borvi_fjell.h"
#include "geoproj/sounding/borvi_ram.h"
#include "geoproj/sounding/borvi_snd.h"
#include "geoproj/sounding/borvi_total.h"
#include "sounding/code_table_scope.h"

using geoproj::BhBitPlace;
using geoproj::ClearBit;
using geoproj::SetBit;

namespace {

// Depth of the first or last record of a sounding; false when it holds none.
template <class T>
bool FirstDepth(T* block, float* djup) {
  if (!block || block->Home() < 0) return false;
  *djup = block->Get_aktel()->djup;
  return true;
}

template <class T>
bool LastDepth(T* block, float* djup) {
  if (!block || block->End() < 0) return false;
  *djup = block->Get_aktel()->djup;
  return true;
}

template <class T>
void RaiseToLast(T* block, float* djup) {
  float last = 0.0f;
  if (LastDepth(block, &last) && last > *djup) *djup = last;
}

void RaiseTo(double last, float* djup) {
  if (last > *djup) *djup = static_cast<float>(last);
}

// A water-loss record holds the section it measured from its first to its second value; the
// deeper end counts.
void RaiseToLast(CVattenF* block, float* djup) {
  if (!block || block->End() < 0) return;
  const vftype& last = *block->Get_aktel();
  RaiseTo(last.w1 > last.w2 ? last.w1 : last.w2, djup);
}

template <class T>
int HoldsMy(T* block) {
  return block && block->MyKod() == 0;
}

// Depth of the first record holding the own-sounding code; false when none does.
template <class T>
bool FirstMyDepth(T* block, double* djup) {
  if (!block || block->Home() < 0) return false;
  do {
    const auto* rec = block->Get_aktel();
    if (geoproj::SondHarKod(T::kMetod, rec->text, "MY", block->m_kodtyp)) {
      *djup = rec->djup;
      return true;
    }
  } while ((*block)++);
  return false;
}

// The cone penetration test keeps its codes in kod.
bool FirstMyDepth(CBorviCpt* cpt, double* djup) {
  if (!cpt || cpt->Home() < 0) return false;
  do {
    const cpttype* rec = cpt->Get_aktel();
    if (geoproj::SondHarKod(CBorviCpt::kMetod, rec->kod, "MY", cpt->kodsystem)) {
      *djup = rec->djup;
      return true;
    }
  } while ((*cpt)++);
  return false;
}

template <class T>
bool Digitised(T* block) {
  return block && block->m_varde3 > 0;
}

bool Digitised(CBorviCpt* cpt) { return cpt && cpt->htal3 > 0; }

void SetKindBits(bhbit& bit, int kind) {
  switch (kind) {
    case CBorviSnd::Bh: SetBit(bit, geoproj::kBitBorehole); break;
    case CBorviSnd::Gvr: bit.b[2] = static_cast<unsigned char>((bit.b[2] & 0xF3) | 0x02); break;
    case CBorviSnd::Mtn: bit.b[2] = static_cast<unsigned char>((bit.b[2] & 0xF9) | 0x08); break;
    case CBorviSnd::Avp: SetBit(bit, geoproj::kBitAvp); break;
    case CBorviSnd::Vb: SetBit(bit, geoproj::kBitVane); break;
    default: break;
  }
}

void SetMethodBits(bhbit& bit, BhBitPlace own) {
  SetBit(bit, geoproj::kBitBorehole);
  SetBit(bit, own);
}

// Vertical when the inclination rounds to 90 degrees. Compared as a number: a damaged value
// too large for an int must not be converted to one.
bool Inclined(double lutning) {
  const double rounded = lutning + 0.5;
  return !(rounded >= 90.0 && rounded < 91.0);
}

}  // namespace

int CBorviSnd::GetMaxDjup(float* djup) {
  RaiseToLast(cpt, djup);
  RaiseToLast(dreie, djup);
  RaiseToLast(ram, djup);
  RaiseToLast(total, djup);
  RaiseToLast(fjell, djup);
  RaiseToLast(dtrykk, djup);
  RaiseToLast(enkel, djup);
  RaiseToLast(prv, djup);
  // A pipe reaches from the ground down to its value 2.
  if (gvr) *djup = std::max(*djup, static_cast<float>(hvarde[2] - gvr->varde2));
  if (karnborr && karnborr->End() == 0) RaiseTo(karnborr->Get_aktel()->djup, djup);
  RaiseToLast(vattenf, djup);
  RaiseToLast(mil, djup);
  RaiseToLast(vb, djup);
  return 0;
}

int CBorviSnd::TolkatBerg(float djup) {
  if (!tlk && !New(60)) return -1;
  double factor = 1.0;
  if (std::fabs(lutning) > 0.001) factor = std::cos((90.0 - lutning) * 3.14159265359 / 180.0);
  float deepest = 0.0f;
  GetMaxDjup(&deepest);
  const float level = static_cast<float>(hvarde[2] - djup * factor);
  return tlk->InsertBerg(level, deepest - djup < 3.0f ? 4 : 5);
}

int CBorviSnd::TolkatZBerg(double niva) {
  if (!tlk && !New(60)) return -1;
  return tlk->InsertBerg(static_cast<float>(niva), 5);
}

int CBorviSnd::MyKod() {
  const geoproj::CodeTableScope codeTable;
  if (HoldsMy(dreie) || HoldsMy(ram) || HoldsMy(total) || HoldsMy(fjell) || HoldsMy(dtrykk) ||
      HoldsMy(enkel) || HoldsMy(cpt))
    return 0;
  return -1;
}

int CBorviSnd::MyKod(double* djup) {
  const geoproj::CodeTableScope codeTable;
  if (FirstMyDepth(ram, djup) || FirstMyDepth(total, djup) || FirstMyDepth(fjell, djup) ||
      FirstMyDepth(dtrykk, djup) || FirstMyDepth(dreie, djup) || FirstMyDepth(enkel, djup) ||
      FirstMyDepth(cpt, djup))
    return 0;
  *djup = 0.0;
  return -1;
}

int CBorviSnd::IfDigitaliserad() {
  return Digitised(cpt) || Digitised(dreie) || Digitised(total) || Digitised(enkel) || Digitised(ram) ||
                 Digitised(dtrykk) || Digitised(fjell) || (prv && prv->hkod100 >= 1)
             ? 1
             : 0;
}

void CBorviSnd::AddGuid(int code, const std::string& text, const bhdbstype* rec) {
  if (!dbs || !dbs->m_guidLista || mtn) return;
  guidtype entry{};
  entry.metod = code;
  geoproj::CopyField(entry.guid, text);
  geoproj::CopyField(entry.id, geoproj::FieldText(rec->id));
  dbs->m_guidLista->Ny(1, &entry);
}

int CBorviSnd::Snd2Bhbit(bhdbstype* rec) {
  const geoproj::CodeTableScope codeTable;
  rec->x = hvarde[0];
  rec->y = hvarde[1];
  rec->z = hvarde[2];
  rec->sek = hvarde[3];
  rec->avst = hvarde[4];
  AddGuid(97, guid, rec);
  if (typ) SetKindBits(rec->bit, *typ);
  if (typ && *typ == Vb && vb) AddGuid(20, vb->guid, rec);
  float djup = 0.0f;
  rec->djup = 0.0f;
  if (GetMaxDjup(&djup) == 0) rec->djup = djup;
  int stopp = 0;
  GetMaxStopp(&stopp);
  rec->stopp = static_cast<std::uint16_t>(stopp);
  const bool writeBack = MethodBits(rec);
  ClearBit(rec->bit, geoproj::kBitMy);
  if (MyKod() == 0) SetBit(rec->bit, geoproj::kBitMy);
  ClearBit(rec->bit, geoproj::kBitHeaderValue);
  InterpretationBit(rec->bit, true);
  for (BhBitPlace p : {geoproj::kBitSample, geoproj::kBitSampleAux, geoproj::kBitSampleCiCaCc,
                       geoproj::kBitSkvPg, geoproj::kBitSampleOther})
    ClearBit(rec->bit, p);
  if (prv) {
    SampleBits(rec->bit);
    AddGuid(CBorviPrv::Metod, prv->guid, rec);
  }
  ClearBit(rec->bit, geoproj::kBitEnvironment);
  EnvironmentalBits(rec->bit, rec);
  if (Inclined(lutning))
    SetBit(rec->bit, geoproj::kBitInclined);
  else
    ClearBit(rec->bit, geoproj::kBitInclined);
  if (gvr) {
    gvr->GvrStat(&rec->bit);
    AddGuid(50, gvr->guid, rec);
  }
  if (mtn) mtn->MtnStat(&rec->bit);
  // The rock level went into the interpretation: write the borehole again so that ID.TLK holds
  // it. That write evaluates once more, finds the rock in place and stops there.
  if (writeBack && !m_iAterskrivning) {
    m_iAterskrivning = 1;
    Uppdat(nullptr, nullptr);
    m_iAterskrivning = 0;
  }
  return 0;
}

// The method bits and GUID entries of the record; true when rock found by a rock-control
// sounding was newly put into the interpretation.
bool CBorviSnd::MethodBits(bhdbstype* rec) {
  bhbit& bits = rec->bit;
  bool writeBack = false;
  ClearBit(bits, geoproj::kBitDpt);
  if (dpt) {
    SetBit(bits, geoproj::kBitDpt);
    SetBit(bits, geoproj::kBitBorehole);
    AddGuid(35, dpt->m_guid, rec);
  }
  ClearBit(bits, geoproj::kBitCpt);
  if (cpt) {
    SetMethodBits(bits, geoproj::kBitCpt);
    AddGuid(CBorviCpt::kMetod, cpt->guid, rec);
  }
  ClearBit(bits, geoproj::kBitDreie);
  if (dreie) {
    SetMethodBits(bits, geoproj::kBitDreie);
    AddGuid(21, dreie->m_guid, rec);
  }
  ClearBit(bits, geoproj::kBitRam);
  if (ram) {
    SetMethodBits(bits, geoproj::kBitRam);
    AddGuid(24, ram->m_guid, rec);
  }
  ClearBit(bits, geoproj::kBitTotal);
  if (total) {
    SetMethodBits(bits, geoproj::kBitTotal);
    AddGuid(25, total->m_guid, rec);
    float berg = 0.0f;
    if (total->BergKontroll(&berg) == 0 && TolkatBerg(berg) == 0) writeBack = true;
  }
  ClearBit(bits, geoproj::kBitFjell);
  if (fjell) {
    SetMethodBits(bits, geoproj::kBitFjell);
    AddGuid(26, fjell->m_guid, rec);
    float berg = 0.0f;
    if (fjell->BergKontroll(&berg) == 0 && TolkatBerg(berg) == 0) writeBack = true;
  }
  ClearBit(bits, geoproj::kBitDtrykk);
  if (dtrykk) {
    SetMethodBits(bits, geoproj::kBitDtrykk);
    AddGuid(23, dtrykk->m_guid, rec);
  }
  ClearBit(bits, geoproj::kBitEnkel);
  if (enkel) {
    SetMethodBits(bits, geoproj::kBitEnkel);
    AddGuid(22, enkel->m_guid, rec);
  }
  ClearBit(bits, geoproj::kBitCoreDrilling);
  if (karnborr) {
    SetMethodBits(bits, geoproj::kBitCoreDrilling);
    AddGuid(13, karnborr->guid, rec);
    double berg = 0.0;
    if (karnborr->ZBerg(&berg) == 0 && TolkatZBerg(berg) == 0) writeBack = true;
  }
  ClearBit(bits, geoproj::kBitWaterLoss);
  if (vattenf) {
    SetMethodBits(bits, geoproj::kBitWaterLoss);
    AddGuid(14, vattenf->guid, rec);
  }
  return writeBack;
}

// The environmental data's bits; with a record, also its GUID list entry.
void CBorviSnd::EnvironmentalBits(bhbit& bits, const bhdbstype* rec) {
  if (!mil) return;
  SetMethodBits(bits, geoproj::kBitEnvironment);
  if (rec) AddGuid(45, mil->guid, rec);
  if (std::fabs(mil->hvarde) > 0.001) SetBit(bits, geoproj::kBitHeaderValue);
}

// Byte 2 0x80: the interpretation holds layers (or, for the database record, a groundwater
// level).
void CBorviSnd::InterpretationBit(bhbit& bits, bool withGroundwater) {
  bool set = false;
  if (tlk) {
    int antal = 0;
    tlk->Where(&antal);
    set = antal > 0 || (withGroundwater && std::fabs(tlk->gvy) > 0.001);
  }
  if (set)
    SetBit(bits, geoproj::kBitInterpretation);
  else
    ClearBit(bits, geoproj::kBitInterpretation);
}

// A borehole with samples; a header number marks it, and the kinds of samples set their bits.
void CBorviSnd::SampleBits(bhbit& bits) {
  SetBit(bits, geoproj::kBitBorehole);
  SetBit(bits, geoproj::kBitSample);
  if (std::fabs(prv->hvarde) > 0.001) SetBit(bits, geoproj::kBitHeaderValue);
  prv->PrvStat(&bits);
}

int CBorviSnd::SetSndBhstat() {
  if (typ && *typ != Vb) SetKindBits(bit, *typ);
  StartDepths();
  ClearBit(bit, geoproj::kBitCoreDrilling);
  if (karnborr) SetMethodBits(bit, geoproj::kBitCoreDrilling);
  ClearBit(bit, geoproj::kBitWaterLoss);
  if (vattenf) SetMethodBits(bit, geoproj::kBitWaterLoss);
  ClearBit(bit, geoproj::kBitHeaderValue);
  InterpretationBit(bit, false);
  ClearBit(bit, geoproj::kBitMy);
  if (MyKod() == 0) SetBit(bit, geoproj::kBitMy);
  ClearBit(bit, geoproj::kBitSample);
  if (prv) SampleBits(bit);
  ClearBit(bit, geoproj::kBitEnvironment);
  EnvironmentalBits(bit, nullptr);
  if (Inclined(lutning))
    SetBit(bit, geoproj::kBitInclined);
  else
    ClearBit(bit, geoproj::kBitInclined);
  if (gvr) gvr->GvrStat(&bit);
  return 1;
}

namespace {

// Start depth of one sounding: where the previous soundings ended, or the header's start depth,
// moved up to its first record; a first record a few centimetres below the header's start
// depth starts there.
template <class T>
void StartDepth(T* block, bhbit& bit, BhBitPlace own, float header, float* reached) {
  ClearBit(bit, own);
  if (!block) return;
  SetMethodBits(bit, own);
  float start = *reached > header ? *reached : header;
  float first = 0.0f;
  if (FirstDepth(block, &first) && first < start) {
    start = first;
    const double below = static_cast<double>(first) - header;
    if (below > 0.0 && below < 0.05) start = header;
  }
  float last = 0.0f;
  if (LastDepth(block, &last) && last > *reached) *reached = last;
  block->m_startdjup = start;
}

// The cone penetration test starts at the header's start depth (or 0), moved up to its first
// record the same way; it is the first sounding asked, so it sets where the others begin.
void StartDepth(CBorviCpt* cpt, bhbit& bit, float header, float* reached) {
  ClearBit(bit, geoproj::kBitCpt);
  if (!cpt) return;
  SetMethodBits(bit, geoproj::kBitCpt);
  float start = header > 0.0f ? header : 0.0f;
  float first = 0.0f;
  if (FirstDepth(cpt, &first) && first < start) {
    start = first;
    const double below = static_cast<double>(first) - header;
    if (below > 0.0 && below < 0.05) start = header;
  }
  float last = 0.0f;
  if (LastDepth(cpt, &last) && last > 0.0f && last > *reached) *reached = last;
  cpt->m_startdjup = start;
}

}  // namespace

void CBorviSnd::StartDepths() {
  float reached = 0.0f;
  StartDepth(cpt, bit, startdjup, &reached);
  StartDepth(dreie, bit, geoproj::kBitDreie, startdjup, &reached);
  StartDepth(ram, bit, geoproj::kBitRam, startdjup, &reached);
  StartDepth(enkel, bit, geoproj::kBitEnkel, startdjup, &reached);
  StartDepth(dtrykk, bit, geoproj::kBitDtrykk, startdjup, &reached);
  StartDepth(total, bit, geoproj::kBitTotal, startdjup, &reached);
  StartDepth(fjell, bit, geoproj::kBitFjell, startdjup, &reached);
}
