// The control wrappers: each call reaches its control with the arguments in
// the order the control expects, read back through the control.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include "WndTestSupport.h"
#include "TestSupport.h"

#include <string>
#include <vector>

using namespace mfcwnd_test;

namespace {

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateTopLevel(m_parent, _T("controls"), 400, 300)); }
    CRect Rect() const { return CRect(0, 0, 200, 150); }
    CWnd m_parent;
};

int CALLBACK CompareDescending(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    return (int)(lParam2 - lParam1);
}

TEST_F(ControlsTest, ListCtrlColumnsItemsChecksAndSorting)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, Rect(), &m_parent, 1));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ((DWORD)(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              list.GetExtendedStyle() & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(0, list.InsertColumn(0, _T("Name"), LVCFMT_LEFT, 100));
    EXPECT_EQ(1, list.InsertColumn(1, _T("Size"), LVCFMT_RIGHT, 60));
    EXPECT_EQ(2, list.GetHeaderCtrl()->GetItemCount());

    for (int i = 0; i < 3; i++)
    {
        CString str;
        str.Format(_T("item %d"), i);
        EXPECT_EQ(i, list.InsertItem(i, str));
        list.SetItemData(i, (DWORD_PTR)(10 + i));
        list.SetItemText(i, 1, str + _T(" size"));
    }
    // A long text comes back whole.
    CString strLong(_T('x'), 700);
    list.SetItemText(1, 1, strLong);
    EXPECT_EQ(strLong, list.GetItemText(1, 1));
    EXPECT_STREQ(_T("item 2"), (LPCTSTR)list.GetItemText(2, 0));
    EXPECT_EQ(3, list.GetItemCount());

    list.SetCheck(1, TRUE);
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(0));
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ((UINT)LVIS_SELECTED, list.GetItemState(2, LVIS_SELECTED));
    POSITION pos = list.GetFirstSelectedItemPosition();
    EXPECT_EQ(2, list.GetNextSelectedItem(pos));
    EXPECT_EQ(NULL, pos);

    // LVM_SORTITEMS hands the items' data to the comparison.
    EXPECT_TRUE(list.SortItems(CompareDescending, 0));
    EXPECT_EQ(12u, list.GetItemData(0));
    EXPECT_EQ(10u, list.GetItemData(2));
    EXPECT_STREQ(_T("item 0"), (LPCTSTR)list.GetItemText(2, 0));

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(ControlsTest, TreeCtrlNavigationTextStatesAndHitTest)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, Rect(),
                            &m_parent, 2));
    HTREEITEM hRoot = tree.InsertItem(_T("root"));
    HTREEITEM hChild1 = tree.InsertItem(_T("child 1"), hRoot);
    HTREEITEM hChild2 = tree.InsertItem(_T("child 2"), 3, 4, hRoot);
    TVINSERTSTRUCT tvis = {};
    tvis.hParent = hChild1;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
    tvis.item.pszText = (LPTSTR)_T("grandchild");
    tvis.item.lParam = 99;
    HTREEITEM hGrand = tree.InsertItem(&tvis);

    EXPECT_EQ(hRoot, tree.GetRootItem());
    EXPECT_EQ(hChild1, tree.GetChildItem(hRoot));
    EXPECT_EQ(hChild2, tree.GetNextSiblingItem(hChild1));
    EXPECT_EQ(hRoot, tree.GetParentItem(hChild2));
    EXPECT_EQ(hGrand, tree.GetNextItem(hChild1, TVGN_CHILD));
    EXPECT_TRUE(tree.ItemHasChildren(hChild1) || tree.GetChildItem(hChild1) != NULL);
    EXPECT_EQ(99u, tree.GetItemData(hGrand));
    int nImage = 0, nSelected = 0;
    EXPECT_TRUE(tree.GetItemImage(hChild2, nImage, nSelected));
    EXPECT_EQ(3, nImage);
    EXPECT_EQ(4, nSelected);

    CString strLong(_T('y'), 600);
    EXPECT_TRUE(tree.SetItemText(hChild1, strLong));
    EXPECT_EQ(strLong, tree.GetItemText(hChild1));

    tree.SetItemState(hChild2, TVIS_BOLD, TVIS_BOLD);
    EXPECT_EQ((UINT)TVIS_BOLD, tree.GetItemState(hChild2, TVIS_BOLD));
    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    EXPECT_TRUE(tree.SelectItem(hChild2));
    EXPECT_EQ(hChild2, tree.GetSelectedItem());
    EXPECT_EQ(hChild1, tree.GetNextVisibleItem(hRoot));
    EXPECT_EQ(hRoot, tree.GetPrevVisibleItem(hChild1));

    CRect rectItem;
    ASSERT_TRUE(tree.GetItemRect(hChild2, rectItem, TRUE));
    UINT nFlags = 0;
    EXPECT_EQ(hChild2, tree.HitTest(rectItem.CenterPoint(), &nFlags));
    EXPECT_NE(0u, nFlags & TVHT_ONITEM);

    EXPECT_TRUE(tree.DeleteItem(hChild1));
    EXPECT_EQ(2u, tree.GetCount());
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
}

TEST_F(ControlsTest, RangesAndPositions)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD, Rect(), &m_parent, 3));
    progress.SetRange(5, 99);
    int nLower = 0, nUpper = 0;
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(5, nLower);
    EXPECT_EQ(99, nUpper);
    progress.SetPos(40);
    progress.SetStep(7);
    EXPECT_EQ(40, progress.StepIt());   // returns the previous position
    EXPECT_EQ(47, progress.GetPos());

    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD, Rect(), &m_parent, 4));
    spin.SetRange(-3, 12);
    int nLow = 0, nHigh = 0;
    spin.GetRange(nLow, nHigh);
    EXPECT_EQ(-3, nLow);
    EXPECT_EQ(12, nHigh);
    spin.SetRange32(-100000, 100000);
    spin.GetRange32(nLow, nHigh);
    EXPECT_EQ(-100000, nLow);
    EXPECT_EQ(100000, nHigh);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD, Rect(), &m_parent, 5));
    slider.SetRange(10, 20);
    slider.SetPos(15);
    EXPECT_EQ(10, slider.GetRangeMin());
    EXPECT_EQ(20, slider.GetRangeMax());
    EXPECT_EQ(15, slider.GetPos());
}

TEST_F(ControlsTest, ListAndComboBoxText)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, Rect(), &m_parent, 6));
    list.AddString(_T("b"));
    EXPECT_EQ(0, list.InsertString(0, _T("a")));
    CString str;
    list.GetText(1, str);
    EXPECT_STREQ(_T("b"), (LPCTSTR)str);
    list.GetText(5, str);   // no such item: empty, not garbage
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_EQ(1, list.DeleteString(0));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWN | CBS_HASSTRINGS, CRect(0, 0, 100, 100), &m_parent, 7));
    combo.AddString(_T("alpha"));
    combo.AddString(_T("beta"));
    EXPECT_EQ(1, combo.SelectString(-1, _T("be")));
    combo.GetLBText(1, str);
    EXPECT_STREQ(_T("beta"), (LPCTSTR)str);
    EXPECT_TRUE(combo.SetEditSel(1, 3));
    DWORD dwSel = combo.GetEditSel();
    EXPECT_EQ(1, LOWORD(dwSel));
    EXPECT_EQ(3, HIWORD(dwSel));
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
}

TEST_F(ControlsTest, ToolTipsAndStatusBar)
{
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_parent));
    CWnd tool;
    ASSERT_TRUE(tool.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 30), &m_parent, 8));
    EXPECT_TRUE(tip.AddTool(&tool, _T("first text")));
    EXPECT_TRUE(tip.AddTool(&m_parent, _T("area"), CRect(40, 40, 60, 60), 5));
    EXPECT_EQ(2, tip.GetToolCount());
    tip.UpdateTipText(_T("second text"), &tool);
    CString str;
    tip.GetText(str, &tool);
    EXPECT_STREQ(_T("second text"), (LPCTSTR)str);
    tip.SetMaxTipWidth(250);
    EXPECT_EQ(250, tip.GetMaxTipWidth());
    tip.DelTool(&tool);
    EXPECT_EQ(1, tip.GetToolCount());

    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_CHILD, CRect(0, 0, 0, 0), &m_parent, AFX_IDW_STATUS_BAR));
    int widths[] = { 100, 200, -1 };
    EXPECT_TRUE(status.SetParts(3, widths));
    EXPECT_EQ(3, status.GetParts(0, NULL));
    EXPECT_TRUE(status.SetText(_T("Ready"), 0, 0));
    EXPECT_TRUE(status.SetText(_T("NUM"), 2, SBT_NOBORDERS));
    int nType = -1;
    EXPECT_STREQ(_T("Ready"), (LPCTSTR)status.GetText(0, &nType));
    EXPECT_STREQ(_T("NUM"), (LPCTSTR)status.GetText(2, &nType));
    EXPECT_EQ(SBT_NOBORDERS, nType);
}

// A 32 x 32 icon: the left half in crLeft, the right half transparent.
HICON HalfTransparentIcon(COLORREF crLeft)
{
    std::vector<DWORD> colorBits(32 * 32, 0);   // 0x00RRGGBB, black where transparent
    std::vector<BYTE> maskBits(32 * 4);          // rows of 32 bits: 1 transparent
    for (int y = 0; y < 32; y++)
    {
        for (int x = 0; x < 16; x++)
            colorBits[(size_t)(y * 32 + x)] = (DWORD)(GetRValue(crLeft) << 16 | GetGValue(crLeft) << 8 | GetBValue(crLeft));
        maskBits[(size_t)(y * 4 + 2)] = maskBits[(size_t)(y * 4 + 3)] = 0xFF;
    }
    HBITMAP hColor = ::CreateBitmap(32, 32, 1, 32, colorBits.data());
    HBITMAP hMask = ::CreateBitmap(32, 32, 1, 1, maskBits.data());
    ICONINFO ii = { TRUE, 0, 0, hMask, hColor };
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    return hIcon;
}

TEST_F(ControlsTest, ImageListAndHeaderImages)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    EXPECT_EQ(0, images.Add(hIcon));
    EXPECT_EQ(1, images.Add(hIcon));
    EXPECT_EQ(2, images.GetImageCount());
    HICON hCopy = images.ExtractIcon(1);
    EXPECT_NE((HICON)NULL, hCopy);
    ::DestroyIcon(hCopy);
    EXPECT_TRUE(images.Remove(-1));
    EXPECT_EQ(0, images.GetImageCount());
    images.Add(hIcon);

    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | HDS_HORZ, Rect(), &m_parent, 9));
    HDITEM hdi = {};
    hdi.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    hdi.pszText = (LPTSTR)_T("Col");
    hdi.cxy = 50;
    hdi.fmt = HDF_LEFT | HDF_STRING;
    EXPECT_EQ(0, header.InsertItem(0, &hdi));
    header.SetImageList(&images);
    EXPECT_EQ(&images, header.GetImageList());   // the permanent wrapper from the handle
    hdi.mask = HDI_FORMAT | HDI_IMAGE;
    hdi.fmt = HDF_LEFT | HDF_STRING | HDF_IMAGE;
    hdi.iImage = 0;
    EXPECT_TRUE(header.SetItem(0, &hdi));
    HDITEM back = {};
    back.mask = HDI_FORMAT | HDI_IMAGE;
    EXPECT_TRUE(header.GetItem(0, &back));
    EXPECT_NE(0, back.fmt & HDF_IMAGE);
    EXPECT_EQ(0, back.iImage);

    // A toolbar's icon list: 32 x 32 with masks, no initial room and no
    // growth step; the mask keeps the icon's transparent half in the list's
    // background colour.
    CImageList large;
    ASSERT_TRUE(large.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 0));
    HICON hHalf = HalfTransparentIcon(RGB(200, 0, 0));
    for (int i = 0; i < 7; i++)
        EXPECT_EQ(i, large.Add(hHalf));
    ::DestroyIcon(hHalf);
    EXPECT_EQ(CLR_NONE, large.SetBkColor(RGB(255, 255, 255)));
    tesmir::test::CDibCanvas canvas(32, 32, RGB(0, 0, 0));
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    EXPECT_TRUE(large.Draw(pDC, 6, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(16 * 32, canvas.Count(CRect(0, 0, 16, 32), RGB(200, 0, 0)));
    EXPECT_EQ(16 * 32, canvas.Count(CRect(16, 0, 32, 32), RGB(255, 255, 255)));

    // Detach gives the list up: the handle stays valid after the wrapper goes.
    CImageList* pHeld = new CImageList;
    ASSERT_TRUE(pHeld->Create(16, 16, ILC_COLOR32, 1, 1));
    HIMAGELIST hList = pHeld->Detach();
    delete pHeld;
    EXPECT_EQ(0, ImageList_GetImageCount(hList));
    EXPECT_TRUE(ImageList_Destroy(hList));
}

TEST_F(ControlsTest, RichEditTakesStreamedText)
{
    CRichEditCtrl edit;
    if (!AfxInitRichEdit2())
        GTEST_SKIP() << "no rich edit library";
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE, Rect(), &m_parent, 10));
    struct Source
    {
        const char* p;
        LONG n;
        static DWORD CALLBACK Read(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
        {
            Source* pSource = (Source*)dwCookie;
            LONG n = pSource->n < cb ? pSource->n : cb;
            memcpy(pbBuff, pSource->p, n);
            pSource->p += n;
            pSource->n -= n;
            *pcb = n;
            return 0;
        }
    };
    Source source = { "plain text", 10 };
    EDITSTREAM es = { (DWORD_PTR)&source, 0, Source::Read };
    edit.StreamIn(SF_TEXT, es);
    EXPECT_EQ(10, edit.GetTextLength());
    edit.SetSel(0, 5);
    EXPECT_STREQ(_T("plain"), (LPCTSTR)edit.GetSelText());
    edit.SetEventMask(ENM_CHANGE);
    EXPECT_EQ(ENM_CHANGE, edit.GetEventMask());

    // AfxInitRichEdit brings the version 1 class as well.
    ASSERT_TRUE(AfxInitRichEdit());
    CWnd edit1;
    ASSERT_TRUE(edit1.CreateEx(0, _T("RICHEDIT"), NULL, WS_CHILD | ES_MULTILINE, Rect(), &m_parent, 11));
    Source source1 = { "version one", 11 };
    EDITSTREAM es1 = { (DWORD_PTR)&source1, 0, Source::Read };
    EXPECT_EQ(11, edit1.SendMessage(EM_STREAMIN, SF_TEXT, (LPARAM)&es1));
    EXPECT_EQ(11, edit1.GetWindowTextLength());
}

}  // namespace
