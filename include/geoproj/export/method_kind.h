// MethodKind: what the export knows of one kind of method block: its code and names, the fields
// of its records (name and value), where its depth is, what a log plots of it, and how it reads
// its block out of a sounding file. The kinds form one table; a block kind joins the exports
// and the logs by adding its entry there.
#pragma once

#include <vector>

class CBorviSnd;

namespace geoproj {

struct SoundingBlock;
class SoundingLog;

// One panel of a sounding log: a value plotted against depth.
struct PlotPanel {
  const char* field;  // a field of the kind's records
  const char* label;  // the scale's caption
};

struct MethodKind {
  int code;                          // the method code of the block
  const char* name;                  // short name, as the export writes it
  const char* title;                 // the log's heading
  std::vector<const char*> fields;   // the record fields, in export order
  const char* depthField;            // the field holding the depth in metres
  std::vector<PlotPanel> panels;     // what a log plots, left to right
  // Marks the flushing and hammering ranges of a read block (null: the kind has none).
  void (*markRanges)(SoundingBlock& block);
  // Appends the blocks of this kind a borehole holds.
  void (*collect)(CBorviSnd& snd, SoundingLog& log);

  // Every kind, in the order the sounding file writes its blocks.
  static const std::vector<MethodKind>& All();
  // The kind of a method code; null when the export knows none.
  static const MethodKind* Find(int code);
  int FieldIndex(const char* field) const;
};

}  // namespace geoproj
