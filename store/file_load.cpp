#include "store/file_load.h"

#include <filesystem>
#include <system_error>

namespace vellix {

FileLoad unopenedFile(const char* path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    // Whatever stands there and could not be opened, the program does not know it is empty.
    return status.type() == std::filesystem::file_type::not_found ? FileLoad::MISSING
                                                                  : FileLoad::UNREADABLE;
}

} // namespace vellix
