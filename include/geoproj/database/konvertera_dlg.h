// CKonverteraDlg: the restore dialog as a model without a window. It holds what the dialog
// shows (title, versions, the first text, five counts, the progress and which buttons are
// enabled), asks its questions through the message hook, and runs the restore on a worker
// thread of its own. A host draws it from the state handed to the listener; a host without
// windows (or a test) calls OnInitDialog and OnOK itself and waits for the worker.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include <geoproj/database/arktype.h>

class CBorviDbs;

class CKonverteraDlg {
 public:
  static constexpr int IDD = 132;  // the dialog resource
  static const char* const m_sResource;      // "Restore project:"
  static const char* const m_sRad1;          // "Restore database - Solumbra"
  static const char* const m_sFran;          // "Database will be converted from version:"
  static const char* const m_sTill;          // "to:"
  static const char* const m_sSond;          // "Restoring sonding:"
  static const char* const m_sGvr;           // "groundwater/settlement:"
  static const char* const m_sMtn;           // "measurement:"
  static const char* const m_sTerrang;       // "terrain points:"
  static const char* const m_sLinjer;        // "lines:"
  static const char* const m_sFortsatt;      // "Continue", the OK button
  static const char* const m_sAvbryt;        // "Cancel"
  static const char* const m_sKlar;          // "Klar!", the Cancel button once restored

  // What the dialog shows at one moment.
  struct State {
    std::string title;
    std::string row1;          // the first text
    std::string from, to;      // the version texts
    bool continueEnabled = true;
    bool cancelEnabled = true;
    std::string cancelText;    // "Cancel", then "Klar!"
    int progressMin = 0, progressMax = 100, progress = 0;
    std::string counts[5];     // soundings, groundwater, measurements, terrain points, lines
    bool running = false;      // the worker is restoring
    bool done = false;         // a restore ran to its end
    int result = 0;            // what the restore returned
  };
  // Called after every change with the new state, on the thread that made the change (the
  // worker's while it restores).
  using Listener = std::function<void(const State&)>;
  // Shows the dialog modally: the host's part of Konvertera.
  using DialogHandler = std::function<void(CKonverteraDlg&)>;

  // name: the database file; ark: the project texts (copied); database: the object restored,
  // which nothing else may touch until the restore ends. parent is the host's window, unused.
  CKonverteraDlg(const char* name, const arktype* ark, CBorviDbs* database, void* parent = nullptr);
  // Waits for a restore still running.
  ~CKonverteraDlg();
  CKonverteraDlg(const CKonverteraDlg&) = delete;
  CKonverteraDlg& operator=(const CKonverteraDlg&) = delete;

  // Title, versions and progress range; with the lock file present Continue is disabled and
  // the user is told why. Returns 1.
  int OnInitDialog();
  // Continue: asks before a downgrade, then disables both buttons and starts the restore on the
  // worker thread. Nothing happens when Continue is disabled or a restore was started.
  void OnOK();
  // Runs the restore here and now, then enables Cancel with the text "Klar!".
  void Restore();
  void Row1text(const char* text);
  // Shows the five counts and the progress (a percentage).
  void Data2Dlg(int progress, int soundings, int groundwater, int measurements, int terrain,
                int lines);

  void SetListener(Listener listener);
  State GetState() const;
  // Waits until the worker thread, when one was started, has ended. True when one ran.
  bool Wait();

  // Shows the dialog through the host's handler; without one, runs it as if Continue were
  // pressed as soon as it is enabled. Returns 1.
  int DoModal();
  static DialogHandler SetDialogHandler(DialogHandler handler);

 private:
  template <class Change>
  void Update(Change change);
  std::string LockPath() const;
  std::string FileVersionText() const;

  std::string m_name;
  arktype m_ark{};
  CBorviDbs* m_dbs;
  mutable std::mutex m_mutex;
  State m_state;
  Listener m_listener;
  std::thread m_worker;
};
