// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PeakMemory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumavert {

MeasuredRun runForPeakMemory(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const int nothing = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(nothing);
    MeasuredRun run;
    int status = 0;
    rusage usage{};
    pid_t ended = -1;
    while (pid > 0 && (ended = wait4(pid, &status, 0, &usage)) < 0 && errno == EINTR) {
    }
    if (pid <= 0 || ended != pid) {
        return run;
    }
    run.normal = WIFEXITED(status);
    run.code = run.normal ? WEXITSTATUS(status) : -1;
    run.peakResidentKb = usage.ru_maxrss;
    return run;
}

} // namespace lumavert
