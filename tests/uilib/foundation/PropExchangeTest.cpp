// The property exchange's stored forms (registry names, types and texts;
// archive bytes) and the profile store, against the real registry under
// Software\VZTest (deleted before and after by the environment).
#include <gtest/gtest.h>

#include "CVZPProfileStore.h"
#include "CVZPPropExchangeArchive.h"
#include "CVZPPropExchangeIterator.h"
#include "CVZPPropExchangeRegistry.h"
#include "VZPBlobText.h"

#include <shlwapi.h>

#include <vector>

// An object with a class that the archive and the exchange can name.
class CPXTestObject : public CObject
{
    DECLARE_SERIAL(CPXTestObject)
public:
    int m_nValue = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nValue;
        else
            ar >> m_nValue;
    }
};
IMPLEMENT_SERIAL(CPXTestObject, CObject, 3)

namespace {

const wchar_t kTestRoot[] = L"Software\\VZTest\\Exchange";

// Throws the archive exception from its Serialize.
class CPXThrowingObject : public CObject
{
public:
    void Serialize(CArchive&) override { AfxThrowArchiveException(CArchiveException::badSchema); }
};

// The test's own registry key, emptied before and after each test.
class PropExchangeRegistry : public testing::Test
{
protected:
    void SetUp() override
    {
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestRoot);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kTestRoot, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hRoot, NULL),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        ::RegCloseKey(m_hRoot);
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestRoot);
    }

    // The type and bytes of a value under the test's "S" key; type 0 when
    // the value is missing.
    DWORD ValueOf(LPCWSTR pszName, std::vector<BYTE>* pBytes = NULL, LPCWSTR pszKey = L"S")
    {
        DWORD dwType = 0, cbData = 256;
        std::vector<BYTE> bytes(256);
        if (::RegGetValueW(m_hRoot, pszKey, pszName, RRF_RT_ANY | RRF_NOEXPAND, &dwType, bytes.data(), &cbData) !=
            ERROR_SUCCESS)
            return 0;
        bytes.resize(cbData);
        if (pBytes != NULL)
            *pBytes = bytes;
        return dwType;
    }

    HKEY m_hRoot = NULL;
};

// Two variables of one type code hold the same value.
bool SameVariable(int nType, const void* pA, const void* pB)
{
    if (nType == VZP_PROP_STRING)
        return *static_cast<const CString*>(pA) == *static_cast<const CString*>(pB);
    return memcmp(pA, pB, VZPPropTypeSize(nType)) == 0;
}

std::wstring TextOf(const std::vector<BYTE>& bytes)
{
    return std::wstring((const wchar_t*)bytes.data());
}

}  // namespace

TEST_F(PropExchangeRegistry, ValueTypesStoreAndLoad)
{
    // Each case stores a value, checks the registry's type and text, then
    // loads it back into a variable that starts different.
    struct Case
    {
        int nType;
        const void* pValue;
        const void* pDefault;
        const void* pDefaultVar;     // a variable holding the default
        DWORD dwRegType;
        std::vector<BYTE> stored;    // REG_DWORD and REG_BINARY bytes
        const wchar_t* text;         // REG_SZ text
    };
    short i2 = -1, i2Default = 0;
    int i4 = 0x12345678, i4Default = 0;
    float r4 = 1.5f, r4Default = 0;
    double r8 = -2.25, r8Default = 0;
    BOOL b = TRUE, bDefault = FALSE;
    BYTE ui1 = 200, ui1Default = 0;
    CString str(L"text"), strEmpty;
    RECT rc = { 1, 2, 3, 4 }, rcDefault = {};
    SIZE size = { -5, 6 }, sizeDefault = {};
    const Case cases[] = {
        { VT_I2, &i2, &i2Default, &i2Default, REG_DWORD, { 0xFF, 0xFF, 0, 0 }, NULL },
        { VT_I4, &i4, &i4Default, &i4Default, REG_DWORD, { 0x78, 0x56, 0x34, 0x12 }, NULL },
        { VT_R4, &r4, &r4Default, &r4Default, REG_BINARY, { 0, 0, 0xC0, 0x3F }, NULL },
        { VT_R8, &r8, &r8Default, &r8Default, REG_BINARY, { 0, 0, 0, 0, 0, 0, 0x02, 0xC0 }, NULL },
        { VT_BOOL, &b, &bDefault, &bDefault, REG_DWORD, { 1, 0, 0, 0 }, NULL },
        { VT_UI1, &ui1, &ui1Default, &ui1Default, REG_DWORD, { 200, 0, 0, 0 }, NULL },
        { VZP_PROP_STRING, &str, L"", &strEmpty, REG_SZ, {}, L"text" },
        { VZP_PROP_RECT, &rc, &rcDefault, &rcDefault, REG_SZ, {}, L"1, 2, 3, 4" },
        { VZP_PROP_SIZE, &size, &sizeDefault, &sizeDefault, REG_SZ, {}, L"-5, 6" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nType);
        {
            CVZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
            EXPECT_TRUE(px.ExchangeValue(L"V", c.nType, const_cast<void*>(c.pValue), c.pDefault));
        }
        std::vector<BYTE> bytes;
        ASSERT_EQ(ValueOf(L"V", &bytes), c.dwRegType);
        if (c.text != NULL)
            EXPECT_EQ(TextOf(bytes), c.text);
        else
            EXPECT_EQ(bytes, c.stored);

        // Loaded back into a variable holding something else.
        BYTE loaded[16] = { 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55 };
        CString strLoaded(L"other");
        void* pLoaded = c.nType == VZP_PROP_STRING ? (void*)&strLoaded : (void*)loaded;
        {
            CVZPPropExchangeRegistry px(TRUE, m_hRoot, L"S");
            EXPECT_TRUE(px.ExchangeValue(L"V", c.nType, pLoaded, c.pDefault));
        }
        EXPECT_TRUE(SameVariable(c.nType, pLoaded, c.pValue));

        // Storing the default deletes the value; loading then applies the
        // default, or, without use-defaults, keeps the variable and fails.
        {
            CVZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
            EXPECT_TRUE(px.ExchangeValue(L"V", c.nType, const_cast<void*>(c.pDefaultVar), c.pDefault));
        }
        EXPECT_EQ(ValueOf(L"V"), 0u);
        {
            CVZPPropExchangeRegistry px(TRUE, m_hRoot, L"S");
            px.m_bUseDefaultOnLoad = FALSE;
            EXPECT_FALSE(px.ExchangeValue(L"V", c.nType, pLoaded, c.pDefault));
            EXPECT_TRUE(SameVariable(c.nType, pLoaded, c.pValue));
            px.m_bUseDefaultOnLoad = TRUE;
            EXPECT_TRUE(px.ExchangeValue(L"V", c.nType, pLoaded, c.pDefault));
            EXPECT_TRUE(VZPPropIsEqual(c.nType, pLoaded, c.pDefault));
        }
    }
}

TEST_F(PropExchangeRegistry, TextsThatParseOrNot)
{
    HKEY hKey = NULL;
    ASSERT_EQ(::RegCreateKeyExW(m_hRoot, L"S", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL), ERROR_SUCCESS);
    auto setText = [&](LPCWSTR pszName, LPCWSTR pszText) {
        ::RegSetValueExW(hKey, pszName, 0, REG_SZ, (const BYTE*)pszText, (DWORD)(wcslen(pszText) + 1) * 2);
    };
    setText(L"Hex", L"0x10, 010");
    setText(L"Three", L"1, 2, 3");
    ::RegCloseKey(hKey);

    CVZPPropExchangeRegistry px(TRUE, m_hRoot, L"S");
    SIZE size = {};
    EXPECT_TRUE(PropExchangeSize(&px, L"Hex", &size, SIZE{ 9, 9 }));
    EXPECT_EQ(size.cx, 16);   // "%i": hexadecimal, then octal
    EXPECT_EQ(size.cy, 8);
    RECT rc = {};
    EXPECT_TRUE(PropExchangeRect(&px, L"Three", &rc, RECT{ 7, 8, 9, 10 }));
    EXPECT_EQ(rc.left, 7);
    EXPECT_EQ(rc.bottom, 10);
    // A missing section is made, empty, and gives the defaults.
    CVZPPropExchangeSectionRef missing(&px, L"Missing");
    int n = 0;
    EXPECT_TRUE(PropExchangeInt(missing, L"N", &n, 42));
    EXPECT_EQ(n, 42);
    HKEY hMissing = NULL;
    EXPECT_EQ(::RegOpenKeyExW(m_hRoot, L"S\\Missing", 0, KEY_READ, &hMissing), ERROR_SUCCESS);
    ::RegCloseKey(hMissing);
}

TEST_F(PropExchangeRegistry, EnumeratorsSectionsAndEmptying)
{
    for (int nItems : { 3, 0 })
    {
        SCOPED_TRACE(nItems);
        CVZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
        px.EmptySection();
        CVZPPropExchangeIterator* pEnum = px.GetEnumerator(L"Item");
        POSITION pos = pEnum->StartEnumeration(nItems, FALSE);
        int i = 0;
        while (pos != 0)
        {
            CVZPPropExchangeSectionRef section(pEnum->GetNextSection(pos));
            EXPECT_EQ(section->m_nSchema, 16);
            EXPECT_TRUE(section->m_bChildSection);
            EXPECT_TRUE(PropExchangeIntNoDefault(section, L"Index", &i));
            i++;
        }
        EXPECT_EQ(pEnum->GetNextSection(pos), nullptr);
        delete pEnum;
        EXPECT_EQ(i, nItems);
        std::vector<BYTE> bytes;
        EXPECT_EQ(ValueOf(L"Count", &bytes), nItems != 0 ? (DWORD)REG_DWORD : 0u);
        EXPECT_EQ(ValueOf(L"Index", NULL, L"S\\Item2"), nItems != 0 ? (DWORD)REG_DWORD : 0u);
    }

    // Emptying removes the sub-keys of the section too.
    CVZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
    {
        CVZPPropExchangeSectionRef child(&px, L"Child");
        int n = 5;
        PropExchangeInt(child, L"N", &n, 0);
    }
    EXPECT_EQ(ValueOf(L"N", NULL, L"S\\Child"), (DWORD)REG_DWORD);
    EXPECT_EQ(px.EmptySection(), ERROR_SUCCESS);
    EXPECT_EQ(ValueOf(L"N", NULL, L"S\\Child"), 0u);
    int n = 1;
    EXPECT_TRUE(PropExchangeInt(&px, L"After", &n, 0));   // a fresh key
    EXPECT_EQ(ValueOf(L"After"), (DWORD)REG_DWORD);
}

TEST_F(PropExchangeRegistry, ObjectsThroughSections)
{
    CPXTestObject object;
    object.m_nValue = 1234;
    {
        CVZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
        CObject* pObject = &object;
        EXPECT_TRUE(px.ExchangeObject(&pObject, RUNTIME_CLASS(CObject)));
        EXPECT_TRUE(PropExchangeSerialize(&px, L"Data", &object));
        CPXThrowingObject throwing;
        EXPECT_FALSE(PropExchangeSerialize(&px, L"Broken", &throwing));
    }
    std::vector<BYTE> bytes;
    ASSERT_EQ(ValueOf(L"Class", &bytes), (DWORD)REG_SZ);
    EXPECT_EQ(TextOf(bytes), L"CPXTestObject");
    EXPECT_EQ(ValueOf(L"Data"), (DWORD)REG_BINARY);
    {
        CVZPPropExchangeRegistry px(TRUE, m_hRoot, L"S");
        CObject* pObject = NULL;
        ASSERT_TRUE(px.ExchangeObject(&pObject, RUNTIME_CLASS(CObject)));
        CPXTestObject* pLoaded = DYNAMIC_DOWNCAST(CPXTestObject, pObject);
        ASSERT_NE(pLoaded, nullptr);
        EXPECT_TRUE(PropExchangeSerialize(&px, L"Data", pLoaded));
        EXPECT_EQ(pLoaded->m_nValue, 1234);
        delete pLoaded;
    }
    // An unknown class name.
    {
        CVZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
        CString strName(L"CNoSuchClass");
        PropExchangeStringNoDefault(&px, L"Class", &strName);
    }
    CVZPPropExchangeRegistry px(TRUE, m_hRoot, L"S");
    CRuntimeClass* pClass = NULL;
    EXPECT_FALSE(px.ExchangeRuntimeClass(L"Class", &pClass, NULL));
    CObject* pObject = NULL;
    EXPECT_FALSE(px.ExchangeObject(&pObject, RUNTIME_CLASS(CObject)));
}

TEST(PropExchangeArchive, GoldenBytes)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CVZPPropExchangeArchive px(ar);
        int n = 0x01020304;
        RECT rc = { 1, 2, 3, 4 };
        SIZE size = { 5, 6 };
        CString str(L"ab");
        BYTE blob[] = { 0xAA, 0xBB };
        BYTE* pBlob = blob;
        UINT nBlob = sizeof(blob);
        CRuntimeClass* pClass = RUNTIME_CLASS(CPXTestObject);
        // Defaults are never omitted in an archive.
        EXPECT_TRUE(PropExchangeInt(&px, L"N", &n, 0x01020304));
        EXPECT_TRUE(PropExchangeRect(&px, L"R", &rc, RECT{}));
        EXPECT_TRUE(PropExchangeSize(&px, L"S", &size, SIZE{}));
        EXPECT_TRUE(PropExchangeString(&px, L"T", &str, L""));
        EXPECT_TRUE(PropExchangeBlob(&px, L"B", &pBlob, &nBlob));
        EXPECT_TRUE(PropExchangeRuntimeClass(&px, L"C", &pClass, NULL));
        px.WriteCount(3);
        ar.Close();
    }
    const BYTE golden[] = {
        0x04, 0x03, 0x02, 0x01,
        1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0,
        5, 0, 0, 0, 6, 0, 0, 0,
        0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x62, 0x00,
        0x02, 0x00, 0xAA, 0xBB,
        0xFF, 0xFF, 0x03, 0x00, 0x0D, 0x00, 'C', 'P', 'X', 'T', 'e', 's', 't', 'O', 'b', 'j', 'e', 'c', 't',
        0x03, 0x00,
    };
    ASSERT_EQ(file.GetLength(), sizeof(golden));
    std::vector<BYTE> bytes(sizeof(golden));
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    EXPECT_EQ(bytes, std::vector<BYTE>(golden, golden + sizeof(golden)));

    // And back.
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CVZPPropExchangeArchive px(ar);
    int n = 0;
    RECT rc = {};
    SIZE size = {};
    CString str;
    BYTE* pBlob = NULL;
    UINT nBlob = 0;
    CRuntimeClass* pClass = NULL;
    PropExchangeIntNoDefault(&px, L"N", &n);
    PropExchangeRect(&px, L"R", &rc, RECT{});
    PropExchangeSize(&px, L"S", &size, SIZE{});
    PropExchangeStringNoDefault(&px, L"T", &str);
    EXPECT_TRUE(PropExchangeBlob(&px, L"B", &pBlob, &nBlob));
    EXPECT_TRUE(PropExchangeRuntimeClass(&px, L"C", &pClass, NULL));
    EXPECT_EQ(n, 0x01020304);
    EXPECT_EQ(rc.bottom, 4);
    EXPECT_EQ(size.cy, 6);
    EXPECT_STREQ((LPCWSTR)str, L"ab");
    ASSERT_EQ(nBlob, 2u);
    EXPECT_EQ(pBlob[1], 0xBB);
    free(pBlob);
    EXPECT_EQ(pClass, RUNTIME_CLASS(CPXTestObject));
    EXPECT_EQ(px.m_nSchema, 3);   // the stored class's schema
    EXPECT_EQ(px.ReadCount(), 3u);
}

TEST(PropExchangeArchive, BlobsThatDoNotFit)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        BYTE blob[600] = {};
        for (int i = 0; i < 600; i++)
            blob[i] = (BYTE)i;
        ar.WriteCount(600);
        ar.Write(blob, 600);
        ar << (int)77;
        ar.WriteCount(0x7FFFFFF0);   // far more than the archive holds
        ar << (int)0;
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CVZPPropExchangeArchive px(ar);
    BYTE small[16];
    BYTE* pSmall = small;
    UINT nSmall = sizeof(small);
    EXPECT_FALSE(PropExchangeBlob(&px, L"B", &pSmall, &nSmall));
    int n = 0;
    PropExchangeIntNoDefault(&px, L"N", &n);
    EXPECT_EQ(n, 77);   // the block was skipped
    BYTE* pHuge = NULL;
    UINT nHuge = 0;
    EXPECT_FALSE(PropExchangeBlob(&px, L"H", &pHuge, &nHuge));
    EXPECT_EQ(pHuge, nullptr);
}

TEST(PropExchange, BlobTextForm)
{
    const BYTE bytes[] = { 0x00, 0xFF, 0x1A };
    EXPECT_STREQ((LPCWSTR)VZPEncodeBlobText(bytes, 3), L"AAPPKB");
    BYTE decoded[3] = {};
    VZPDecodeBlobText(L"AAPPKB", 3, decoded);
    EXPECT_EQ(std::vector<BYTE>(decoded, decoded + 3), std::vector<BYTE>(bytes, bytes + 3));
}

// --- the profile store -----------------------------------------------------------

namespace {

// A store whose section key is opened read-only, so writes are refused.
class CReadOnlyProfileStore : public CVZPProfileStore
{
public:
    CReadOnlyProfileStore() : CVZPProfileStore(HKEY_CURRENT_USER) {}
    HKEY OpenSectionKey(LPCWSTR lpszSection, REGSAM) override
    {
        return CVZPProfileStore::OpenSectionKey(lpszSection, KEY_READ);
    }
};

const wchar_t kSectionPath[] = L"Software\\VZTest\\FoundationTests\\Store";

}  // namespace

TEST(ProfileStore, StringsBlocksAndDeletion)
{
    CVZPProfileStore store(HKEY_CURRENT_USER);
    EXPECT_EQ(store.WriteProfileString(L"Store", L"Name", L"value"), 1);
    wchar_t text[32] = {};
    DWORD cbText = sizeof(text);
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kSectionPath, L"Name", RRF_RT_REG_SZ, NULL, text, &cbText),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"value");
    EXPECT_STREQ((LPCWSTR)store.GetProfileString(L"Store", L"Name", L"dflt"), L"value");
    EXPECT_STREQ((LPCWSTR)store.GetProfileString(L"Store", L"Missing", L"dflt"), L"dflt");

    const BYTE block[] = { 1, 2, 3, 0, 255 };
    EXPECT_EQ(store.WriteProfileBinary(L"Store", L"Block", block, sizeof(block)), 1);
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(store.GetProfileBinary(L"Store", L"Block", &pData, &nBytes));
    EXPECT_EQ(std::vector<BYTE>(pData, pData + nBytes), std::vector<BYTE>(block, block + sizeof(block)));
    delete[] pData;
    EXPECT_FALSE(store.GetProfileBinary(L"Store", L"Missing", &pData, &nBytes));
    EXPECT_EQ(pData, nullptr);

    // A NULL value deletes the entry; a NULL entry the section.
    EXPECT_EQ(store.WriteProfileString(L"Store", L"Name", NULL), 1);
    EXPECT_STREQ((LPCWSTR)store.GetProfileString(L"Store", L"Name", L"gone"), L"gone");
    EXPECT_EQ(store.WriteProfileString(L"Store", NULL, NULL), 1);
    HKEY hKey = NULL;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kSectionPath, 0, KEY_READ, &hKey), ERROR_FILE_NOT_FOUND);

    // A write the registry refuses is told apart from other failures.
    CReadOnlyProfileStore readOnly;
    EXPECT_EQ(readOnly.WriteProfileString(L"Store", L"Name", L"value"), -1);
    EXPECT_EQ(readOnly.WriteProfileBinary(L"Store", L"Block", block, sizeof(block)), -1);
}

TEST(ProfileStore, IniFileForm)
{
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"vzp", 0, path);
    VZPGetProfileIniFile() = path;
    CVZPProfileStore store(HKEY_CURRENT_USER);
    const BYTE block[] = { 0x00, 0xFF, 0x1A };
    EXPECT_NE(store.WriteProfileBinary(L"Store", L"Block", block, 3), 0);
    EXPECT_STREQ((LPCWSTR)store.GetProfileString(L"Store", L"Block", NULL), L"AAPPKB");
    // An odd last letter is ignored.
    store.WriteProfileString(L"Store", L"Odd", L"AAPPK");
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(store.GetProfileBinary(L"Store", L"Odd", &pData, &nBytes));
    EXPECT_EQ(nBytes, 2u);
    EXPECT_EQ(pData[1], 0xFF);
    delete[] pData;
    VZPGetProfileIniFile().Empty();
    ::DeleteFileW(path);
}
