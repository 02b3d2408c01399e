#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace vellix {

// Writes the content of a file to the stream; false when any write failed.
using FileWriter = std::function<bool(std::ostream&)>;
// Reads a file's content through; false when some line of it could not be read.
using FileCheck = std::function<bool(std::istream&)>;

// Beside a file that held lines this program could not read, its original content.
constexpr const char* BACKUP_SUFFIX = ".bak";

// Paths are UTF-8.

// Replaces the file at path by what write produces, all or nothing: the content goes to
// a temporary file beside it (path followed by ".tmp"), which takes the file's place in
// one step once it is complete and its bytes are on the disk. A path that is a link keeps
// its link: the file it names is replaced. On any failure the temporary file is removed, the
// previous file keeps every byte, and the result is false. A read-only file is left as it is,
// and the result is false.
bool replaceFile(const char* path, const FileWriter& write);

// The same for a file that people may edit: when the file does not read whole, it is first
// copied, as it is, beside it (all or nothing as well), so that what this program could not
// read is not lost with it. Each new content gets a copy of its own: path followed by
// BACKUP_SUFFIX, then BACKUP_SUFFIX and 2 to 9; past that the oldest copy makes way. False,
// with the file untouched, when the copy was needed and could not be made.
bool replaceEditedFile(const char* path, const FileCheck& readsWhole, const FileWriter& write);

// Adds a line at the end of the file (made when missing), its bytes on the disk before this
// returns. A last line without its line end, as a write cut short leaves it, is ended first,
// so that the new line stays whole. A link is followed. False when the file cannot be written.
bool appendToFile(const char* path, const std::string& line);

} // namespace vellix
