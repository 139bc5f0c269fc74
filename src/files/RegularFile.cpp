// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumavert {

namespace fs = std::filesystem;

namespace {

/// An open file descriptor, closed when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1)
        : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept
        : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

  private:
    int fd_;
};

std::string notRegular(const fs::path& path, mode_t mode) {
    const char* kind = S_ISDIR(mode)    ? "a directory"
                       : S_ISFIFO(mode) ? "a FIFO"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "a special file";
    return path.string() + ": is " + kind + ", not a regular file";
}

FileContents unread(FileContents::Status status, std::string error) {
    FileContents contents;
    contents.status = status;
    contents.error = std::move(error);
    return contents;
}

FileContents tooLarge(const fs::path& path, std::uintmax_t size) {
    FileContents contents = unread(FileContents::Status::TooLarge,
                                   path.string() + ": is " + std::to_string(size) + " bytes");
    contents.size = size;
    return contents;
}

FileContents systemRefusal(const fs::path& path, int code) {
    return unread(code == ENOENT ? FileContents::Status::Missing : FileContents::Status::Refused,
                  fileError(path, code));
}

/// Reads at most `most` bytes; the buffer starts at the size the file states and grows for
/// files whose size the system does not know in advance.
bool readAtMost(int fd, std::size_t expected, std::size_t most, std::string& bytes) {
    bytes.resize(std::min(expected + 1, most));
    std::size_t got = 0;
    while (got < most) {
        if (got == bytes.size()) {
            bytes.resize(std::min(most, 2 * bytes.size()));
        }
        const ssize_t count = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            break;
        }
        got += static_cast<std::size_t>(count);
    }
    bytes.resize(got);
    return true;
}

// ---- Replacing ----

constexpr std::string_view kTemporaryPrefix = ".lumavert-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryDigits = 8;
constexpr int kNameAttempts = 16;
constexpr int kMostLinks = 40; // as many as the system follows in one path
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// Short, so that it fits beside a target of any legal name length.
std::string temporaryName() {
    char name[32];
    std::snprintf(name, sizeof name, "%.*s%08x%.*s", static_cast<int>(kTemporaryPrefix.size()),
                  kTemporaryPrefix.data(), static_cast<unsigned>(std::random_device{}()),
                  static_cast<int>(kTemporarySuffix.size()), kTemporarySuffix.data());
    return name;
}

bool isTemporaryName(std::string_view name) {
    if (name.size() != kTemporaryPrefix.size() + kTemporaryDigits + kTemporarySuffix.size() ||
        !name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return false;
    }
    const std::string_view digits = name.substr(kTemporaryPrefix.size(), kTemporaryDigits);
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A writer holds the lock on its temporary file until the file has its final name, and the
// system drops the lock when the writer dies: a temporary file nobody holds is left over.
void removeStaleTemporaries(int folder) {
    DIR* listing = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTemporaryName(entry->d_name)) {
            continue;
        }
        const Descriptor file(::openat(folder, entry->d_name,
                                       O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
        struct stat opened {};
        struct stat named {};
        if (!file || ::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        // Only the very file that was locked: the name may have been taken again meanwhile.
        if (::fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(listing);
}

/// Follows symbolic links, dangling ones included, to the path of the file itself.
bool followLinks(const fs::path& shown, fs::path& path, std::string& error) {
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) {
                return true; // a new file, or the missing target of a dangling link
            }
            error = fileError(shown, errno);
            return false;
        }
        if (!S_ISLNK(info.st_mode)) {
            return true;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t size = ::readlink(path.c_str(), link.data(), link.size());
        if (size < 0) {
            error = fileError(shown, errno);
            return false;
        }
        link.resize(static_cast<std::size_t>(size));
        path = path.parent_path() / link; // an absolute link replaces the whole path
    }
    error = fileError(shown, ELOOP);
    return false;
}

/// One replacement of a file in an open folder. Whatever has not been moved into place by the
/// end is removed.
class Replacement {
  public:
    Replacement(const fs::path& shown, Descriptor folder, std::string name)
        : shown_(shown)
        , folder_(std::move(folder))
        , name_(std::move(name)) {}
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement() {
        if (!temporaryName_.empty()) {
            ::unlinkat(folder_.get(), temporaryName_.c_str(), 0);
        }
    }

    bool run(std::string_view bytes, const struct stat* old) {
        removeStaleTemporaries(folder_.get());
        return create(old != nullptr) && (old == nullptr || keepOwnerAndMode(*old)) &&
               writeAll(bytes) && check(::fsync(file_.get())) && giveTemporaryName() &&
               moveIntoPlace();
    }

    const std::string& error() const { return error_; }

  private:
    bool fail(int code) {
        error_ = fileError(shown_, code);
        return false;
    }
    bool check(int result) { return result == 0 || fail(errno); }

    // A file without a name, where the system has them: a killed writer leaves nothing.
    bool create(bool replacing) {
        // Never wider than the old file, even for a moment; a new file gets the usual mode.
        const mode_t mode = replacing ? S_IRUSR | S_IWUSR : 0666;
        if (::access("/proc/self/fd", X_OK) == 0) {
            file_ =
                Descriptor(::openat(folder_.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
            if (file_) {
                return check(::flock(file_.get(), LOCK_EX));
            }
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
                return fail(errno);
            }
        }
        return createNamed(mode);
    }

    bool createNamed(mode_t mode) {
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = temporaryName();
            Descriptor file(::openat(folder_.get(), name.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            if (!file && errno == EEXIST) {
                continue;
            }
            if (!file) {
                return fail(errno);
            }
            temporaryName_ = std::move(name);
            file_ = std::move(file);
            // Where the file system has no locks, no writer can take another's file for stale.
            if (::flock(file_.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
                return fail(EWOULDBLOCK);
            }
            named_ = true;
            return true;
        }
        return fail(EEXIST);
    }

    bool keepOwnerAndMode(const struct stat& old) {
        if (::fchown(file_.get(), old.st_uid, old.st_gid) != 0 && errno == EPERM &&
            ::fchown(file_.get(), static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not this process's to give away: the file stays this user's, as a new one would.
        }
        return check(::fchmod(file_.get(), old.st_mode & 07777));
    }

    bool writeAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t count = ::write(file_.get(), bytes.data(), bytes.size());
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count < 0) {
                return fail(errno);
            }
            bytes.remove_prefix(static_cast<std::size_t>(count));
        }
        return true;
    }

    bool giveTemporaryName() {
        if (named_) {
            return true;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(file_.get());
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = temporaryName();
            if (::linkat(AT_FDCWD, self.c_str(), folder_.get(), name.c_str(), AT_SYMLINK_FOLLOW) ==
                0) {
                temporaryName_ = std::move(name);
                return true;
            }
            if (errno != EEXIST) {
                return fail(errno);
            }
        }
        return fail(EEXIST);
    }

    bool moveIntoPlace() {
        if (::renameat(folder_.get(), temporaryName_.c_str(), folder_.get(), name_.c_str()) != 0) {
            return fail(errno);
        }
        temporaryName_.clear();
        // Some file systems cannot flush a folder; the rename is then as safe as they make it.
        return ::fsync(folder_.get()) == 0 || errno == EINVAL || fail(errno);
    }

    const fs::path& shown_;
    Descriptor folder_;
    std::string name_;
    Descriptor file_;
    std::string temporaryName_; ///< the file's name while it has one and is not in place
    bool named_ = false;
    std::string error_;
};

} // namespace

std::string fileError(const fs::path& path, int code) {
    return path.string() + ": " + std::strerror(code);
}

FileContents readRegularFile(const fs::path& path, std::size_t limit) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return systemRefusal(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return unread(FileContents::Status::Refused, notRegular(path, info.st_mode));
    }
    const auto stated = static_cast<std::uintmax_t>(info.st_size);
    if (stated > limit) {
        return tooLarge(path, stated);
    }
    // Not blocking, in case a FIFO took the file's place after the look above.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd || ::fstat(fd.get(), &info) != 0) {
        return systemRefusal(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return unread(FileContents::Status::Refused, notRegular(path, info.st_mode));
    }
    FileContents contents;
    if (!readAtMost(fd.get(), static_cast<std::size_t>(stated), limit + 1, contents.bytes)) {
        return systemRefusal(path, errno);
    }
    if (contents.bytes.size() > limit) {
        return tooLarge(path, std::max<std::uintmax_t>(stated, contents.bytes.size()));
    }
    contents.status = FileContents::Status::Read;
    contents.size = contents.bytes.size();
    return contents;
}

bool replaceFile(const fs::path& path, std::string_view bytes, std::string& error) {
    fs::path target = path;
    if (!followLinks(path, target, error)) {
        return false;
    }
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..") {
        error = fileError(path, EISDIR);
        return false;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    Descriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd) {
        error = fileError(path, errno);
        return false;
    }
    struct stat old {};
    const bool replacing = ::fstatat(folderFd.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!replacing && errno != ENOENT) {
        error = fileError(path, errno);
        return false;
    }
    if (replacing && !S_ISREG(old.st_mode)) {
        error = notRegular(path, old.st_mode);
        return false;
    }
    // The permission bits speak for the file's owner even where the system lets this user write.
    if (replacing && ((old.st_mode & kAnyWrite) == 0 ||
                      ::faccessat(folderFd.get(), name.c_str(), W_OK, AT_EACCESS) != 0)) {
        error = fileError(path, (old.st_mode & kAnyWrite) == 0 ? EACCES : errno);
        return false;
    }
    Replacement replacement(path, std::move(folderFd), name);
    if (!replacement.run(bytes, replacing ? &old : nullptr)) {
        error = replacement.error();
        return false;
    }
    return true;
}

} // namespace lumavert
