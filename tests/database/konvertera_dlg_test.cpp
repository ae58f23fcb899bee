// The restore dialog's model: its texts, versions, buttons, questions, and the restore on its
// worker thread.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <geoproj/database/arktype.h>
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/konvertera_dlg.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/platform/proj_path.h>

#include "database/dbs_test_util.h"
#include "support/temp_dir.h"

namespace {

using geoproj::test::TempDir;

std::string Header(const char* version, double fraction) {
  std::string b(408, '\0');
  dbstest::PutText(b, 0, version);
  dbstest::PutText(b, 37, "Old project");
  dbstest::PutText(b, 211, "LOK");
  dbstest::PutF64(b, 292, fraction);
  dbstest::PutI32(b, 324, 500);
  return b;
}

std::string Sounding(const char* x) {
  std::string out;
  for (const std::string& line : {std::string(x), std::string("2.000000"), std::string("3.000000"),
                                 std::string("9999999.900000"), std::string("0.000000"),
                                 std::string("0.000000 0 90.000000"), std::string("*"),
                                 std::string("21 12.04.2021"),
                                 std::string("1.000000 90 0 0 1 0 GB2 GUID 5a5a5a5a-0000-4000-8000-0000000000") + x[0] + "1",
                                 std::string("  0.200   15 100      "), std::string("*")})
    out += line + "\r\n";
  return out;
}

class KonverteraTest : public ::testing::Test {
 protected:
  KonverteraTest() {
    proj_.SetPath(dir_.path().c_str());
    std::snprintf(ark_.namn, sizeof ark_.namn, "Road 42");
    geoproj::SetMessageHandler([this](const std::string& text, unsigned flags, const std::string&) {
      asked_.push_back(text);
      if ((flags & 0x0F) == geoproj::kMbYesNo) return answer_;
      return geoproj::kIdOk;
    });
  }
  ~KonverteraTest() override { geoproj::SetMessageHandler(nullptr); }

  std::string DbsName() const { return dir_.file("Solumbra.dbs"); }

  TempDir dir_;
  CProjPath proj_;
  arktype ark_{};
  std::vector<std::string> asked_;
  int answer_ = geoproj::kIdYes;
};

TEST_F(KonverteraTest, InitShowsTitleVersionsAndRange) {
  struct Case {
    std::string file;
    const char* from;
  };
  const Case cases[] = {{Header("2.1", 0.1), "2.1"}, {Header("3.0", 0.0), "3.0"},
                        {Header("2.2", 7.0), "2.0"},  // a fraction out of range counts as 0
                        {std::string("abc\0", 4), "abc"}};
  for (const Case& c : cases) {
    dir_.write("Solumbra.dbs", c.file);
    CBorviDbs dbs(&proj_);
    CKonverteraDlg dialog(DbsName().c_str(), &ark_, &dbs);
    EXPECT_EQ(dialog.OnInitDialog(), 1);
    const CKonverteraDlg::State s = dialog.GetState();
    EXPECT_EQ(s.title, "Konvertera projekt: Road 42");
    EXPECT_EQ(s.from, c.from);
    EXPECT_EQ(s.to, "3.0");
    EXPECT_EQ(s.progressMin, 1);
    EXPECT_EQ(s.progressMax, 100);
    EXPECT_TRUE(s.continueEnabled);
    EXPECT_TRUE(s.cancelEnabled);
    EXPECT_EQ(s.cancelText, "Cancel");
    EXPECT_EQ(s.row1, "Restore database - Solumbra");
  }
  EXPECT_TRUE(asked_.empty());
}

TEST_F(KonverteraTest, LockFileDisablesContinueWithTheWarning) {
  dir_.write("Solumbra.dbs", Header("3.0", 0.0));
  dir_.write("Solumbra.dbk", "Database busy!");
  CBorviDbs dbs(&proj_);
  CKonverteraDlg dialog(DbsName().c_str(), &ark_, &dbs);
  dialog.OnInitDialog();
  EXPECT_FALSE(dialog.GetState().continueEnabled);
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0],
            "Projektet \xE4r l\xE5st av annan anv\xE4ndare!\n"
            "Kontrollera att ingen annan arbetar med projektet.\n"
            "Om s\xE5 inte \xE4r fallet s\xE5 finns filen 'Solumbra.dbk'\n"
            "i projektet. Om du \xE4r helt s\xE4ker p\xE5 att ingen annan\n"
            "arbetar med just detta projekt kan filen raderas\n"
            "och konvertering genomf\xF6ras.");
  dialog.OnOK();
  EXPECT_FALSE(dialog.Wait());
  EXPECT_EQ(dir_.read("Solumbra.dbs"), Header("3.0", 0.0));
}

TEST_F(KonverteraTest, DowngradeAnsweredNoChangesNothing) {
  dir_.write("Solumbra.dbs", Header("3.1", 0.1));
  dir_.write("B1.SND", Sounding("1"));
  answer_ = geoproj::kIdNo;
  CBorviDbs dbs(&proj_);
  CKonverteraDlg dialog(DbsName().c_str(), &ark_, &dbs);
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.GetState().from, "3.1");
  dialog.OnOK();
  EXPECT_FALSE(dialog.Wait());
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0], "Warning, downgrade of version may result in loss of data!\nContinue anyway?");
  const CKonverteraDlg::State s = dialog.GetState();
  EXPECT_TRUE(s.continueEnabled);
  EXPECT_FALSE(s.done);
  EXPECT_EQ(dir_.read("Solumbra.dbs"), Header("3.1", 0.1));
}

TEST_F(KonverteraTest, ContinueRestoresOnTheWorkerAndReportsEveryStep) {
  dir_.write("Solumbra.dbs", Header("3.1", 0.1));
  dir_.write("B1.SND", Sounding("1"));
  dir_.write("B2.SND", Sounding("2"));
  CBorviDbs dbs(&proj_);
  CKonverteraDlg dialog(DbsName().c_str(), &ark_, &dbs);
  std::vector<CKonverteraDlg::State> seen;
  dialog.SetListener([&seen](const CKonverteraDlg::State& s) { seen.push_back(s); });
  dialog.OnInitDialog();
  dialog.OnOK();  // the downgrade question answered Yes
  ASSERT_TRUE(dialog.Wait());
  const CKonverteraDlg::State s = dialog.GetState();
  EXPECT_TRUE(s.done);
  EXPECT_EQ(s.result, 0);
  EXPECT_FALSE(s.continueEnabled);
  EXPECT_TRUE(s.cancelEnabled);
  EXPECT_EQ(s.cancelText, "Klar!");
  EXPECT_EQ(s.row1, "Restore: checking GUIDs - Completed");
  EXPECT_EQ(s.counts[0], "2");
  EXPECT_EQ(s.progress, 100);
  // Both buttons stay disabled for as long as the worker runs.
  bool checking = false;
  for (const CKonverteraDlg::State& step : seen) {
    if (!step.running) continue;
    EXPECT_FALSE(step.continueEnabled);
    EXPECT_FALSE(step.cancelEnabled);
    checking = checking || step.row1 == "Restore: checking GUIDs...";
  }
  EXPECT_TRUE(checking);
  CBorviDbs read(&proj_);
  ASSERT_EQ(read.Init(1, 0), 0);
  EXPECT_EQ(std::string(read.m_huv.projnamn), "Road 42");
  EXPECT_EQ(read.m_huv.antbh, 2);
}

TEST_F(KonverteraTest, KonverteraShowsTheDialogThroughTheHost) {
  dir_.write("Solumbra.dbs", Header("3.0", 0.0));
  dir_.write("B1.SND", Sounding("1"));
  CBorviDbs dbs(&proj_);
  int shown = 0;
  auto previous = CKonverteraDlg::SetDialogHandler([&shown](CKonverteraDlg& dialog) {
    ++shown;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.GetState().from, "3.0");
    dialog.OnOK();
  });
  EXPECT_EQ(dbs.Konvertera(&ark_), 1);
  CKonverteraDlg::SetDialogHandler(previous);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(dbs.m_huv.antbh, 1);
  // Without a host the dialog runs as if Continue were pressed.
  dir_.write("B2.SND", Sounding("2"));
  EXPECT_EQ(dbs.Konvertera(&ark_), 1);
  EXPECT_EQ(dbs.m_huv.antbh, 2);
}

}  // namespace
