// The built program started as a child: a second start says so and ends
// while the first runs on; a real start registers the snapshot type for the
// running program; the file-type writer and the Office flags on their own.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include "CGCFileTypeAccess.h"
#include "StartupTestSupport.h"
#include "TestSupport.h"

using tesmir::test::PumpUntil;

namespace {

const DWORD kStartTimeout = 90000;

std::wstring ReadDefault(HKEY root, const std::wstring& key, const wchar_t* name = L"")
{
    wchar_t value[1024] = L"";
    DWORD cb = sizeof value - sizeof(wchar_t), type = 0;
    HKEY h = NULL;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return L"<missing>";
    LONG result = ::RegQueryValueExW(h, name, NULL, &type, (BYTE*)value, &cb);
    ::RegCloseKey(h);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return L"<missing>";
    return value;
}

BOOL CALLBACK CollectText(HWND hwnd, LPARAM lParam)
{
    wchar_t text[512] = L"";
    ::GetWindowTextW(hwnd, text, 512);
    *reinterpret_cast<std::wstring*>(lParam) += std::wstring(text) + L"\n";
    return TRUE;
}

// The second start shows the message and ends; the first keeps its frame.
// While the first runs, the registry holds the running program's
// registration.
TEST(ProgramStart, SecondInstanceIsRefusedAndTheFirstRegistersItsType)
{
    CChildProgram first;
    ASSERT_TRUE(first.Started());
    HWND frame = first.WaitFrame(kStartTimeout);
    ASSERT_TRUE(frame != NULL) << "the program showed no frame";

    CChildProgram second;
    ASSERT_TRUE(second.Started());
    HWND box = NULL;
    ASSERT_TRUE(PumpUntil(
        [&] {
            box = FindProcessWindow(second.Id(), L"Tesmir for VHD", L"#32770");
            return box != NULL || !second.Running();
        },
        kStartTimeout));
    ASSERT_TRUE(box != NULL) << "the second start showed no message";
    std::wstring texts;
    ::EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&texts));
    EXPECT_NE(std::wstring::npos, texts.find(L"Another instance of the application is already running."))
        << tesmir::test::Utf8(texts);
    EXPECT_TRUE(FindProcessWindow(second.Id(), L"Tesmir for VHD", nullptr) == box) << "the second start made a frame";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitEnded(kStartTimeout));
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(::IsWindow(frame));

    // The registration of the running program: its own command on the
    // extension, and the framework's registration over the class key.
    const std::wstring program = CChildProgram::ProgramPath();
    EXPECT_EQ(L"Tesmir.Document", ReadDefault(HKEY_CLASSES_ROOT, L".xwqz"));
    EXPECT_EQ(program + L" \"%0\"", ReadDefault(HKEY_CLASSES_ROOT, L".xwqz\\shell\\open\\command"));
    EXPECT_EQ(program + L",0", ReadDefault(HKEY_CLASSES_ROOT, L"Tesmir.Document\\DefaultIcon"));
    EXPECT_EQ(L"Tesmir Document", ReadDefault(HKEY_CLASSES_ROOT, L"Tesmir.Document"));
    EXPECT_EQ(L"\"" + program + L"\" \"%1\"", ReadDefault(HKEY_CLASSES_ROOT, L"Tesmir.Document\\shell\\open\\command"));
}

// The five default values the start-up's filling writes, and nothing more,
// under a classes root redirected to a scratch key.
TEST(ProgramStart, FileTypeRegistrationWritesExactlyFiveValues)
{
    const wchar_t* scratch = L"Software\\Tesmir tests\\classes";
    ::SHDeleteKeyW(HKEY_CURRENT_USER, scratch);
    HKEY hScratch = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, scratch, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                               &hScratch, NULL));
    ASSERT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_CLASSES_ROOT, hScratch));
    const std::wstring program = L"C:\\Tools\\x.exe";
    CGCFileTypeAccess access;
    access.SetExtension(L"xwqz");
    access.SetShellOpenCommand((program + L" \"%0\"").c_str());
    access.SetDocumentShellOpenCommand((program + L" \"%0\"").c_str());
    access.SetDocumentClassName(L"Tesmir.Document");
    access.SetDefaultIcon((program + L",0").c_str());
    EXPECT_TRUE(access.RegisterAll());
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);

    struct Value
    {
        const wchar_t* key;
        std::wstring value;
    };
    const Value expected[] = {
        {L".xwqz", L"Tesmir.Document"},
        {L".xwqz\\shell\\open\\command", L"C:\\Tools\\x.exe \"%0\""},
        {L"Tesmir.Document", L""},
        {L"Tesmir.Document\\DefaultIcon", L"C:\\Tools\\x.exe,0"},
        {L"Tesmir.Document\\shell\\open\\command", L"C:\\Tools\\x.exe \"%0\""},
    };
    for (const Value& v : expected)
        EXPECT_EQ(v.value, ReadDefault(hScratch, v.key)) << tesmir::test::Utf8(v.key);
    // Every key holds at most its default value: nothing else was written.
    DWORD subKeys = 0, values = 0;
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryInfoKeyW(hScratch, NULL, NULL, NULL, &subKeys, NULL, NULL, &values, NULL,
                                                NULL, NULL, NULL));
    EXPECT_EQ(2u, subKeys);
    EXPECT_EQ(0u, values);
    for (const wchar_t* key : {L".xwqz\\shell\\open", L".xwqz\\shell", L"Tesmir.Document\\shell"}) {
        HKEY h = NULL;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(hScratch, key, 0, KEY_READ, &h));
        ::RegQueryInfoKeyW(h, NULL, NULL, NULL, &subKeys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
        EXPECT_EQ(1u, subKeys) << tesmir::test::Utf8(key);
        EXPECT_EQ(0u, values) << tesmir::test::Utf8(key);
        ::RegCloseKey(h);
    }
    ::RegCloseKey(hScratch);

    // An empty extension writes no extension key; the class key still comes.
    ::SHDeleteKeyW(HKEY_CURRENT_USER, scratch);
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, scratch, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                               &hScratch, NULL));
    ASSERT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_CLASSES_ROOT, hScratch));
    access.SetExtension(L"");
    access.RegisterAll();
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
    EXPECT_EQ(L"<missing>", ReadDefault(hScratch, L".xwqz"));
    EXPECT_EQ(L"", ReadDefault(hScratch, L"Tesmir.Document"));
    ::RegCloseKey(hScratch);
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tesmir tests");
}

TEST(ProgramStart, WriteRegistryStringRefusesBadArguments)
{
    struct Case
    {
        HKEY root;
        const wchar_t* key;
        const wchar_t* name;
        const wchar_t* data;
    };
    const Case cases[] = {
        {NULL, L"k", L"", L"d"},
        {HKEY_CURRENT_USER, L"", L"", L"d"},
        {HKEY_CURRENT_USER, NULL, L"", L"d"},
        {HKEY_CURRENT_USER, L"Software\\Tesmir tests", NULL, L"d"},
        {HKEY_CURRENT_USER, L"Software\\Tesmir tests", L"", NULL},
    };
    for (const Case& c : cases) {
        ::SetLastError(0);
        EXPECT_FALSE(CGCFileTypeAccess::WriteRegistryString(c.root, c.key, c.name, c.data));
        EXPECT_EQ((DWORD)E_INVALIDARG, ::GetLastError());
    }
    EXPECT_TRUE(CGCFileTypeAccess::WriteRegistryString(HKEY_CURRENT_USER, L"Software\\Tesmir tests", L"v", L"abc"));
    EXPECT_EQ(L"abc", ReadDefault(HKEY_CURRENT_USER, L"Software\\Tesmir tests", L"v"));
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tesmir tests");
}

// The Office viewing flags: without the keys nothing is written and the
// frame still opens; with them the three values are written.
TEST(ProgramStart, OfficeFlagsOnlyWhereTheKeysExist)
{
    const wchar_t* sheet8 = L"SOFTWARE\\Classes\\Excel.Sheet.8";
    const wchar_t* sheet12 = L"SOFTWARE\\Classes\\Excel.Sheet.12";
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, sheet8);
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, sheet12);
    {
        CChildProgram program;
        ASSERT_TRUE(program.WaitFrame(kStartTimeout) != NULL);
    }
    HKEY h = NULL;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, sheet8, 0, KEY_READ, &h));
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, sheet12, 0, KEY_READ, &h));

    for (const wchar_t* key : {sheet8, sheet12}) {
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL));
        ::RegCloseKey(h);
    }
    {
        CChildProgram program;
        ASSERT_TRUE(program.WaitFrame(kStartTimeout) != NULL);
    }
    struct Flag
    {
        const wchar_t* key;
        const wchar_t* name;
        DWORD value;
    };
    for (const Flag& f : {Flag{sheet8, L"EditFlags", 0x00010000}, Flag{sheet8, L"BrowserFlags", 0},
                          Flag{sheet12, L"BrowserFlags", 0}}) {
        DWORD value = 0xDEAD, cb = sizeof value, type = 0;
        EXPECT_EQ(ERROR_SUCCESS, ::SHGetValueW(HKEY_LOCAL_MACHINE, f.key, f.name, &type, &value, &cb))
            << tesmir::test::Utf8(f.name);
        EXPECT_EQ((DWORD)REG_DWORD, type);
        EXPECT_EQ(f.value, value) << tesmir::test::Utf8(f.name);
    }
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, sheet8);
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, sheet12);
}

}  // namespace
