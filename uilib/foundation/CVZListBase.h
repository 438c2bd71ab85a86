// Report-view conveniences shared by CVZListCtrl and CVZListView: a flat
// header with a sort arrow, sorting on header clicks, column building and
// auto-sizing, column widths kept in the profile, list and row colours, row
// copy and move, sub-item hit testing, locked columns and flicker-free
// painting.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CVZHeaderCtrl.h"

// The colours of one row.
struct VZListRowColor
{
    int nRow;
    COLORREF clrBack;
    COLORREF clrText;
};

class CVZListBase
{
public:
    CVZListBase();
    virtual ~CVZListBase();
    CVZListBase(const CVZListBase&) = delete;
    CVZListBase& operator=(const CVZListBase&) = delete;

    // Stores the sort column and direction (ascending only for 1) and shows
    // them on a library header; returns the previous sort column.
    virtual int SetSortImage(int nColumn, BOOL bAscending);
    // Field nField of the stored widths text (0 when missing).
    virtual int GetStoredColumnWidth(int nField);
    // Applies field nPosition of the stored text to the column at header
    // position nPosition; a column whose field is missing keeps its width.
    virtual void ApplyStoredColumnWidth(int nPosition);
    // Applies the stored widths (report view); returns the item count.
    virtual int LoadColumnWidths();
    // Writes the widths in header order as "w0,w1,...," (report view).
    virtual void SaveColumnWidths();
    // Fits a header position (-1: every position) to its contents and its
    // heading.
    virtual void AutoSizeColumn(int nPosition = -1);
    // Where the widths are kept (NULL: "Settings", "Column Info") and the
    // widths text to use while nothing is stored; loads them and saves them
    // again when the list is destroyed.
    virtual int SetProfileKey(LPCWSTR lpszSection = NULL, LPCWSTR lpszEntry = NULL, LPCWSTR lpszDefault = NULL);
    // Subclasses the list's header with the library's flat header (report
    // view, once).
    virtual BOOL SubclassHeader(BOOL bBoldFont = FALSE);
    // Derived lists sort here; TRUE.
    virtual BOOL SortList(int nColumn, BOOL bAscending);
    virtual void AddExtendedStyle(DWORD dwAdd);
    virtual DWORD GetExtendedStyle();
    virtual void LockColumns(BOOL bLock = TRUE);
    // The row under the point and, in report view, the header position of
    // the sub-item; -1 when none.
    virtual int SubItemHitTest(CPoint point, int* pnPosition);
    // A column after the last one (width -1: the last column's width).
    virtual int AddColumn(LPCWSTR lpszText, int nWidth = -1, int nFormat = LVCFMT_LEFT);
    virtual BOOL BuildColumns(int nCount, const int* pWidths, const LPCWSTR* pTexts);
    virtual BOOL BuildColumnsFromIds(int nCount, const int* pWidths, const UINT* pStringIds);
    virtual int GetColumnCount();
    // Inserts a copy of row nFrom (text, image, data, sub-item texts) at
    // nTo; returns the source's index afterwards, -1 for bad indexes.
    virtual int CopyRow(int nFrom, int nTo);
    virtual BOOL MoveRow(int nFrom, int nTo);
    // The list's colours; -1 keeps the system colour.
    virtual void SetListColors(COLORREF clrText, COLORREF clrBack);
    virtual void SetRowColorRecord(const VZListRowColor* pRecord);
    virtual void SetRowColor(int nRow, COLORREF clrText, COLORREF clrBack);
    virtual void RemoveAllRowColors();
    virtual VZListRowColor* FindRowColor(int nRow);
    // TRUE only when the extended style changed.
    virtual BOOL ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd);
    virtual BOOL Init();
    // Column-width limits, locked columns and sorting on header clicks; the
    // rest goes to the owner's CWnd::OnNotify.
    virtual BOOL HandleHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    void RefreshColors();
    void OnCustomDraw(NMLVCUSTOMDRAW* pDraw, LRESULT* pResult);
    void OnPaint();
    // The list's header window (child id 0), or NULL.
    CWnd* GetHeader() const;
    // The header when it is the library's flat header, or NULL.
    CVZFlatHeaderCtrl* GetFlatHeader() const;

    // The owner window's own handlers, which the base cannot call through
    // the message map.
    virtual BOOL OwnerOnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) = 0;
    virtual LRESULT OwnerDefault(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    int m_nMaxColumnWidth;
    int m_nSortColumn;
    BYTE m_bUseUIFont;
    BYTE m_bSaveOnDestroy;
    BYTE m_bListColorsSet;
    BYTE m_bRowColors;
    BYTE m_bSortColumnColor;
    BYTE m_bAscending;
    BYTE m_bColumnsLocked;
    CString m_strSection;
    CString m_strEntry;
    CString m_strDefaultWidths;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    COLORREF m_clrSortText;
    COLORREF m_clrSortBack;
    CPtrList m_rowColors;     // VZListRowColor records
    CVZFlatHeaderCtrl m_wndHeader;
    CWnd* m_pListWnd;

protected:
    int m_nMinColumnWidth;    // no column is made narrower (no setter)

    BOOL IsReportView() const;
    // The stored widths text, or the defaults when nothing is stored.
    CString ReadStoredWidths();
    // Field nField of the text; FALSE when it is missing or holds no number.
    static BOOL ParseWidthField(const CString& strWidths, int nField, int* pnWidth);
    void RedrawList();
};

// The owners of a list base (CVZListCtrl, CVZListView) handle the same
// messages the same way; these two macros declare and define that part once.
// The owner's constructor sets m_pListWnd and m_bInitOnSubclass = TRUE.
#define DECLARE_VZLIST_OWNER()                                                      \
public:                                                                             \
    BOOL OwnerOnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;    \
    LRESULT OwnerDefault(UINT message, WPARAM wParam, LPARAM lParam) override;      \
                                                                                    \
protected:                                                                          \
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;                                \
    void PreSubclassWindow() override;                                              \
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;         \
    afx_msg void OnCustomDrawList(NMHDR* pNMHDR, LRESULT* pResult);                 \
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);                            \
    afx_msg void OnDestroy();                                                       \
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);                                            \
    afx_msg void OnPaint();                                                         \
    afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);                  \
    DECLARE_MESSAGE_MAP()                                                           \
    /* controls from dialog templates initialise when subclassed */                 \
    BYTE m_bInitOnSubclass;

#define IMPLEMENT_VZLIST_OWNER(theClass, baseClass)                                 \
    BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
        ON_WM_CREATE()                                                              \
        ON_WM_DESTROY()                                                             \
        ON_WM_ERASEBKGND()                                                          \
        ON_WM_PAINT()                                                               \
        ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)                               \
        ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDrawList)                          \
    END_MESSAGE_MAP()                                                               \
    BOOL theClass::OwnerOnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)    \
    {                                                                               \
        return baseClass::OnNotify(wParam, lParam, pResult);                        \
    }                                                                               \
    LRESULT theClass::OwnerDefault(UINT message, WPARAM wParam, LPARAM lParam)      \
    {                                                                               \
        return DefWindowProc(message, wParam, lParam);                              \
    }                                                                               \
    BOOL theClass::PreCreateWindow(CREATESTRUCT& cs)                                \
    {                                                                               \
        const BOOL bResult = baseClass::PreCreateWindow(cs);                        \
        m_bInitOnSubclass = FALSE;                                                  \
        return bResult;                                                             \
    }                                                                               \
    void theClass::PreSubclassWindow()                                              \
    {                                                                               \
        baseClass::PreSubclassWindow();                                             \
        if (m_bInitOnSubclass)                                                      \
            Init();                                                                 \
    }                                                                               \
    BOOL theClass::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)         \
    {                                                                               \
        return HandleHeaderNotify(wParam, lParam, pResult);                         \
    }                                                                               \
    void theClass::OnCustomDrawList(NMHDR* pNMHDR, LRESULT* pResult)                \
    {                                                                               \
        OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR), pResult);           \
    }                                                                               \
    int theClass::OnCreate(LPCREATESTRUCT lpCreateStruct)                           \
    {                                                                               \
        if (baseClass::OnCreate(lpCreateStruct) == -1)                              \
            return -1;                                                              \
        Init();                                                                     \
        return 0;                                                                   \
    }                                                                               \
    void theClass::OnDestroy()                                                      \
    {                                                                               \
        if (m_bSaveOnDestroy)                                                       \
            SaveColumnWidths();                                                     \
        baseClass::OnDestroy();                                                     \
    }                                                                               \
    BOOL theClass::OnEraseBkgnd(CDC* /*pDC*/)                                       \
    {                                                                               \
        return TRUE;                                                                \
    }                                                                               \
    void theClass::OnPaint()                                                        \
    {                                                                               \
        CVZListBase::OnPaint();                                                     \
    }                                                                               \
    LRESULT theClass::OnSettingChange(WPARAM wParam, LPARAM lParam)                 \
    {                                                                               \
        const LRESULT lResult = DefWindowProc(WM_SETTINGCHANGE, wParam, lParam);    \
        RefreshColors();                                                            \
        return lResult;                                                             \
    }
