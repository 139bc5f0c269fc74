#include "config/TextFile.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <system_error>
#include <utility>

namespace lumavert {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr int kTemporaryNameAttempts = 16;
constexpr fs::perms kAnyWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// The permission bits catch a read-only file even for a user the system lets write anyway;
// the open catches files this user may not write.
bool isWritable(const fs::path& path) {
    std::error_code error;
    const fs::perms perms = fs::status(path, error).permissions();
    if (error || (perms & kAnyWrite) == fs::perms::none) {
        return false;
    }
    return FileHandle(std::fopen(path.string().c_str(), "r+b")) != nullptr;
}

// Exclusive creation, so that a file of the same name is never overwritten.
FileHandle createTemporaryBeside(const fs::path& target, fs::path& temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + suffix);
        if (FileHandle file{std::fopen(temporary.string().c_str(), "wbx")}) {
            return file;
        }
    }
    return nullptr;
}

bool writeAll(FileHandle file, std::string_view bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

// Symbolic links stay links: the file they point to is replaced.
fs::path resolvedTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) {
        return path;
    }
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target;
}

} // namespace

bool renameFile(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

bool readTextFile(const fs::path& path, std::string& bytes) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    // One read into a buffer of the file's size: a character at a time takes long on big files.
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

bool replaceTextFile(const fs::path& path, std::string_view bytes, const RenameFile& rename) {
    const fs::path target = resolvedTarget(path);
    std::error_code error;
    const bool replacing = fs::exists(target, error);
    if (replacing && (!fs::is_regular_file(target, error) || !isWritable(target))) {
        return false;
    }
    fs::path temporary;
    FileHandle file = createTemporaryBeside(target, temporary);
    if (!file) {
        return false;
    }
    bool done = writeAll(std::move(file), bytes);
    if (done && replacing) {
        const fs::perms perms = fs::status(target, error).permissions();
        if (!error) {
            fs::permissions(temporary, perms, error);
        }
    }
    done = done && rename(temporary, target);
    if (!done) {
        fs::remove(temporary, error);
    }
    return done;
}

} // namespace lumavert
