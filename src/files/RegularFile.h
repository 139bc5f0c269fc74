// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumavert {

/// What reading a file gave.
struct FileContents {
    enum class Status {
        Read,     ///< `bytes` holds the whole file
        Missing,  ///< nothing exists at the path (a dangling link included)
        TooLarge, ///< larger than the limit; not read past it
        Refused,  ///< not a regular file, or the system refused it
    };
    Status status = Status::Refused;
    std::string bytes;
    std::uintmax_t size = 0; ///< the file's size; for TooLarge more than the limit
    std::string error;       ///< unless Read: "PATH: reason", the reason in the system's words
};

/// Reads `path` when it is a regular file of at most `limit` bytes, following symbolic links.
/// A FIFO, device, folder or socket is refused at once, without waiting for a writer or reading
/// from it; of a larger file at most `limit` + 1 bytes are read.
FileContents readRegularFile(const std::filesystem::path& path, std::size_t limit);

/// Replaces the file at `path` by `bytes`, so that a reader, another writer or a crash sees the
/// old file or the new one, whole. The new file is written beside the old one, flushed to the
/// disk and renamed over it; it keeps the old file's mode and, where this process may set them,
/// its owner and group. A symbolic link, dangling or not, stays: the file it names is written.
/// A target that is not a regular file, or whose permission bits allow no write, is refused.
/// On failure `error` says "PATH: reason", the old file is as it was and no temporary file is
/// left. Temporary files that a killed writer left beside the target are removed.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

/// "PATH: reason" for the system error number `code`.
std::string fileError(const std::filesystem::path& path, int code);

} // namespace lumavert
