// afxframe_.h - frames and the layout protocol, document/view, document
// templates and the command line, control bars, property sheets and MDI
// (included at the end of afxwin.h).
#pragma once
#ifndef __AFXFRAME__H__
#define __AFXFRAME__H__

#ifndef __AFXWIN_H__
#include <afxwin.h>
#endif
#include <afxpriv.h>
#include <prsht.h>
#include <vector>

class CView;
class CDocument;
class CDocTemplate;
class CDocManager;
class CControlBar;
class CStatusBar;
class CToolBar;
class CStatusBarCtrl;
class CCommandLineInfo;
class COleDataObject;
class CPropertySheet;

// Drop effect of drag and drop (DROPEFFECT_* values)
typedef DWORD DROPEFFECT;

// ---------------------------------------------------------------------------
// Styles, flags and ids

// Frame styles (low word of the window style, free in overlapped windows)
#define FWS_ADDTOTITLE      0x00008000L   // the active document's title goes into the caption
#define FWS_PREFIXTITLE     0x00004000L   // "Document - Application" rather than the reverse
#define FWS_SNAPTOBARS      0x00002000L

// Style of views made by CreateView
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// More CWnd::m_nFlags bits used by frames
#ifndef WF_STAYACTIVE
#define WF_STAYACTIVE       0x0020
#define WF_NOPOPMSG         0x0040        // WM_POPMESSAGESTRING is ignored (a menu set the text)
#define WF_MODALDISABLE     0x0080
#define WF_KEEPMINIACTIVE   0x0200
#endif

// Control bar styles (CControlBar::m_dwStyle)
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_FLYBY          0x0020L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL            0x0040FFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout
#define LM_STRETCH          0x01
#define LM_HORZ             0x02
#define LM_MRUWIDTH         0x04
#define LM_HORZDOCK         0x08
#define LM_VERTDOCK         0x10
#define LM_LENGTHY          0x20
#define LM_COMMIT           0x40

// Status bar pane styles
#define SBPS_NORMAL         0x0000
#define SBPS_NOBORDERS      SBT_NOBORDERS
#define SBPS_POPOUT         SBT_POPOUT
#define SBPS_OWNERDRAW      SBT_OWNERDRAW
#define SBPS_DISABLED       0x04000000
#define SBPS_STRETCH        0x08000000

// Tool bar button styles and states (style in the low word, state in the high word)
#define TBBS_BUTTON         MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR      MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX       MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP          MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP     (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_PRESSED        MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_CHECKED        MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_INDETERMINATE  MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_DISABLED       MAKELONG(0, TBSTATE_ENABLED)   // inverted: set means disabled
#define TBBS_WRAPPED        MAKELONG(0, TBSTATE_WRAP)
#define TBBS_HIDDEN         MAKELONG(0, TBSTATE_HIDDEN)

// Tool bar resource (type 241): WORD version 1, width, height, count, ids.
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// The reader of these resources, AfxReadToolBarResource, is in afxpriv.h.

// Framework prompts used by document handling (texts built in when the
// program's resources do not carry them)
#define AFX_IDP_FAILED_TO_OPEN_DOC      0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC      0xF102
#define AFX_IDP_ASK_TO_SAVE             0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC    0xF104

#define AFX_IDM_FIRST_MDICHILD          0xFF00

// Result of a wizard sheet finished with its Finish button
#ifndef ID_WIZFINISH
#define ID_WIZBACK                      0x3023
#define ID_WIZNEXT                      0x3024
#define ID_WIZFINISH                    0x3025
#endif

// ---------------------------------------------------------------------------
// Creation context: what a frame passes down to the views it creates.

struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = NULL;   // class of the view to create
    CDocument* m_pCurrentDoc = NULL;         // document the view joins
    CDocTemplate* m_pNewDocTemplate = NULL;
    CView* m_pLastView = NULL;
    CFrameWnd* m_pCurrentFrame = NULL;
};

// Creates a view of pContext->m_pNewViewClass as child nID of any parent
// window (a frame, or another view); the view joins pContext->m_pCurrentDoc.
// NULL when the class cannot be created or the window fails.
CWnd* AFXAPI AfxCreateView(CWnd* pParent, CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

// Print preview is not supported; the state record exists for the overrides.
struct CPrintPreviewState
{
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = NULL;
    DWORD dwStates = 0;
    HWND hWndFocus = NULL;
    HACCEL hAccelTable = NULL;
};

// Printing is not supported: the structure is there for the view's overridables.
struct CPrintInfo
{
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = NULL;
    CRect m_rectDraw;
    void SetMinPage(UINT) {}
    void SetMaxPage(UINT) {}
};

// ---------------------------------------------------------------------------
// CFrameWnd

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Creates the frame with menu, icon, accelerators and title of resource
    // nIDResource; a missing accelerator table is no error.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    // Active objects
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Layout. RecalcLayout places the control bars (WM_SIZEPARENT) and gives
    // the rest to the AFX_IDW_PANE_FIRST child; DelayRecalcLayout asks for
    // that at the next idle pass.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0)); }
    void DelayUpdateFrameMenu(HMENU hMenuAlt) { m_hMenuAlt = hMenuAlt; m_nIdleFlags |= idleMenu; }
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }

    // Control bars
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual CWnd* GetMessageBar();

    // Message line (pane 0 of the status bar)
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // Title and menu
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    virtual BOOL IsTracking() const { return FALSE; }

    // Sends WM_FLOATSTATUS(dwFlags) to every top-level window owned by this
    // frame's top-level frame (floating bars and mini frames). For FS_ACTIVATE
    // and FS_DEACTIVATE the top-level frame first repaints its own caption.
    void NotifyFloatingWindows(DWORD dwFlags);

    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    // Idle flags (m_nIdleFlags)
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    // Implementation, public as the framework it models keeps it
    BOOL m_bAutoMenuEnable;          // menu items without handlers are disabled
    HMENU m_hMenuDefault;            // the menu loaded by LoadFrame
    HACCEL m_hAccelTable;
    HMENU m_hMenuAlt;
    UINT m_nIdleFlags;
    BOOL m_bInRecalcLayout;
    BOOL m_bHelpMode;
    int m_nWindow;                   // window number in the title (0: none)
    UINT m_nIDHelp;
    UINT m_nIDTracking;              // command whose prompt is showing
    UINT m_nIDLastMessage;
    CView* m_pViewActive;
    CString m_strTitle;
    CPtrList m_listControlBars;
    CRect m_rectBorder;              // space the layout keeps free (reposExtra)
    BOOL m_bDisableIfNoHndler;
    int m_nShowDelay;
    CRuntimeClass* m_pFloatingFrameClass;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);
    // Help id and caption (first field of string nIDResource); returns the
    // window class with the resource's icon, or NULL.
    LPCTSTR LoadFrameResources(DWORD dwDefaultStyle, UINT nIDResource);
    void BringToTop(int nCmdShow);
    CString m_strIconClass;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    friend class CWinApp;
};

// Floating tool frame with a small caption. Its styles live in the low
// word of the window style.
#define MFS_SYNCACTIVE      0x00000100L   // caption active together with the owner frame's
#define MFS_4THICKFRAME     0x00000200L
#define MFS_THICKFRAME      0x00000400L   // sizable (WS_THICKFRAME)
#define MFS_MOVEFRAME       0x00000800L
#define MFS_BLOCKSYSMENU    0x00001000L   // the caption icon and Alt+Space open no system menu

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = NULL, UINT nID = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    // WM_FLOATSTATUS from the owner frame; answers whether the caption
    // follows the owner's (MFS_SYNCACTIVE).
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// MDI (for type checks and tests: the program is single-document)

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    HWND m_hWndMDIClient;
    HMENU m_hMenuWindow;

    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate) { ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0); }
    void MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
    void MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDITile() { ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0); }
    void MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnWindowNew();
    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy() { ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0); }
    void MDIActivate() { ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0); }
    void MDIMaximize() { ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0); }
    void MDIRestore() { ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0); }
    void SetHandles(HMENU hMenu, HACCEL hAccel) { m_hMenuShared = hMenu; m_hAccelTable = hAccel; }

    HMENU m_hMenuShared;             // menu shown while this child is active

    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;
    CFrameWnd* GetActiveFrame() override { return this; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg LRESULT OnMDIActivateMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CView and the standard views

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual BOOL IsSelected(const CObject* pDocItem) const { (void)pDocItem; return FALSE; }

    // Drawing
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) { (void)pDC; (void)pInfo; }

    // Updates
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) { (void)nState; (void)pFrameWnd; }

    // Printing is not supported: the overridables exist, the commands do nothing.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
    BOOL DoPreparePrinting(CPrintInfo* pInfo) { (void)pInfo; return FALSE; }
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) { (void)pDC; (void)pInfo; }
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) { (void)pInfo; OnDraw(pDC); }
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) { (void)pDC; (void)pInfo; }

    // Drag and drop (a registered COleDropTarget calls these)
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave() {}
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDropEx(COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList, CPoint point);
    virtual DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    CDocument* m_pDocument;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFilePrint() {}
    afx_msg void OnFilePrintPreview() {}
    DECLARE_MESSAGE_MAP()

    friend class CDocument;
    friend class CFrameWnd;
};

// A view that scrolls a logical area of m_totalLog (in the map mode's units).
class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
protected:
    CScrollView();
public:
    static const SIZE sizeDefault;

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    void SetScaleToFitSize(SIZE sizeTotal);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    void FillOutsideRect(CDC* pDC, CBrush* pBrush);
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bCenter;
    BOOL m_bInsideUpdate;

protected:
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()
};

// A view made from a dialog template (which must have the WS_CHILD style).
class CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
protected:
    explicit CFormView(LPCTSTR lpszTemplateName);
    explicit CFormView(UINT nIDTemplate);
public:
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = NULL) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnDraw(CDC* pDC) override { (void)pDC; }

    LPCTSTR m_lpszTemplateName;
    CCreateContext* m_pCreateContext;
    HWND m_hWndFocus;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
    afx_msg void OnPaint() { Default(); }
    DECLARE_MESSAGE_MAP()
};

// A view that is a standard control of class lpszClass.
class CCtrlView : public CView
{
    DECLARE_DYNCREATE(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass = NULL, DWORD dwStyle = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override { (void)pDC; }

    CString m_strClass;
    DWORD m_dwDefaultStyle;

protected:
    afx_msg void OnPaint() { Default(); }
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CDocument

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views
    virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    virtual CView* GetNextView(POSITION& rPosition) const { return (CView*)m_viewList.GetNext(rPosition); }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    // Overridables
    virtual void OnChangedViewList();
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame) { (void)pFrame; }
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void UpdateFrameCounts();
    virtual HMENU GetDefaultMenu() { return NULL; }
    virtual HACCEL GetDefaultAccelerator() { return NULL; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;     // deleted when its last view goes
    BOOL m_bEmbedded;

protected:
    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

    friend class CDocTemplate;
};

// ---------------------------------------------------------------------------
// Document templates

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
public:
    ~CDocTemplate() override;

    // Fields of the document string (resource nIDResource), '\n'-separated
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative,
                      yesAlreadyOpen };
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    virtual void LoadTemplate();
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete;
};

class CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    // Reuses the one document (and the main frame) when there is one.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    CDocument* m_pOnlyDoc;
};

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override { return (CDocument*)m_docList.GetNext(rPos); }
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;
    CPtrList m_docList;
    UINT m_nUntitledCount;
};

// The application's templates and the file commands working on them.
class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    ~CDocManager() override;

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return (CDocTemplate*)m_templateList.GetNext(pos); }
    int GetDocumentCount();
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual void OnFileNew();
    virtual void OnFileOpen();
    // Shell registration: ProgID, DefaultIcon and "shell\open\command" as
    // "<program>" "%1" (no DDE), and the extension's association.
    virtual void RegisterShellFileTypes(BOOL bCompat);
    void UnregisterShellFileTypes();

    CPtrList m_templateList;
};

// ---------------------------------------------------------------------------
// Command line

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // Called for each argument; bFlag when it began with '/' or '-' (removed).
    virtual void ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(LPCTSTR lpszParam);
    void ParseParamNotFlag(LPCTSTR lpszParam);
    void ParseLast(BOOL bLast);
};

// ---------------------------------------------------------------------------
// Control bars

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();
public:
    ~CControlBar() override;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    virtual void DelayShow(BOOL bShow);
    virtual BOOL IsVisible() const;
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    DWORD GetBarStyle() { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    int GetCount() const { return m_nCount; }
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    CFrameWnd* GetDockingFrame() const;
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    void EraseNonClient();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    // Pane data of the derived bars
    virtual BOOL AllocElements(int nElements, int cbElement);

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth;
    void* m_pData;
    int m_nCount;
    UINT m_nStateFlags;
    DWORD m_dwStyle;           // CBRS_* bar style
    DWORD m_dwDockStyle;
    CFrameWnd* m_pDockSite;    // the frame the bar registered with
    CWnd* m_pDockBar;
    void* m_pDockContext;
    BOOL m_bAutoDelete;        // delete the object in PostNcDestroy

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CFrameWnd;
};

// One status bar pane.
struct AFX_STATUSPANE
{
    UINT nID;          // indicator id (0: a plain pane)
    UINT nStyle;       // SBPS_*
    int cxText;        // width of the text area
    UINT nFlags;
    CString strText;
    LPARAM lOwnerData; // an owner-drawn pane's data, when SB_SETTEXT gave it
};

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                          UINT nID = AFX_IDW_STATUS_BAR);
    using CWnd::CreateEx;
    // One pane per id; a non-zero id's text is string resource id, and a
    // missing string fails the call.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneText(int nIndex, CString& rString) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // The bar is the status control; only its non-virtual members may be used.
    CStatusBarCtrl& GetStatusBarCtrl() const { return *(CStatusBarCtrl*)this; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL AllocElements(int nElements, int cbElement) override;

    int m_nMinHeight;

protected:
    AFX_STATUSPANE* GetPanePtr(int nIndex) const { return ((AFX_STATUSPANE*)m_pData) + nIndex; }
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void UpdatePaneText(int nIndex);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPaneTextMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint() { Default(); }
    DECLARE_MESSAGE_MAP()

    friend class CStatusCmdUI;
};

class CToolBarCtrl;

// A tool bar over the common tool bar control.
class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);
    using CWnd::CreateEx;

    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // Buttons with these ids (ID_SEPARATOR makes a separator); with a NULL
    // array, nIDCount empty buttons.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    CToolBarCtrl& GetToolBarCtrl() const { return *(CToolBarCtrl*)this; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void SetBarStyle(DWORD dwStyle) override;

    HBITMAP m_hbmImageWell;
    HRSRC m_hRsrcImageWell;
    HINSTANCE m_hInstImageWell;
    CSize m_sizeButton;
    CSize m_sizeImage;

protected:
    void GetButton(int nIndex, TBBUTTON* pButton) const;
    void SetButton(int nIndex, TBBUTTON* pButton);
    CSize CalcSize(int nCount) const;
    afx_msg void OnPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { (void)pDC; return (BOOL)Default(); }
    DECLARE_MESSAGE_MAP()

    friend class CToolCmdUI;
};

// Thin wrapper of the tool bar control, used through CToolBar::GetToolBarCtrl.
class CToolBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetButtonCount() const { return (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const { return (BOOL)::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)lpButton); }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0)); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0)); }
    BOOL HideButton(int nID, BOOL bHide = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0)); }
    BOOL IsButtonEnabled(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONENABLED, nID, 0); }
    BOOL IsButtonChecked(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONCHECKED, nID, 0); }
    int GetState(int nID) const { return (int)::SendMessage(m_hWnd, TB_GETSTATE, nID, 0); }
    BOOL SetState(int nID, UINT nState) { return (BOOL)::SendMessage(m_hWnd, TB_SETSTATE, nID, MAKELPARAM(nState, 0)); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) { return (BOOL)::SendMessage(m_hWnd, TB_ADDBUTTONS, nNumButtons, (LPARAM)lpButtons); }
    BOOL DeleteButton(int nIndex) { return (BOOL)::SendMessage(m_hWnd, TB_DELETEBUTTON, nIndex, 0); }
    int CommandToIndex(UINT nID) const { return (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nID, 0); }
    void AutoSize() { ::SendMessage(m_hWnd, TB_AUTOSIZE, 0, 0); }
    void SetButtonStructSize(int nSize) { ::SendMessage(m_hWnd, TB_BUTTONSTRUCTSIZE, nSize, 0); }
    BOOL SetButtonSize(CSize size) { return (BOOL)::SendMessage(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetBitmapSize(CSize size) { return (BOOL)::SendMessage(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    HIMAGELIST SetImageList(HIMAGELIST hImageList) { return (HIMAGELIST)::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)hImageList); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return (DWORD)::SendMessage(m_hWnd, TB_SETEXTENDEDSTYLE, 0, dwExStyle); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0); }
};

// Band host over the common rebar control; each band holds a child window.
class CReBarCtrl;

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = NULL, CBitmap* pbmp = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);
    CReBarCtrl& GetReBarCtrl() const { return *(CReBarCtrl*)this; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    BOOL AddBandHelper(CWnd* pBar, REBARBANDINFO* pRBBI);
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnNcPaint() { Default(); }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) { (void)bCalcValidRects; (void)lpncsp; Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { (void)pDC; return (BOOL)Default(); }
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class CReBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    CReBarCtrl() {}
    UINT GetBandCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const { return (BOOL)::SendMessage(m_hWnd, RB_GETBANDINFO, uBand, (LPARAM)prbbi); }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFO* prbbi) { return (BOOL)::SendMessage(m_hWnd, RB_SETBANDINFO, uBand, (LPARAM)prbbi); }
    BOOL InsertBand(UINT uIndex, REBARBANDINFO* prbbi) { return (BOOL)::SendMessage(m_hWnd, RB_INSERTBAND, uIndex, (LPARAM)prbbi); }
    BOOL DeleteBand(UINT uBand) { return (BOOL)::SendMessage(m_hWnd, RB_DELETEBAND, uBand, 0); }
    UINT GetBarHeight() const { return (UINT)::SendMessage(m_hWnd, RB_GETBARHEIGHT, 0, 0); }
    UINT GetRowCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETROWCOUNT, 0, 0); }
    void GetBandBorders(UINT uBand, LPRECT prc) const { ::SendMessage(m_hWnd, RB_GETBANDBORDERS, uBand, (LPARAM)prc); }
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE) { return (BOOL)::SendMessage(m_hWnd, RB_SHOWBAND, uBand, fShow); }
    void MinimizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MINIMIZEBAND, uBand, 0); }
    void MaximizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MAXIMIZEBAND, uBand, 0); }
};

// A control bar made from a dialog template; its controls are updated from
// the owner frame's handlers.
class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
    { return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID); }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeDefault;
};

// ---------------------------------------------------------------------------
// Property sheets

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    void CancelToClose();
    void SetModified(BOOL bChanged = TRUE);
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // Overridables: OnSetActive/OnKillActive run when the page is shown or
    // left (OnKillActive exchanges and validates the data); OnOK/OnApply
    // when the sheet is confirmed.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    void OnOK() override;
    void OnCancel() override;
    virtual BOOL OnQueryCancel() { return TRUE; }
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual BOOL OnWizardFinish() { return TRUE; }

    PROPSHEETPAGE m_psp;
    CString m_strCaption;
    BOOL m_bFirstSetActive;
    CPropertySheet* m_pSheet;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
    friend class CPropertySheet;
    friend INT_PTR CALLBACK AfxPropPageProc(HWND, UINT, WPARAM, LPARAM);
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CPropertySheet() override;
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.GetSize(); }
    CPropertyPage* GetPage(int nPage) const { return (CPropertyPage*)m_pages[nPage]; }
    int GetPageIndex(CPropertyPage* pPage);
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    void SetWizardButtons(DWORD dwFlags) { ::SendMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags); }
    void PressButton(int nButton) { ::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0); }
    void EndDialog(int nEndID);

    // Modal: the sheet runs the framework's modal loop (PreTranslateMessage
    // and idle) until a button closes it. IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    // Modeless
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

    BOOL ContinueModal() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    PROPSHEETHEADER m_psh;
    CPtrArray m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bModeless;
    int m_nModalResultSheet;   // IDOK once a page applied, else IDCANCEL

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    void BuildPropPageArray();
    std::vector<PROPSHEETPAGE> m_pageArray;
    friend class CPropertyPage;
    friend int CALLBACK AfxPropSheetCallback(HWND, UINT, LPARAM);
};

#include <afxcom_.h>

#endif // __AFXFRAME__H__
