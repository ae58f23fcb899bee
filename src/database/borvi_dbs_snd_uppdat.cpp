// CBorviDbs::SndUppdat: the record of a borehole recomputed from its sounding file.
#include "geoproj/database/borvi_dbs.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/sounding/borvi_snd.h"

int CBorviDbs::SndUppdat(CBorviSnd* snd) {
  if (!snd) return -1;
  char key[sizeof snd->id];
  geoproj::CopyField(key, snd->id);
  if (Findid(key, -1) != 0) {
    Ny(1, nullptr);
    geoproj::CopyField(Get_aktel()->id, snd->id);
  }
  if (snd->Snd2Bhbit(Get_aktel()) != 0) return -1;
  return Uppdat(1, nullptr, 1);
}
