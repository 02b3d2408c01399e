#include "store/file_replace.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace vellix {

namespace {

bool writeComplete(const std::string& path, const FileWriter& write) {
    // Binary, so the writer's CR LF line ends reach the disk unchanged on every platform.
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.is_open())
        return false;
    const bool written = write(file) && file.flush().good();
    file.close();
    return written && !file.fail();
}

// False when the file needed its copy and did not get it.
bool keepUnreadOriginal(const char* path, const FileCheck& readsWhole) {
    namespace fs = std::filesystem;
    const std::string backup = std::string(path) + BACKUP_SUFFIX;
    std::error_code error;
    // The first copy holds the lines as the person left them; a later one would hold less.
    if (fs::exists(fs::symlink_status(backup, error)))
        return true;
    std::ifstream original(path, std::ios::binary);
    if (!original.is_open())
        return !fs::exists(fs::status(path, error));
    if (readsWhole(original))
        return true;
    original.clear();
    original.seekg(0);
    return replaceFile(backup.c_str(), [&original](std::ostream& copy) {
        return (copy << original.rdbuf()).good();
    });
}

} // namespace

bool replaceFile(const char* path, const FileWriter& write) {
    namespace fs = std::filesystem;
    const std::string temporary = std::string(path) + ".tmp";
    std::error_code error;
    // Something other than a plain file under the temporary name (a folder, a link) is
    // neither ours to remove nor safe to write through.
    const fs::file_status existing = fs::symlink_status(temporary, error);
    if (fs::exists(existing) && !fs::is_regular_file(existing))
        return false;
    // A file made read-only is not replaced, as Windows refuses to and whoever is allowed to
    // rename in the folder (root) would not here; the caller tells the user the save failed.
    const fs::file_status target = fs::status(path, error);
    if (fs::exists(target) && (target.permissions() & fs::perms::owner_write) == fs::perms::none)
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

} // namespace vellix
