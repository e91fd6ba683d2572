// Splitting UTF-16 paths, and the caption that shows a file's name.
#include <gtest/gtest.h>

#include "core/command_line.h"
#include "core/file_name.h"

namespace {

TEST(SplitPath, FolderNameStemAndExtension) {
    const struct {
        std::u16string path, folder, name, stem, extension;
    } cases[] = {
        {u"C:\\data\\day1.mv2", u"C:\\data\\", u"day1.mv2", u"day1", u".mv2"},
        // In code page 932 the second byte of ソ and 表 is a backslash.
        {u"C:\\ソーラー\\表示.mv2", u"C:\\ソーラー\\", u"表示.mv2", u"表示", u".mv2"},
        {u"Z:\\tmp\\𠮷野.mv2", u"Z:\\tmp\\", u"𠮷野.mv2", u"𠮷野", u".mv2"},
        {u"C:\\a.b\\name", u"C:\\a.b\\", u"name", u"name", u""},
        {u"C:\\x\\a.b.mv2", u"C:\\x\\", u"a.b.mv2", u"a.b", u".mv2"},
        {u"C:\\x\\name.", u"C:\\x\\", u"name.", u"name", u"."},
        {u"C:\\x\\.hidden", u"C:\\x\\", u".hidden", u".hidden", u""},
        {u"C:\\root.mv2", u"C:\\", u"root.mv2", u"root", u".mv2"},
        {u"C:name.mv2", u"C:", u"name.mv2", u"name", u".mv2"},
        {u"dir/café.csv", u"dir/", u"café.csv", u"café", u".csv"},
        {u"\\\\?\\C:\\long\\f.mv2", u"\\\\?\\C:\\long\\", u"f.mv2", u"f", u".mv2"},
        {u"plain", u"", u"plain", u"plain", u""},
        {u"C:\\folder\\", u"C:\\folder\\", u"", u"", u""},
    };
    for (const auto& c : cases) {
        const PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.folder, c.folder);
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.stem, c.stem);
        EXPECT_EQ(p.extension, c.extension);
    }
}

TEST(HasExtension, TheWholeExtensionInEitherCase) {
    EXPECT_TRUE(HasExtension(u"C:\\x\\chart.EMF", u".emf"));
    EXPECT_TRUE(HasExtension(u"day.Mv2", u".mv2"));
    EXPECT_FALSE(HasExtension(u"day.mv2x", u".mv2"));
    EXPECT_FALSE(HasExtension(u"C:\\x.emf\\chart", u".emf"));
    EXPECT_FALSE(HasExtension(u"chart.png", u".emf"));
    EXPECT_FALSE(HasExtension(u"emf", u".emf"));
}

TEST(FileCaption, TitleAndNameCutOnlyBetweenCodePoints) {
    const std::u16string outside932 = u"MARVEK Ⅱ [ 𠮷野.mv2 ]";
    EXPECT_EQ(FileCaption(u"MARVEK Ⅱ", outside932.substr(11, 7)), outside932);

    std::u16string name;
    for (int i = 0; i < 150; ++i)
        name += u"𠮷"; // 300 units of surrogate pairs
    for (size_t limit : {259u, 258u}) {
        const std::u16string caption = FileCaption(u"MARVEK Ⅱ", name, limit);
        EXPECT_LE(caption.size(), limit);
        EXPECT_GE(caption.size(), limit - 1);
        EXPECT_EQ(caption.substr(caption.size() - 2), u" ]");
        const std::u16string kept = caption.substr(11, caption.size() - 13);
        EXPECT_EQ(kept.size() % 2, 0u) << "half of a surrogate pair";
        EXPECT_EQ(kept, name.substr(0, kept.size()));
    }
    EXPECT_EQ(FileCaption(u"MARVEK Ⅱ", u"x", 10), u"MARVEK Ⅱ");
}

TEST(FileCallPath, LongPathsTakeTheExtendedForm) {
    const std::u16string folder = u"C:\\" + std::u16string(249 - 3, u'd');
    EXPECT_EQ(FileCallPath(folder + u"\\a.mv2"), folder + u"\\a.mv2"); // 255 units
    EXPECT_EQ(FileCallPath(folder + u"\\~mv2.tmp0123"), u"\\\\?\\" + folder + u"\\~mv2.tmp0123");
    const std::u16string share = u"\\\\server\\share/" + std::u16string(250, u'n');
    EXPECT_EQ(FileCallPath(share), u"\\\\?\\UNC\\server\\share\\" + std::u16string(250, u'n'));
    const std::u16string extended = u"\\\\?\\C:\\" + std::u16string(300, u'x');
    EXPECT_EQ(FileCallPath(extended), extended);
}

TEST(CommandLinePath, TheRestAfterTheProgramWithOnePairOfQuotesRemoved) {
    const struct {
        std::u16string line, path;
    } cases[] = {
        {u"\"C:\\Program Files\\marvek2.exe\" \"D:\\data\\日照 1.mv2\"", u"D:\\data\\日照 1.mv2"},
        {u"marvek2.exe day.mv2  ", u"day.mv2"},
        {u"marvek2.exe   \t", u""},
        {u"\"marvek2.exe\"", u""},
        {u"marvek2.exe a b.mv2", u"a b.mv2"},
        {u"marvek2.exe \"x\"y\"", u"x\"y"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(CommandLinePath(c.line) == c.path) << c.line.size();
}

} // namespace

namespace {

TEST(ForwardedPath, OnlyAWholePathWithItsOneZeroAtTheEnd) {
    std::u16string path;
    const char16_t good[] = u"C:\\記録\\day.mv2";
    ASSERT_TRUE(ForwardedPath(good, sizeof good, path));
    EXPECT_TRUE(path == u"C:\\記録\\day.mv2");

    const char16_t noZero[] = {u'a', u'b'};
    const char16_t early[] = {u'a', 0, u'b', 0};
    const char16_t empty[] = {0};
    const struct {
        const void* data;
        size_t bytes;
    } refused[] = {
        {good, sizeof good - 1}, // not a whole number of units
        {noZero, sizeof noZero}, // no terminating zero
        {early, sizeof early},   // a zero inside
        {empty, sizeof empty},   // nothing
        {nullptr, 0},
    };
    for (const auto& r : refused)
        EXPECT_FALSE(ForwardedPath(r.data, r.bytes, path)) << r.bytes;

    std::u16string longest(LongestPath, u'x');
    EXPECT_TRUE(ForwardedPath(longest.c_str(), (longest.size() + 1) * 2, path));
    longest += u'x';
    EXPECT_FALSE(ForwardedPath(longest.c_str(), (longest.size() + 1) * 2, path));
}

} // namespace

namespace {

TEST(FolderPaths, TrailingSeparatorsGoAndOneJoinsAName) {
    EXPECT_TRUE(WithoutTrailingSeparators(u"D:\\archive\\\\") == u"D:\\archive");
    EXPECT_TRUE(WithoutTrailingSeparators(u"D:\\archive/") == u"D:\\archive");
    EXPECT_TRUE(WithoutTrailingSeparators(u"C:\\") == u"C:\\");
    EXPECT_TRUE(InFolder(u"D:\\archive", u"a.mv2") == u"D:\\archive\\a.mv2");
    EXPECT_TRUE(InFolder(u"C:\\", u"a.mv2") == u"C:\\a.mv2");
    EXPECT_TRUE(InFolder(u"", u"a.mv2") == u"a.mv2");
}

} // namespace
