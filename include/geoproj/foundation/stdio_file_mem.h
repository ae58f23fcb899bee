// CStdioFileMem: the line-oriented text file through which every per-borehole file and every
// method block is read and written. In disk mode it is a text file (CR LF written, CR LF or LF
// read); in memory mode writes collect in a byte buffer the host takes with MemFile().
//
// On disk a file is never seen half written: opening for reading takes the whole content at
// once, and what is written goes to disk as a whole at Close, through the platform's safe
// rewrite. A file opened for writing and never closed keeps its old content.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <geoproj/platform/safe_file.h>

class CStdioFileMem {
 public:
  // Open flags of the platform.
  static constexpr unsigned modeRead = 0x0000;
  static constexpr unsigned modeWrite = 0x0001;
  static constexpr unsigned modeCreate = 0x1000;

  CStdioFileMem() = default;
  CStdioFileMem(const CStdioFileMem&) = delete;
  CStdioFileMem& operator=(const CStdioFileMem&) = delete;
  virtual ~CStdioFileMem();

  void SetMemFile(int mode) { m_memMode = mode; }
  int IsMemFile() const { return m_memMode; }
  // The collected bytes in memory mode; null in disk mode.
  const std::string* MemFile() const { return m_memMode ? &m_mem : nullptr; }

  void SetFilePath(const std::string& path) { m_path = path; }
  std::string GetFilePath() const { return m_path; }

  // Disk mode: opens the file (case-insensitively resolved) for reading (modeRead) or for
  // create + write; non-zero on success, 0 with the reason in *error on failure.
  // Memory mode: returns 1 at once.
  int Open(const std::string& name, unsigned flags, std::string* error = nullptr);
  bool IsOpen() const { return m_state != State::kClosed; }

  // Next line without its line end; 0 at end of file and always in memory mode.
  int ReadString(std::string& line);
  // The 1-based number of the line ReadString returned last; 0 before the first.
  int GetLineNumber() const { return m_lineNumber; }

  // Content a reader could not place anywhere (a line that does not parse, garbage, a block cut
  // off by the end of the file): shown as a status text "FILE, line N: what" and counted. The
  // count starts at 0 with every Open; GetDroppedCount tells it.
  void ReportDropped(const char* what);
  void ReportDroppedAt(int line, const char* what);
  int GetDroppedCount() const { return m_dropped; }

  // Writes text; in disk mode each LF becomes CR LF. A failed disk write throws
  // geoproj::FileError.
  void WriteString(const char* text);
  // A line of text ends at a zero byte in it, as in the form above, but keeps its line end: a
  // line cut short never runs into the next one.
  void WriteString(const std::string& text);
  // Every byte of text, zero bytes too (the forms above stop at the first), LF written as CR LF.
  void WriteBytes(std::string_view text);

  void SeekToBegin();
  // Disk mode: closes the file; a file written is put on disk as a whole now, and a failure
  // throws geoproj::FileError. Memory mode: appends "EOF\r\n" and rewinds the buffer.
  void Close();

 private:
  enum class State { kClosed, kReading, kWriting };

  void WriteMem(const char* bytes, std::size_t n);
  void WriteDisk(const char* bytes, std::size_t n);
  // n bytes and a CR LF line end.
  void WriteDiskLine(const char* bytes, std::size_t n);

  State m_state = State::kClosed;
  std::string m_path;
  int m_memMode = 0;
  std::string m_mem;
  std::size_t m_memPos = 0;
  // Disk mode: the content read, or the content being written, and the position in it.
  std::string m_disk;
  std::size_t m_diskPos = 0;
  geoproj::SafeRewrite m_rewrite;
  int m_lineNumber = 0;
  int m_dropped = 0;
};
