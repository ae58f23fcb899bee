// The measurement reference file and the statistics of a reference series.
#include <geoproj/groundwater/mat_referens_data.h>
#include <geoproj/groundwater/mat_referens_lista.h>
#include <geoproj/platform/borv_ini.h>

#include <gtest/gtest.h>

#include "groundwater/gvr_fixture.h"

namespace geoproj::test {
namespace {

using Referens = GroundwaterTest;

const char kFile[] =
    "*\nstation norr med l\xE5ngt namn\n12\n6543210.5 1234567.25\n"
    "2020 1 1 1.0 a\n2020 2 1 3.0 b 0.5 0.25\n\n2020 3 1 2.0 c 9\n"
    "*\nSYD\n13\n1 2\n";

TEST_F(Referens, ReadsEveryReferenceWithItsValues) {
  dir.write("GVRREF.DAT", OnDisk(kFile));
  CBorvIni ini(dir.path().c_str());
  CMatReferensLista lista(&ini);
  EXPECT_EQ(lista.Init(), 0);
  EXPECT_EQ(lista.m_droppedContent, 0);
  int antal = 0;
  lista.Where(&antal);
  ASSERT_EQ(antal, 2);
  matreflisttype* norr = lista.Find("Station Norr me");
  ASSERT_NE(norr, nullptr);
  EXPECT_STREQ(norr->namn, "station norr me");
  EXPECT_EQ(norr->nummer, 12);
  EXPECT_DOUBLE_EQ(norr->koord2, 1234567.25);
  ASSERT_NE(norr->data, nullptr);
  int values = 0;
  norr->data->Where(&values);
  EXPECT_EQ(values, 3);  // the empty line holds none
  norr->data->Home();
  EXPECT_FLOAT_EQ(norr->data->Get_aktel()->extra1, 0.0f);
  (*norr->data)++;
  EXPECT_FLOAT_EQ(norr->data->Get_aktel()->extra1, 0.5f);
  EXPECT_FLOAT_EQ(norr->data->Get_aktel()->extra2, 0.25f);
  EXPECT_STREQ(norr->data->Get_aktel()->text, "b");
  (*norr->data)++;
  EXPECT_FLOAT_EQ(norr->data->Get_aktel()->extra1, 0.0f);  // six fields are not seven
  matreflisttype* syd = lista.Find("syd");
  ASSERT_NE(syd, nullptr);
  EXPECT_EQ(syd->data, nullptr);
  EXPECT_EQ(lista.Find("VAST"), nullptr);
}

TEST_F(Referens, FirstLineMustStartAReference) {
  dir.write("GVRREF.DAT", OnDisk(std::string("rubrik\n") + kFile));
  CBorvIni ini(dir.path().c_str());
  CMatReferensLista lista(&ini);
  lista.Init();
  EXPECT_EQ(lista.Find("SYD"), nullptr);
  EXPECT_EQ(lista.m_droppedContent, 1);
  CMatReferensLista none(nullptr);
  none.Init();
  EXPECT_EQ(none.Find("SYD"), nullptr);
}

TEST_F(Referens, StatisticsWithAndWithoutPeriod) {
  dir.write("GVRREF.DAT", OnDisk(kFile));
  CBorvIni ini(dir.path().c_str());
  CMatReferensLista lista(&ini);
  lista.Init();
  CMatReferensData* data = lista.Find("STATION NORR ME")->data;
  double min = 0, max = 0, mean = 0;
  EXPECT_EQ(data->MinMaxMedel(&min, &max, &mean, nullptr, nullptr), 3);
  EXPECT_DOUBLE_EQ(min, 1.0);
  EXPECT_DOUBLE_EQ(max, 3.0);
  EXPECT_DOUBLE_EQ(mean, 2.0);
  const OleDateTime from = MakeOleDateTime(2020, 2, 1), to = MakeOleDateTime(2020, 3, 1);
  EXPECT_EQ(data->MinMaxMedel(&min, &max, &mean, &from, &to), 2);
  EXPECT_DOUBLE_EQ(mean, 2.5);
  const OleDateTime late = MakeOleDateTime(2021, 1, 1), later = MakeOleDateTime(2021, 2, 1);
  min = max = mean = -4;
  EXPECT_EQ(data->MinMaxMedel(&min, &max, &mean, &late, &later), 0);
  EXPECT_EQ(mean, -4.0);
}

}  // namespace
}  // namespace geoproj::test
