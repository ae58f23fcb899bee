// The record and header of the line and outcrop database "KVARTOLI.SDBS". On disk the header is
// the first 324 bytes and each record 124 bytes, encoded field by field (see the offsets beside
// each field); nothing reads or writes these structs as a whole.
#pragma once

#include <cstdint>

// One map object: a line (type 5), an outcrop (type 2), or another object of the line program.
struct sadbstype {
  unsigned char typ;        //   0 object type; 0 = deleted
  unsigned char objekt;     //   1 object byte of an outcrop
  signed char kopptyp;      //   2 type of the record an outcrop refers to (1 or 6), -1 for none
  unsigned char res3;       //   3 kept as read
  unsigned char flagg;      //   4 bits 6 and 7: state of a line
  unsigned char res5[3];    //   5 kept as read
  double x;                 //   8 smallest x of the object
  double y;                 //  16 smallest y
  double z;                 //  24 smallest z
  double objv[3];           //  32 three values of the object
  double dx;                //  56 extent in x
  double dy;                //  64 extent in y
  double dz;                //  72 extent in z
  char id[16];              //  80 identifier, upper case; empty = deleted
  char fil[9];              //  96 file name of the ".LJE" or ".LAD" file, without extension
  char koppid[19];          // 105 identifier of the record an outcrop refers to
  std::int32_t filpos;      // in memory only: the record's file offset, 0 before it is written
};

// The header of the line database.
struct kvarhuvtype {
  char ver[37];             //   0 version text, "1.5"
  char namn[36];            //  37 database name
  char text73[13];          //  73 text of the host
  char skapad[11];          //  86 creation text, "yyyy-mm-dd"
  char text97[36];          //  97 texts of the host
  char text133[36];         // 133
  char text169[21];         // 169
  char text190[21];         // 190
  char koord[4];            // 211 "RAK" in a new database
  char riktning[5];         // 215 "NORR" in a new database
  std::int32_t antal;       // 220 records in use
  std::int32_t anttyp[9];   // 224 records in use of object type 1 to 9
  std::int32_t antdel;      // 260 deleted records inside the data area
  double xmin;              // 264 bounding box of all objects
  double xmax;              // 272
  double ymin;              // 280
  double ymax;              // 288
  double zmin;              // 296
  double zmax;              // 304
  double verdec;            // 312 version fraction beyond the version text
  std::int32_t endpos;      // 320 file offset just after the last record in use
};

// A record of the host that the line database only resets (CKvarBvDbs::BhdNull); its meaning is
// the host's.
struct kvarbvbhdtype {
  char id[16];
  double x, y, z;
  double dx, dy, dz;
  std::int32_t antal;
  std::int32_t antpunkt;
  std::int32_t index1;
  std::int32_t index2;
  double lutning;
};
