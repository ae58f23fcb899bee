// CBorviTlk: construction, the material and level-source vocabularies, and the look-ups
// between material names, indices and the old material words of earlier file versions.
#include <geoproj/methods/borvi_tlk.h>

#include <cstring>
#include <iterator>

#include <geoproj/platform/files.h>

const tlkmtrltype CBorviTlk::m_mtrl[CBorviTlk::AntalMtrl] = {
    {"Ospecificerat material ", "Uspesifisert materiale", "Unspecified material", "NotSpecified",
     "+?"},
    {"Berg", "Berg", "Rock", "B", "BG"},
    {"Block", "Blokk", "Boulders", "Bl ", "+Bl"},
    {"Breccia", "Oppsprukket berg", "Fragmented rock", "Br", "+Br"},
    {"F\xF6rmodad f\xF6rorening", "Antatt forurensning", "Suspected contamination", "Cs", "+Cs"},
    {"Dy", "Dy", "Dy", "Dy", "+Dy"},
    {"Block och stenmor\xE4n", "Blokk og steinmorene", "Boulder and Cobble till", "BlMn", "+BM"},
    {"Ok\xE4nt material", "Ukjent mater", "Unknown Material", "X", "+X"},
    {"Gyttja", "Gytje", "Gyttja", "Gy", "+Gy"},
    {"Gyttjig lera", " Leirblandet gytje", "Gyttja-clay", "GyLe", "+GL"},
    {"Jord", "Jord", "Soil", "J", "+JO"},
    {"Lera", "Leire", "Clay", "Le", "+Le"},
    {"Matjord", "Matjord", "Topsoil", "Topsoil", "+TS"},
    {"Fyllning", "Fyllmasse", "Fill", "F", "+Fy"},
    {"Stenmor\xE4n", "Steinmorene", "Cobble till", "StMn", "+MS"},
    {"Grusmor\xE4n", "Grusmorene", "Gravel till", "GrMn", "+GM"},
    {"Sandmor\xE4n", "Sandmorene", "Sand till", "SaMn", "+SM"},
    {"Siltmor\xE4n", "Siltmorene", "Silt till", "SiMn", "+IM"},
    {"Lermor\xE4n", "Leiremorene", "Clay till", "LeMn", "+LM"},
    {"Mylla", "Humus", "Humus, topsoil", "Mu", "+My"},
    {"Sand", "Sand", "Sand", "Sa", "+Sa"},
    {"Silt", "Silt", "Silt", "Si", "+Si"},
    {"Skaljord", "Skjell", "Shells", "Sk", "+Sk"},
    {"Skalgrus", "Skjellgrus", "Shell gravel", "Skgr", "+SG"},
    {"Skalsand", "Skjellsand", "Shell sand", "Sksa", "+SS"},
    {"Kol", "Kull", "Coal", "Coal", "+Co"},
    {"Sulfid", "Suldidholdig sand", "Sulphide soil", "Su", "+Su"},
    {"Torv", "Torv", "Peat", "T", "+T"},
    {"L\xE5ghumifierad torv", "Lavforvitret torv", "Fibrous peat", "Tl", "+Tl"},
    {"Mellanhumifierad torv", "Mellomtorv", "Pseudo-fibrous peat", "Tm", "+Tm"},
    {"H\xF6ghumifierad torv", "Forvitret torv", "Amorphous peat", "Th", "+Th"},
    {"Organisk jord", "Annet organisk materiale", "Organic Soil", "Organic", "+Og"},
    {"Grus", "Grus", "Gravel", "Gr", "+Gr"},
    {"Torrskorpa", "T\xF8rrskorpe leire", "Dry-crust clay", "Let", "+Lt"},
    {"Kvicklera", "Kvikkleire", "Quick clay", "kLe", "+Kv"},
    {"Mor\xE4n", "Morene", "Till", "Mn", "+Mn"},
    {"Friktionsjord", "Friksjonsjord", "Non-cohesive soil", "Fr", "+Fr"},
    {"Kohesionsjord", "Kohesjonsjord", "Cohesive soil", "Cohesive", "+CH"},
    {"V\xE4xtdelar", "Planterester", "Plant (wood) remains", "Vx", "+VX"},
    {"Sten", "Stein", "Cobbles", "St", "+St"},
    {"Berg eller block", "Berg eller blokk", "Rock and Boulders", "BelBl", "+BB"},
};

const tlknivakallatype CBorviTlk::m_nivakalla[CBorviTlk::AntalNivakalla] = {
    {"Odefinierad", "Uspecifisert", "Undefined"},
    {"Fr\xE5n ritning", "Basert p\xE5 en tegning", "From drawing"},
    {"Fr\xE5n Sondering", "Basert p\xE5 en Sondering", "From Sounding"},
    {"Fr\xE5n Lab", "Basert p\xE5 Lab-resultat", "From Lab Test"},
    {"F\xF6rmodat berg", "Antatt berg", "Bedrock"},
    {"Bergborrning +3m", "Antatt berg, +3m borrning", "Bedrock, +3m drilling"},
    {"Observation", "Observasjon", "Observation"},
    {"Ber\xE4knas fr\xE5n My", "Beregnet fra terreng", "Calc. from terrain"},
    {"Prov i f\xE4lt", "Fra pr\xF8ve i felt", "From field sampling"},
};

namespace {

// Old files name materials by these words; the leading empty entries are part of the table and
// take part in the look-ups.
constexpr int kLeadingEmpty = 17;

struct OldWord {
  const char* text;
  int index;
};

constexpr OldWord kOldWords[] = {
    {"fyllning", 13}, {"mylla", 19},     {"torv", 27},  {"gyttja", 8},     {"torrskorpa", 33},
    {"lera", 11},     {"kvicklera", 34}, {"silt", 21},  {"sand", 20},      {"grus", 32},
    {"sten", 39},     {"friktjord", 36}, {"moraen", 35}, {"X", 7},         {"BelBl", 40},
    {"block", 2},     {"berg", 1},       {"geokonst", 0},
};

constexpr const char* kOldWordsUpper[] = {
    "FYLLNING", "MYLLA", "TORV",  "GYTTJA",    "TORRSKORPA", "LERA",       "KVICKLERA",
    "SILT",     "SAND",  "GRUS",  "STEN",      "FRIKTJORD",  "MOR\xC4N", "BERG",
};

constexpr const char* kFrictionSoils[] = {"friktjord", "sand", "sten", "grus", "moraen"};

// Index of the first row whose name in the chosen language equals text exactly; 0 when none.
int IndexOfName(const char* text, const char* tlkmtrltype::*language) {
  if (!text) return 0;
  for (int i = 0; i < CBorviTlk::AntalMtrl; ++i)
    if (std::strcmp(CBorviTlk::m_mtrl[i].*language, text) == 0) return i;
  return 0;
}

}  // namespace

CBorviTlk::CBorviTlk() = default;

CBorviTlk::CBorviTlk(int option1, int option2, int samlagring_)
    : m_option1(option1), m_option2(option2), samlagring(samlagring_) {
  gamlaOrd.assign(std::begin(kOldWordsUpper), std::end(kOldWordsUpper));
  gamlaText.assign(kLeadingEmpty, std::string());
  gamlaIndex.assign(kLeadingEmpty, 0);
  for (const OldWord& w : kOldWords) {
    gamlaText.emplace_back(w.text);
    gamlaIndex.push_back(w.index);
  }
}

CBorviTlk::~CBorviTlk() = default;

int CBorviTlk::SvTextToIndex(const char* text) const { return IndexOfName(text, &tlkmtrltype::sv); }

int CBorviTlk::NoTextToIndex(const char* text) const { return IndexOfName(text, &tlkmtrltype::no); }

int CBorviTlk::EnTextToIndex(const char* text) const { return IndexOfName(text, &tlkmtrltype::en); }

int CBorviTlk::OldtextToIndex(const char* text) const {
  const std::string word = text ? text : "";
  for (size_t i = 0; i < gamlaText.size() && i < gamlaIndex.size(); ++i)
    if (geoproj::EqualsNoCase(gamlaText[i], word)) return gamlaIndex[i];
  return 0;
}

int CBorviTlk::IndexToOldtext(int index, std::string& text) const {
  text = "X";
  for (size_t i = 0; i < gamlaText.size() && i < gamlaIndex.size(); ++i) {
    if (gamlaIndex[i] == index) {
      text = gamlaText[i];
      return 0;
    }
  }
  return -1;
}

int CBorviTlk::IfFrikt(const char* name) const {
  if (!name) return 0;
  for (const char* soil : kFrictionSoils)
    if (std::strcmp(soil, name) == 0) return 1;
  return 0;
}

int CBorviTlk::Sortval(int key) {
  if (!pael || !markel) return 0;
  if (key == 1) return pael->niva <= markel->niva ? 1 : 0;
  if (key == -1) return pael->niva < markel->niva ? 1 : 0;
  return 0;
}
