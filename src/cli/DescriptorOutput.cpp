// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/DescriptorOutput.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace lumavert {

DescriptorOutput::DescriptorOutput(int fd)
    : fd_(fd) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() {
    flushBuffer();
}

void DescriptorOutput::holdStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free descriptor is the one closed.
            ::open("/dev/null", O_RDONLY);
        }
    }
}

bool DescriptorOutput::flushBuffer() {
    const char* next = pbase();
    while (next < pptr() && error_ == 0) {
        const ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (written < 0 && errno != EINTR) {
            error_ = errno;
        }
        next += written > 0 ? written : 0;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
    if (!flushBuffer()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        sputc(traits_type::to_char_type(c));
    }
    return traits_type::not_eof(c);
}

int DescriptorOutput::sync() {
    return flushBuffer() ? 0 : -1;
}

} // namespace lumavert
