#include "borehole_json.h"

#include <string>

#include <geoproj/methods/borvi_cpt.h>
#include <geoproj/methods/borvi_prv.h>
#include <geoproj/methods/borvi_mil.h>
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/methods/borvi_vb.h>
#include <geoproj/methods/karnborr.h>
#include <geoproj/methods/vatten_f.h>
#include <geoproj/sounding/borvi_dpt.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_dtrykk.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_fjell.h>
#include <geoproj/sounding/borvi_ram.h>
#include <geoproj/sounding/borvi_snd.h>
#include <geoproj/sounding/borvi_total.h>

#include "groundwater_json.h"
#include "json_values.h"
#include "method_names.h"

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

Json RecordJson(const dreietype& r) {
  return {{"weight", Utf8(r.vikt)}, {"depth", FloatValue(r.djup)}, {"value", r.varde},
          {"text", Utf8(r.text)},   {"symbol", Utf8(r.symbol)}};
}

// Enkel, Dtrykk and Fjell records share their fields.
template <class Rec>
Json PlainRecordJson(const Rec& r) {
  return {{"depth", FloatValue(r.djup)}, {"value", r.varde}, {"text", Utf8(r.text)},
          {"symbol", Utf8(r.symbol)}};
}
Json RecordJson(const enktype& r) { return PlainRecordJson(r); }
Json RecordJson(const dtrykktype& r) { return PlainRecordJson(r); }
Json RecordJson(const fjelltype& r) { return PlainRecordJson(r); }

Json RecordJson(const ramsondtype& r) {
  return {{"depth", FloatValue(r.djup)}, {"value2", r.varde2}, {"value1", r.varde1},
          {"text", Utf8(r.text)},        {"symbol", Utf8(r.symbol)}};
}

Json RecordJson(const totaltype& r) {
  return {{"mode", Utf8(r.mod)},  {"depth", FloatValue(r.djup)}, {"value1", r.varde1},
          {"value3", r.varde3},   {"value2", r.varde2},          {"text", Utf8(r.text)},
          {"symbol", Utf8(r.symbol)}};
}

Json RecordJson(const dpttype& r) {
  return {{"value1", r.varde1}, {"value2", r.varde2}, {"value3", r.varde3},
          {"text", Utf8(r.text)}};
}

Json RecordJson(const cpttype& r) {
  return {{"djup", FloatValue(r.djup)}, {"matvarde1", r.matvarde1}, {"matvarde2", r.matvarde2},
          {"matvarde3", r.matvarde3},   {"extra", r.extra},           {"extra1", r.extra1},
          {"extra2", r.extra2},         {"extra3", r.extra3},         {"kod", Utf8(r.kod)},
          {"kortkod", Utf8(r.kortkod)}};
}

Json RecordJson(const provtype& r) {
  return {{"metod", Utf8(r.metod)},
          {"analyser", r.analyser},
          {"djup", FloatValue(r.djup)},
          {"varde1", FloatValue(r.varde1)},
          {"varde2", FloatValue(r.varde2)},
          {"varde3", FloatValue(r.varde3)},
          {"varde4", FloatValue(r.varde4)},
          {"varde5", FloatValue(r.varde5)},
          {"varde6", FloatValue(r.varde6)},
          {"heltal", r.heltal},
          {"varde7", FloatValue(r.varde7)},
          {"varde8", FloatValue(r.varde8)},
          {"tecken", Utf8(r.tecken)},
          {"text", Utf8(r.text)}};
}

Json RecordJson(const kbtype& r) {
  Json out = {{"djup", r.djup}};
  const std::int16_t k[14] = {r.k1, r.k2, r.k3, r.k4,  r.k5,  r.k6,  r.k7,
                              r.k8, r.k9, r.k10, r.k11, r.k12, r.k13, r.k14};
  for (int i = 0; i < 13; ++i) out["k" + std::to_string(i + 1)] = k[i];
  out["kvarde"] = r.kvarde;
  out["k14"] = r.k14;
  out["text"] = Utf8(r.text);
  const char b[6] = {r.b1, r.b2, r.b3, r.b4, r.b5, r.b6};
  for (int i = 0; i < 6; ++i) out["b" + std::to_string(i + 1)] = static_cast<int>(b[i]);
  const double e[5] = {r.e1, r.e2, r.e3, r.e4, r.e5};
  for (int i = 0; i < 5; ++i) out["e" + std::to_string(i + 1)] = e[i];
  return out;
}

Json RecordJson(const vftype& r) {
  return {{"w1", r.w1}, {"w2", r.w2}, {"w3", r.w3},     {"w4", r.w4},
          {"w5", r.w5}, {"w6", r.w6}, {"wtal", r.wtal}, {"text", Utf8(r.text)}};
}

Json RecordJson(const miljtype& r) {
  return {{"namn", Utf8(r.namn)},   {"djup", FloatValue(r.djup)},     {"m1", Utf8(r.m1)},
          {"m2", Utf8(r.m2)},       {"m3", Utf8(r.m3)},               {"m4", Utf8(r.m4)},
          {"mvarde", FloatValue(r.mvarde)}, {"m5", Utf8(r.m5)},       {"m6", Utf8(r.m6)},
          {"kommentar", Utf8(r.kommentar)}};
}

Json RecordJson(const vinbtype& r) {
  return {{"djup", FloatValue(r.djup)},     {"varde1", FloatValue(r.varde1)},
          {"varde2", FloatValue(r.varde2)}, {"varde3", FloatValue(r.varde3)},
          {"varde4", FloatValue(r.varde4)}, {"tal1", r.tal1},
          {"varde5", FloatValue(r.varde5)}, {"tal2", r.tal2},
          {"varde6", FloatValue(r.varde6)}, {"text", Utf8(r.text)}};
}

// The records of a list in their order; the list cursor ends on the last record.
template <class List>
Json RecordsJson(List& list) {
  Json records = Json::array();
  if (list.Home() == 0) {
    do {
      records.push_back(RecordJson(*list.Get_aktel()));
    } while (list++);
  }
  return records;
}

// The cone penetration test in the shape of the other blocks, with its settings.
void AddCpt(Json& methods, CBorviCpt* cpt) {
  if (!cpt) return;
  Json settings = Json::array();
  if (cpt->header.Home() == 0) {
    do {
      const cptheadertype& s = *cpt->header.Get_aktel();
      settings.push_back({{"nyckel", Utf8(s.nyckel)}, {"varde", Utf8(s.varde)}});
    } while (cpt->header++);
  }
  Json m;
  m["code"] = CBorviCpt::kMetod;
  m["name"] = MethodName(CBorviCpt::kMetod);
  m["date"] = Utf8(cpt->datum);
  m["guid"] = Utf8(cpt->guid);
  m["stop_code"] = cpt->htal2;
  m["code_system"] = Utf8(cpt->kodsystem);
  m["start_depth"] = FloatValue(static_cast<float>(cpt->m_startdjup));
  m["settings"] = std::move(settings);
  m["records"] = RecordsJson(*cpt);
  methods.push_back(std::move(m));
}

// Core drilling and water loss keep their header in fields of their own.
template <class Block>
void AddCoreBlock(Json& methods, Block* block) {
  if (!block) return;
  Json m;
  m["code"] = Block::kMetod;
  m["name"] = MethodName(Block::kMetod);
  m["date"] = Utf8(block->datum);
  m["guid"] = Utf8(block->guid);
  m["stop_code"] = nullptr;
  m["code_system"] = Utf8(block->kodsystem);
  m["start_depth"] = nullptr;
  if constexpr (requires { block->zberg; }) m["zberg"] = block->zberg;
  m["records"] = RecordsJson(*block);
  methods.push_back(std::move(m));
}

Json EnvironmentalJson(CBorviMil* mil) {
  if (!mil) return nullptr;
  return {{"datum", Utf8(mil->datum)},
          {"hkod", mil->hkod},
          {"hvarde", FloatValue(mil->hvarde)},
          {"guid", Utf8(mil->guid)},
          {"records", RecordsJson(*mil)}};
}

Json VaneJson(CBorviVb* vb) {
  if (!vb) return nullptr;
  return {{"vinge", Utf8(vb->vinge)},
          {"vingenr", vb->vingenr},
          {"guid", Utf8(vb->guid)},
          {"records", RecordsJson(*vb)}};
}

// A method block with its records; the list cursor ends on the last record.
template <class Block>
void AddBlock(Json& methods, Block* block) {
  if (!block) return;
  Json m;
  m["code"] = Block::kMetod;
  m["name"] = MethodName(Block::kMetod);
  m["date"] = Utf8(block->m_datum);
  m["guid"] = Utf8(block->m_guid);
  m["stop_code"] = block->m_stopp;
  m["code_system"] = Utf8(block->m_kodtyp);
  if constexpr (requires { block->m_startdjup; })
    m["start_depth"] = FloatValue(static_cast<float>(block->m_startdjup));
  else
    m["start_depth"] = nullptr;
  Json records = Json::array();
  if (block->Home() == 0) {
    do {
      records.push_back(RecordJson(*block->Get_aktel()));
    } while ((*block)++);
  }
  m["records"] = std::move(records);
  methods.push_back(std::move(m));
}

Json LayerJson(const matetype& layer) {
  Json varden = Json::array();
  for (float v : layer.varden) varden.push_back(FloatValue(v));
  return {{"namn", Utf8(layer.namn)},
          {"niva", FloatValue(layer.niva)},
          {"index", layer.index},
          {"nivakod", layer.nivakod},
          {"nivakalla", layer.nivakalla},
          {"kommentar", Utf8(layer.kommentar)},
          {"nivatext", Utf8(layer.nivatext)},
          {"varden", std::move(varden)}};
}

Json InterpretationJson(CBorviTlk* tlk) {
  if (!tlk) return nullptr;
  Json layers = Json::array();
  if (tlk->Home() == 0) {
    do {
      layers.push_back(LayerJson(*tlk->Get_aktel()));
    } while ((*tlk)++);
  }
  return {{"gvy", FloatValue(tlk->gvy)}, {"layers", std::move(layers)}};
}

Json SamplesJson(CBorviPrv* prv) {
  if (!prv) return nullptr;
  return {{"hvarde", FloatValue(prv->hvarde)}, {"datum", Utf8(prv->datum)},
          {"hkod", prv->hkod},                  {"hkod100", prv->hkod100},
          {"guid", Utf8(prv->guid)},            {"records", RecordsJson(*prv)}};
}

// In the order the sounding file writes its blocks.
Json MethodsJson(CBorviSnd& snd) {
  Json methods = Json::array();
  AddBlock(methods, snd.dreie);
  AddBlock(methods, snd.ram);
  AddBlock(methods, snd.total);
  AddBlock(methods, snd.fjell);
  AddBlock(methods, snd.dtrykk);
  AddBlock(methods, snd.enkel);
  AddCpt(methods, snd.cpt);
  AddBlock(methods, snd.dpt);
  AddCoreBlock(methods, snd.karnborr);
  AddCoreBlock(methods, snd.vattenf);
  return methods;
}

}  // namespace

Json BoreholeJson(CBorviSnd& snd) {
  Json comments = Json::array();
  for (const std::string& line : snd.kommentar) comments.push_back(Utf8(line));
  Json out;
  out["id"] = Utf8(snd.id);
  out["x"] = snd.hvarde[0];
  out["y"] = snd.hvarde[1];
  out["z"] = snd.hvarde[2];
  out["sek"] = snd.hvarde[3];
  out["avst"] = snd.hvarde[4];
  out["start_depth"] = FloatValue(snd.startdjup);
  out["direction"] = snd.riktning;
  out["inclination"] = snd.lutning;
  out["comments"] = std::move(comments);
  out["origin"] = Utf8(snd.orgnamn);
  out["guid"] = Utf8(snd.guid);
  out["created"] = Utf8(snd.skapad);
  out["modified"] = Utf8(snd.andrad);
  out["bits"] = BitsJson(snd.bit);
  out["methods"] = MethodsJson(snd);
  out["interpretation"] = InterpretationJson(snd.tlk);
  out["samples"] = SamplesJson(snd.prv);
  out["groundwater"] = GroundwaterJson(snd.gvr);
  out["measurement"] = MeasurementJson(snd.mtn);
  out["environmental"] = EnvironmentalJson(snd.mil);
  out["vane"] = VaneJson(snd.vb);
  return out;
}

}  // namespace geoproj::tool
