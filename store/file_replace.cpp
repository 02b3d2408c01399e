#include "store/file_replace.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vellix {

namespace {

namespace fs = std::filesystem;

// Room for the rounds of a file's unread lines: the first copy keeps BACKUP_SUFFIX alone,
// later ones a number after it, and past the last the oldest makes way.
constexpr int MAX_BACKUPS = 9;

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Names are UTF-8; Windows takes them wide, so that a folder outside the code page is found.
fs::path pathOf(const char* name) {
    return fs::u8path(name);
}

std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

// The file's bytes reach the disk before the file takes another's place: a crash after the
// rename then finds the whole new content, never an empty file.
bool writeDurably(const fs::path& path, const std::string& bytes) {
    std::FILE* file = openFile(path, "wb");
    if (file == nullptr)
        return false;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && flushToDisk(file);
    return std::fclose(file) == 0 && written;
}

bool writeComplete(const fs::path& path, const FileWriter& write) {
    // Binary, so the writer's CR LF line ends reach the disk unchanged on every platform.
    std::ostringstream content(std::ios::binary);
    return write(content) && writeDurably(path, content.str());
}

// A file made read-only is not written, as Windows refuses to and whoever is allowed to
// anyway (root) would not here; the caller tells the user the save failed.
bool isReadOnly(const fs::path& path) {
    std::error_code error;
    const fs::file_status target = fs::status(path, error);
    return fs::exists(target) && (target.permissions() & fs::perms::owner_write) == fs::perms::none;
}

fs::path backupName(const fs::path& path, int round) {
    fs::path name = path;
    name += BACKUP_SUFFIX + (round == 1 ? std::string() : std::to_string(round));
    return name;
}

bool holdsBytes(const fs::path& path, const std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream held;
    return file.is_open() && (held << file.rdbuf()) && held.str() == bytes;
}

bool replacePath(const fs::path& linkedPath, const FileWriter& write);

// False when the file needed its copy and did not get it.
bool keepUnreadOriginal(const fs::path& path, const FileCheck& readsWhole) {
    std::error_code error;
    std::ifstream original(path, std::ios::binary);
    if (!original.is_open())
        return !fs::exists(fs::status(path, error));
    if (readsWhole(original))
        return true;
    original.clear();
    original.seekg(0);
    std::ostringstream bytes;
    bytes << original.rdbuf();
    // Every round of hand edits is kept once: a copy of these very bytes may be there already.
    fs::path free;
    fs::path oldest;
    fs::file_time_type oldestTime = fs::file_time_type::max();
    for (int round = 1; round <= MAX_BACKUPS; ++round) {
        const fs::path name = backupName(path, round);
        if (!fs::exists(fs::symlink_status(name, error))) {
            if (free.empty())
                free = name;
            continue;
        }
        if (holdsBytes(name, bytes.str()))
            return true;
        const fs::file_time_type written = fs::last_write_time(name, error);
        if (!error && written < oldestTime) {
            oldestTime = written;
            oldest = name;
        }
    }
    const fs::path& chosen = free.empty() ? oldest : free;
    return !chosen.empty() && replacePath(chosen, [&bytes](std::ostream& copy) {
        return (copy << bytes.str()).good();
    });
}

// Where the file's content lives: a link is followed, so that it stays a link.
fs::path contentPath(const fs::path& path) {
    fs::path resolved = path;
    std::error_code error;
    for (int links = 0; links < 8 && fs::is_symlink(fs::symlink_status(resolved, error)); ++links) {
        const fs::path target = fs::read_symlink(resolved, error);
        if (error)
            break;
        resolved = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    return resolved;
}

bool replacePath(const fs::path& linkedPath, const FileWriter& write) {
    const fs::path path = contentPath(linkedPath);
    fs::path temporary = path;
    temporary += ".tmp";
    std::error_code error;
    // Something other than a plain file under the temporary name (a folder, a link) is
    // neither ours to remove nor safe to write through.
    const fs::file_status existing = fs::symlink_status(temporary, error);
    if (fs::exists(existing) && !fs::is_regular_file(existing))
        return false;
    if (isReadOnly(path))
        return false;
    if (!writeComplete(temporary, write)) {
        fs::remove(temporary, error);
        return false;
    }
    // Replaces an existing file in one step: rename(2) here, MoveFileEx with
    // MOVEFILE_REPLACE_EXISTING on Windows.
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace

bool replaceFile(const char* path, const FileWriter& write) {
    return replacePath(pathOf(path), write);
}

bool replaceEditedFile(const char* path, const FileCheck& readsWhole, const FileWriter& write) {
    const fs::path file = pathOf(path);
    return keepUnreadOriginal(file, readsWhole) && replacePath(file, write);
}

bool appendToFile(const char* path, const std::string& line) {
    const fs::path file = pathOf(path);
    if (isReadOnly(file))
        return false;
    bool lineEnded = true;
    if (std::FILE* read = openFile(file, "rb")) {
        lineEnded = std::fseek(read, -1, SEEK_END) != 0 || std::fgetc(read) == '\n';
        static_cast<void>(std::fclose(read)); // only read
    }
    std::FILE* appended = openFile(file, "ab");
    if (appended == nullptr)
        return false;
    const std::string bytes = (lineEnded ? "" : "\r\n") + line;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), appended) == bytes.size() &&
                         flushToDisk(appended);
    return std::fclose(appended) == 0 && written;
}

} // namespace vellix
