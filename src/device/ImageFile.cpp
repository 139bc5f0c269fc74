// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/ImageFile.h"

#include "files/RegularFile.h"

#include <algorithm>

namespace lumavert {

bool readImageFile(const std::filesystem::path& file, DeviceImage& image, std::string& error) {
    const FileContents contents = readRegularFile(file, kImageSize);
    if (contents.status == FileContents::Status::Missing ||
        contents.status == FileContents::Status::Refused) {
        error = contents.error;
        return false;
    }
    if (contents.size != static_cast<std::uintmax_t>(kImageSize)) {
        error = file.string() + ": holds " + std::to_string(contents.size) +
                " bytes; a light's image is exactly 256 bytes";
        return false;
    }
    for (std::size_t i = 0; i < image.size(); ++i) {
        std::copy_n(contents.bytes.begin() + static_cast<std::ptrdiff_t>(i * kBlockSize),
                    kBlockSize, image[i].begin());
    }
    return true;
}

bool writeImageFile(const std::filesystem::path& file, const DeviceImage& image,
                    std::string& error) {
    std::string bytes;
    bytes.reserve(kImageSize);
    for (const Block& block : image) {
        bytes.append(block.begin(), block.end());
    }
    return replaceFile(file, bytes, error);
}

} // namespace lumavert
