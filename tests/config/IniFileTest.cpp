#include "config/IniFile.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

// Reading

TEST(IniFileRead, AnyLineEndOrByteOrderMarkReadsTheSame) {
    const std::string lines[] = {"; saved by hand", "[Setting]", "  Count =  7  ", "",
                                 "[ Item1 ]",       "Mode=3",    "Customize=",     "Note"};
    for (const std::string end : {"\n", "\r\n", "\r"}) {
        for (const std::string start : {"", "\xEF\xBB\xBF"}) {
            std::string text = start;
            for (const std::string& line : lines) {
                text += line + end;
            }
            const IniFile ini(text);
            SCOPED_TRACE(testing::Message()
                         << "line end " << end.size() << ", bom " << !start.empty());
            EXPECT_EQ(ini.value("Setting", "Count"), "7");
            EXPECT_EQ(ini.value("Item1", "Mode"), "3");
            EXPECT_EQ(ini.value("Item1", "Customize"), "");
            EXPECT_EQ(ini.value("Item1", "Note"), "");
        }
    }
}

TEST(IniFileRead, NamesIgnoreCase) {
    const IniFile ini("[setting]\ncount=4\n");
    EXPECT_EQ(ini.value("SETTING", "Count"), "4");
    EXPECT_EQ(ini.value("Setting", "COUNT"), "4");
}

TEST(IniFileRead, MissingSectionsKeysAndCommentsReadEmpty) {
    const IniFile ini("Count=1\n[Setting]\n;Mode=2\n[Item1]\nMode=3\n");
    EXPECT_EQ(ini.value("Setting", "Count"), "");
    EXPECT_EQ(ini.value("Setting", "Mode"), "");
    EXPECT_EQ(ini.value("Setting", ";Mode"), "");
    EXPECT_EQ(ini.value("Item2", "Mode"), "");
    EXPECT_EQ(ini.value("Item1", "Brightness"), "");
}

TEST(IniFileRead, FirstOfDuplicateSectionsAndKeysWins) {
    const IniFile ini("[Item1]\nMode=1\nmode=2\n[Item2]\nMode=9\n[ITEM1]\nMode=3\nFrequency=4\n");
    EXPECT_EQ(ini.value("Item1", "Mode"), "1");
    EXPECT_EQ(ini.value("Item1", "Frequency"), "");
}

TEST(IniFileRead, OnePairOfQuotesIsDropped) {
    const IniFile ini("[A]\nx=\"12\"\ny='ab'\nz=\"q'\nw=\"\n");
    EXPECT_EQ(ini.value("A", "x"), "12");
    EXPECT_EQ(ini.value("A", "y"), "ab");
    EXPECT_EQ(ini.value("A", "z"), "\"q'");
    EXPECT_EQ(ini.value("A", "w"), "\"");
}

TEST(IniFileRead, LongValuesAreCutAsThePlatformBufferDoes) {
    const IniFile ini("[A]\nx=" + std::string(2000, '7') + "\n");
    EXPECT_EQ(ini.value("A", "x"), std::string(IniFile::kMaxValueLength, '7'));
}

// Writing

TEST(IniFileWrite, NewTextIsPlainLinesWithCrLf) {
    IniFile ini;
    ini.setValue("Setting", "Count", "1");
    ini.setValue("Item1", "Mode", "2");
    ini.setValue("Setting", "Extra", "x");
    EXPECT_EQ(ini.text(), "[Setting]\r\nCount=1\r\nExtra=x\r\n[Item1]\r\nMode=2\r\n");
}

TEST(IniFileWrite, ReplacesInPlaceAndKeepsEveryOtherLine) {
    IniFile ini("; header\n[window]\n  left = 10 \n\n[setting]\ncount = 5\ntheme=dark\n");
    ini.setValue("Setting", "Count", "3");
    EXPECT_EQ(ini.text(),
              "; header\r\n[window]\r\n  left = 10 \r\n\r\n[setting]\r\ncount=3\r\ntheme=dark\r\n");
    EXPECT_EQ(ini.value("SETTING", "count"), "3");
}

TEST(IniFileWrite, AppendsKeyBeforeTheBlankLinesThatEndItsSection) {
    IniFile ini("[A]\nx=1\n\n[B]\ny=2\n");
    ini.setValue("a", "z", "3");
    ini.setValue("C", "w", "4");
    EXPECT_EQ(ini.text(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
}

TEST(IniFileWrite, WritesGoToTheFirstOfDuplicates) {
    IniFile ini("[A]\nx=1\nx=2\n[a]\nx=3\n");
    ini.setValue("A", "X", "9");
    EXPECT_EQ(ini.text(), "[A]\r\nx=9\r\nx=2\r\n[a]\r\nx=3\r\n");
}

TEST(IniFileWrite, ByteOrderMarkStays) {
    IniFile ini("\xEF\xBB\xBF[A]\nx=1\n");
    ini.setValue("A", "x", "2");
    EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[A]\r\nx=2\r\n");
}

} // namespace
} // namespace lumavert
