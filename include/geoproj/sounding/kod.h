// kod: one entry of the code table of record free texts (soil types, rock and boulder marks,
// rotation and flushing marks, the own-sounding mark "MY").
#pragma once

#include <cstddef>
#include <type_traits>

struct kod {
  int mtrl;             // 1 for the soil-type codes, else 0
  int nummer;           // the code's number
  char nummertext[4];   // the number as text
  char bokstavkod[10];  // the letter form of the code (for some codes the number again)
  char symbol[6];       // plot-symbol characters, empty for none
  int tillaten[10];     // 1 when the method of that column may use the code; columns are method
                        // codes 20 to 29, and the cone penetration test (7) uses the first
};

static_assert(std::is_trivially_copyable_v<kod>);
static_assert(offsetof(kod, nummertext) == 8 && offsetof(kod, bokstavkod) == 12 &&
              offsetof(kod, symbol) == 22 && offsetof(kod, tillaten) == 28 && sizeof(kod) == 68);
