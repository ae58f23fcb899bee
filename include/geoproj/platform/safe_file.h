// Whole-file reading and rewriting that no process of ours ever sees half done.
//
// A project directory is shared: one user saves a borehole while another shows it, or two save
// it at once, or a save is killed. A rewrite therefore holds an exclusive advisory lock on the
// file and a read a shared one. Before the file is touched, its complete new content is put
// beside it in a journal (a hidden name of our own, see RewriteJournalPath) and the journal is
// removed when the file holds it. The next access that finds a journal with no writer alive
// completes the rewrite from it (a journal cut short by the kill is discarded: the file was not
// touched yet). The file is rewritten in place, never replaced by a new one, so it keeps its
// identity and creation time, which the borehole's "created" date is read from. A rewrite with
// the content the file already holds (most saves of an unchanged borehole) writes nothing and
// needs no journal: under the same lock the file is only dated anew, as a write would date it.
//
// Journals survive the death of a process, not the loss of power: nothing is synced to the
// medium, which would cost more than the whole rewrite.
#pragma once

#include <string>

namespace geoproj {

// The whole content of the file (its last component resolved without regard to case). False
// when it cannot be opened; errno then tells why.
bool ReadWholeFile(const std::string& path, std::string* bytes);

// A whole-file rewrite, opened before the content is known so that a file that cannot be
// written is refused at once, and committed with the complete content.
class SafeRewrite {
 public:
  SafeRewrite() = default;
  SafeRewrite(const SafeRewrite&) = delete;
  SafeRewrite& operator=(const SafeRewrite&) = delete;
  // A rewrite never committed leaves the file as it was.
  ~SafeRewrite();

  // Opens (creating when missing) the file for the rewrite; an existing case variant of its
  // name is reused. False with errno set when it cannot be written.
  bool Open(const std::string& path);
  // Puts bytes in place as the file's whole content and closes it. Throws geoproj::FileError
  // when they could not be put in place; the file then holds its old content, or the new one
  // once the next access completes the rewrite from the journal.
  void Commit(const std::string& bytes);
  bool IsOpen() const { return fd_ >= 0; }

 private:
  void Close();

  int fd_ = -1;
  std::string path_;  // resolved
};

// Open, commit and close in one call.
void RewriteFile(const std::string& path, const std::string& bytes);

// Where the rewrite of path keeps its journal: a hidden name beside the file that no other
// program uses and that no pattern of a borehole's files ("ID.*", "*.SND") matches.
std::string RewriteJournalPath(const std::string& path);

// Whether a directory entry is such a journal (directory listings pass over them).
bool IsRewriteJournalName(const std::string& name);

// The bytes a journal holds for this new content (a writer killed after writing it leaves
// exactly these).
std::string RewriteJournalBytes(const std::string& content);
// The trailer those bytes end in, behind the content.
std::string RewriteJournalTrailer(const std::string& content);

}  // namespace geoproj
