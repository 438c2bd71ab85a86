// The task panel's model: the clipboard stream of an item, persistence of
// groups and items through the registry and an archive, and lists without
// a panel.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CVZPPropExchangeArchive.h"
#include "CVZPPropExchangeRegistry.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelGroup.h"

namespace taskpanel_model_test {

// A group item that counts its live instances, to see that failed reads
// leave none behind.
class CCountedGroupItem : public CVZPTaskPanelGroupItem
{
    DECLARE_SERIAL(CCountedGroupItem)
public:
    CCountedGroupItem() { s_nLive++; }
    ~CCountedGroupItem() override { s_nLive--; }
    static int s_nLive;
};
int CCountedGroupItem::s_nLive = 0;
IMPLEMENT_SERIAL(CCountedGroupItem, CVZPTaskPanelGroupItem, VERSIONABLE_SCHEMA | 16)

}  // namespace taskpanel_model_test

using taskpanel_model_test::CCountedGroupItem;

namespace {

std::string GlobalBytes(HGLOBAL hGlobal)
{
    std::string bytes(static_cast<const char*>(::GlobalLock(hGlobal)), ::GlobalSize(hGlobal));
    ::GlobalUnlock(hGlobal);
    return bytes;
}

std::string Le32(int n)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; i++)
        s[i] = char((unsigned(n) >> (8 * i)) & 0xFF);
    return s;
}

CVZPTaskPanelItem* ReadBytes(const std::string& bytes)
{
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), UINT(bytes.size()));
    return CVZPTaskPanelItem::CreateFromFile(&file);
}

}  // namespace

TEST(TaskPanelModel, ClipboardStreamOfAGroupItemIsTheGoldenLayout)
{
    CVZPTaskPanelGroupItem* pItem = new CVZPTaskPanelGroupItem;
    pItem->m_strCaption = L"abc";
    HGLOBAL hGlobal = pItem->CopyToGlobalMemory();
    ASSERT_NE(nullptr, hGlobal);
    std::string expected("\xFF\xFF\x10\x00\x16\x00", 6);
    expected += "CVZPTaskPanelGroupItem";
    expected += std::string("\xFF\xFE\xFF\x03" "a\0b\0c\0", 10);   // caption
    expected += std::string("\xFF\xFE\xFF\x00", 4);                // empty tooltip
    for (int n : { 0, 2, -1, 1, 1, 1, 1 })                         // Id .. Visible
        expected += Le32(n);
    for (int i = 0; i < 8; i++)                                    // icon padding, margins
        expected += Le32(int(0x80000000));
    expected += Le32(0) + Le32(0) + Le32(0) + Le32(0);             // bold, item size, selected
    expected += Le32(0);                                           // auto height
    expected += std::string("\xFF\xFE\xFF\x00", 4);                // empty drag text
    ASSERT_EQ(126u, expected.size());
    EXPECT_EQ(expected, GlobalBytes(hGlobal));

    CSharedFile file;
    file.SetHandle(hGlobal, FALSE);
    CVZPTaskPanelItem* pRead = CVZPTaskPanelItem::CreateFromFile(&file);
    ASSERT_NE(nullptr, pRead);
    EXPECT_TRUE(pRead->IsKindOf(RUNTIME_CLASS(CVZPTaskPanelGroupItem)));
    EXPECT_EQ(CString(L"abc"), pRead->m_strCaption);
    EXPECT_EQ(2, pRead->m_nType);
    pRead->InternalRelease();
    pItem->InternalRelease();
}

TEST(TaskPanelModel, UnknownClassesAndTruncatedStreamsGiveNullAndLeaveNothing)
{
    CCountedGroupItem* pItem = new CCountedGroupItem;
    pItem->m_strCaption = L"counted";
    pItem->m_strDragText = L"drag me";
    HGLOBAL hGlobal = pItem->CopyToGlobalMemory();
    pItem->InternalRelease();
    ASSERT_NE(nullptr, hGlobal);
    std::string bytes = GlobalBytes(hGlobal);
    ::GlobalFree(hGlobal);
    ASSERT_EQ(0, CCountedGroupItem::s_nLive);

    CVZPTaskPanelItem* pWhole = ReadBytes(bytes);
    ASSERT_NE(nullptr, pWhole);
    EXPECT_EQ(CString(L"drag me"), static_cast<CVZPTaskPanelGroupItem*>(pWhole)->m_strDragText);
    pWhole->InternalRelease();

    for (size_t nCut : { size_t(3), size_t(30), size_t(60), bytes.size() - 1 })
    {
        EXPECT_EQ(nullptr, ReadBytes(bytes.substr(0, nCut))) << nCut;
        EXPECT_EQ(0, CCountedGroupItem::s_nLive) << nCut;
    }

    std::string unknown = bytes;
    size_t nName = unknown.find("CCountedGroupItem");
    ASSERT_NE(std::string::npos, nName);
    unknown.replace(nName, 17, "CNoSuchGroupItemX");
    EXPECT_EQ(nullptr, ReadBytes(unknown));
    // A class that exists but is no item.
    std::string notItem = bytes;
    notItem.replace(nName, 17, "CVZPTaskPanelItems");
    notItem[4] = char(18);
    EXPECT_EQ(nullptr, ReadBytes(notItem));
    EXPECT_EQ(0, CCountedGroupItem::s_nLive);
}

TEST(TaskPanelModel, SelectedItemReadFromADragHasNoPanelAndKeepsItsFlag)
{
    CVZPTaskPanelGroupItem* pItem = new CVZPTaskPanelGroupItem;
    pItem->m_bSelected = TRUE;
    HGLOBAL hGlobal = pItem->CopyToGlobalMemory();
    pItem->InternalRelease();
    CSharedFile file;
    file.SetHandle(hGlobal, FALSE);
    CVZPTaskPanelGroupItem* pRead = static_cast<CVZPTaskPanelGroupItem*>(CVZPTaskPanelItem::CreateFromFile(&file));
    ASSERT_NE(nullptr, pRead);
    EXPECT_EQ(nullptr, pRead->m_pPanel);
    EXPECT_TRUE(pRead->IsSelected());
    pRead->SetSelected(FALSE);
    EXPECT_FALSE(pRead->IsSelected());
    pRead->InvalidatePanel();
    pRead->InternalRelease();
}

TEST(TaskPanelModel, DragTextIsSizedByItsConversion)
{
    HGLOBAL hText = CVZPTaskPanelItem::CopyTextToGlobalMemory(L"plain");
    ASSERT_NE(nullptr, hText);
    EXPECT_STREQ("plain", GlobalBytes(hText).c_str());
    ::GlobalFree(hText);
    EXPECT_EQ(nullptr, CVZPTaskPanelItem::CopyTextToGlobalMemory(L""));

    // On a double-byte code page two characters take four bytes.
    std::string saved = std::setlocale(LC_CTYPE, NULL);
    if (std::setlocale(LC_CTYPE, ".932") == NULL)
        GTEST_SKIP() << "code page 932 is not available";
    const wchar_t szText[] = { 0x65E5, 0x672C, 0 };
    hText = CVZPTaskPanelItem::CopyTextToGlobalMemory(szText);
    std::setlocale(LC_CTYPE, saved.c_str());
    ASSERT_NE(nullptr, hText);
    std::string bytes = GlobalBytes(hText);
    ::GlobalFree(hText);
    EXPECT_EQ(4u, std::strlen(bytes.c_str()));
}

namespace {

// Two groups: a special one with a link and a hidden text, and a collapsed
// one with a selected item.
void FillPanel(CVZPTaskPanel& panel)
{
    CVZPTaskPanelGroup* pFirst = panel.AddGroup(L"First", 1);
    pFirst->m_bSpecial = TRUE;
    pFirst->m_rcInnerMargins.SetRect(1, 2, 3, 4);
    CVZPTaskPanelGroupItem* pLink = new CVZPTaskPanelGroupItem;
    pLink->m_nType = vzpTaskItemLink;
    pLink->m_strCaption = L"Link";
    pLink->m_strTooltip = L"tip";
    pLink->m_nAllowDrag = 0x44;
    pLink->m_strDragText = L"text";
    pFirst->GetItems()->Add(pLink);
    CVZPTaskPanelGroupItem* pText = new CVZPTaskPanelGroupItem;
    pText->m_strCaption = L"Hidden";
    pText->m_bVisible = FALSE;
    pText->m_rcIconPadding.SetRect(5, 6, 7, 8);
    pFirst->GetItems()->Add(pText);
    CVZPTaskPanelGroup* pSecond = panel.AddGroup(L"Second", 2);
    pSecond->m_bExpanded = FALSE;
    CVZPTaskPanelGroupItem* pSelected = new CVZPTaskPanelGroupItem;
    pSelected->m_strCaption = L"Chosen";
    pSelected->m_bSelected = TRUE;
    pSelected->m_bAutoHeight = TRUE;
    pSelected->m_szItem = CSize(10, 20);
    pSecond->GetItems()->Add(pSelected);
}

void ExpectFilled(CVZPTaskPanel& panel)
{
    ASSERT_EQ(2, panel.GetGroupCount());
    CVZPTaskPanelGroup* pFirst = panel.GetAt(0);
    EXPECT_EQ(CString(L"First"), pFirst->m_strCaption);
    EXPECT_TRUE(pFirst->m_bSpecial);
    EXPECT_EQ(CRect(1, 2, 3, 4), pFirst->m_rcInnerMargins);
    EXPECT_EQ(&panel, pFirst->m_pPanel);
    ASSERT_EQ(2, pFirst->GetItemCount());
    CVZPTaskPanelGroupItem* pLink = pFirst->GetItem(0);
    EXPECT_EQ(vzpTaskItemLink, pLink->m_nType);
    EXPECT_EQ(CString(L"tip"), pLink->m_strTooltip);
    EXPECT_EQ(0x44, pLink->m_nAllowDrag);
    EXPECT_EQ(CString(L"text"), pLink->m_strDragText);
    EXPECT_EQ(&panel, pLink->m_pPanel);
    EXPECT_EQ(pFirst, pLink->GetGroup());
    EXPECT_FALSE(pFirst->GetItem(1)->IsVisible());
    EXPECT_EQ(CRect(5, 6, 7, 8), pFirst->GetItem(1)->m_rcIconPadding);
    CVZPTaskPanelGroup* pSecond = panel.GetAt(1);
    EXPECT_FALSE(panel.IsGroupExpanded(pSecond));
    ASSERT_EQ(1, pSecond->GetItemCount());
    EXPECT_TRUE(pSecond->GetItem(0)->IsSelected());
    EXPECT_TRUE(pSecond->GetItem(0)->m_bAutoHeight);
    EXPECT_EQ(CSize(10, 20), pSecond->GetItem(0)->m_szItem);
}

}  // namespace

TEST(TaskPanelModel, GroupsRoundTripThroughTheRegistryAndAnArchive)
{
    const wchar_t* pszKey = L"Software\\Tesmir Tests\\TaskPanelModel";
    {
        CVZPTaskPanel source;
        FillPanel(source);
        CVZPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, pszKey);
        px.EmptySection();
        source.GetGroups()->DoPropExchange(&px);
        EXPECT_EQ(0, source.GetGroups()->m_nExchangeError);
    }
    {
        CVZPTaskPanel target;
        target.AddGroup(L"replaced");
        CVZPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, pszKey);
        target.GetGroups()->DoPropExchange(&px);
        EXPECT_EQ(0, target.GetGroups()->m_nExchangeError);
        EXPECT_EQ(0, target.GetLayoutLock());
        ExpectFilled(target);
    }
    {
        CVZPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, pszKey);
        px.EmptySection();
    }
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tesmir Tests");

    CMemFile file;
    {
        CVZPTaskPanel source;
        FillPanel(source);
        CArchive ar(&file, CArchive::store);
        CVZPPropExchangeArchive px(ar);
        source.GetGroups()->DoPropExchange(&px);
        ar.Close();
    }
    file.SeekToBegin();
    {
        CVZPTaskPanel target;
        CArchive ar(&file, CArchive::load);
        CVZPPropExchangeArchive px(ar);
        target.GetGroups()->DoPropExchange(&px);
        ar.Close();
        ExpectFilled(target);
    }
}

TEST(TaskPanelModel, SchemaEightKeepsVisibleAndTheDefaultPadding)
{
    CMemFile file;
    {
        CVZPTaskPanelGroupItem item;
        item.m_bVisible = FALSE;
        item.m_rcIconPadding.SetRect(1, 1, 1, 1);
        item.m_strDragText = L"not in schema 8";
        CArchive ar(&file, CArchive::store);
        CVZPPropExchangeArchive px(ar);
        px.m_nSchema = 8;
        item.DoPropExchange(&px);
        ar.Close();
    }
    file.SeekToBegin();
    CVZPTaskPanelGroupItem* pLoaded = new CVZPTaskPanelGroupItem;
    {
        CArchive ar(&file, CArchive::load);
        CVZPPropExchangeArchive px(ar);
        px.m_nSchema = 8;
        pLoaded->DoPropExchange(&px);
        ar.Close();
    }
    EXPECT_TRUE(pLoaded->IsVisible());
    EXPECT_EQ(LONG(0x80000000), pLoaded->m_rcIconPadding.left);
    EXPECT_EQ(LONG(0x80000000), pLoaded->m_rcIconPadding.bottom);
    EXPECT_TRUE(pLoaded->m_strDragText.IsEmpty());
    pLoaded->InternalRelease();
}

TEST(TaskPanelModel, ListOperationsAndAFailedLoadKeepWhatWasRead)
{
    CCountedGroupItem::s_nLive = 0;
    CVZPTaskPanelGroupItems* pList = new CVZPTaskPanelGroupItems;   // no panel
    CCountedGroupItem* items[4];
    for (int i = 0; i < 4; i++)
    {
        items[i] = new CCountedGroupItem;
        items[i]->m_nID = i;
        pList->InsertAt(i == 3 ? 0 : 99, items[i]);   // out of range appends
    }
    EXPECT_EQ(0, pList->IndexOf(items[3]));
    EXPECT_EQ(3, pList->IndexOf(items[2]));
    pList->MoveItem(items[3], 3);
    EXPECT_EQ(3, pList->IndexOf(items[3]));
    pList->MoveItem(items[3], 7);                      // out of range: nothing
    EXPECT_EQ(3, pList->IndexOf(items[3]));
    items[1]->m_bVisible = FALSE;
    EXPECT_EQ(2, pList->GetNextVisibleIndex(0, 1));
    EXPECT_EQ(-1, pList->GetNextVisibleIndex(3, 1));
    EXPECT_EQ(items[0], pList->GetFirstVisibleItem());
    EXPECT_EQ(items[3], pList->GetLastVisibleItem());
    pList->RemoveAt(9);
    EXPECT_EQ(4, pList->GetCount());
    items[2]->Remove();
    EXPECT_EQ(3, CCountedGroupItem::s_nLive);
    EXPECT_EQ(-1, CVZPTaskPanelItem::GetIndex(NULL));

    // Stored, then read back from a stream cut inside the third item.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CVZPPropExchangeArchive px(ar);
        pList->DoPropExchange(&px);
        ar.Close();
    }
    ULONGLONG nLength = file.GetLength();
    BYTE* pBytes = file.Detach();
    CMemFile cut(pBytes, UINT(nLength - 10));
    CVZPTaskPanelGroupItems* pLoaded = new CVZPTaskPanelGroupItems;
    {
        CArchive ar(&cut, CArchive::load);
        CVZPPropExchangeArchive px(ar);
        pLoaded->DoPropExchange(&px);
    }
    EXPECT_EQ(2, pLoaded->GetCount());
    EXPECT_EQ(CArchiveException::endOfFile, pLoaded->m_nExchangeError);
    EXPECT_EQ(5, CCountedGroupItem::s_nLive);
    free(pBytes);

    // Clearing without a panel releases everything.
    pLoaded->InternalRelease();
    pList->ClearItems(TRUE);
    EXPECT_EQ(0, CCountedGroupItem::s_nLive);
    pList->InternalRelease();
}
