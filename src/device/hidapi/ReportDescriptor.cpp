// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/hidapi/ReportDescriptor.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace lumavert {

namespace {

enum ItemType : int { MainItem = 0, GlobalItem = 1 };
enum MainTag : int { OutputTag = 9 };
enum GlobalTag : int {
    ReportSizeTag = 7,
    ReportIdTag = 8,
    ReportCountTag = 9,
    PushTag = 10,
    PopTag = 11
};

constexpr std::uint8_t kLongItemPrefix = 0xFE;
// The kernel refuses descriptors beyond this size.
constexpr std::size_t kMaxDescriptorSize = 4096;
// Far above any real report, low enough that the sums cannot overflow.
constexpr std::uint64_t kMaxReportBits = 1u << 20;

struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

std::uint32_t littleEndian(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

void applyGlobal(int tag, std::uint32_t value, GlobalState& state,
                 std::vector<GlobalState>& stack) {
    switch (tag) {
    case ReportSizeTag:
        state.reportSize = value;
        break;
    case ReportIdTag:
        state.reportId = value;
        break;
    case ReportCountTag:
        state.reportCount = value;
        break;
    case PushTag:
        stack.push_back(state);
        break;
    case PopTag:
        if (!stack.empty()) {
            state = stack.back();
            stack.pop_back();
        }
        break;
    default:
        break;
    }
}

} // namespace

int outputReportLength(std::span<const std::uint8_t> descriptor) {
    GlobalState state;
    std::vector<GlobalState> stack;
    std::map<std::uint32_t, std::uint64_t> outputBits; // by report id
    std::size_t at = 0;
    while (at < descriptor.size()) {
        const std::uint8_t prefix = descriptor[at];
        if (prefix == kLongItemPrefix) {
            if (at + 1 >= descriptor.size()) {
                break;
            }
            at += 3 + std::size_t{descriptor[at + 1]};
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (at + 1 + size > descriptor.size()) {
            break;
        }
        const std::uint32_t value = littleEndian(descriptor.subspan(at + 1, size));
        const int type = (prefix >> 2) & 3;
        const int tag = prefix >> 4;
        at += 1 + size;
        if (type == GlobalItem) {
            applyGlobal(tag, value, state, stack);
        } else if (type == MainItem && tag == OutputTag) {
            const std::uint64_t count = std::min<std::uint64_t>(state.reportCount, kMaxReportBits);
            std::uint64_t& bits = outputBits[state.reportId];
            bits = std::min(kMaxReportBits, bits + std::uint64_t{state.reportSize} * count);
        }
    }
    std::uint64_t longest = 0;
    for (const auto& [id, bits] : outputBits) {
        longest = std::max(longest, bits);
    }
    return longest == 0 ? 0 : static_cast<int>((longest + 7) / 8 + 1);
}

int outputReportLengthOfNode(const std::string& devnode) {
    const std::filesystem::path descriptorFile = std::filesystem::path("/sys/class/hidraw") /
                                                 std::filesystem::path(devnode).filename() /
                                                 "device" / "report_descriptor";
    std::ifstream in(descriptorFile, std::ios::binary);
    if (!in) {
        return 0;
    }
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    bytes.resize(std::min(bytes.size(), kMaxDescriptorSize));
    return outputReportLength(bytes);
}

} // namespace lumavert
