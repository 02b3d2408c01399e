#pragma once

#include <functional>
#include <iosfwd>

namespace vellix {

// Writes the content of a file to the stream; false when any write failed.
using FileWriter = std::function<bool(std::ostream&)>;

// Replaces the file at path by what write produces, all or nothing: the content goes to
// a temporary file beside it (path followed by ".tmp"), which takes the file's place in
// one step once it is complete, flushed and closed. On any failure the temporary file
// is removed, the previous file keeps every byte, and the result is false. A read-only file
// is left as it is, and the result is false.
bool replaceFile(const char* path, const FileWriter& write);

} // namespace vellix
