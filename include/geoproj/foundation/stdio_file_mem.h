// CStdioFileMem: the line-oriented text file through which every per-borehole file and every
// method block is read and written. In disk mode it is a text file (CR LF written, CR LF or LF
// read); in memory mode writes collect in a byte buffer the host takes with MemFile().
#pragma once

#include <cstdio>
#include <string>

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
  bool IsOpen() const { return m_stream != nullptr; }

  // Next line without its line end; 0 at end of file and always in memory mode.
  int ReadString(std::string& line);

  // Writes text; in disk mode each LF becomes CR LF. A failed disk write throws
  // geoproj::FileError.
  void WriteString(const char* text);
  void WriteString(const std::string& text) { WriteString(text.c_str()); }

  void SeekToBegin();
  // Disk mode: closes the file. Memory mode: appends "EOF\r\n" and rewinds the buffer.
  void Close();

 private:
  void WriteMem(const char* bytes, std::size_t n);

  std::FILE* m_stream = nullptr;
  std::string m_path;
  int m_memMode = 0;
  std::string m_mem;
  std::size_t m_memPos = 0;
};
