// afxcmn.h - the common controls: progress, slider, spin, header, tree and
// list views, image lists, tool tips, rich edit and status bar control.
#pragma once
#ifndef __AFXCMN_H__
#define __AFXCMN_H__

#include <afxwin.h>
#include <richedit.h>

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() : m_hImageList(NULL) {}
    ~CImageList() override;

    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return AfxIsNullObject(this) ? NULL : m_hImageList; }
    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    // Gives the list up without destroying it (the shell's system list).
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy);
    BOOL Create(CImageList* pImageList);

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    BOOL GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }
    BOOL SetIconSize(int cx, int cy) { return ImageList_SetIconSize(m_hImageList, cx, cy); }

    int Add(CBitmap* pbmImage, CBitmap* pbmMask)
    { return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle()); }
    int Add(CBitmap* pbmImage, COLORREF crMask)
    { return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask); }
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
    { return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle()); }
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    HICON ExtractIcon(int nImage) { return ImageList_ExtractIcon(NULL, m_hImageList, nImage); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
    { return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle); }
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp) { pimldp->himl = m_hImageList; return ImageList_DrawIndirect(pimldp); }
    BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }
    BOOL Copy(int iDst, int iSrc, UINT uFlags = ILCF_MOVE) { return ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags); }
    BOOL BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
    static void PASCAL EndDrag() { ImageList_EndDrag(); }
    static BOOL PASCAL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point) { return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y); }
    static BOOL PASCAL DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
    static BOOL PASCAL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
};

class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() {}
    ~CProgressCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    void GetRange(int& nLower, int& nUpper)
    {
        PBRANGE range = {0, 0};
        ::SendMessage(m_hWnd, PBM_GETRANGE, 0, (LPARAM)&range);
        nLower = range.iLow;
        nUpper = range.iHigh;
    }
    int GetPos() { return (int)::SendMessage(m_hWnd, PBM_GETPOS, 0, 0); }
    int SetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_SETPOS, nPos, 0); }
    int OffsetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_DELTAPOS, nPos, 0); }
    int SetStep(int nStep) { return (int)::SendMessage(m_hWnd, PBM_SETSTEP, nStep, 0); }
    int StepIt() { return (int)::SendMessage(m_hWnd, PBM_STEPIT, 0, 0); }
    COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBARCOLOR, 0, (LPARAM)clrBar); }
    COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBKCOLOR, 0, (LPARAM)clrNew); }
};

class CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() {}
    ~CSliderCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetLineSize() const { return (int)::SendMessage(m_hWnd, TBM_GETLINESIZE, 0, 0); }
    int SetLineSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
    int GetPageSize() const { return (int)::SendMessage(m_hWnd, TBM_GETPAGESIZE, 0, 0); }
    int SetPageSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
    int GetRangeMax() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
    int GetRangeMin() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMIN, 0, 0); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) { SetRangeMin(nMin, FALSE); SetRangeMax(nMax, bRedraw); }
    int GetPos() const { return (int)::SendMessage(m_hWnd, TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { ::SendMessage(m_hWnd, TBM_SETPOS, TRUE, nPos); }
    void SetTicFreq(int nFreq) { ::SendMessage(m_hWnd, TBM_SETTICFREQ, nFreq, 0); }
    BOOL SetTic(int nTic) { return (BOOL)::SendMessage(m_hWnd, TBM_SETTIC, 0, nTic); }
    void ClearTics(BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_CLEARTICS, bRedraw, 0); }
    int GetNumTics() const { return (int)::SendMessage(m_hWnd, TBM_GETNUMTICS, 0, 0); }
    void SetSelection(int nMin, int nMax) { ::SendMessage(m_hWnd, TBM_SETSELSTART, FALSE, nMin); ::SendMessage(m_hWnd, TBM_SETSELEND, TRUE, nMax); }
    void ClearSel(BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_CLEARSEL, bRedraw, 0); }
    void GetChannelRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
    void GetThumbRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
};

class CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl() {}
    ~CSpinButtonCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)::SendMessage(m_hWnd, UDM_SETACCEL, nAccel, (LPARAM)pAccel); }
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const { return (UINT)::SendMessage(m_hWnd, UDM_GETACCEL, nAccel, (LPARAM)pAccel); }
    int SetBase(int nBase) { return (int)::SendMessage(m_hWnd, UDM_SETBASE, nBase, 0); }
    UINT GetBase() const { return (UINT)::SendMessage(m_hWnd, UDM_GETBASE, 0, 0); }
    CWnd* SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd(), 0)); }
    CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0)); }
    int SetPos(int nPos) { return (int)(short)LOWORD(::SendMessage(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }
    int GetPos() const { return (int)::SendMessage(m_hWnd, UDM_GETPOS, 0, 0); }
    void SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE32, nLower, nUpper); }
    DWORD GetRange() const { return (DWORD)::SendMessage(m_hWnd, UDM_GETRANGE, 0, 0); }
    void GetRange(int& lower, int& upper) const { DWORD dw = GetRange(); lower = (short)HIWORD(dw); upper = (short)LOWORD(dw); }
    void GetRange32(int& lower, int& upper) const { ::SendMessage(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
};

class CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() {}
    ~CHeaderCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, HDM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEM, nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)::SendMessage(m_hWnd, HDM_SETITEM, nPos, (LPARAM)pHeaderItem); }
    int InsertItem(int nPos, HDITEM* phdi) { return (int)::SendMessage(m_hWnd, HDM_INSERTITEM, nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)::SendMessage(m_hWnd, HDM_DELETEITEM, nPos, 0); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)::SendMessage(m_hWnd, HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
    CImageList* SetImageList(CImageList* pImageList)
    { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, HDM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, HDM_GETIMAGELIST, 0, 0)); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    int OrderToIndex(int nOrder) const { return (int)::SendMessage(m_hWnd, HDM_ORDERTOINDEX, nOrder, 0); }
    BOOL GetOrderArray(LPINT piArray, int iCount) const { return (BOOL)::SendMessage(m_hWnd, HDM_GETORDERARRAY, iCount, (LPARAM)piArray); }
    BOOL SetOrderArray(int iCount, LPINT piArray) { return (BOOL)::SendMessage(m_hWnd, HDM_SETORDERARRAY, iCount, (LPARAM)piArray); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)::SendMessage(m_hWnd, HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }
protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() {}
    ~CTreeCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    UINT GetCount() const { return (UINT)::SendMessage(m_hWnd, TVM_GETCOUNT, 0, 0); }
    UINT GetIndent() const { return (UINT)::SendMessage(m_hWnd, TVM_GETINDENT, 0, 0); }
    void SetIndent(UINT nIndent) { ::SendMessage(m_hWnd, TVM_SETINDENT, nIndent, 0); }
    CImageList* GetImageList(UINT nImageList) const
    { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TVM_GETIMAGELIST, nImageList, 0)); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType)
    { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle())); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
    { return (HTREEITEM)::SendMessage(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(NULL, TVGN_DROPHILITE); }
    HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
    BOOL GetItem(TVITEM* pItem) const { return (BOOL)::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)pItem); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
    { return (UINT)::SendMessage(m_hWnd, TVM_GETITEMSTATE, (WPARAM)hItem, nStateMask); }
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItem(TVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, TVM_SETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) { return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0); }
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
    { return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
    { return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0); }
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData) { return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData); }
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    CEdit* GetEditControl() const { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_GETEDITCONTROL, 0, 0)); }
    UINT GetVisibleCount() const { return (UINT)::SendMessage(m_hWnd, TVM_GETVISIBLECOUNT, 0, 0); }
    CToolTipCtrl* GetToolTips() const;
    BOOL GetCheck(HTREEITEM hItem) const { return ((GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1) > 0; }
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE) { return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, TVM_SETBKCOLOR, 0, (LPARAM)clr); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, TVM_SETTEXTCOLOR, 0, (LPARAM)clr); }
    SHORT SetItemHeight(SHORT cyHeight) { return (SHORT)::SendMessage(m_hWnd, TVM_SETITEMHEIGHT, cyHeight, 0); }
    SHORT GetItemHeight() const { return (SHORT)::SendMessage(m_hWnd, TVM_GETITEMHEIGHT, 0, 0); }

    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
    { return (HTREEITEM)::SendMessage(m_hWnd, TVM_INSERTITEM, 0, (LPARAM)lpInsertStruct); }
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST)
    { return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter); }
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST)
    { return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent, hInsertAfter); }
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)hItem); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)::SendMessage(m_hWnd, TVM_EXPAND, nCode, (LPARAM)hItem); }
    BOOL Select(HTREEITEM hItem, UINT nCode) { return (BOOL)::SendMessage(m_hWnd, TVM_SELECTITEM, nCode, (LPARAM)hItem); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
    CEdit* EditLabel(HTREEITEM hItem) { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_EDITLABEL, 0, (LPARAM)hItem)); }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const
    { return (HTREEITEM)::SendMessage(m_hWnd, TVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    CImageList* CreateDragImage(HTREEITEM hItem);
    BOOL SortChildren(HTREEITEM hItem) { return (BOOL)::SendMessage(m_hWnd, TVM_SORTCHILDREN, 0, (LPARAM)hItem); }
    BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)::SendMessage(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
    BOOL SortChildrenCB(LPTVSORTCB pSort) { return (BOOL)::SendMessage(m_hWnd, TVM_SORTCHILDRENCB, 0, (LPARAM)pSort); }
};

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() {}
    ~CListCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    COLORREF GetBkColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETBKCOLOR, 0, cr); }
    COLORREF GetTextColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETTEXTCOLOR, 0, 0); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETTEXTCOLOR, 0, cr); }
    COLORREF GetTextBkColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr); }
    CImageList* GetImageList(int nImageList) const
    { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, LVM_GETIMAGELIST, nImageList, 0)); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType)
    { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, LVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle())); }
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    void SetItemCount(int nItems) { ::SendMessage(m_hWnd, LVM_SETITEMCOUNT, nItems, 0); }
    BOOL GetItem(LVITEM* pItem) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam);
    UINT GetCallbackMask() const { return (UINT)::SendMessage(m_hWnd, LVM_GETCALLBACKMASK, 0, 0); }
    BOOL SetCallbackMask(UINT nMask) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCALLBACKMASK, nMask, 0); }
    int GetNextItem(int nItem, int nFlags) const { return (int)::SendMessage(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    POSITION GetFirstSelectedItemPosition() const { return (POSITION)(DWORD_PTR)(1 + GetNextItem(-1, LVNI_SELECTED)); }
    int GetNextSelectedItem(POSITION& pos) const
    {
        int nOldPos = (int)(DWORD_PTR)pos - 1;
        pos = (POSITION)(DWORD_PTR)(1 + GetNextItem(nOldPos, LVNI_SELECTED));
        return nOldPos;
    }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
    { lpRect->left = (LONG)nCode; return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect); }
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
    { ref.top = iSubItem; ref.left = nArea; return (BOOL)::SendMessage(m_hWnd, LVM_GETSUBITEMRECT, iItem, (LPARAM)(LPRECT)ref); }
    BOOL SetItemPosition(int nItem, POINT pt) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMPOSITION, nItem, MAKELPARAM(pt.x, pt.y)); }
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMPOSITION, nItem, (LPARAM)lpPoint); }
    int GetStringWidth(LPCTSTR lpsz) const { return (int)::SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, (LPARAM)lpsz); }
    CEdit* GetEditControl() const { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_GETEDITCONTROL, 0, 0)); }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETCOLUMN, nCol, (LPARAM)pColumn); }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMN, nCol, (LPARAM)pColumn); }
    int GetColumnWidth(int nCol) const { return (int)::SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    BOOL GetViewRect(LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETVIEWRECT, 0, (LPARAM)lpRect); }
    int GetTopIndex() const { return (int)::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0); }
    int GetCountPerPage() const { return (int)::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0); }
    BOOL GetOrigin(LPPOINT lpPoint) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETORIGIN, 0, (LPARAM)lpPoint); }
    BOOL SetItemState(int nItem, LVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)pItem); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)::SendMessage(m_hWnd, LVM_GETITEMSTATE, nItem, nMask); }
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    BOOL SetItemData(int nItem, DWORD_PTR dwData) { return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData); }
    DWORD_PTR GetItemData(int nItem) const;
    UINT GetSelectedCount() const { return (UINT)::SendMessage(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0); }
    BOOL SetColumnOrderArray(int iCount, LPINT piArray) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMNORDERARRAY, iCount, (LPARAM)piArray); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1);
    CHeaderCtrl* GetHeaderCtrl() { return (CHeaderCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0)); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)::SendMessage(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    int GetSelectionMark() const { return (int)::SendMessage(m_hWnd, LVM_GETSELECTIONMARK, 0, 0); }
    int SetSelectionMark(int iIndex) { return (int)::SendMessage(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex); }
    int GetHotItem() const { return (int)::SendMessage(m_hWnd, LVM_GETHOTITEM, 0, 0); }
    int SetHotItem(int iIndex) { return (int)::SendMessage(m_hWnd, LVM_SETHOTITEM, iIndex, 0); }
    BOOL GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) > 0; }
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE) { return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK); }
    CToolTipCtrl* GetToolTips() const;

    int InsertItem(const LVITEM* pItem) { return (int)::SendMessage(m_hWnd, LVM_INSERTITEM, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0); }
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessage(m_hWnd, LVM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const { return (int)::SendMessage(m_hWnd, LVM_FINDITEM, nStart, (LPARAM)pFindInfo); }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)::SendMessage(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)::SendMessage(m_hWnd, LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)::SendMessage(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0)); }
    BOOL Scroll(CSize size) { return (BOOL)::SendMessage(m_hWnd, LVM_SCROLL, size.cx, size.cy); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)::SendMessage(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast); }
    BOOL Arrange(UINT nCode) { return (BOOL)::SendMessage(m_hWnd, LVM_ARRANGE, nCode, 0); }
    CEdit* EditLabel(int nItem) { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_EDITLABEL, nItem, 0)); }
    int InsertColumn(int nCol, const LVCOLUMN* pColumn) { return (int)::SendMessage(m_hWnd, LVM_INSERTCOLUMN, nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)::SendMessage(m_hWnd, LVM_DELETECOLUMN, nCol, 0); }
    CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);
    BOOL Update(int nItem) { return (BOOL)::SendMessage(m_hWnd, LVM_UPDATE, nItem, 0); }
    // Sorts through LVM_SORTITEMS: pfnCompare gets the items' lParam values.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
    { return (BOOL)::SendMessage(m_hWnd, LVM_SORTITEMS, (WPARAM)dwData, (LPARAM)pfnCompare); }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }
protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() {}
    ~CToolTipCtrl() override;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(TOOLINFO& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFO lpToolInfo) { ::SendMessage(m_hWnd, TTM_SETTOOLINFO, 0, (LPARAM)lpToolInfo); }
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    int GetDelayTime(DWORD dwDuration) const { return (int)::SendMessage(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0); }
    void SetDelayTime(UINT nDelay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    void GetMargin(LPRECT lprc) const { ::SendMessage(m_hWnd, TTM_GETMARGIN, 0, (LPARAM)lprc); }
    void SetMargin(LPRECT lprc) { ::SendMessage(m_hWnd, TTM_SETMARGIN, 0, (LPARAM)lprc); }
    int GetMaxTipWidth() const { return (int)::SendMessage(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0); }
    int SetMaxTipWidth(int iWidth) { return (int)::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
    COLORREF GetTipBkColor() const { return (COLORREF)::SendMessage(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0); }
    void SetTipBkColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
    COLORREF GetTipTextColor() const { return (COLORREF)::SendMessage(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0); }
    void SetTipTextColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }

    void Activate(BOOL bActivate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;
    void RelayEvent(LPMSG lpMsg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void Update() { ::SendMessage(m_hWnd, TTM_UPDATE, 0, 0); }
    void Pop() { ::SendMessage(m_hWnd, TTM_POP, 0, 0); }
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

class CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    CRichEditCtrl() {}
    ~CRichEditCtrl() override;
    // Creates a RichEdit20W control (the library is loaded on first use).
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
    int GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
    void GetRect(LPRECT lpRect) const { ::SendMessage(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
    void SetRect(LPCRECT lpRect) { ::SendMessage(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect); }
    CPoint GetCharPos(long lChar) const { POINTL pt = {0, 0}; ::SendMessage(m_hWnd, EM_POSFROMCHAR, (WPARAM)&pt, lChar); return CPoint(pt.x, pt.y); }
    void SetOptions(WORD wOp, DWORD dwFlags) { ::SendMessage(m_hWnd, EM_SETOPTIONS, wOp, dwFlags); }
    UINT GetOptions() const { return (UINT)::SendMessage(m_hWnd, EM_GETOPTIONS, 0, 0); }
    int GetLine(int nIndex, LPTSTR lpszBuffer) const { return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer); }
    BOOL CanPaste(UINT nFormat = 0) const { return (BOOL)::SendMessage(m_hWnd, EM_CANPASTE, nFormat, 0); }
    void GetSel(long& nStartChar, long& nEndChar) const
    { CHARRANGE cr = {0, 0}; ::SendMessage(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr); nStartChar = cr.cpMin; nEndChar = cr.cpMax; }
    void GetSel(CHARRANGE& cr) const { ::SendMessage(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr); }
    void LimitText(long nChars = 0) { ::SendMessage(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
    long LineFromChar(long nIndex) const { return (long)::SendMessage(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex); }
    void SetSel(long nStartChar, long nEndChar) { CHARRANGE cr = {nStartChar, nEndChar}; ::SendMessage(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }
    void SetSel(CHARRANGE& cr) { ::SendMessage(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const
    { cf.cbSize = sizeof(CHARFORMAT); return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, 0, (LPARAM)&cf); }
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const
    { cf.cbSize = sizeof(CHARFORMAT); return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, 1, (LPARAM)&cf); }
    long GetEventMask() const { return (long)::SendMessage(m_hWnd, EM_GETEVENTMASK, 0, 0); }
    long GetLimitText() const { return (long)::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    DWORD GetParaFormat(PARAFORMAT& pf) const
    { pf.cbSize = sizeof(PARAFORMAT); return (DWORD)::SendMessage(m_hWnd, EM_GETPARAFORMAT, 0, (LPARAM)&pf); }
    long GetSelText(LPTSTR lpBuf) const { return (long)::SendMessage(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)lpBuf); }
    CString GetSelText() const;
    WORD GetSelectionType() const { return (WORD)::SendMessage(m_hWnd, EM_SELECTIONTYPE, 0, 0); }
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr) { return (COLORREF)::SendMessage(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, cr); }
    BOOL SetDefaultCharFormat(CHARFORMAT& cf)
    { cf.cbSize = sizeof(CHARFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, 0, (LPARAM)&cf); }
    BOOL SetSelectionCharFormat(CHARFORMAT& cf)
    { cf.cbSize = sizeof(CHARFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf); }
    BOOL SetWordCharFormat(CHARFORMAT& cf)
    { cf.cbSize = sizeof(CHARFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf); }
    DWORD SetEventMask(DWORD dwEventMask) { return (DWORD)::SendMessage(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask); }
    BOOL SetParaFormat(PARAFORMAT& pf)
    { pf.cbSize = sizeof(PARAFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETPARAFORMAT, 0, (LPARAM)&pf); }
    BOOL SetTargetDevice(HDC hDC, long lLineWidth) { return (BOOL)::SendMessage(m_hWnd, EM_SETTARGETDEVICE, (WPARAM)hDC, lLineWidth); }
    long GetTextLength() const { return (long)::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    int GetFirstVisibleLine() const { return (int)::SendMessage(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }
    void EmptyUndoBuffer() { ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
    int LineIndex(int nLine = -1) const { return (int)::SendMessage(m_hWnd, EM_LINEINDEX, nLine, 0); }
    int LineLength(int nLine = -1) const { return (int)::SendMessage(m_hWnd, EM_LINELENGTH, nLine, 0); }
    void LineScroll(int nLines, int nChars = 0) { ::SendMessage(m_hWnd, EM_LINESCROLL, nChars, nLines); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) { ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
    void HideSelection(BOOL bHide, BOOL bPerm) { ::SendMessage(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }
    void RequestResize() { ::SendMessage(m_hWnd, EM_REQUESTRESIZE, 0, 0); }
    long StreamIn(int nFormat, EDITSTREAM& es) { return (long)::SendMessage(m_hWnd, EM_STREAMIN, nFormat, (LPARAM)&es); }
    long StreamOut(int nFormat, EDITSTREAM& es) { return (long)::SendMessage(m_hWnd, EM_STREAMOUT, nFormat, (LPARAM)&es); }
    long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE) { return (long)::SendMessage(m_hWnd, EM_FORMATRANGE, bDisplay, (LPARAM)pfr); }
    void DisplayBand(LPRECT pDisplayRect) { ::SendMessage(m_hWnd, EM_DISPLAYBAND, 0, (LPARAM)pDisplayRect); }
    long FindText(DWORD dwFlags, FINDTEXTEX* pFindText) const { return (long)::SendMessage(m_hWnd, EM_FINDTEXTEX, dwFlags, (LPARAM)pFindText); }
    BOOL Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
    void Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
};

class CStatusBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CStatusBarCtrl)
public:
    CStatusBarCtrl() {}
    ~CStatusBarCtrl() override;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetText(LPCTSTR lpszText, int nPane, int nType) { return (BOOL)::SendMessage(m_hWnd, SB_SETTEXT, (nPane | nType), (LPARAM)lpszText); }
    CString GetText(int nPane, int* pType = NULL) const;
    int GetText(LPTSTR lpszText, int nPane, int* pType = NULL) const;
    int GetTextLength(int nPane, int* pType = NULL) const;
    BOOL SetParts(int nParts, int* pWidths) { return (BOOL)::SendMessage(m_hWnd, SB_SETPARTS, nParts, (LPARAM)pWidths); }
    int GetParts(int nParts, int* pParts) const { return (int)::SendMessage(m_hWnd, SB_GETPARTS, nParts, (LPARAM)pParts); }
    BOOL GetBorders(int* pBorders) const { return (BOOL)::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)pBorders); }
    BOOL GetBorders(int& nHorz, int& nVert, int& nSpacing) const;
    void SetMinHeight(int nMin) { ::SendMessage(m_hWnd, SB_SETMINHEIGHT, nMin, 0); }
    BOOL SetSimple(BOOL bSimple = TRUE) { return (BOOL)::SendMessage(m_hWnd, SB_SIMPLE, bSimple, 0); }
    BOOL IsSimple() const { return (BOOL)::SendMessage(m_hWnd, SB_ISSIMPLE, 0, 0); }
    BOOL GetRect(int nPane, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, SB_GETRECT, nPane, (LPARAM)lpRect); }
    BOOL SetIcon(int nPane, HICON hIcon) { return (BOOL)::SendMessage(m_hWnd, SB_SETICON, nPane, (LPARAM)hIcon); }
    void SetTipText(int nPane, LPCTSTR pszTipText) { ::SendMessage(m_hWnd, SB_SETTIPTEXT, nPane, (LPARAM)pszTipText); }
    // Owner-drawn panes (SBT_OWNERDRAW): WM_DRAWITEM from the parent arrives here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }
protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

#endif // __AFXCMN_H__
