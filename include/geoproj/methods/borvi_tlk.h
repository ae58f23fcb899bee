// CBorviTlk: the interpreted soil profile of one borehole (method code 60), kept in the
// borehole's interpretation file ID.TLK or, in embedded mode, as a block in a file the caller
// passes. Layers run from the highest level to the lowest; each names a material of one fixed
// vocabulary and, for files of older versions, an old material word kept in step with it.
#pragma once

#include <string>
#include <vector>

#include "geoproj/foundation/list0.h"

class CStdioFileMem;

// One layer boundary. Plain and copied bytewise; a new layer is all zero.
struct matetype {
  char namn[12];       // old material word, lower case
  float niva;          // level of the boundary, metres (elevation)
  float varden[6];     // kept with the layer, not interpreted here
  int index;           // material index 0 to 40
  char nivatext[26];   // free text after the level
  char kommentar[26];  // free comment of the layer
  int nivakalla;       // level source 0 to 8
  int nivakod;         // level code 0 to 5
};

// One row of the material vocabulary.
struct tlkmtrltype {
  const char* sv;      // Swedish name
  const char* no;      // Norwegian name
  const char* en;      // English name
  const char* kort;    // short code
  const char* symbol;  // symbol code
};

// Display names of one level source.
struct tlknivakallatype {
  const char* sv;
  const char* no;
  const char* en;
};

class CBorviTlk : public list0<matetype> {
 public:
  static constexpr int Metod = 60;
  static constexpr int AntalMtrl = 41;
  static constexpr int AntalNivakalla = 9;
  // The material vocabulary, indexed by matetype::index.
  static const tlkmtrltype m_mtrl[AntalMtrl];
  // Display names of matetype::nivakalla.
  static const tlknivakallatype m_nivakalla[AntalNivakalla];

  // Empty interpretation without old-word tables: old-word look-ups yield index 0 and no text.
  CBorviTlk();
  // Empty interpretation with the sounding file's three settings and the old-word tables.
  CBorviTlk(int option1, int option2, int samlagring);
  ~CBorviTlk() override;

  // Reads the block from file, or the separate file name when file is null. id is not used.
  // 0 when a layer or a groundwater level was read, else -1. What it cannot take is reported
  // as dropped content of the file and counted in m_droppedContent.
  int Init(CStdioFileMem* file, const char* id, const char* name = nullptr);
  // Writes the block to file, or the separate file name when file is null.
  // 0 = written (or nothing to write to), -1 = refused in embedded mode without a file.
  int Uppdat(CStdioFileMem* file, const char* name = nullptr);

  // Index of the first material whose name in that language equals text exactly; 0 when none.
  int SvTextToIndex(const char* text) const;
  int NoTextToIndex(const char* text) const;
  int EnTextToIndex(const char* text) const;
  // Material index of an old word, without regard to case; 0 when unknown.
  int OldtextToIndex(const char* text) const;
  // The old word of a material index: 0 and the word, or -1 and "X" when it has none.
  int IndexToOldtext(int index, std::string& text) const;
  // 1 when name is exactly one of the friction-soil words.
  int IfFrikt(const char* name) const;

  // Searches the layers from the last upwards: mode 1 by old word, else by Norwegian name.
  // 1 with the found layer current, 0 when none.
  int FindMtrl(const char* text, int mode);
  // Reports layers lying directly below a rock layer; returns the number of findings.
  int DataCheck(int unused = 0);
  // Removes a block layer lying between two friction-soil layers; 1 when changed.
  int BlockIFrikt();
  void AddDZ(double dz);
  // Sets or adds the rock layer at level (rounded to centimetres).
  // 0 = added or moved, -1 = already there with both codes set.
  int InsertBerg(float level, int source);
  // Adds a boundary keeping the order from the highest level; -1 when it exists already.
  int AddTolkNiva(const char* name, float level);
  // Tidies a profile built by automatic interpretation; always 1.
  int TolkClean();

  int gvyLast = 0;       // 1 once a groundwater level was read
  float gvy = 0.0f;      // groundwater level, metres; 0 = none
  char skapad[11] = {};  // creation date of the file read, year-month-day
  char andrad[11] = {};  // last-write date of the file read, year-month-day
  std::vector<std::string> gamlaOrd;  // the old words in upper case, for the host
  std::vector<int> gamlaIndex;        // material index of each entry of gamlaText
  std::vector<std::string> gamlaText; // the old words, with 17 leading empty entries
  int m_option1 = 0;
  int m_option2 = 0;
  int samlagring = 0;    // non-zero: written as a block into the caller's file
  // Places the last Init could not take: a line that does not parse, binary garbage, a layer
  // cut off before its level, and in a file of its own the lines after its end line.
  int m_droppedContent = 0;

 protected:
  // Orders by level, highest first, for keys 1 and -1.
  int Sortval(int key) override;

 private:
  class BlockReader;
  int ReadBlock(CStdioFileMem* file);
  void ReadGroundwater(BlockReader& reader);
  void ReadLayer(BlockReader& reader, const std::string& layerLine);
  void WriteBlock(CStdioFileMem* file);
  void SyncName(matetype* m) const;
  void RemoveBlocks();
  void MergeRuns();
};
