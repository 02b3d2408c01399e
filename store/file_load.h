#pragma once

namespace vellix {

// What loading a data file found.
enum class FileLoad {
    // Opened and read; lines it could not read were passed over.
    READ,
    // Read, but to be written whole before a line is added to it: lines were passed over
    // (the whole write keeps them in a copy), or what was read came from an older file.
    READ_TO_REWRITE,
    // No file there: nothing to read, and nothing to lose by writing one.
    MISSING,
    // There, but it cannot be opened now (another program may hold it): it must not be
    // replaced by what was learned without it.
    UNREADABLE,
};

// MISSING or UNREADABLE, for a file that could not be opened.
FileLoad unopenedFile(const char* path);

} // namespace vellix
