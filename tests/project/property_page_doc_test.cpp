// The document page: where the project document is found, opening it through the desktop,
// choosing it with the file dialog, the explorer, and leaving the page.
#include <geoproj/project/property_page_doc.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <geoproj/platform/files.h>
#include <geoproj/project/property_info_frame.h>

#include "project/document_path.h"
#include "project/sheet_fixture.h"

namespace {

using namespace sheettest;
using dbstest::Messages;

class DocPage : public ::testing::Test {
 protected:
  DocPage() : p(false) {
    p.dir.write("Rapport.docx", "doc");
    ::mkdir(p.dir.file("Bilagor").c_str(), 0755);
    p.dir.write("Bilagor/Karta.pdf", "pdf");
    EXPECT_EQ(frame.SetProj(&p.path, "Demo", nullptr, nullptr), 0);
  }
  CPropertyPageDoc& page() { return frame.m_sheet.m_pageDoc; }
  std::string Resolve(const std::string& name) {
    page().m_document = name;
    std::string full = "(none)";
    return page().ResolveDocument(&full) == 0 ? full : "(none)";
  }

  SheetProject p;
  Desktop desktop;
  CPropertyInfoFrame frame;
};

TEST_F(DocPage, DocumentNamesResolve) {
  const std::string sep(1, geoproj::kPathSep);
  const std::string absolute = p.dir.file("Rapport.docx");
  EXPECT_EQ(Resolve(""), "(none)");
  EXPECT_EQ(Resolve(absolute), absolute);
  EXPECT_EQ(Resolve("Rapport.docx"), p.dir.path() + sep + "Rapport.docx");
  EXPECT_EQ(Resolve("RAPPORT.DOCX"), p.dir.path() + sep + "RAPPORT.DOCX");
  EXPECT_EQ(Resolve("Bilagor" + sep + "Karta.pdf"), p.dir.path() + sep + "Bilagor" + sep + "Karta.pdf");
  // Written on the other platform with backslashes.
  EXPECT_EQ(Resolve("Bilagor\\Karta.pdf"), p.dir.path() + sep + "Bilagor" + sep + "Karta.pdf");
  EXPECT_EQ(Resolve("Saknas.docx"), "(none)");
  EXPECT_EQ(Resolve("\\\\server\\projekt\\Rapport.docx"), "(none)");
  EXPECT_EQ(Resolve("C:\\Rapport.docx"), "(none)");
  EXPECT_EQ(Resolve(p.dir.file("Saknas.docx")), "(none)");
  EXPECT_EQ(Resolve("Bilagor"), "(none)");  // a folder is no document
}

TEST_F(DocPage, ARelativeDocumentOpensThroughItsFullPath) {
  desktop.program = "ordbehandlare";
  page().m_document = "Rapport.docx";
  Messages log;
  EXPECT_EQ(page().OnOpenDocument(), 0);
  const std::string full = geoproj::JoinPath(p.dir.path(), "Rapport.docx");
  ASSERT_EQ(desktop.asked_association.size(), 1u);
  EXPECT_EQ(desktop.asked_association[0], full);
  ASSERT_EQ(desktop.started.size(), 1u);
  EXPECT_EQ(desktop.started[0], "open " + full + " in " + p.dir.path());
  EXPECT_TRUE(log.shown().empty());
}

TEST_F(DocPage, ADocumentWithoutProgramOrFileIsReported) {
  Messages log;
  page().m_document = "Rapport.docx";
  EXPECT_EQ(page().OnOpenDocument(), -1);
  page().m_document = "Saknas.docx";
  EXPECT_EQ(page().OnOpenDocument(), -1);
  EXPECT_TRUE(desktop.started.empty());
  ASSERT_EQ(log.shown().size(), 2u);
  EXPECT_EQ(log.shown()[0].text, "Inget program \xE4r associerat med genv\xE4gen :\n" +
                                     geoproj::JoinPath(p.dir.path(), "Rapport.docx") +
                                     "\nAssociera filtyp i Windows!");
  EXPECT_EQ(log.shown()[0].flags, geoproj::kMbOk);
  EXPECT_EQ(log.shown()[1].text, "Document: Saknas.docx is missing !");
  EXPECT_EQ(log.shown()[1].flags, kWarnOk);
}

TEST_F(DocPage, WithoutADesktopNothingIsStarted) {
  geoproj::SetAssociationHandler({});
  geoproj::SetShellHandler({});
  geoproj::SetFileDialogHandler({});
  Messages log;
  page().m_document = "Rapport.docx";
  EXPECT_EQ(page().OnOpenDocument(), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text.substr(0, 14), "Inget program ");
  EXPECT_EQ(page().OnOpenExplorer(), -1);
  EXPECT_EQ(page().OnBrowseDocument(), 0);
  EXPECT_EQ(frame.m_sheet.m_info->changed, 0);
}

TEST_F(DocPage, BrowsingStoresTheChosenFileRelativeToTheProject) {
  const std::string sep(1, geoproj::kPathSep);
  desktop.choose = p.dir.file("Bilagor/Karta.pdf");
  EXPECT_EQ(page().OnBrowseDocument(), 1);
  EXPECT_EQ(desktop.dialog_title, "V\xE4lj Dokumentfil f\xF6r projektet");
  EXPECT_EQ(desktop.dialog_start, "Rapport.docx");
  EXPECT_EQ(page().m_document, "Bilagor" + sep + "Karta.pdf");
  EXPECT_EQ(frame.m_sheet.m_info->changed, 1);
  ASSERT_EQ(frame.m_sheet.OnApply(), 0);
  EXPECT_EQ(p.info().substr(0, 41), "Geoteknik Nord AB\r\nBilagor" + sep + "Karta.pdf\r\nV\xE4g");
  desktop.choose.clear();  // cancelled
  EXPECT_EQ(page().OnBrowseDocument(), 0);
  EXPECT_EQ(page().m_document, "Bilagor" + sep + "Karta.pdf");
}

TEST(DocumentPath, RelativePathsAreFormedOnTheSameRoot) {
  const std::string s(1, geoproj::kPathSep);
  EXPECT_EQ(geoproj::RelativeToDirectory("C:\\Projekt\\P1", "C:\\Projekt\\P1\\Doc\\a.pdf"),
            "Doc" + s + "a.pdf");
  EXPECT_EQ(geoproj::RelativeToDirectory("C:\\Projekt\\P1", "c:\\Projekt\\P2\\a.pdf"),
            ".." + s + "P2" + s + "a.pdf");
  EXPECT_EQ(geoproj::RelativeToDirectory("C:\\Projekt\\P1", "D:\\a.pdf"), "D:\\a.pdf");
  EXPECT_EQ(geoproj::RelativeToDirectory("C:\\P", "\\\\server\\share\\a.pdf"),
            "\\\\server\\share\\a.pdf");
  EXPECT_EQ(geoproj::RelativeToDirectory("/home/p/proj/", "/home/p/a.pdf"), ".." + s + "a.pdf");
  EXPECT_EQ(geoproj::RelativeToDirectory("/home/p", "/home/p/./x/a.pdf"), "x" + s + "a.pdf");
  EXPECT_EQ(geoproj::RelativeToDirectory("/home/p", "a.pdf"), "a.pdf");
}

TEST_F(DocPage, ExplorerOpensTheProjectDirectory) {
  EXPECT_EQ(page().OnOpenExplorer(), 0);
  ASSERT_EQ(desktop.started.size(), 1u);
  EXPECT_EQ(desktop.started[0], "explore " + p.dir.path() + " in " + p.dir.path());
}

struct LeaveCase {
  const char* name;
  const char* document;
  int answer;
  bool asked;
  bool leaves;
};

class DocLeave : public DocPage, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(DocLeave, AMissingDocumentAsksBeforeLeavingThePage) {
  const LeaveCase& c = GetParam();
  page().m_document = c.document;
  Messages log({c.answer});
  EXPECT_EQ(page().OnKillActive(), c.leaves);
  ASSERT_EQ(log.shown().size(), c.asked ? 1u : 0u);
  if (c.asked) {
    EXPECT_EQ(log.shown()[0].text,
              std::string("Dokumentet: ") + c.document + " finns inte\nFors\xE4tt \xE4nd\xE5?");
    EXPECT_EQ(log.shown()[0].flags, geoproj::kMbYesNo);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DocLeave,
    ::testing::Values(LeaveCase{"Found", "Rapport.docx", geoproj::kIdNo, false, true},
                      LeaveCase{"Empty", "", geoproj::kIdNo, false, true},
                      LeaveCase{"MissingYes", "Saknas.docx", geoproj::kIdYes, true, true},
                      LeaveCase{"MissingNo", "Saknas.docx", geoproj::kIdNo, true, false},
                      LeaveCase{"MissingCancel", "Saknas.docx", geoproj::kIdCancel, true, false}),
    [](const ::testing::TestParamInfo<LeaveCase>& info) { return info.param.name; });

}  // namespace
