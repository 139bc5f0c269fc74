#include "i18n/TextCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lumavert {
namespace {

const char* const kEveryLanguage[] = {"en", "de", "fr", "sp", "pt", "cn"};

std::vector<Text> allEntries() {
    std::vector<Text> entries;
    for (int i = 0; i < kTextCount; ++i) {
        entries.push_back(static_cast<Text>(i));
    }
    return entries;
}

TEST(TextCatalogue, CodesIgnoreLetterCase) {
    const struct {
        const char* code;
        const char* connected;
    } cases[] = {{"cn", "已连接"},   {"CN", "已连接"},    {"De", "Verbunden"}, {"dE", "Verbunden"},
                 {"FR", "Connecté"}, {"Sp", "Conectado"}, {"PT", "Ligado"},    {"pT", "Ligado"}};
    for (const auto& c : cases) {
        EXPECT_EQ(lookupText(Text::Connected, c.code), c.connected) << c.code;
    }
}

TEST(TextCatalogue, UnknownCodesGiveEnglish) {
    for (const char* code : {"en", "EN", "", "it", "es", "zh", "d", "dee", " de", "c\xC3\xA9"}) {
        for (const Text entry : allEntries()) {
            EXPECT_EQ(lookupText(entry, code), lookupText(entry, "en"))
                << "code '" << code << "' entry " << static_cast<int>(entry);
        }
    }
    EXPECT_EQ(lookupText(Text::Disconnected, "xx"), "Disconnected");
}

TEST(TextCatalogue, GermanQuirksStand) {
    EXPECT_EQ(lookupText(Text::Uploading, "de"), "Download");
    EXPECT_EQ(lookupText(Text::UploadCompleted, "de"), "Download");
    EXPECT_EQ(lookupText(Text::Customize, "de"), "Customize");
    EXPECT_EQ(lookupText(Text::Upload, "de"), "übertragen");
}

TEST(TextCatalogue, OnlyEnglishAndChineseDeviceNoticesBreakTheLine) {
    for (const char* code : kEveryLanguage) {
        const std::string text = lookupText(Text::DeviceNotDetected, code);
        const bool expectBreak = std::string_view(code) == "en" || std::string_view(code) == "cn";
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), expectBreak ? 1 : 0) << code;
    }
    EXPECT_EQ(lookupText(Text::DeviceNotDetected, "en"),
              "Device not detected\nPlease verify connection");
}

TEST(TextCatalogue, EveryEntryHasTextInEveryLanguage) {
    for (const char* code : kEveryLanguage) {
        for (const Text entry : allEntries()) {
            EXPECT_FALSE(lookupText(entry, code).empty())
                << code << " entry " << static_cast<int>(entry);
        }
    }
}

TEST(TextCatalogue, FixedAndSharedEntries) {
    for (const char* code : kEveryLanguage) {
        EXPECT_EQ(lookupText(Text::SosItem, code), "(S.O.S)");
        EXPECT_EQ(lookupText(Text::Sos, code), "S.O.S");
        EXPECT_EQ(lookupText(Text::UploadFinished, code), lookupText(Text::UploadCompleted, code));
    }
    EXPECT_EQ(lookupText(Text::UploadFinished, "fr"), "Téléchargement terminé");
}

TEST(TextCatalogue, CurrentLanguageStartsEnglishAndSteersLookups) {
    EXPECT_EQ(CurrentLanguage(), "en");
    EXPECT_EQ(lookupText(Text::Save), "Save");
    setCurrentLanguage("SP");
    EXPECT_EQ(CurrentLanguage(), "SP");
    EXPECT_EQ(lookupText(Text::Save), "Guardar");
    setCurrentLanguage("en");
}

TEST(LanguageResources, ChineseHasItsOwnAndEveryOtherCodeSharesOne) {
    EXPECT_EQ(TextFontFace("cn"), "仿宋");
    EXPECT_EQ(backgroundBitmapId("Cn"), 246);
    EXPECT_EQ(introPagePath("CN"), "/glowdial-images/cn/");
    EXPECT_EQ(webSitePath("cn"), "/cn/");
    EXPECT_EQ(localIntroPage("cn"), "Intro_cn.html");
    for (const char* code : {"en", "de", "fr", "sp", "pt", "", "zh"}) {
        EXPECT_FALSE(isChinese(code)) << code;
        EXPECT_EQ(TextFontFace(code), "Arial");
        EXPECT_EQ(backgroundBitmapId(code), 254);
        EXPECT_EQ(introPagePath(code), "/glowdial-images/en/");
        EXPECT_EQ(webSitePath(code), "/us/");
        EXPECT_EQ(localIntroPage(code), "Intro_us.html");
    }
}

} // namespace
} // namespace lumavert
