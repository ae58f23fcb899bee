// The borehole database header as held in memory. On disk it is the first 408 bytes of the
// database file, encoded field by field (see dbs_format.h); offsets are given beside each field.
#pragma once

#include <cstdint>

struct dbshuvtype {
  char ver[6];          //   0 version text, "3.0"
  char entrepr[31];     //   6 project text 1: contractor
  char projnamn[36];    //  37 project text 2: project name
  char projnr[13];      //  73 project text 3: project number
  char datum[11];       //  86 creation date "dd.mm.yyyy"
  char anm1[36];        //  97 project text 4: remarks, first line
  char anm2[36];        // 133 project text 5: remarks, second line
  char handlaggare[21]; // 169 project text 6: designer
  char ritningar[21];   // 190 project text 7: drawings
  char koord[5];        // 211 coordinate reference text: "LOK", "RAK" (or "NGO")
  std::int16_t antbh;   // 216 records of the borehole kind
  std::int16_t antavp;  // 218 records of the AVP kind
  std::int16_t res220;  // 220 kept as read
  std::int16_t antdel;  // 222 deleted records waiting to be packed out
  std::int16_t antgvr;  // 224 records of the groundwater/measurement kind
  std::int16_t antvb;   // 226 records of the vane kind
  double sekmin;        // 228 smallest chainage
  double sekmax;        // 236 largest chainage
  double xmin;          // 244
  double xmax;          // 252
  double ymin;          // 260
  double ymax;          // 268
  double zmin;          // 276 lowest level
  double zmax;          // 284 highest level
  double verdec;        // 292 version fraction beyond the version text
  std::int32_t uppdnr;  // 300 update number, raised by every writer
  std::int16_t seksep;  // 304 chainage separator character, '/' or '+'
  std::int16_t antmil;  // 306 records with environmental data
  std::int16_t antlin;  // 308 records of the line kind
  std::int16_t anthell; // 310 records of the outcrop kind
  std::int16_t guidflag;          // 312 1 when guid holds the database identifier
  unsigned char res314[10];       // 314 kept as read
  std::int32_t endpos;            // 324 file offset of the next new record
  std::int32_t urval[9];          // 328 carried into selections unread
  std::uint32_t guid[11];         // 364 database identifier, one group or byte per value
};
