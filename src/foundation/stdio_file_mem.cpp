#include <geoproj/foundation/stdio_file_mem.h>

#include <cerrno>
#include <cstring>

#include <geoproj/platform/files.h>

namespace {

const char kEndMarker[] = "EOF\r\n";

int ReadByte(std::FILE* stream) {
#ifdef _WIN32
  return _getc_nolock(stream);
#else
  return getc_unlocked(stream);
#endif
}

}  // namespace

CStdioFileMem::~CStdioFileMem() {
  if (m_stream) std::fclose(m_stream);
}

int CStdioFileMem::Open(const std::string& name, unsigned flags, std::string* error) {
  if (m_memMode) return 1;
  if (m_stream) {
    std::fclose(m_stream);
    m_stream = nullptr;
  }
  const bool write = (flags & modeWrite) != 0;
  const char* mode = !write ? "rb" : (flags & modeCreate) ? "wb" : "r+b";
  m_stream = geoproj::OpenFile(name, mode);
  if (!m_stream) {
    if (error) *error = std::strerror(errno);
    return 0;
  }
  m_path = name;
  return 1;
}

int CStdioFileMem::ReadString(std::string& line) {
  line.clear();
  if (m_memMode || !m_stream) return 0;
  // Byte by byte, so that a zero byte inside a line neither cuts nor merges lines.
  int c = ReadByte(m_stream);
  if (c == EOF) return 0;
  while (c != EOF && c != '\n') {
    line += static_cast<char>(c);
    c = ReadByte(m_stream);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return 1;
}

void CStdioFileMem::WriteMem(const char* bytes, std::size_t n) {
  if (m_memPos + n > m_mem.size()) m_mem.resize(m_memPos + n);
  std::memcpy(m_mem.data() + m_memPos, bytes, n);
  m_memPos += n;
}

void CStdioFileMem::WriteString(const char* text) {
  if (!text) return;
  if (m_memMode) {
    WriteMem(text, std::strlen(text));
    return;
  }
  if (!m_stream) throw geoproj::FileError("Write to a file that is not open: " + m_path);
  const char* p = text;
  while (*p) {
    const char* lf = std::strchr(p, '\n');
    size_t n = lf ? static_cast<size_t>(lf - p) : std::strlen(p);
    bool ok = std::fwrite(p, 1, n, m_stream) == n;
    if (lf) ok = ok && std::fwrite("\r\n", 1, 2, m_stream) == 2;
    if (!ok) throw geoproj::FileError("Write failed: " + m_path);
    p += n + (lf ? 1 : 0);
  }
}

void CStdioFileMem::SeekToBegin() {
  if (m_memMode)
    m_memPos = 0;
  else if (m_stream)
    std::rewind(m_stream);
}

void CStdioFileMem::Close() {
  if (m_memMode) {
    // What was written since the last rewind is the whole file: bytes of an earlier, longer
    // content must not trail after the end marker.
    m_mem.resize(m_memPos);
    WriteMem(kEndMarker, sizeof kEndMarker - 1);
    m_memPos = 0;
    return;
  }
  if (!m_stream) return;
  std::FILE* stream = m_stream;
  m_stream = nullptr;
  if (std::fclose(stream) != 0) throw geoproj::FileError("Closing failed: " + m_path);
}
