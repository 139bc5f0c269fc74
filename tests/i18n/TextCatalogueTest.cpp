// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/TextCatalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lumavert {
namespace {

const char* const kCodes[] = {"en", "de", "fr", "sp", "pt", "cn"};
const char* const kOtherCase[] = {"EN", "De", "fR", "SP", "pT", "Cn"};

// One catalogue entry as catalogue.tsv pins it: its name, then a text per language of kCodes.
std::vector<std::string> pinnedEntry(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) {
        for (std::size_t at; (at = field.find("\\n")) != std::string::npos;) {
            field.replace(at, 2, "\n");
        }
        fields.push_back(field);
    }
    return fields;
}

TEST(TextCatalogue, EveryEntryInEveryLanguageWhateverTheCodesCaseAndEnglishForOtherCodes) {
    std::ifstream pinned(LUMAVERT_CATALOGUE_FILE);
    int entry = 0;
    for (std::string line; std::getline(pinned, line);) {
        if (line.starts_with('#')) {
            continue;
        }
        const std::vector<std::string> texts = pinnedEntry(line);
        ASSERT_EQ(texts.size(), 1 + std::size(kCodes)) << line;
        const Text text = static_cast<Text>(entry++);
        for (std::size_t language = 0; language < std::size(kCodes); ++language) {
            EXPECT_EQ(lookupText(text, kCodes[language]), texts[1 + language])
                << kCodes[language] << " " << texts[0];
            EXPECT_EQ(lookupText(text, kOtherCase[language]), texts[1 + language])
                << kOtherCase[language] << " " << texts[0];
        }
        for (const char* code : {"", "it", "es", "zh", "d", "dee", " de", "c\xC3\xA9"}) {
            EXPECT_EQ(lookupText(text, code), texts[1]) << code << " " << texts[0];
        }
    }
    EXPECT_EQ(entry, kTextCount) << "every entry is pinned";
}

} // namespace
} // namespace lumavert
