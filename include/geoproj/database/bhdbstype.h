// The borehole index record and its status bits, as held in memory. On disk a record is 62
// bytes encoded field by field (the in-memory file offset is not stored).
#pragma once

#include <cstdint>

// Seven status bytes; byte 0 lies at record offset 9. The masks below name their bits.
struct bhbit {
  unsigned char b[7];
};

struct bhdbstype {
  char id[9];           // identifier, up to 8 characters, upper-cased
  bhbit bit;            // status bits
  double x;             // x coordinate
  double y;             // y coordinate
  double z;             // ground level
  double sek;           // chainage along the road line; CBorviDbs::m_sek_noll when none
  double avst;          // offset from the road line
  float djup;           // greatest depth (AVP kind: may hold a code text of up to 3 chars)
  std::uint16_t stopp;  // highest stop code
  std::int32_t filpos;  // memory only: file offset of the record, 0 when not yet written
};

namespace geoproj {

// Places of the status bits: byte index and mask.
struct BhBitPlace {
  int byte;
  unsigned char mask;
};

inline constexpr BhBitPlace kBitBorehole{0, 0x01};
inline constexpr BhBitPlace kBitAvp{0, 0x02};
inline constexpr BhBitPlace kBitOutcrop{0, 0x04};
inline constexpr BhBitPlace kBitLine{0, 0x08};
inline constexpr BhBitPlace kBitDpt{0, 0x10};
inline constexpr BhBitPlace kBitSample{1, 0x02};
inline constexpr BhBitPlace kBitSampleAux{1, 0x04};
inline constexpr BhBitPlace kBitSampleCiCaCc{1, 0x08};
inline constexpr BhBitPlace kBitHeaderValue{1, 0x40};
inline constexpr BhBitPlace kBitVane{1, 0x80};
inline constexpr BhBitPlace kBitSkvPg{2, 0x01};
inline constexpr unsigned char kGvrKindMask = 0x0E;  // byte 2, bits 1 to 3 as a number
inline constexpr BhBitPlace kBitInterpretation{2, 0x80};
inline constexpr BhBitPlace kBitMy{3, 0x80};
inline constexpr BhBitPlace kBitCpt{4, 0x01};
inline constexpr BhBitPlace kBitGvrGuid{4, 0x02};
inline constexpr BhBitPlace kBitWaterLoss{4, 0x20};
inline constexpr BhBitPlace kBitEnvironment{4, 0x40};
inline constexpr BhBitPlace kBitDreie{5, 0x01};
inline constexpr BhBitPlace kBitEnkel{5, 0x02};
inline constexpr BhBitPlace kBitDtrykk{5, 0x04};
inline constexpr BhBitPlace kBitRam{5, 0x08};
inline constexpr BhBitPlace kBitTotal{5, 0x10};
inline constexpr BhBitPlace kBitFjell{5, 0x20};
inline constexpr BhBitPlace kBitSampleOther{5, 0x40};
inline constexpr BhBitPlace kBitCoreDrilling{5, 0x80};
inline constexpr unsigned char kMeasurementTypeMask = 0x1F;  // byte 6, bits 0 to 4
inline constexpr BhBitPlace kBitInclined{6, 0x40};

inline bool HasBit(const bhbit& bits, BhBitPlace p) { return (bits.b[p.byte] & p.mask) != 0; }
inline void SetBit(bhbit& bits, BhBitPlace p) { bits.b[p.byte] |= p.mask; }
inline void ClearBit(bhbit& bits, BhBitPlace p) { bits.b[p.byte] &= static_cast<unsigned char>(~p.mask); }
// The groundwater/measurement kind number of byte 2 (0 none, 1 pipe, 4 measurement, 6 "DUB").
inline int GvrKind(const bhbit& bits) { return (bits.b[2] & kGvrKindMask) >> 1; }

}  // namespace geoproj
