// borviprjdattype: the project data of a borehole database, shaped like the first 306 bytes of
// the database header (fields, sizes and order as there, up to the chainage separator). The
// project data page fills one for the host, which writes it into the header.
#pragma once

#include <cstdint>

struct dbshuvtype;

struct borviprjdattype {
  char ver[6];          //   0 version text
  char entrepr[31];     //   6 contractor
  char projnamn[36];    //  37 project name
  char projnr[13];      //  73 project number
  char datum[11];       //  86 date "dd.mm.yyyy"
  char anm1[36];        //  97 remarks, first line
  char anm2[36];        // 133 remarks, second line
  char handlaggare[21]; // 169 designer
  char ritningar[21];   // 190 drawings
  char koord[5];        // 211 coordinate reference text: "LOK", "RAK"
  std::int16_t antbh;   // 216 records of the borehole kind
  std::int16_t antavp;  // 218
  std::int16_t res220;  // 220
  std::int16_t antdel;  // 222
  std::int16_t antgvr;  // 224
  std::int16_t antvb;   // 226
  double sekmin;        // 228 smallest chainage
  double sekmax;        // 236
  double xmin;          // 244
  double xmax;          // 252
  double ymin;          // 260
  double ymax;          // 268
  double zmin;          // 276
  double zmax;          // 284
  double verdec;        // 292
  std::int32_t uppdnr;  // 300
  std::int16_t seksep;  // 304 chainage separator, '/' or '+'
};

namespace geoproj {

// The record as the header holds it.
void PrjdFromHeader(const dbshuvtype& header, borviprjdattype* prjd);
// Puts what the project data page edits (the seven project texts, the date, the coordinate
// text and the separator) into the header; the counters, extents and version stay the
// database's. Every text is cut to its field.
void PrjdToHeader(const borviprjdattype& prjd, dbshuvtype* header);
// Whether the header holds what PrjdToHeader puts there.
bool HeaderHoldsPrjd(const dbshuvtype& header, const borviprjdattype& prjd);

}  // namespace geoproj
