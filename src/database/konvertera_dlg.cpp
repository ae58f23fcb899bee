#include <geoproj/database/konvertera_dlg.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <utility>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

#include "database/dbs_old_header.h"

const char* const CKonverteraDlg::m_sResource = "Restore project:";
const char* const CKonverteraDlg::m_sRad1 = "Restore database - Solumbra";
const char* const CKonverteraDlg::m_sFran = "Database will be converted from version:";
const char* const CKonverteraDlg::m_sTill = "to:";
const char* const CKonverteraDlg::m_sSond = "Restoring sonding:";
const char* const CKonverteraDlg::m_sGvr = "groundwater/settlement:";
const char* const CKonverteraDlg::m_sMtn = "measurement:";
const char* const CKonverteraDlg::m_sTerrang = "terrain points:";
const char* const CKonverteraDlg::m_sLinjer = "lines:";
const char* const CKonverteraDlg::m_sFortsatt = "Continue";
const char* const CKonverteraDlg::m_sAvbryt = "Cancel";
const char* const CKonverteraDlg::m_sKlar = "Klar!";

namespace {

constexpr const char* kLocked =
    "Projektet \xE4r l\xE5st av annan anv\xE4ndare!\n"
    "Kontrollera att ingen annan arbetar med projektet.\n"
    "Om s\xE5 inte \xE4r fallet s\xE5 finns filen 'Solumbra.dbk'\n"
    "i projektet. Om du \xE4r helt s\xE4ker p\xE5 att ingen annan\n"
    "arbetar med just detta projekt kan filen raderas\n"
    "och konvertering genomf\xF6ras.";

constexpr const char* kDowngrade =
    "Warning, downgrade of version may result in loss of data!\nContinue anyway?";

CKonverteraDlg::DialogHandler& Handler() {
  static CKonverteraDlg::DialogHandler handler;
  return handler;
}

// A version text as a number; 3.0 when it does not read as one.
double VersionNumber(const std::string& text) {
  double value = 0.0;
  return std::sscanf(text.c_str(), "%lf", &value) == 1 ? value : 3.0;
}

}  // namespace

CKonverteraDlg::CKonverteraDlg(const char* name, const arktype* ark, CBorviDbs* database, void*)
    : m_name(name ? name : ""), m_dbs(database) {
  if (ark) std::memcpy(&m_ark, ark, sizeof m_ark);
  m_state.row1 = m_sRad1;
  m_state.cancelText = m_sAvbryt;
  for (std::string& count : m_state.counts) count = "0";
}

CKonverteraDlg::~CKonverteraDlg() { Wait(); }

template <class Change>
void CKonverteraDlg::Update(Change change) {
  State now;
  Listener listener;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    change(m_state);
    now = m_state;
    listener = m_listener;
  }
  if (listener) listener(now);
}

std::string CKonverteraDlg::LockPath() const {
  if (m_name.size() < 3) return m_name;
  return m_name.substr(0, m_name.size() - 3) + "dbk";
}

std::string CKonverteraDlg::FileVersionText() const {
  std::string bytes;
  std::FILE* file = geoproj::OpenFile(m_name, "rb");
  if (!file) return std::string();
  char buffer[408];
  bytes.assign(buffer, std::fread(buffer, 1, sizeof buffer, file));
  std::fclose(file);
  return geoproj::dbs::VersionText(geoproj::dbs::ReadOldHeader(bytes));
}

int CKonverteraDlg::OnInitDialog() {
  const std::string project(m_ark.namn, strnlen(m_ark.namn, 35));
  const bool locked = geoproj::FileExists(LockPath());
  const std::string from = locked ? std::string() : FileVersionText();
  Update([&](State& s) {
    s.title = geoproj::Format("Konvertera projekt: %s", project.c_str());
    s.to = CBorviDbs::GetDbsverString();
    s.from = from;
    s.continueEnabled = !locked;
    s.progressMin = 1;
    s.progressMax = 100;
  });
  if (locked) geoproj::ShowMessage(kLocked, geoproj::kMbOk | geoproj::kMbIconExclamation);
  return 1;
}

void CKonverteraDlg::OnOK() {
  const State before = GetState();
  if (!before.continueEnabled || before.running || m_worker.joinable()) return;
  if (VersionNumber(before.to) < VersionNumber(before.from) &&
      geoproj::ShowMessage(kDowngrade, geoproj::kMbYesNo) != geoproj::kIdYes)
    return;
  Update([](State& s) {
    s.continueEnabled = false;
    s.cancelEnabled = false;
    s.running = true;
  });
  m_worker = std::thread([this] { Restore(); });
}

void CKonverteraDlg::Restore() {
  int rc = -1;
  try {
    rc = m_dbs ? m_dbs->Restore(m_name.c_str(), &m_ark, this) : -1;
  } catch (const std::exception& e) {
    // The worker has nobody to throw to: the failure is told, and the dialog ends as failed.
    geoproj::ShowMessage(e.what(), geoproj::kMbOk | geoproj::kMbIconExclamation);
  }
  Update([rc](State& s) {
    s.cancelEnabled = true;
    s.cancelText = m_sKlar;
    s.running = false;
    s.done = true;
    s.result = rc;
  });
}

void CKonverteraDlg::Row1text(const char* text) {
  const std::string row(text ? text : "");
  Update([&](State& s) { s.row1 = row; });
}

void CKonverteraDlg::Data2Dlg(int progress, int soundings, int groundwater, int measurements,
                              int terrain, int lines) {
  Update([=](State& s) {
    const int values[5] = {soundings, groundwater, measurements, terrain, lines};
    for (int i = 0; i < 5; ++i) s.counts[i] = geoproj::Format("%d", values[i]);
    s.progress = progress;
  });
}

void CKonverteraDlg::SetListener(Listener listener) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_listener = std::move(listener);
}

CKonverteraDlg::State CKonverteraDlg::GetState() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_state;
}

bool CKonverteraDlg::Wait() {
  if (!m_worker.joinable()) return false;
  m_worker.join();
  return true;
}

int CKonverteraDlg::DoModal() {
  if (const DialogHandler& handler = Handler()) {
    handler(*this);
  } else {
    OnInitDialog();
    OnOK();
  }
  Wait();
  return 1;
}

CKonverteraDlg::DialogHandler CKonverteraDlg::SetDialogHandler(DialogHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}
