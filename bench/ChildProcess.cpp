// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lumavert {

namespace {

/// posix_spawn's file actions, freed on every path.
class FileActions {
  public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;

    void discard(int fd) {
        posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null", O_WRONLY, 0);
    }
    void redirect(int from, int to) { posix_spawn_file_actions_adddup2(&actions_, from, to); }
    void close(int fd) { posix_spawn_file_actions_addclose(&actions_, fd); }
    const posix_spawn_file_actions_t* get() const { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, Output output) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    FileActions actions;
    actions.discard(STDERR_FILENO);
    int pipeFds[2] = {-1, -1};
    if (output == Output::Capture) {
        if (pipe2(pipeFds, O_CLOEXEC) != 0) {
            throw std::runtime_error("cannot make a pipe for " + arguments.at(0));
        }
        actions.redirect(pipeFds[1], STDOUT_FILENO);
    } else {
        actions.discard(STDOUT_FILENO);
    }
    const int status = posix_spawn(&pid_, argv[0], actions.get(), nullptr, argv.data(), environ);
    if (output == Output::Capture) {
        ::close(pipeFds[1]);
        outputFd_ = pipeFds[0];
    }
    if (status != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + arguments.at(0));
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outputFd_ >= 0) {
        ::close(outputFd_);
    }
}

std::string ChildProcess::readOutput() {
    std::string text;
    char buffer[4096];
    for (ssize_t got = 0; outputFd_ >= 0 && (got = read(outputFd_, buffer, sizeof buffer)) != 0;) {
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            break;
        }
    }
    return text;
}

void ChildProcess::terminate() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
    }
}

ChildProcess::Exit ChildProcess::wait() {
    Exit exit;
    int status = 0;
    pid_t ended = -1;
    while (pid_ > 0 && (ended = waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
    }
    if (pid_ <= 0 || ended != pid_) {
        return exit;
    }
    pid_ = -1;
    exit.normal = WIFEXITED(status);
    exit.code = exit.normal ? WEXITSTATUS(status) : -1;
    return exit;
}

} // namespace lumavert
