// CBorviTlk: operations on the layer profile: searching, checking, the rock layer, adding
// boundaries from automatic interpretation and tidying the result.
#include <geoproj/methods/borvi_tlk.h>

#include <cctype>
#include <cmath>
#include <cstring>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

namespace {

const char kBerg[] = "berg";
const char kBlock[] = "block";

bool Named(const matetype& m, const char* name) {
  return std::strncmp(m.namn, name, sizeof m.namn) == 0;
}

// The rock level rounded to centimetres, halves away from zero.
float RoundCm(float level) {
  double p = static_cast<double>(level) * 100.0;
  p += p > 0 ? 0.5 : -0.5;
  return static_cast<float>(std::trunc(p) / 100.0);
}

}  // namespace

int CBorviTlk::FindMtrl(const char* text, int mode) {
  if (End() != 0) return 0;
  std::string wanted = text ? text : "";
  for (char& c : wanted) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (wanted == "x") wanted = "X";
  do {
    std::string candidate;
    if (mode == 1)
      candidate = geoproj::FieldText(pael->namn);
    else if (pael->index >= 0 && pael->index < AntalMtrl)
      candidate = m_mtrl[pael->index].no;
    else
      continue;
    if (geoproj::EqualsNoCase(candidate, wanted)) return 1;
  } while ((*this)--);
  return 0;
}

int CBorviTlk::DataCheck(int /*unused*/) {
  std::string text = "Fel och varningar:\n";
  int found = 0;
  if (Home() != 0) return 0;
  const matetype* above = pael;
  while ((*this)++) {
    if (Named(*above, kBerg)) {
      text += geoproj::Format("Material %s p\xE5 niv\xE5 %.2lf \xE4r under berg p\xE5 niv\xE5 %.2lf\n",
                              geoproj::FieldText(pael->namn).c_str(),
                              static_cast<double>(pael->niva), static_cast<double>(above->niva));
      ++found;
    }
    above = pael;
  }
  if (found > 0) geoproj::ShowMessage(text, geoproj::kMbOk);
  return found;
}

void CBorviTlk::AddDZ(double dz) {
  if (Home() != 0) return;
  do {
    pael->niva = static_cast<float>(pael->niva + dz);
  } while ((*this)++);
}

int CBorviTlk::InsertBerg(float level, int source) {
  const float r = RoundCm(level);
  const int kod = source == 4 ? 4 : 5;
  if (m_forst && FindMtrl(kBerg, 1)) {
    matetype* berg = pael;
    if (std::fabs(berg->niva - r) <= 0.01 && berg->nivakod != 0 && berg->nivakalla != 0)
      return -1;
    berg->niva = r;
    if (berg->nivakod == 0) berg->nivakod = kod;
    if (berg->nivakalla == 0) berg->nivakalla = source;
    return 0;
  }
  matetype rock = m_noll;
  geoproj::CopyField(rock.namn, kBerg);
  rock.niva = r;
  rock.nivakod = kod;
  rock.nivakalla = source;
  return Ny(1, &rock) == 0 ? 0 : -1;
}

int CBorviTlk::AddTolkNiva(const char* name, float level) {
  matetype boundary = m_noll;
  geoproj::CopyField(boundary.namn, name ? name : "");
  boundary.niva = level;
  if (End() != 0) return Ny(1, &boundary);
  do {
    if (std::fabs(static_cast<double>(level) - pael->niva) < 0.001 &&
        Named(*pael, boundary.namn))
      return -1;
    if (pael->niva > level) {
      // Directly below this layer: before its successor, or at the end.
      if (!(*this)++) return Ny(1, &boundary);
      return Ny(0, &boundary);
    }
  } while ((*this)--);
  Home();
  return Ny(0, &boundary);
}

int CBorviTlk::BlockIFrikt() {
  if (!m_forst || !Get_aktel()) return 0;
  Set_mark();
  const matetype* above = (*this)-- ? pael : nullptr;
  if (above) (*this)++;
  const matetype* below = (*this)++ ? pael : nullptr;
  if (!above || !below || !IfFrikt(geoproj::FieldText(above->namn).c_str()) ||
      !IfFrikt(geoproj::FieldText(below->namn).c_str()))
    return 0;
  if (Named(*above, below->namn)) {
    // The friction soil below takes over the whole range.
    (*this)--;
    (*this)--;
    if (Delete() == 0 && Named(*pael, kBlock)) Delete();
    return 1;
  }
  // Different soils around the block: the block goes and the soil below it reaches up to the
  // soil above; no interpreted soil layer is lost.
  (*this)--;
  Delete();
  return 1;
}

int CBorviTlk::TolkClean() {
  if (!m_forst) return 1;
  RemoveBlocks();
  MergeRuns();
  return 1;
}

// Drops a block at the bottom of the profile and blocks inside friction soil.
void CBorviTlk::RemoveBlocks() {
  Home();
  while (m_forst) {
    Set_mark();
    const bool last = !m_akt->next;
    if (Named(*pael, kBlock) && last) {
      if (Delete() != 0) break;
      End();
      continue;
    }
    if (Named(*pael, kBlock)) {
      if (BlockIFrikt() == 1) {
        if (m_mark) Goto_mark();
        // A second pass matters only when a block is current again; on any other layer it
        // would remove an interpreted friction soil.
        if (m_akt && Named(*pael, kBlock)) BlockIFrikt();
        if (!m_akt) break;
        continue;
      }
      // Nothing changed, but the cursor moved below the block: go on from the block itself.
      Goto_mark();
    }
    if (!(*this)++) break;
  }
}

// Moves the layer above rock onto the rock level (or marks the gap with unknown material) and
// merges runs of equal layers into the lowest of them.
void CBorviTlk::MergeRuns() {
  if (End() != 0) return;
  std::string below = geoproj::FieldText(pael->namn);
  bool rock = below == kBerg;
  const float rockLevel = pael->niva;
  if (!(*this)--) return;
  for (;;) {
    if (rock) {
      rock = false;
      if (pael->niva - rockLevel > 0.201)
        AddTolkNiva("X", rockLevel);
      else
        pael->niva = rockLevel;
    }
    bool top = false;
    while (!top && geoproj::FieldText(pael->namn) == below) {
      if (Delete() != 0) return;
      top = !(*this)--;
    }
    below = geoproj::FieldText(pael->namn);
    if (top || !(*this)--) return;
  }
}
