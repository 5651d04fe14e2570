// SPDX-License-Identifier: MIT
#include "propsfixture.h"
#include "templatefile.h"
#include "templatefilenames.h"
#include "templatetext.h"

#include "filesizelimit.h"

#include <set>

namespace orvex::test {
namespace {

using namespace std::string_literals;

struct LookupCase {
    const char *name;
    std::string text;
    const char *section;
    const char *key;
    std::optional<std::string> expected;
};

void PrintTo(const LookupCase &c, std::ostream *out)
{
    *out << c.name;
}

class TemplateTextLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(TemplateTextLookup, FindsOnlyWellFormedValues)
{
    const LookupCase &c = GetParam();
    const TemplateText text(c.text);
    const auto value = text.Value(c.section, c.key);
    if (c.expected)
        EXPECT_EQ(value, std::optional<std::string_view>(*c.expected));
    else
        EXPECT_FALSE(value.has_value()) << *value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplateTextLookup,
    ::testing::Values(
        LookupCase{"plain", "\r\n[Lumora]\r\nStars=40000\r\nSpeed=12\r\n", "Lumora", "Speed", "12"},
        LookupCase{"missing_key", "\r\n[Lumora]\r\nStars=40000\r\n", "Lumora", "Speed", std::nullopt},
        LookupCase{"missing_section", "\r\n[Lumora]\r\nStars=4\r\n", "GenColor", "Stars", std::nullopt},
        LookupCase{"spaces_kept", "\r\n[Advanced]\r\nAdv_FontName=Times New Roman \r\n", "Advanced", "Adv_FontName",
                   "Times New Roman "},
        LookupCase{"empty_value", "\r\n[Advanced]\r\nLockMessage=\r\n", "Advanced", "LockMessage", ""},
        LookupCase{"last_line_unterminated", "\r\n[Lumora]\r\nSpeed=1\r\nStars=40000", "Lumora", "Stars",
                   std::nullopt},
        LookupCase{"first_section_only", "\r\n[Lumora]\r\nSpeed=1\r\n\r\n[Lumora]\r\nStars=2\r\n", "Lumora", "Stars",
                   std::nullopt},
        LookupCase{"first_key_only", "\r\n[Lumora]\r\nStars=1\r\nStars=2\r\n", "Lumora", "Stars", "1"},
        LookupCase{"bracket_in_value", "\r\n[Advanced]\r\nLockMessage=a [b] c\r\nAdv_FontSize=14\r\n", "Advanced",
                   "Adv_FontSize", "14"},
        LookupCase{"header_text_in_value", "\r\n[Advanced]\r\nLockMessage=x [Lumora]\r\nStars=7\r\n\r\n[Lumora]\r\nStars=9\r\n",
                   "Lumora", "Stars", "9"},
        LookupCase{"key_only_at_line_start", "\r\n[Lumora]\r\nXStars=1\r\nStars=2\r\n", "Lumora", "Stars", "2"},
        LookupCase{"key_text_in_value", "\r\n[Lumora]\r\nSpeed=3 Stars=1\r\n", "Lumora", "Stars", std::nullopt},
        LookupCase{"lf_only", "\n[Lumora]\nStars=40000\nSpeed=5\n", "Lumora", "Stars", "40000"},
        LookupCase{"byte_order_mark", "\xEF\xBB\xBF[Lumora]\r\nStars=3\r\n", "Lumora", "Stars", "3"},
        LookupCase{"case_sensitive", "\r\n[lumora]\r\nstars=3\r\n", "Lumora", "Stars", std::nullopt},
        LookupCase{"section_ends_at_next_header", "\r\n[Lumora]\r\n[GenColor]\r\nStars=3\r\n", "Lumora", "Stars",
                   std::nullopt},
        LookupCase{"nul_bytes", "\r\n[Lumora]\r\nSta\0rs=1\r\nStars=2\0x\r\n"s, "Lumora", "Stars", "2\0x"s}),
    [](const auto &info) { return std::string(info.param.name); });

class TemplateFileTest : public PropsFixture {};

TEST_F(TemplateFileTest, WritesBlankLineAndHeaderBeforeEachSectionWithCrLf)
{
    templates.SetCurrentPath(Path("a.lmr"));
    templates.WriteTemplateValue("Admin", "Product", "Orvex Lumora");
    templates.WriteTemplateValue("Admin", "Version", "3.2.0");
    templates.WriteTemplateValue("Lumora", "Persist", 0.98f);
    templates.WriteTemplateValue("Lumora", "Msg", "two\r\nlines\n");
    ASSERT_TRUE(templates.FinishWriting());
    EXPECT_EQ(ReadFile(Path("a.lmr")), "\r\n[Admin]\r\nProduct=Orvex Lumora\r\nVersion=3.2.0\r\n"
                                       "\r\n[Lumora]\r\nPersist=0.98\r\nMsg=two  lines \r\n");
    EXPECT_FALSE(templates.FinishWriting()) << "nothing written since";
}

TEST_F(TemplateFileTest, ReadsGiveDefaultsForMissingFilesAndKeys)
{
    EXPECT_EQ(templates.ReadTemplateValue("Lumora", "Stars", 50000, Path("none.lmr")), "50000");
    WriteFile(Path("b.lmr"), "\r\n[Lumora]\r\nStars=123\r\n");
    templates.SetCurrentPath(Path("b.lmr"));
    EXPECT_EQ(templates.ReadTemplateValue("Lumora", "Stars", 50000), "123");
    EXPECT_EQ(templates.ReadTemplateValue("Lumora", "Speed", 5000), "5000");
}

TEST_F(TemplateFileTest, TheFileIsReadOnceUntilTheCacheIsCleared)
{
    WriteFile(Path("c.lmr"), "\r\n[Lumora]\r\nStars=1\r\n");
    templates.SetCurrentPath(Path("c.lmr"));
    EXPECT_EQ(templates.ReadTemplateValue("Lumora", "Stars", 0), "1");
    WriteFile(Path("c.lmr"), "\r\n[Lumora]\r\nStars=2\r\n");
    EXPECT_EQ(templates.ReadTemplateValue("Lumora", "Stars", 0), "1");
    templates.ClearCache();
    EXPECT_EQ(templates.ReadTemplateValue("Lumora", "Stars", 0), "2");
    WriteFile(Path("d.lmr"), "\r\n[Lumora]\r\nStars=3\r\n");
    EXPECT_EQ(templates.ReadTemplateValue("Lumora", "Stars", 0, Path("d.lmr")), "3") << "another file is read afresh";
}

TEST_F(TemplateFileTest, AFailedSaveLeavesThePreviousFileWhole)
{
    const std::string previous = "\r\n[Lumora]\r\nStars=777\r\n";
    WriteFile(Path("keep.lmr"), previous);
    templates.SetCurrentPath(Path("keep.lmr"));
    for (int i = 0; i < 100; ++i)
        templates.WriteTemplateValue("Lumora", "Key" + std::to_string(i), "a long enough value to pass the limit");
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(templates.FinishWriting());
    }
    EXPECT_EQ(ReadFile(Path("keep.lmr")), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1) << "no temporary file left";
}

TEST(TemplateFileNames, FilterSplitsIntoTypesAndPatterns)
{
    const auto types = SplitFilter(kTemplateFilter);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].description, "Lumora Templates (*.lmr)");
    EXPECT_EQ(types[0].pattern, "*.lmr");
    EXPECT_EQ(types[1].pattern, "*.*");
    EXPECT_EQ(SplitFilter("A|*.a|B").size(), 1u);
}

TEST(TemplateFileNames, PatternsMatchTheExtensionInAnyCase)
{
    const std::string templates = SplitFilter(kTemplateFilter)[0].pattern;
    // A saved template gets the upper-case default extension; it must still be listed.
    for (const char *name : {"mine.LMR", "mine.lmr", "Mine.Lmr", ".lmr", "a.b.lmr"})
        EXPECT_TRUE(MatchesFilePattern(name, templates) && IsTemplateFileName(name)) << name;
    for (const char *name : {"mine.lmr.bak", "minelmr", "mine.lm", "lmr"})
        EXPECT_FALSE(MatchesFilePattern(name, templates) || IsTemplateFileName(name)) << name;
    EXPECT_TRUE(MatchesFilePattern("README", "*.*"));
    EXPECT_TRUE(MatchesFilePattern("shot.BMP", "*.jpg; *.bmp"));
    EXPECT_TRUE(MatchesFilePattern("capture7.bmp", "capture?.bmp"));
    EXPECT_FALSE(MatchesFilePattern("capture17.bmp", "capture?.bmp"));
}

TEST(TemplateFileNames, SavePathGetsTheDefaultExtensionOnlyWhenTheNameHasNone)
{
    EXPECT_EQ(TemplateSavePath("/t", "mine", kTemplateDefaultExtension), std::filesystem::path("/t/mine.LMR"));
    EXPECT_EQ(TemplateSavePath("/t", "mine.lmr", "LMR"), std::filesystem::path("/t/mine.lmr"));
    EXPECT_EQ(TemplateSavePath("/t/v1.2", "mine", "LMR"), std::filesystem::path("/t/v1.2/mine.LMR"));
    EXPECT_FALSE(TemplateSavePath("/t", "   ", "LMR").has_value());
}

TEST_F(TemplateFileTest, ScratchFileProbeLeavesNoTraceAndSparesExistingFiles)
{
    WriteFile(Path("old.lmr0"), "mine");
    const auto names = [this] {
        std::set<std::string> found;
        for (const auto &entry : std::filesystem::directory_iterator(folder_))
            found.insert(entry.path().filename().string());
        return found;
    };
    const std::set<std::string> before = names();
    EXPECT_TRUE(CanCreateFileAt(Path("new.lmr")));
    EXPECT_TRUE(CanCreateFileAt(Path("old.lmr")));
    EXPECT_EQ(ReadFile(Path("old.lmr0")), "mine");
    EXPECT_EQ(names(), before);
    EXPECT_FALSE(CanCreateFileAt(Path("no/such/folder/x.lmr")));
    std::filesystem::create_directory(Path("folder.lmr"));
    EXPECT_FALSE(CanCreateFileAt(Path("folder.lmr"))) << "a save could never replace a folder";
}

} // namespace
} // namespace orvex::test
