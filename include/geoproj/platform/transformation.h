// CTransformation: the coordinate and height systems a project may name, by table index.
//
// Each table holds SIZE (SIZEHEIGHT) systems followed by one empty entry (number 0, name ""):
// the project information lookups accept an index equal to the stated size, so the entry at
// that index must exist. Table order is part of the project information file (it stores the
// index); new systems are only ever appended.
#pragma once

class CTransformation {
 public:
  static constexpr int SIZE = 45;
  static const int nrSystem[];           // EPSG numbers
  static const char* const defSystem[];  // display names

  static constexpr int SIZEHEIGHT = 4;
  static const int nrSystemHeight[];
  static const char* const defSystemHeight[];
};
