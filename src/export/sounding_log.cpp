#include <geoproj/export/sounding_log.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <geoproj/export/method_kind.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/sounding/borvi_snd.h>

namespace geoproj {
namespace {

double NumberOf(const ExportValue& value) {
  if (value.kind() != ExportValue::Kind::kNumber) return NAN;
  return std::strtod(value.text().c_str(), nullptr);
}

std::string LayerName(const matetype& layer) {
  if (layer.index > 0 && layer.index < CBorviTlk::AntalMtrl && CBorviTlk::m_mtrl[layer.index].sv)
    return CBorviTlk::m_mtrl[layer.index].sv;
  return FieldText(layer.namn);
}

// The interpretation keeps levels; a log stands on depths below the ground.
void ReadLayers(CBorviSnd& snd, SoundingLog& log) {
  log.groundwater = NAN;
  CBorviTlk* tlk = snd.tlk;
  if (!tlk) return;
  if (tlk->gvy != 0.0f) log.groundwater = log.z - tlk->gvy;
  if (tlk->Home() != 0) return;
  do {
    const matetype& layer = *tlk->Get_aktel();
    if (!std::isfinite(layer.niva)) continue;
    log.layers.push_back({log.z - layer.niva, LayerName(layer), layer.index});
  } while ((*tlk)++);
  std::stable_sort(log.layers.begin(), log.layers.end(),
                   [](const SoundingLayer& a, const SoundingLayer& b) { return a.top < b.top; });
}

}  // namespace

double SoundingBlock::Number(std::size_t record, const char* field) const {
  const int i = kind->FieldIndex(field);
  if (i < 0 || record >= records.size()) return NAN;
  return NumberOf(records[record][static_cast<std::size_t>(i)]);
}

double SoundingBlock::Depth(std::size_t record) const { return Number(record, kind->depthField); }

double SoundingBlock::MaxDepth() const {
  double deepest = 0.0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const double d = Depth(i);
    if (std::isfinite(d)) deepest = std::max(deepest, d);
  }
  return deepest;
}

SoundingLog SoundingLog::Read(CBorviSnd& snd) {
  SoundingLog log;
  log.id = FieldText(snd.id);
  log.x = snd.hvarde[0];
  log.y = snd.hvarde[1];
  log.z = snd.hvarde[2];
  snd.GetMaxStopp(&log.stop);
  log.created = FieldText(snd.skapad);
  log.modified = FieldText(snd.andrad);
  for (const MethodKind& kind : MethodKind::All()) kind.collect(snd, log);
  ReadLayers(snd, log);
  return log;
}

double SoundingLog::MaxDepth() const {
  double deepest = 0.0;
  for (const SoundingBlock& block : blocks) deepest = std::max(deepest, block.MaxDepth());
  for (const SoundingLayer& layer : layers)
    if (std::isfinite(layer.top)) deepest = std::max(deepest, layer.top);
  if (std::isfinite(groundwater)) deepest = std::max(deepest, groundwater);
  return deepest;
}

}  // namespace geoproj
