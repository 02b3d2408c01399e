#include "store/file_replace.h"

#include <cstdio>
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

// The file's bytes reach the disk before the file takes another's place: a crash after the
// rename then finds the whole new content, never an empty file.
bool writeDurably(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && flushToDisk(file);
    return std::fclose(file) == 0 && written;
}

bool writeComplete(const std::string& path, const FileWriter& write) {
    // Binary, so the writer's CR LF line ends reach the disk unchanged on every platform.
    std::ostringstream content(std::ios::binary);
    return write(content) && writeDurably(path, content.str());
}

// A file made read-only is not written, as Windows refuses to and whoever is allowed to
// anyway (root) would not here; the caller tells the user the save failed.
bool isReadOnly(const char* path) {
    std::error_code error;
    const fs::file_status target = fs::status(path, error);
    return fs::exists(target) && (target.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::string backupName(const char* path, int round) {
    return std::string(path) + BACKUP_SUFFIX + (round == 1 ? "" : std::to_string(round));
}

bool holdsBytes(const std::string& path, const std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream held;
    return file.is_open() && (held << file.rdbuf()) && held.str() == bytes;
}

// False when the file needed its copy and did not get it.
bool keepUnreadOriginal(const char* path, const FileCheck& readsWhole) {
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
    std::string free;
    std::string oldest;
    fs::file_time_type oldestTime = fs::file_time_type::max();
    for (int round = 1; round <= MAX_BACKUPS; ++round) {
        const std::string name = backupName(path, round);
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
    const std::string& chosen = free.empty() ? oldest : free;
    return !chosen.empty() && replaceFile(chosen.c_str(), [&bytes](std::ostream& copy) {
        return (copy << bytes.str()).good();
    });
}

// Where the file's content lives: a link is followed, so that it stays a link.
fs::path contentPath(const char* path) {
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

} // namespace

bool replaceFile(const char* linkedPath, const FileWriter& write) {
    const std::string content = contentPath(linkedPath).string();
    const char* path = content.c_str();
    const std::string temporary = content + ".tmp";
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

bool replaceEditedFile(const char* path, const FileCheck& readsWhole, const FileWriter& write) {
    return keepUnreadOriginal(path, readsWhole) && replaceFile(path, write);
}

bool appendToFile(const char* path, const std::string& line) {
    if (isReadOnly(path))
        return false;
    bool lineEnded = true;
    if (std::FILE* file = std::fopen(path, "rb")) {
        lineEnded = std::fseek(file, -1, SEEK_END) != 0 || std::fgetc(file) == '\n';
        static_cast<void>(std::fclose(file)); // only read
    }
    std::FILE* file = std::fopen(path, "ab");
    if (file == nullptr)
        return false;
    const std::string bytes = (lineEnded ? "" : "\r\n") + line;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && flushToDisk(file);
    return std::fclose(file) == 0 && written;
}

} // namespace vellix
