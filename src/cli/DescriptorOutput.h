// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <streambuf>

namespace lumavert {

/// A buffered stream buffer that writes to a file descriptor and keeps the system's reason
/// when a write fails, so that a full disk or a closed pipe can be reported as such.
class DescriptorOutput : public std::streambuf {
  public:
    explicit DescriptorOutput(int fd);
    ~DescriptorOutput() override;
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    /// The error number of the first write that failed; 0 while none has.
    int error() const { return error_; }

    /// Puts /dev/null, open for reading only, where standard input, output or error is closed:
    /// no file the program opens takes their place, and writes to them fail as they should.
    static void holdStandardDescriptors();

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool flushBuffer();

    int fd_;
    int error_ = 0;
    std::array<char, 4096> buffer_{};
};

} // namespace lumavert
