// SPDX-License-Identifier: MIT
#include "regfile.h"

#include <gtest/gtest.h>

#include <random>

namespace orvex {
namespace {

using Health = RegFile::Health;

TEST(RegFileTest, SectionEndsOnlyAtALineStartingWithABracket)
{
    const RegFile file = RegFile::Parse("[A]\n"
                                        "Text=see [B] here\n"
                                        "Other=x\\n[B]\n"
                                        "Key=1 Hidden=2\n"
                                        "[B]\n"
                                        "Key=2\n");
    EXPECT_EQ(file.Status(), Health::Clean);
    ASSERT_NE(file.Find("A", "Text"), nullptr);
    EXPECT_EQ(*file.Find("A", "Text"), "see [B] here");
    EXPECT_EQ(*file.Find("A", "Other"), "x\n[B]");
    EXPECT_EQ(*file.Find("A", "Key"), "1 Hidden=2");
    EXPECT_EQ(*file.Find("B", "Key"), "2");
    EXPECT_EQ(file.Find("A", "Hidden"), nullptr);
    EXPECT_EQ(file.Find("B", "Text"), nullptr);
}

TEST(RegFileTest, ANoteAfterTheSectionLineKeepsTheSectionAndSurvivesARewrite)
{
    RegFile file = RegFile::Parse("[SOFTWARE\\Orvex\\Lumora\\Advanced] ; my message settings\n"
                                  "LockMessage=1\n");
    EXPECT_EQ(file.Status(), Health::Clean);
    ASSERT_NE(file.Find("SOFTWARE\\Orvex\\Lumora\\Advanced", "LockMessage"), nullptr);
    file.Set("SOFTWARE\\Orvex\\Lumora\\Advanced", "Other", "2");
    const RegFile reread = RegFile::Parse(file.Serialise());
    EXPECT_NE(file.Serialise().find("[SOFTWARE\\Orvex\\Lumora\\Advanced] ; my message settings\n"),
              std::string::npos);
    EXPECT_EQ(reread.Status(), Health::Clean);
    ASSERT_NE(reread.Find("SOFTWARE\\Orvex\\Lumora\\Advanced", "LockMessage"), nullptr);
    EXPECT_EQ(*reread.Find("SOFTWARE\\Orvex\\Lumora\\Advanced", "LockMessage"), "1");
}

TEST(RegFileTest, HealthTellsWhatWasLeftOut)
{
    struct Case {
        std::string bytes;
        Health expected;
    };
    const std::vector<Case> cases = {
        {"", Health::Clean},
        {"; only a comment\n\n  \n", Health::Clean},
        {"[A]\nx=1", Health::Clean},
        {"[A]\r\nx=1\r\n", Health::Clean},
        {"[A]\n[]\n=\n", Health::Clean},
        {"[A]\n\xff\xfe=\xc0\n", Health::Clean},
        {"x=1\n[A]\n", Health::Damaged},
        {"[A]\nno separator\n", Health::Damaged},
        {"[A\nx=1\n", Health::Damaged},
        {"[\n", Health::Damaged},
        {"[A]\nx=1\nX=2\n", Health::Damaged},
        {std::string("[A]\nx=1\n\0", 9), Health::Unusable},
        {"[A]\nx=" + std::string(RegFile::kMaxLineLength - 2, 'v'), Health::Clean},
        {"[A]\nx=" + std::string(RegFile::kMaxLineLength - 1, 'v'), Health::Damaged},
        {"[" + std::string(RegFile::kMaxLineLength, 'A') + "]\nx=1\n", Health::Damaged},
        {"[A]\nx=" + std::string(RegFile::kMaxLineLength / 2, '\xff'), Health::Damaged}, // too long once escaped
    };
    for (const Case &c : cases)
        EXPECT_EQ(RegFile::Parse(c.bytes).Status(), c.expected) << c.bytes;
}

TEST(RegFileTest, LoneCarriageReturnsEndLinesAsLineFeedsDo)
{
    for (const std::string end : {"\n", "\r\n", "\r"}) {
        const RegFile file = RegFile::Parse("; heading" + end + end + "[A]" + end + "x=1" + end + "y = 2" + end);
        EXPECT_EQ(file.Status(), Health::Clean);
        ASSERT_NE(file.Find("A", "y"), nullptr);
        EXPECT_EQ(*file.Find("A", "x"), "1");
        EXPECT_EQ(*file.Find("A", "y"), "2");
    }
}

TEST(RegFileTest, LaterDuplicatesWinAndSectionsMerge)
{
    const RegFile file = RegFile::Parse("[A]\nx=1\n[B]\ny=2\n[a]\nX=3\nz=4\n");
    ASSERT_EQ(file.Sections().size(), 2u);
    EXPECT_EQ(*file.Find("A", "x"), "3");
    EXPECT_EQ(*file.Find("A", "z"), "4");
    EXPECT_EQ(file.Sections()[0].values.size(), 2u);
}

TEST(RegFileTest, UnknownEscapesAndALoneBackslashStandForThemselves)
{
    const RegFile file = RegFile::Parse("[A]\na=\\q\\xZ1\\x4a\\\nb=\\s\\s \n");
    EXPECT_EQ(*file.Find("A", "a"), "qxZ1J\\");
    EXPECT_EQ(*file.Find("A", "b"), "  ");
}

std::string RandomText(std::mt19937 &random)
{
    // Weighted towards the characters the format treats specially.
    static const char kChars[] = " \t\r\n\\=[];#sxn\0\x7f\xc3\xa9\xff";
    static const std::string kSpecial(kChars, sizeof kChars - 1);
    std::uniform_int_distribution<int> length(0, 12), pick(0, 3), byte(0, 255);
    std::uniform_int_distribution<size_t> special(0, kSpecial.size() - 1);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += pick(random) == 0 ? static_cast<char>(byte(random)) : kSpecial[special(random)];
    return text;
}

TEST(RegFileTest, AnyNameAndTextSurviveSerialising)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 300; ++round) {
        RegFile original;
        const std::string path = "SOFTWARE\\Orvex\\Lumora\\S" + std::to_string(round % 5);
        std::vector<std::pair<std::string, std::string>> written;
        for (int i = 0; i < 6; ++i) {
            const std::string name = RandomText(random) + "#" + std::to_string(i); // distinct names
            written.emplace_back(name, RandomText(random));
            original.Set(path, name, written.back().second);
        }
        const std::string bytes = original.Serialise();
        const RegFile reread = RegFile::Parse(bytes);
        ASSERT_EQ(reread.Status(), Health::Clean) << bytes;
        for (const auto &[name, text] : written) {
            ASSERT_NE(reread.Find(path, name), nullptr) << bytes;
            EXPECT_EQ(*reread.Find(path, name), text) << bytes;
        }
    }
}

} // namespace
} // namespace orvex
