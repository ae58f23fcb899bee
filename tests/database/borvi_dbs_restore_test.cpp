// Restoring a project: the database rebuilt from every kind of file, the GUID check and its log,
// the project texts of old headers, and a restore killed on the way.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <geoproj/database/arktype.h>
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/dbs_format.h>
#include <geoproj/database/konvertera_dlg.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/host_services.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/platform/safe_file.h>

#include "database/dbs_io.h"
#include "database/dbs_test_util.h"
#include "support/temp_dir.h"

namespace {

using geoproj::test::TempDir;

std::string CrLf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

std::string DemoFile(const std::string& name) {
  std::ifstream in(std::string(GEOPROJ_SOURCE_DIR) + "/examples/demo-project/" + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

constexpr const char* kSharedCpt = "5a5a5a5a-0000-4000-8000-00000000c0de";

// A borehole at (x, y) with a CPT block whose GUID is cpt_guid.
std::string CptSounding(const char* x, const char* y, const char* own_guid, const char* cpt_guid) {
  return CrLf({x, y, "10.000000", "9999999.900000", "0.000000", "0.000000 0 90.000000", "*", "97",
               "40 0", "*", "99", std::string("GUID ") + own_guid, "*", "7 2021-05-03",
               std::string("1.000000 92 0 0 1 0 CPT15 GUID ") + cpt_guid,
               "  0.100   8553     77    142  ", "  0.200   5767     52    228  ", "*"});
}

// A borehole whose rotary sounding has no GUID yet.
std::string SoundingWithoutGuid() {
  return CrLf({"300.000000", "400.000000", "12.000000", "9999999.900000", "0.000000",
               "0.000000 0 90.000000", "*", "97", "40 0", "*", "99",
               "GUID 5a5a5a5a-0000-4000-8000-000000000b03", "*", "21 12.04.2021",
               "1.000000 90 0 0 1 0 GB2", "  0.200   15 100      ", "  0.400   24 100      ", "*"});
}

// The groundwater pipe of the demo project without the GUID on its kind line, as another
// borehole (its own borehole GUID).
std::string PipeWithoutGuid() {
  std::string gvr = DemoFile("GW1.GVR");
  const std::size_t at = gvr.find(" GUID ");
  gvr = gvr.substr(0, at) + gvr.substr(gvr.find("\r\n", at));
  const std::size_t own = gvr.find("8ecf6927-5a4c-4864-b686-bedd4ed79d93");
  if (own != std::string::npos) gvr.replace(own, 36, "5a5a5a5a-0000-4000-8000-000000000905");
  return gvr;
}

// Answers Yes/No questions No and records everything shown.
class Messages {
 public:
  Messages() {
    geoproj::SetMessageHandler([this](const std::string& text, unsigned flags, const std::string&) {
      shown.push_back(text);
      return (flags & 0x0F) == geoproj::kMbYesNo ? geoproj::kIdNo : geoproj::kIdOk;
    });
  }
  ~Messages() { geoproj::SetMessageHandler(nullptr); }
  std::vector<std::string> shown;
};

class RestoreTest : public ::testing::Test {
 protected:
  RestoreTest() { proj_.SetPath(dir_.path().c_str()); }

  void WriteEveryKind() {
    dir_.write("B1.SND", CptSounding("100.000000", "200.000000", "5a5a5a5a-0000-4000-8000-000000000b01", kSharedCpt));
    dir_.write("b2.snd", CptSounding("103.000000", "204.000000", "5a5a5a5a-0000-4000-8000-000000000b02", kSharedCpt));
    dir_.write("B3.SND", SoundingWithoutGuid());
    dir_.write("b4.gvr", DemoFile("GW1.GVR"));
    dir_.write("G5.GVR", PipeWithoutGuid());
    dir_.write("M1.MTN", DemoFile("HS1.MTN"));
    dir_.write("V1.VB", DemoFile("VB1.VB"));
    dir_.write("X Y.SND", SoundingWithoutGuid());
    dir_.write("TOOLONGID.SND", SoundingWithoutGuid());
    dir_.write("PUNKTLISTA.TXT", CrLf({"P1 10.0 20.0 3.5 9999999.9 0.0 FIX", "P2 11 21 4 0 0",
                                       "B1 1 2 3 4 5 AVP", "P3 1 2", "BAD+ID 1 2 3 4 5", "*",
                                       "P9 1 2 3 4 5"}));
  }

  // Restores with a dialog that collects what it is shown.
  CKonverteraDlg::State Restore(arktype* ark = nullptr, int* rc = nullptr) {
    arktype none{};
    CKonverteraDlg dialog(dbs_.GetDbsFileName().c_str(), ark ? ark : &none, &dbs_);
    dialog.SetListener([this](const CKonverteraDlg::State& s) { progress_.push_back(s.progress); });
    const int result = dbs_.Restore(nullptr, ark ? ark : &none, &dialog);
    if (rc) *rc = result;
    return dialog.GetState();
  }

  std::map<std::string, bhdbstype> Records(CBorviDbs& dbs) {
    std::map<std::string, bhdbstype> out;
    if (dbs.Home() == 0) {
      do out[dbs.Get_aktel()->id] = *dbs.Get_aktel();
      while (dbs++);
    }
    return out;
  }

  std::vector<std::string> Ids(CBorviDbs& dbs) {
    std::vector<std::string> ids;
    if (dbs.Home() == 0) {
      do ids.push_back(dbs.Get_aktel()->id);
      while (dbs++);
    }
    return ids;
  }

  TempDir dir_;
  CProjPath proj_;
  CBorviDbs dbs_{&proj_};
  std::vector<int> progress_;
};

TEST_F(RestoreTest, EveryKindOfFileGivesItsRecord) {
  WriteEveryKind();
  const std::string b1 = dir_.read("B1.SND");
  Messages messages;
  int rc = -1;
  const CKonverteraDlg::State s = Restore(nullptr, &rc);
  ASSERT_EQ(rc, 0);

  EXPECT_EQ(s.counts[0], "4");  // B1, b2, B3 and the vane test
  EXPECT_EQ(s.counts[1], "2");
  EXPECT_EQ(s.counts[2], "1");
  EXPECT_EQ(s.counts[3], "2");  // P1 and P2; B1 is a borehole, P3 too short, BAD+ID no name
  EXPECT_EQ(s.counts[4], "0");
  EXPECT_EQ(s.row1, "Restore: checking GUIDs - Completed");
  ASSERT_FALSE(progress_.empty());
  EXPECT_EQ(progress_.back(), 100);
  for (std::size_t i = 1; i < progress_.size(); ++i) EXPECT_LE(progress_[i - 1], progress_[i]);

  CBorviDbs read(&proj_);
  ASSERT_EQ(read.Init(1, 0), 0);
  EXPECT_EQ(Ids(read), (std::vector<std::string>{"B1", "B2", "B3", "B4", "G5", "M1", "V1", "P1", "P2"}));
  auto records = Records(read);
  EXPECT_TRUE(records["B1"].bit.b[4] & 0x01);
  EXPECT_EQ(records["B1"].x, 100.0);  // the point file's B1 does not overwrite the borehole
  EXPECT_TRUE(records["B3"].bit.b[5] & 0x01);
  EXPECT_NE(geoproj::GvrKind(records["B4"].bit), 0);  // a pipe of kind "GD"
  EXPECT_EQ(geoproj::GvrKind(records["G5"].bit), geoproj::GvrKind(records["B4"].bit));
  EXPECT_EQ(geoproj::GvrKind(records["M1"].bit), 4);
  EXPECT_TRUE(records["V1"].bit.b[1] & 0x80);
  EXPECT_EQ(records["P1"].bit.b[0], 0x02);
  EXPECT_EQ(records["P1"].z, 3.5);
  char code[4];
  geoproj::GetKodText(records["P1"], code);
  EXPECT_STREQ(code, "FIX");
  read.Findid(const_cast<char*>(std::string("P2").data()));
  read.Kod(code);
  EXPECT_STREQ(code, "AVP");
  EXPECT_EQ(read.m_huv.antbh, 3);
  EXPECT_EQ(read.m_huv.antgvr, 3);
  EXPECT_EQ(read.m_huv.antvb, 1);
  EXPECT_EQ(read.m_huv.antavp, 2);
  EXPECT_EQ(std::string(read.m_huv.ver), "3.0");
  EXPECT_FALSE(read.GetReadReport().Damaged());

  // Blocks without a GUID got one, in their own files; files with all their GUIDs are untouched.
  EXPECT_NE(dir_.read("B3.SND").find("GB2 GUID "), std::string::npos);
  EXPECT_NE(dir_.read("G5.GVR").find(" GUID "), std::string::npos);
  EXPECT_EQ(dir_.read("B1.SND"), b1);
  EXPECT_EQ(dir_.read("X Y.SND"), SoundingWithoutGuid());

  EXPECT_EQ(dir_.read("GUIDFaults.txt"),
            "Error duplicate GUID! Id = B1 MethodCode = 7 CPT and Id = B2\r\n"
            "Distance 5.00 between Id = B1 and Id = B2\r\n");
  EXPECT_EQ(dbs_.GetRestoreLogName(), dir_.file("GUIDFaults.txt"));
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back(), "Show logfile with errors:\n" + dir_.file("GUIDFaults.txt") + " ?");
  EXPECT_FALSE(dir_.exists("Solumbra.dbk"));
  EXPECT_FALSE(dir_.exists(".Solumbra.dbs.geoproj-restore"));
}

TEST_F(RestoreTest, LineAndOutcropFilesGiveRecordsInBothDatabases) {
  ASSERT_EQ(mkdir(dir_.file("DBF").c_str(), 0755), 0);
  for (const char* name : {"L1.LJE", "L2.LJE", "H1.LAD"})
    dir_.write(std::string("DBF/") + name, DemoFile(std::string("DBF/") + name));
  dir_.write("KVARTOLI.SDBS", DemoFile("KVARTOLI.SDBS"));
  dir_.write("B1.SND", SoundingWithoutGuid());
  Messages messages;
  int rc = -1;
  const CKonverteraDlg::State s = Restore(nullptr, &rc);
  ASSERT_EQ(rc, 0);
  EXPECT_EQ(s.counts[0], "1");
  EXPECT_EQ(s.counts[4], "2");  // the outcrop is counted apart
  CBorviDbs read(&proj_);
  ASSERT_EQ(read.Init(1, 0), 0);
  EXPECT_EQ(Ids(read), (std::vector<std::string>{"B1", "H1", "L1", "L2"}));
  auto records = Records(read);
  EXPECT_EQ(records["L1"].bit.b[0], 0x08);
  EXPECT_EQ(records["H1"].bit.b[0], 0x04);
  EXPECT_EQ(read.m_huv.antlin, 2);
  EXPECT_EQ(read.m_huv.anthell, 1);
  CKvarBvDbs lines(&proj_, nullptr);
  ASSERT_EQ(lines.Init(1, 0), 0);
  std::vector<std::pair<int, std::string>> kept;
  if (lines.Home() == 0) {
    do kept.emplace_back(lines.Get_aktel()->typ, lines.Get_aktel()->id);
    while (lines++);
  }
  EXPECT_EQ(kept, (std::vector<std::pair<int, std::string>>{{2, "H1"}, {5, "L1"}, {5, "L2"}}));
  EXPECT_FALSE(dir_.exists(".KVARTOLI.SDBS.geoproj-restore"));
}

TEST_F(RestoreTest, LogTakesTheFirstFreeNameAndIdenticalPositionsAreSaid) {
  dir_.write("B1.SND", CptSounding("100.000000", "200.000000", "5a5a5a5a-0000-4000-8000-000000000b01", kSharedCpt));
  dir_.write("B2.SND", CptSounding("100.050000", "200.000000", "5a5a5a5a-0000-4000-8000-000000000b02",
                                   "5A5A5A5A-0000-4000-8000-00000000C0DE"));
  dir_.write("GUIDFaults.txt", "earlier\r\n");
  dir_.write("SOLUMBRA.Kursivlag.xml", "<cache/>");
  Messages messages;
  Restore();
  EXPECT_EQ(dir_.read("GUIDFaults.txt"), "earlier\r\n");
  EXPECT_EQ(dir_.read("GUIDFaults1.txt"),
            "Error duplicate GUID! Id = B1 MethodCode = 7 CPT and Id = B2\r\n"
            "Identical postions Id = B1 Id = B2\r\n");
  EXPECT_FALSE(dir_.exists("SOLUMBRA.Kursivlag.xml"));
}

TEST_F(RestoreTest, YesOpensTheLogWithItsAssociatedProgram) {
  dir_.write("B1.SND", CptSounding("1", "2", "5a5a5a5a-0000-4000-8000-000000000b01", kSharedCpt));
  dir_.write("B2.SND", CptSounding("1", "2", "5a5a5a5a-0000-4000-8000-000000000b02", kSharedCpt));
  geoproj::SetMessageHandler([](const std::string&, unsigned, const std::string&) { return geoproj::kIdYes; });
  std::vector<std::string> started;
  auto association = geoproj::SetAssociationHandler([](const std::string&) { return std::string("viewer"); });
  auto shell = geoproj::SetShellHandler(
      [&started](const std::string& verb, const std::string& path, const std::string&) {
        started.push_back(verb + " " + path);
        return true;
      });
  Restore();
  geoproj::SetAssociationHandler(association);
  geoproj::SetShellHandler(shell);
  geoproj::SetMessageHandler(nullptr);
  EXPECT_EQ(started, std::vector<std::string>{"open " + dir_.file("GUIDFaults.txt")});
}

TEST_F(RestoreTest, NoDuplicateNoLogAndNoQuestion) {
  dir_.write("B1.SND", CptSounding("1", "2", "5a5a5a5a-0000-4000-8000-000000000b01", kSharedCpt));
  Messages messages;
  int rc = -1;
  Restore(nullptr, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_TRUE(dbs_.GetRestoreLogName().empty());
  EXPECT_FALSE(dir_.exists("GUIDFaults.txt"));
  EXPECT_TRUE(messages.shown.empty());
}

// A header of the old layout: version text and project texts at their offsets.
std::string OldHeader(const char* version, double fraction, const char* koord) {
  std::string b(408, '\0');
  dbstest::PutText(b, 0, version);
  dbstest::PutText(b, 6, "Contractor AB");
  dbstest::PutText(b, 37, "Old project");
  dbstest::PutText(b, 73, "P-123");
  dbstest::PutText(b, 86, "01.02.1999");
  dbstest::PutText(b, 97, "Remark one");
  dbstest::PutText(b, 133, "Remark two");
  dbstest::PutText(b, 169, "Designer");
  dbstest::PutText(b, 190, "Drawings");
  dbstest::PutText(b, 211, koord);
  dbstest::PutF64(b, 292, fraction);
  dbstest::PutI32(b, 300, 41);
  dbstest::PutI16(b, 304, 43);
  return b;
}

TEST_F(RestoreTest, OldVersionsKeepTheirProjectTexts) {
  struct Case {
    const char* version;
    double fraction;
    const char* koord;
    const char* kept_koord;
    bool keeps_separator;
  };
  const Case cases[] = {{"2.1", 0.1, "NGO", "NGO", false}, {"2.0", 0.0, "RAK", "LOK", false},
                        {"2.2", 0.2, "LOK", "LOK", true},  {"3.0", 0.0, "xy", "LOK", true}};
  for (const Case& c : cases) {
    TempDir dir;
    CProjPath proj;
    proj.SetPath(dir.path().c_str());
    dir.write("Solumbra.dbs", OldHeader(c.version, c.fraction, c.koord) + std::string(92, '\0'));
    CBorviDbs dbs(&proj);
    arktype ark{};
    ASSERT_EQ(dbs.Restore(nullptr, &ark, nullptr), 0) << c.version;
    const std::string file = dir.read("Solumbra.dbs");
    ASSERT_EQ(file.size(), 408u) << c.version;
    EXPECT_EQ(file.substr(0, 4), std::string("3.0\0", 4)) << c.version;
    EXPECT_EQ(std::string(file.c_str() + 6), "Contractor AB");
    EXPECT_EQ(std::string(file.c_str() + 37), "Old project");
    EXPECT_EQ(std::string(file.c_str() + 73), "P-123");
    EXPECT_EQ(std::string(file.c_str() + 86), "01.02.1999");
    EXPECT_EQ(std::string(file.c_str() + 97), "Remark one");
    EXPECT_EQ(std::string(file.c_str() + 133), "Remark two");
    EXPECT_EQ(std::string(file.c_str() + 169), "Designer");
    EXPECT_EQ(std::string(file.c_str() + 190), "Drawings");
    EXPECT_EQ(std::string(file.c_str() + 211), c.kept_koord) << c.version;
    EXPECT_EQ(dbstest::GetI32(file, 300), 42) << c.version;  // the old number, one write on
    EXPECT_EQ(dbstest::GetI16(file, 304), c.keeps_separator ? 43 : 0) << c.version;
    EXPECT_EQ(dbstest::GetI32(file, 324), 500);
    EXPECT_EQ(dbstest::GetF64(file, 292), 0.0);
  }
}

TEST_F(RestoreTest, ProjectNameFromTheHostReplacesTheOldOne) {
  dir_.write("Solumbra.dbs", OldHeader("2.1", 0.1, "LOK"));
  arktype ark{};
  std::memset(ark.namn, 'N', sizeof ark.namn);  // no terminator: 35 characters are taken
  ASSERT_EQ(dbs_.Restore(nullptr, &ark, nullptr), 0);
  const std::string file = dir_.read("Solumbra.dbs");
  EXPECT_EQ(std::string(file.c_str() + 37), std::string(35, 'N'));
  EXPECT_EQ(std::string(file.c_str() + 73), "P-123");
}

TEST_F(RestoreTest, EmptyOrMissingDatabaseTakesTheHostsTexts) {
  for (bool present : {true, false}) {
    TempDir dir;
    CProjPath proj;
    proj.SetPath(dir.path().c_str());
    if (present) dir.write("Solumbra.dbs", "3");
    CBorviDbs dbs(&proj);
    arktype ark{};
    std::snprintf(ark.namn, sizeof ark.namn, "New project");
    std::memset(ark.text2, 'S', sizeof ark.text2);  // longer than the 12 of its field
    std::snprintf(ark.datum, sizeof ark.datum, "24.12.2020");
    ASSERT_EQ(dbs.Restore(nullptr, &ark, nullptr), 0);
    const std::string file = dir.read("Solumbra.dbs");
    ASSERT_EQ(file.size(), 408u);
    EXPECT_EQ(std::string(file.c_str() + 6), "");
    EXPECT_EQ(std::string(file.c_str() + 37), "New project");
    EXPECT_EQ(std::string(file.c_str() + 73), std::string(12, 'S'));
    EXPECT_EQ(std::string(file.c_str() + 86), "24.12.2020");
    EXPECT_EQ(std::string(file.c_str() + 211), "LOK");
    EXPECT_EQ(dbstest::GetI32(file, 300), 1);
    EXPECT_EQ(dbstest::GetI16(file, 312), 1);  // the new database has its identifier
  }
}

TEST_F(RestoreTest, LockHeldByAnotherStopsTheRestoreAndKeepsTheDatabase) {
  dir_.write("Solumbra.dbs", OldHeader("3.0", 0.0, "LOK"));
  dir_.write("Solumbra.dbk", "Database busy!");
  dir_.write("B1.SND", SoundingWithoutGuid());
  EXPECT_EQ(dbs_.Restore(nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(dir_.read("Solumbra.dbs"), OldHeader("3.0", 0.0, "LOK"));
  EXPECT_EQ(dir_.read("B1.SND"), SoundingWithoutGuid());
  EXPECT_TRUE(dir_.exists("Solumbra.dbk"));
}

// Restores in a child process that kills itself at step `at`; the parent sees what is left.
void RestoreKilledAt(const std::string& dir, int at) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    static int kill_at;
    kill_at = at;
    geoproj::dbs::g_restoreStepForTest = [](int step) {
      if (step == kill_at) raise(SIGKILL);
    };
    CProjPath proj;
    proj.SetPath(dir.c_str());
    CBorviDbs dbs(&proj);
    dbs.Restore(nullptr, nullptr, nullptr);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "killed at " << at;
}

TEST_F(RestoreTest, KilledRestoreLeavesAProjectThatOpensAndRestoresAgain) {
  WriteEveryKind();
  Messages messages;
  ASSERT_EQ(dbs_.Restore(nullptr, nullptr, nullptr), 0);
  const std::string database = dir_.read("Solumbra.dbs");
  std::map<std::string, std::string> files;
  for (const char* name : {"B1.SND", "b2.snd", "B3.SND", "b4.gvr", "G5.GVR", "M1.MTN", "V1.VB"})
    files[name] = dir_.read(name);
  // Again from files that lack their GUIDs, so that the kill also meets the writing back.
  dir_.write("B3.SND", SoundingWithoutGuid());
  dir_.write("G5.GVR", PipeWithoutGuid());
  for (int at : {1, 3, 5, 12, -1}) {
    RestoreKilledAt(dir_.path(), at);
    // The killed restore's lock file is left, as after any killed writer; nothing else is.
    ASSERT_TRUE(geoproj::RemoveFile(dir_.file("Solumbra.dbk")));
    CBorviDbs read(&proj_);
    ASSERT_EQ(read.Init(1, 0), 0) << "killed at " << at;
    EXPECT_FALSE(read.GetReadReport().Damaged()) << "killed at " << at;
    EXPECT_EQ(Ids(read).size(), 9u) << "killed at " << at;  // the old database, whole
    // Every borehole file reads whole, written back or not.
    for (const auto& [name, bytes] : files) {
      // As any reader of ours sees it: a rewrite the kill cut short is completed first.
      std::string now;
      ASSERT_TRUE(geoproj::ReadWholeFile(dir_.file(name), &now)) << name;
      // Written back whole, or not yet touched.
      if (name == "B3.SND")
        EXPECT_TRUE(now == SoundingWithoutGuid() || now.find("GB2 GUID ") != std::string::npos)
            << "killed at " << at;
      else if (name == "G5.GVR")
        EXPECT_TRUE(now == PipeWithoutGuid() || now.find(" GUID ") != std::string::npos)
            << "killed at " << at;
      else
        EXPECT_EQ(now, bytes) << name << " killed at " << at;
    }
  }
  CBorviDbs again(&proj_);
  ASSERT_EQ(again.Restore(nullptr, nullptr, nullptr), 0);
  CBorviDbs read(&proj_);
  ASSERT_EQ(read.Init(1, 0), 0);
  EXPECT_EQ(Ids(read), (std::vector<std::string>{"B1", "B2", "B3", "B4", "G5", "M1", "V1", "P1", "P2"}));
  EXPECT_EQ(dir_.read("Solumbra.dbs").size(), database.size());
  EXPECT_FALSE(dir_.exists(".Solumbra.dbs.geoproj-restore"));
}

}  // namespace
