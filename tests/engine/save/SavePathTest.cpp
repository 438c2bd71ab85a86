// Names from the image made safe for the file system, paths kept inside the
// destination, the long-path form and the duplicate-name rule.
#include <gtest/gtest.h>

#include <windows.h>

#include "save/SavePath.h"

namespace {

struct NameCase
{
    const wchar_t* name;
    const wchar_t* safe;
};

const NameCase NameCases[] = {
    {L"report.doc", L"report.doc"},
    {L"..", L"_"},
    {L".", L"_"},
    {L"", L"_"},
    {L"...", L"_"},
    {L"\\", L"_"},
    {L"..\\..\\evil.txt", L".._.._evil.txt"},
    {L"a/b", L"a_b"},
    {L"a:b", L"a_b"},
    {L"x*y?z\"<>|.txt", L"x_y_z____.txt"},
    {L"tab\there\x1f", L"tab_here_"},
    {L"trailing. . ", L"trailing"},
    {L"CON", L"_CON"},
    {L"con.txt", L"_con.txt"},
    {L"NUL .log", L"_NUL .log"},
    {L"COM1", L"_COM1"},
    {L"lpt9.dat", L"_lpt9.dat"},
    {L"CONSOLE.txt", L"CONSOLE.txt"},
    {L"COM10", L"COM10"},
    {L"Ünïcödé Ñame — 日本語.txt", L"Ünïcödé Ñame — 日本語.txt"},
};

std::wstring TempFolder(const wchar_t* leaf)
{
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::wstring folder = LongDestination(std::wstring(tmp) + leaf);
    CPathMaker().CreateDirectoryPath(folder);
    return folder;
}

void Touch(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
}

}  // namespace

TEST(SavePath, ComponentsAreMadeSafe)
{
    for (const NameCase& c : NameCases)
        EXPECT_EQ(std::wstring(c.safe), SanitizePathComponent(c.name)) << c.name;
}

TEST(SavePath, LongComponentsAreCutTo255WithoutSplittingAPair)
{
    std::wstring name(300, L'a');
    EXPECT_EQ(255u, SanitizePathComponent(name).size());
    std::wstring pairs(254, L'b');
    pairs += L"\xD83D\xDE00tail";   // a surrogate pair across the cut
    std::wstring safe = SanitizePathComponent(pairs);
    EXPECT_EQ(254u, safe.size());
    std::wstring dots(254, L'c');
    dots += L". x";   // cut leaves a trailing dot
    EXPECT_EQ(std::wstring(254, L'c'), SanitizePathComponent(dots));
}

TEST(SavePath, TreePathsAreSplitAndEveryPartMadeSafe)
{
    std::vector<std::wstring> parts = SanitizeTreePath(L"Root\\..\\a:b\\\\CON\\");
    ASSERT_EQ(4u, parts.size());
    EXPECT_EQ(L"Root", parts[0]);
    EXPECT_EQ(L"_", parts[1]);
    EXPECT_EQ(L"a_b", parts[2]);
    EXPECT_EQ(L"_CON", parts[3]);
}

TEST(SavePath, DestinationTakesTheLongPathForm)
{
    EXPECT_EQ(L"\\\\?\\C:\\dest", LongDestination(L"C:\\dest\\"));
    EXPECT_EQ(L"\\\\?\\C:\\dest", LongDestination(L"C:\\other\\..\\dest"));
    EXPECT_EQ(L"\\\\?\\UNC\\server\\share\\d", LongDestination(L"\\\\server\\share\\d"));
    EXPECT_EQ(L"\\\\?\\C:\\dest", LongDestination(L"\\\\?\\C:\\dest\\"));
    EXPECT_EQ(L"", LongDestination(L""));
}

TEST(SavePath, OnlyPathsInsideTheDestinationPass)
{
    const std::wstring d = L"\\\\?\\C:\\dest";
    EXPECT_TRUE(IsPathUnder(d, d + L"\\a.txt"));
    EXPECT_TRUE(IsPathUnder(d, L"\\\\?\\c:\\DEST\\sub\\a.txt"));
    EXPECT_FALSE(IsPathUnder(d, d));
    EXPECT_FALSE(IsPathUnder(d, d + L"\\"));
    EXPECT_FALSE(IsPathUnder(d, d + L"x\\a.txt"));
    EXPECT_FALSE(IsPathUnder(d, d + L"\\..\\a.txt"));
    EXPECT_FALSE(IsPathUnder(d, d + L"\\sub\\.\\a.txt"));
    EXPECT_FALSE(IsPathUnder(d, d + L"\\a.txt:stream"));
    EXPECT_FALSE(IsPathUnder(d, d + L"\\a\\\\b"));
    EXPECT_FALSE(IsPathUnder(L"", L"\\a"));
}

TEST(SavePath, FoldersDeeperThanMaxPathAreCreated)
{
    std::wstring folder = TempFolder(L"tesmir-save-long");
    for (int i = 0; i < 12; ++i)
        folder = JoinPath(folder, std::wstring(40, (wchar_t)(L'a' + i)));
    ASSERT_GT(folder.size(), (size_t)MAX_PATH);
    ASSERT_TRUE(CPathMaker().CreateDirectoryPath(folder));
    std::wstring file = JoinPath(folder, L"deep.txt");
    Touch(file);
    EXPECT_TRUE(PathExists(file));
}

TEST(SavePath, DuplicateNamesFollowThePolicy)
{
    std::wstring folder = TempFolder(L"tesmir-save-dup");
    Touch(JoinPath(folder, L"a.txt"));
    Touch(JoinPath(folder, L"Copy (1 ) of a.txt"));
    std::wstring name = L"a.txt";
    EXPECT_TRUE(ApplyDuplicatePolicy(folder, name, 1));
    EXPECT_EQ(L"Copy (2 ) of a.txt", name);
    name = L"a.txt";
    EXPECT_TRUE(ApplyDuplicatePolicy(folder, name, 2));
    EXPECT_EQ(L"a.txt", name);
    EXPECT_FALSE(ApplyDuplicatePolicy(folder, name, 3));
    name = L"new.txt";
    EXPECT_TRUE(ApplyDuplicatePolicy(folder, name, 3));
    EXPECT_EQ(L"new.txt", name);
    // A renamed long name still fits one component.
    std::wstring longName(255, L'n');
    Touch(JoinPath(folder, longName));
    name = longName;
    EXPECT_TRUE(ApplyDuplicatePolicy(folder, name, 1));
    EXPECT_EQ(255u, name.size());
    EXPECT_EQ(0u, name.find(L"Copy (1 ) of "));
}
