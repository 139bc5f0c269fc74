// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The one reader and the one writer of every file the program keeps: what they refuse, what a
// replaced file keeps, and what killed or racing writers leave behind.

#include "files/RegularFile.h"

#include "TestSupport.h"

#include <csignal>
#include <future>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>

namespace lumavert {
namespace {

namespace fs = std::filesystem;
using Status = FileContents::Status;
using Names = std::vector<std::string>;

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

TEST(RegularFile, OnlyRegularFilesWithinTheLimitAreRead) {
    const ScratchFolder folder;
    const auto at = [&](const char* name) { return fs::path(folder.path(name)); };
    fs::resize_file(folder.put("long.bin", ""), std::uintmax_t{4} << 30); // sparse: no disk used
    fs::create_symlink(folder.put("image.bin", std::string(256, 'i')), at("link"));
    fs::create_symlink("gone", at("dangling"));
    fs::create_directory(at("folder"));
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    at("socket").string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const struct {
        fs::path path;
        Status status;
        std::uintmax_t size;
        std::string reason; // after "PATH"
    } cases[] = {
        {at("image.bin"), Status::Read, 256, ""},
        {at("link"), Status::Read, 256, ""},
        {at("long.bin"), Status::TooLarge, std::uintmax_t{4} << 30, ": is 4294967296 bytes"},
        // Its size is not known before it is read.
        {"/proc/self/status", Status::TooLarge, 257, ": is 257 bytes"},
        {at("missing"), Status::Missing, 0, ": No such file or directory"},
        {at("dangling"), Status::Missing, 0, ": No such file or directory"},
        {at("folder"), Status::Refused, 0, ": is a directory, not a regular file"},
        {at("fifo"), Status::Refused, 0, ": is a FIFO, not a regular file"},
        {at("socket"), Status::Refused, 0, ": is a socket, not a regular file"},
        {"/dev/zero", Status::Refused, 0, ": is a character device, not a regular file"},
    };
    // A reader that waits for a writer would hang: give up after a few seconds instead.
    auto done = std::async(std::launch::async, [&] {
        for (const auto& expected : cases) {
            const FileContents read = readRegularFile(expected.path, 256);
            EXPECT_EQ(read.status, expected.status) << expected.path;
            EXPECT_EQ(read.size, expected.size) << expected.path;
            EXPECT_EQ(read.bytes.size(), expected.status == Status::Read ? 256u : 0u);
            EXPECT_EQ(read.error,
                      expected.reason.empty() ? "" : expected.path.string() + expected.reason);
        }
    });
    if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "still waiting after 10 s";
        std::_Exit(1);
    }
    ::close(listener);
}

TEST(RegularFile, ReplacingKeepsModeOwnerAndLinksAndRefusesWhatItMustNotTouch) {
    ::umask(022);
    const ScratchFolder folder;
    const std::string longName(255, 'n');
    const struct {
        std::string setup;   // files "NAME=MODE", links "NAME>TARGET", folders "NAME/"
        std::string path;    // what is replaced
        std::string written; // where the new bytes land; empty: refused
        mode_t mode;         // of the file written, or of the old one when refused
        std::string reason;  // when refused, after "PATH"
        Names entries;       // the folder afterwards
    } cases[] = {
        {"", "f", "f", 0644, "", {"f"}},
        {"f=600", "f", "f", 0600, "", {"f"}},
        {"real=644 link>real", "link", "real", 0644, "", {"link", "real"}},
        {"link>real", "link", "real", 0644, "", {"link", "real"}},
        {"", longName, longName, 0644, "", {longName}},
        // A temporary of a dead writer goes; someone else's file stays.
        {".lumavert-0123abcd.tmp=644 .lumavert-x=644", "f", "f", 0644, "", {".lumavert-x", "f"}},
        {"f=440", "f", "", 0440, ": Permission denied", {"f"}},
        {"f/", "f", "", 0755, ": is a directory, not a regular file", {"f"}},
        {"", "none/f", "", 0, ": No such file or directory", {}},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.setup + " -> " + expected.path);
        folder.clear();
        std::istringstream setup(expected.setup);
        for (std::string entry; setup >> entry;) {
            const std::size_t mark = entry.find_first_of("=>/");
            const std::string name = entry.substr(0, mark);
            if (entry[mark] == '>') {
                fs::create_symlink(entry.substr(mark + 1), folder.path(name));
            } else if (entry[mark] == '/') {
                fs::create_directory(folder.path(name));
            } else {
                fs::permissions(folder.put(name, "old"),
                                fs::perms(std::stoi(entry.substr(mark + 1), nullptr, 8)));
            }
        }
        const bool refused = expected.written.empty();
        const std::string path = folder.path(expected.path);
        std::string error;
        EXPECT_EQ(replaceFile(path, "new", error), !refused);
        EXPECT_EQ(error, refused ? path + expected.reason : "");
        const std::string kept = folder.path(refused ? expected.path : expected.written);
        if (expected.mode != 0) {
            EXPECT_TRUE(fs::is_directory(kept) || folder.read(kept) == (refused ? "old" : "new"));
            EXPECT_EQ(statOf(kept).st_mode & 07777, expected.mode);
        }
        EXPECT_EQ(fs::is_symlink(folder.path("link")), expected.path == "link");
        EXPECT_EQ(folder.names(), expected.entries);
    }
    if (::geteuid() != 0) {
        GTEST_SKIP() << "SKIPPED: only root may give a file to another user";
    }
    const std::string file = folder.put("f", "old");
    ASSERT_EQ(::chown(file.c_str(), 1234, 4321), 0);
    std::string error;
    ASSERT_TRUE(replaceFile(file, "new", error)) << error;
    const struct stat info = statOf(file);
    EXPECT_EQ(info.st_uid, 1234u);
    EXPECT_EQ(info.st_gid, 4321u);
}

TEST(RegularFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const ScratchFolder folder;
    const std::string file = folder.put("f", "old");
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{100, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool replaced = replaceFile(file, std::string(1000, 'x'), error);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(error, file + ": File too large");
    EXPECT_EQ(folder.read("f"), "old");
    EXPECT_EQ(folder.names(), Names{"f"});
}

const std::string kVersions[] = {std::string(3000, 'a'), std::string(7000, 'b')};

bool isOneVersion(const std::string& bytes) {
    return bytes == kVersions[0] || bytes == kVersions[1];
}

// A reader between two writers sees a torn, mixed or missing file if either writes in place.
TEST(RegularFile, TwoWritersNeverTearMixOrFailEachOther) {
    const ScratchFolder folder;
    const std::string file = folder.put("f", kVersions[0]);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        ASSERT_GE(writers[w] = ::fork(), 0);
        if (writers[w] == 0) {
            std::string error;
            int failures = 0;
            for (int i = 0; i < 200; ++i) {
                failures += replaceFile(file, kVersions[w], error) ? 0 : 1;
            }
            std::_Exit(std::min(failures, 100));
        }
    }
    int failures = 0;
    for (int running = 2; running > 0;) {
        const FileContents read = readRegularFile(file, 1 << 20);
        ASSERT_TRUE(isOneVersion(read.bytes)) << read.bytes.size() << " bytes " << read.error;
        for (const pid_t writer : writers) {
            int status = 0;
            if (::waitpid(writer, &status, WNOHANG) == writer) {
                --running;
                failures += WIFEXITED(status) ? WEXITSTATUS(status) : 100;
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(folder.names(), Names{"f"});
}

} // namespace
} // namespace lumavert
