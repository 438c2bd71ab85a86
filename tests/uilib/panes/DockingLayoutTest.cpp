// The pane layout saved to and loaded from the registry and an archive: the
// keys of a new layout, a docked layout's round trip into a fresh layout
// that is then adopted, the failures of damaged input, and old schemas.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <afxpriv.h>

#include <map>
#include <string>

#include "CVZPPropExchangeArchive.h"
#include "CVZPPropExchangeRegistry.h"
#include "DockingFrameFixture.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

namespace {

const wchar_t kTestKey[] = L"Software\\Tesmir\\PanesLayoutTest";

// Every DWORD value under the key, by "section/name".
void ReadValues(HKEY hKey, const std::wstring& strPrefix, std::map<std::wstring, DWORD>* pValues)
{
    for (DWORD i = 0;; i++)
    {
        WCHAR szName[256];
        DWORD cchName = 256, dwType = 0, dwValue = 0, cbValue = sizeof(dwValue);
        if (::RegEnumValueW(hKey, i, szName, &cchName, NULL, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cbValue) !=
            ERROR_SUCCESS)
            break;
        (*pValues)[strPrefix + szName] = dwType == REG_DWORD ? dwValue : 0xFFFFFFFF;
    }
    for (DWORD i = 0;; i++)
    {
        WCHAR szName[256];
        DWORD cchName = 256;
        if (::RegEnumKeyExW(hKey, i, szName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        HKEY hSub = NULL;
        if (::RegOpenKeyExW(hKey, szName, 0, KEY_READ, &hSub) == ERROR_SUCCESS)
        {
            ReadValues(hSub, strPrefix + szName + L"/", pValues);
            ::RegCloseKey(hSub);
        }
    }
}

class LayoutPersistence : public testing::Test
{
protected:
    void SetUp() override
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hKey, NULL);
        ASSERT_NE(nullptr, m_hKey);
    }
    void TearDown() override
    {
        ::RegCloseKey(m_hKey);
        AfxDelRegTreeHelper(HKEY_CURRENT_USER, kTestKey);
    }
    BOOL SaveToRegistry(CVZPDockingPaneLayout* pLayout, int nSchema = 16)
    {
        CVZPPropExchangeRegistry px(FALSE, m_hKey, L"Layout");
        px.m_nSchema = nSchema;
        return pLayout->DoPropExchange(&px);
    }
    BOOL LoadFromRegistry(CVZPDockingPaneLayout* pLayout)
    {
        CVZPPropExchangeRegistry px(TRUE, m_hKey, L"Layout");
        return pLayout->DoPropExchange(&px);
    }
    void SetValue(LPCWSTR pszSection, LPCWSTR pszName, DWORD dwValue)
    {
        CString strPath;
        strPath.Format(L"Layout\\%s", pszSection);
        HKEY hSub = NULL;
        ::RegCreateKeyExW(m_hKey, strPath, 0, NULL, 0, KEY_WRITE, NULL, &hSub, NULL);
        ::RegSetValueExW(hSub, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), 4);
        ::RegCloseKey(hSub);
    }
    std::map<std::wstring, DWORD> Values()
    {
        std::map<std::wstring, DWORD> values;
        HKEY hLayout = NULL;
        if (::RegOpenKeyExW(m_hKey, L"Layout", 0, KEY_READ, &hLayout) == ERROR_SUCCESS)
        {
            ReadValues(hLayout, L"", &values);
            ::RegCloseKey(hLayout);
        }
        return values;
    }

    HKEY m_hKey = NULL;
};

// Each value an archive holds, in order (every value is four bytes).
std::vector<int> ArchiveInts(CMemFile& file)
{
    std::vector<int> ints;
    ULONGLONG nLength = file.GetLength();
    BYTE* pData = file.Detach();
    for (ULONGLONG i = 0; i + 4 <= nLength; i += 4)
        ints.push_back(*reinterpret_cast<int*>(pData + i));
    file.Attach(pData, UINT(nLength), 1024);
    return ints;
}

}  // namespace

TEST_F(LayoutPersistence, ANewLayoutSavesTheSmallestKeySet)
{
    CVZPDockingPaneManager manager;
    CVZPDockingPaneLayout* pLayout = manager.MakeLayout();
    EXPECT_TRUE(SaveToRegistry(pLayout));
    const std::map<std::wstring, DWORD> expected = {
        { L"Summary/Panes", 2 }, { L"Summary/TopContainer", 2 }, { L"Summary/Client", 1 },
        { L"Pane-1/Type", 4 },   { L"Pane-2/Type", 2 },          { L"Pane-2/Horiz", 1 },
        { L"Pane-2/Panes", 1 },  { L"Pane-2/Pane-1", 1 },
    };
    EXPECT_EQ(expected, Values()) << "defaults (the schema among them) are left out";

    // The archive keeps every value in call order.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pLayout->Serialize(ar);
    }
    const std::vector<int> values = ArchiveInts(file);
    const std::vector<int> expectedValues = {
        2, 16,              // Summary: Panes, Schema
        4, 2,               // the types
        0, 0,               // client: DockingCX, DockingCY
        0, 0, 1, 1, 1,      // top: DockingCX, DockingCY, Horiz, Panes, Pane-1
        2, 1,               // Summary: TopContainer, Client
    };
    EXPECT_EQ(expectedValues, values);
    pLayout->InternalRelease();
}

TEST_F(LayoutPersistence, ADockedLayoutRoundTripsThroughBothBackEnds)
{
    for (int nBackEnd = 0; nBackEnd < 2; nBackEnd++)
    {
        SCOPED_TRACE(nBackEnd == 0 ? "registry" : "archive");
        CDockingTestFrame* pFrame = CDockingTestFrame::Build();
        ASSERT_NE(nullptr, pFrame);
        CDockingTestFrame& f = *pFrame;
        CVZPDockingPane* pOne = f.NewPane(1, L"One\nTab one", 180, 100);
        CVZPDockingPane* pTwo = f.NewPane(2, L"Two", 180, 100);
        CVZPDockingPane* pThree = f.NewPane(3, L"Three", 100, 140);
        pTwo->m_nTabColor = 0x1000005;
        pTwo->m_nHelpID = 99;
        pTwo->m_dwTag = 1234;
        pThree->SetOptions(0x10);
        f.m_manager.DockPaneAtSide(pOne, vzpPaneDockLeft);
        f.m_manager.AttachPaneTo(pTwo, pOne);
        f.m_manager.DockPaneAtSide(pThree, vzpPaneDockBottom);
        f.LayoutNow();

        CMemFile file;
        if (nBackEnd == 0)
        {
            EXPECT_TRUE(SaveToRegistry(f.Layout()));
        }
        else
        {
            CArchive ar(&file, CArchive::store);
            f.Layout()->Serialize(ar);
        }

        CVZPDockingPaneLayout* pLoaded = f.m_manager.MakeLayout();
        if (nBackEnd == 0)
        {
            ASSERT_TRUE(LoadFromRegistry(pLoaded));
        }
        else
        {
            file.SeekToBegin();
            CArchive ar(&file, CArchive::load);
            CVZPPropExchangeArchive px(ar);
            ASSERT_TRUE(pLoaded->DoPropExchange(&px));
        }
        EXPECT_TRUE(pLoaded->IsDetached());
        f.m_manager.AdoptLayout(pLoaded);
        EXPECT_FALSE(pLoaded->IsDetached());
        f.LayoutNow();

        // The same tree: a vertical top with the horizontal row first and
        // the bottom pane's container last; the row holds the pair and the
        // client.
        CVZPDockingPaneSplitterContainer* pTop = f.Top();
        ASSERT_FALSE(pTop->IsHorizontal());
        ASSERT_EQ(2, int(pTop->m_lstChildren.GetCount()));
        CVZPDockingPaneSplitterContainer* pRow = f.AsSplitter(pTop->m_lstChildren.GetHead());
        ASSERT_NE(nullptr, pRow);
        EXPECT_TRUE(pRow->IsHorizontal());
        EXPECT_EQ(pRow, f.Client()->GetParentContainer());
        CVZPDockingPane* pLoadedOne = f.m_manager.FindPane(1);
        CVZPDockingPane* pLoadedTwo = f.m_manager.FindPane(2);
        CVZPDockingPane* pLoadedThree = f.m_manager.FindPane(3);
        ASSERT_NE(nullptr, pLoadedOne);
        ASSERT_NE(nullptr, pLoadedTwo);
        ASSERT_NE(nullptr, pLoadedThree);
        EXPECT_NE(pOne, pLoadedOne);
        EXPECT_EQ(f.TabbedOf(pLoadedOne), f.TabbedOf(pLoadedTwo));
        EXPECT_EQ(pLoadedTwo, f.TabbedOf(pLoadedOne)->GetSelected());
        EXPECT_EQ(f.TabbedOf(pLoadedThree), pTop->m_lstChildren.GetTail());
        EXPECT_EQ(CString(L"One\nTab one"), pLoadedOne->GetRawTitle());
        EXPECT_EQ(0x1000005, pLoadedTwo->m_nTabColor);
        EXPECT_EQ(99, pLoadedTwo->m_nHelpID);
        EXPECT_EQ(1234u, pLoadedTwo->m_dwTag);
        EXPECT_EQ(0x10u, pLoadedThree->GetOptions());
        EXPECT_EQ(3, int(f.Layout()->GetRecords().GetCount()));
        VZPDockingPaneRecord* pRecord = f.Layout()->FindRecord(pLoadedThree);
        ASSERT_NE(nullptr, pRecord);
        EXPECT_EQ(f.TabbedOf(pLoadedThree), pRecord->pDockingHolder);
        // Windows exist once adopted, with the sizes the panes had.
        EXPECT_TRUE(::IsWindow(f.TabbedOf(pLoadedOne)->GetSafeHwnd()));
        EXPECT_EQ(180, f.TabbedOf(pLoadedOne)->GetPaneRect().Width());
        EXPECT_EQ(140, f.TabbedOf(pLoadedThree)->GetPaneRect().Height());
        pFrame->Destroy();
        AfxDelRegTreeHelper(m_hKey, L"Layout");
    }
}

TEST_F(LayoutPersistence, DamagedLayoutsFailWithoutAnException)
{
    struct Case
    {
        const char* pszName;
        LPCWSTR pszSection;
        LPCWSTR pszKey;
        DWORD dwValue;
    };
    const Case cases[] = {
        { "fewer than two objects", L"Summary", L"Panes", 1 },
        { "a type that cannot be made", L"Pane-3", L"Type", DWORD(-1) },
        { "a dangling reference", L"Pane-4", L"Pane-1", 9 },
        { "a client of the wrong type", L"Summary", L"Client", 2 },
        { "a pane id of 0", L"Pane-3", L"ID", 0 },
        { "an object placed twice", L"Pane-2", L"Pane-2", 1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        {
            // Client, top (horizontal: client, tabbed), pane, tabbed.
            CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(300, 200));
            ASSERT_NE(nullptr, pFrame);
            CVZPDockingPane* pPane = pFrame->NewPane(7, L"Seven");
            pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockRight);
            ASSERT_TRUE(SaveToRegistry(pFrame->Layout()));
            pFrame->Destroy();
        }
        std::map<std::wstring, DWORD> values = Values();
        ASSERT_EQ(0u, values[L"Pane-3/Type"]) << "the objects are numbered as expected";
        ASSERT_EQ(1u, values[L"Pane-4/Type"]);
        ASSERT_EQ(3u, values[L"Pane-4/Pane-1"]);
        SetValue(c.pszSection, c.pszKey, c.dwValue);

        CVZPDockingPaneManager manager;
        CVZPDockingPaneLayout* pLayout = manager.MakeLayout();
        BOOL bLoaded = TRUE;
        EXPECT_NO_THROW(bLoaded = LoadFromRegistry(pLayout));
        EXPECT_FALSE(bLoaded);
        pLayout->InternalRelease();
        AfxDelRegTreeHelper(m_hKey, L"Layout");
    }
}

TEST_F(LayoutPersistence, ATruncatedArchiveFails)
{
    CVZPDockingPaneManager manager;
    CVZPDockingPaneLayout* pLayout = manager.MakeLayout();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pLayout->Serialize(ar);
    }
    file.SetLength(file.GetLength() - 6);
    file.SeekToBegin();
    CVZPDockingPaneLayout* pLoaded = manager.MakeLayout();
    CArchive ar(&file, CArchive::load);
    CVZPPropExchangeArchive px(ar);
    BOOL bLoaded = TRUE;
    EXPECT_NO_THROW(bLoaded = pLoaded->DoPropExchange(&px));
    EXPECT_FALSE(bLoaded);
    pLoaded->InternalRelease();
    pLayout->InternalRelease();
}

TEST_F(LayoutPersistence, SchemaNineLeavesOutTheLaterPaneKeys)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(300, 200));
    ASSERT_NE(nullptr, pFrame);
    CVZPDockingPane* pPane = pFrame->NewPane(5, L"Old");
    pPane->m_nTabColor = 0x1000002;
    pPane->m_nHelpID = 42;
    pPane->m_dwTag = 9;
    pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    ASSERT_TRUE(SaveToRegistry(pFrame->Layout(), 9));
    pFrame->Destroy();

    std::map<std::wstring, DWORD> values = Values();
    EXPECT_EQ(9u, values[L"Summary/Schema"]);
    ASSERT_EQ(5u, values[L"Pane-3/ID"]);
    EXPECT_EQ(0u, values.count(L"Pane-3/TabColor"));
    EXPECT_EQ(0u, values.count(L"Pane-3/HelpId"));
    EXPECT_EQ(0u, values.count(L"Pane-3/Tag"));

    CVZPDockingPaneManager manager;
    CVZPDockingPaneLayout* pLayout = manager.MakeLayout();
    ASSERT_TRUE(LoadFromRegistry(pLayout));
    VZPDockingPaneRecord& record = pLayout->GetRecords().GetHead();
    EXPECT_EQ(-1, record.pPane->m_nTabColor);
    EXPECT_EQ(0, record.pPane->m_nHelpID);
    EXPECT_EQ(0u, record.pPane->m_dwTag);
    pLayout->InternalRelease();
}

TEST_F(LayoutPersistence, SavingWhereNothingCanBeWrittenStillSucceedsAndSaysSo)
{
    CVZPDockingPaneManager manager;
    CVZPDockingPaneLayout* pLayout = manager.MakeLayout();
    CVZPPropExchangeRegistry px(FALSE, NULL, L"Layout");
    EXPECT_TRUE(pLayout->DoPropExchange(&px));
    EXPECT_TRUE(pLayout->m_bLastSaveUnwritable);
    EXPECT_TRUE(SaveToRegistry(pLayout));
    EXPECT_FALSE(pLayout->m_bLastSaveUnwritable);
    pLayout->InternalRelease();
}

TEST_F(LayoutPersistence, NormalisingDropsContainersNoPaneNeeds)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(300, 200));
    ASSERT_NE(nullptr, pFrame);
    CVZPDockingPane* pPane = pFrame->NewPane(5, L"Gone");
    pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    CVZPDockingPaneTabbedContainer* pTabbed = pFrame->TabbedOf(pPane);
    // A second, empty container nothing refers to.
    CVZPDockingPaneBase* pStray = pFrame->m_manager.CreatePaneObject(vzpPaneTypeTabbedContainer, pFrame->Layout());
    pFrame->Top()->InsertChild(pStray, NULL, TRUE);
    pFrame->m_manager.RefreshPaneRecords();
    pFrame->m_manager.ClosePane(pPane);
    ASSERT_TRUE(SaveToRegistry(pFrame->Layout()));
    EXPECT_EQ(nullptr, pFrame->Layout()->GetObjects().Find(pStray));
    EXPECT_NE(nullptr, pFrame->Layout()->GetObjects().Find(pTabbed)) << "still the pane's docking holder";
    EXPECT_EQ(4u, Values()[L"Summary/Panes"]);
    pFrame->Destroy();
}

}  // namespace vzpanes_test
