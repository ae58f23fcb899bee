// SoundingLog: one borehole as it is plotted and exported: its position and ground level, each
// method block with its records as named values, and the interpretation's layers. Read from a
// CBorviSnd that has read the borehole's files; nothing is parsed here.
#pragma once

#include <string>
#include <vector>

#include "geoproj/export/export_table.h"

class CBorviSnd;

namespace geoproj {

struct MethodKind;

// A depth range in metres below the ground, top first.
struct DepthRange {
  double top = 0.0;
  double bottom = 0.0;
};

struct SoundingBlock {
  const MethodKind* kind = nullptr;
  std::string date;  // as the block holds it, code page 1252
  int stop = 0;      // how the sounding ended
  std::vector<std::vector<ExportValue>> records;  // values in the order of kind->fields
  std::vector<std::string> texts;    // each record's free text, code page 1252
  std::vector<DepthRange> flushing;  // depth ranges sounded with flushing
  std::vector<DepthRange> hammering; // depth ranges sounded with hammering

  // The depth of a record, and a value of it as a number; NaN when it holds none.
  double Depth(std::size_t record) const;
  double Number(std::size_t record, const char* field) const;
  // The deepest depth of the block; 0 when it has no records.
  double MaxDepth() const;
};

struct SoundingLayer {
  double top = 0.0;  // metres below the ground
  std::string name;  // code page 1252
  int index = 0;     // material index of the interpretation's vocabulary
};

class SoundingLog {
 public:
  // Walks the method objects' lists (their cursors move).
  static SoundingLog Read(CBorviSnd& snd);

  std::string id;         // code page 1252
  double x = 0.0;         // northing
  double y = 0.0;         // easting
  double z = 0.0;         // ground level
  int stop = 0;           // the highest stop code of the blocks
  std::string created;    // date of the sounding file, empty when there is none
  std::string modified;
  std::vector<SoundingBlock> blocks;
  std::vector<SoundingLayer> layers;  // top down
  double groundwater = 0.0;           // depth of the groundwater level; NaN for none

  // The deepest depth of the blocks and layers.
  double MaxDepth() const;
};

}  // namespace geoproj
