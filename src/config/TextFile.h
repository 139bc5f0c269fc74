#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace lumavert {

/// Moves a finished temporary file over the target; true on success.
using RenameFile =
    std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)>;

/// Renames with `std::filesystem::rename`, which replaces an existing target.
bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to);

/// Reads a whole regular file into `bytes`. False when it is missing or cannot be read.
bool readTextFile(const std::filesystem::path& path, std::string& bytes);

/// Writes `bytes` to a new file beside `path` and renames it over `path`, so that readers see
/// the old file or the new one, never a part. A read-only target is refused. On any failure
/// the temporary file is removed and `path` stays as it was.
bool replaceTextFile(const std::filesystem::path& path, std::string_view bytes,
                     const RenameFile& rename = renameFile);

} // namespace lumavert
