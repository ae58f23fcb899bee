// The names of a project directory's entries without regard to case, read once and kept up to
// date with the files this process creates and removes, so that resolving a name that is not
// on disk in the asked spelling (a borehole without an interpretation file, say) costs a
// lookup, not a reading of a directory that may hold tens of thousands of files.
//
// A host may have the index follow the changes other processes make (FollowDirectoryChanges):
// then, where the kernel reports the changes of a directory (a local file system on Linux), the
// index is exact as they are made and also tells that a name is absent, so that the check of a
// borehole's missing files costs no system call. Otherwise (and on a network share, whose
// changes made by other machines are not reported) a missing name is asked of the file system,
// and a case variant another process adds is found after a re-read, which happens on a miss
// when the directory changed since it was read, looked at no more than once a second: a
// long-lived host sees new files, and a command saving many boreholes does not re-read the
// directory for each of them.
//
// A relative directory is taken from the working directory of the process, which the library
// never changes.
#pragma once

#include <string>

namespace geoproj {

// The entry of dir whose name equals name without regard to case or spelling (the exact one
// first); empty when none is known.
std::string FindEntryNoCase(const std::string& dir, const std::string& name);

// Whether directories read from now on are followed. Following costs the process a wait of
// some milliseconds when it ends (the kernel retires its watches), so it pays in a long-lived
// host, not in a short command. Off at start.
void FollowDirectoryChanges(bool follow);

// What the index tells of a name: kFound with the spelling on disk (the exact one first),
// kAbsent when it is certain that no entry of dir has the name in any case or spelling, and
// kUnknown when only the file system can tell (the index does not follow other processes'
// changes of dir).
enum class EntryLookup { kFound, kAbsent, kUnknown };
EntryLookup LookUpEntry(const std::string& dir, const std::string& name, std::string* spelling);

// This process created or removed the entry name of dir.
void NoteEntryCreated(const std::string& dir, const std::string& name);
void NoteEntryRemoved(const std::string& dir, const std::string& name);
// The same for the last component of a path.
void NotePathCreated(const std::string& path);
void NotePathRemoved(const std::string& path);

// The key under which names that differ only in case, or in spelling (the code page bytes the
// other programs write, or the UTF-8 that Linux tools give), meet.
std::string EntryKey(const std::string& name);

}  // namespace geoproj
