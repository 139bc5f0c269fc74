// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Measures what the calling thread allocates with `new`: the bytes it holds and their peak.
// Replaces the global operator new and delete, so include it in one source file of a program.

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

#include <malloc.h>

namespace lumavert::allocation {

// Signed: a thread may free what another one allocated.
inline thread_local std::ptrdiff_t held = 0;
inline thread_local std::ptrdiff_t peak = 0;

inline void count(void* block, int sign) {
    held += sign * static_cast<std::ptrdiff_t>(::malloc_usable_size(block));
    peak = std::max(peak, held);
}

/// Runs `work` and returns the most it held at once beyond what was held before.
template <typename Work>
std::size_t peakOf(Work&& work) {
    const std::ptrdiff_t before = peak = held;
    work();
    return static_cast<std::size_t>(peak - before);
}

} // namespace lumavert::allocation

void* operator new(std::size_t size) {
    void* block = std::malloc(size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    lumavert::allocation::count(block, 1);
    return block;
}

void operator delete(void* block) noexcept {
    lumavert::allocation::count(block, -1);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
