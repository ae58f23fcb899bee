#include <geoproj/foundation/stdio_file_mem.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <geoproj/foundation/messages.h>
#include <geoproj/platform/files.h>

namespace {

const char kEndMarker[] = "EOF\r\n";

}  // namespace

CStdioFileMem::~CStdioFileMem() = default;

int CStdioFileMem::Open(const std::string& name, unsigned flags, std::string* error) {
  if (m_memMode) return 1;
  m_state = State::kClosed;
  m_disk.clear();
  m_diskPos = 0;
  m_lineNumber = 0;
  m_dropped = 0;
  const bool write = (flags & modeWrite) != 0;
  const bool opened = write ? m_rewrite.Open(name) : geoproj::ReadWholeFile(name, &m_disk);
  if (!opened) {
    if (error) *error = std::strerror(errno);
    m_disk.clear();
    return 0;
  }
  // Without modeCreate a write changes the content in place: it starts from what is there.
  if (write && !(flags & modeCreate)) geoproj::ReadWholeFile(name, &m_disk);
  m_state = write ? State::kWriting : State::kReading;
  m_path = name;
  return 1;
}

int CStdioFileMem::ReadString(std::string& line) {
  line.clear();
  if (m_memMode || m_state != State::kReading || m_diskPos >= m_disk.size()) return 0;
  // A zero byte inside a line neither cuts nor merges lines.
  const std::size_t lf = m_disk.find('\n', m_diskPos);
  const std::size_t end = lf == std::string::npos ? m_disk.size() : lf;
  line.assign(m_disk, m_diskPos, end - m_diskPos);
  m_diskPos = lf == std::string::npos ? m_disk.size() : lf + 1;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++m_lineNumber;
  return 1;
}

void CStdioFileMem::ReportDropped(const char* what) { ReportDroppedAt(m_lineNumber, what); }

void CStdioFileMem::ReportDroppedAt(int line, const char* what) {
  ++m_dropped;
  geoproj::ShowStatusF("%s, line %d: %s", m_path.c_str(), line, what);
}

void CStdioFileMem::WriteMem(const char* bytes, std::size_t n) {
  if (m_memPos + n > m_mem.size()) m_mem.resize(m_memPos + n);
  std::memcpy(m_mem.data() + m_memPos, bytes, n);
  m_memPos += n;
}

void CStdioFileMem::WriteDisk(const char* bytes, std::size_t n) {
  if (m_diskPos == m_disk.size())
    m_disk.append(bytes, n);
  else
    m_disk.replace(m_diskPos, std::min(n, m_disk.size() - m_diskPos), bytes, n);
  m_diskPos += n;
}

void CStdioFileMem::WriteString(const char* text) {
  if (text) WriteBytes(std::string_view(text));
}

void CStdioFileMem::WriteString(const std::string& text) {
  std::string_view rest(text);
  if (rest.find('\0') == std::string_view::npos) return WriteBytes(rest);
  while (!rest.empty()) {
    const std::size_t lf = rest.find('\n');
    const std::string_view line = rest.substr(0, lf);
    WriteBytes(line.substr(0, line.find('\0')));
    if (lf == std::string_view::npos) break;
    WriteBytes("\n");
    rest.remove_prefix(lf + 1);
  }
}

void CStdioFileMem::WriteBytes(std::string_view text) {
  if (m_memMode) {
    WriteMem(text.data(), text.size());
    return;
  }
  if (m_state != State::kWriting) throw geoproj::FileError("Write to a file that is not open: " + m_path);
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
      WriteDisk(text.data(), text.size());
      break;
    }
    WriteDiskLine(text.data(), lf);
    text.remove_prefix(lf + 1);
  }
}

void CStdioFileMem::WriteDiskLine(const char* bytes, std::size_t n) {
  if (m_diskPos != m_disk.size()) {
    WriteDisk(bytes, n);
    WriteDisk("\r\n", 2);
    return;
  }
  // At the end, as every record line of a save is written: the line and its end in one step.
  const std::size_t at = m_disk.size();
  m_disk.resize(at + n + 2);
  char* p = m_disk.data() + at;
  std::memcpy(p, bytes, n);
  p[n] = '\r';
  p[n + 1] = '\n';
  m_diskPos += n + 2;
}

void CStdioFileMem::SeekToBegin() {
  if (m_memMode) {
    m_memPos = 0;
  } else if (m_state != State::kClosed) {
    m_diskPos = 0;
    m_lineNumber = 0;
  }
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
  const State was = m_state;
  m_state = State::kClosed;
  std::string content;
  content.swap(m_disk);
  m_diskPos = 0;
  if (was == State::kWriting) m_rewrite.Commit(content);
}
