// The part every object of a docking layout carries (pane, tabbed and
// splitter container, floating frame, client placeholder, auto-hide panel):
// its kind, its place in the tree, its rectangle and the operations through
// which the manager, the containers and the layout treat all kinds alike.
// The layout's object list owns the object, not its parent. A bare base of
// kind 4 is the client placeholder, the place of the frame's view.
#pragma once

#include <afxwin.h>

#include <afxcoll.h>
#include <afxpriv.h>
#include <afxtempl.h>

#include "CVZPDockingPanePaintManager.h"

class CVZPDockingPaneBase;
class CVZPDockingPaneLayout;
class CVZPDockingPaneManager;
class CVZPPropExchange;

typedef CList<CVZPDockingPaneBase*, CVZPDockingPaneBase*> CVZPDockingPaneBaseList;

class CVZPDockingPaneBase
{
public:
    // Takes the manager's site as host window and appends the object to the
    // layout's object list.
    CVZPDockingPaneBase(int nType, CVZPDockingPaneLayout* pLayout);
    // Deletes the caption buttons; the layout unlinks the object itself.
    virtual ~CVZPDockingPaneBase();
    CVZPDockingPaneBase(const CVZPDockingPaneBase&) = delete;
    CVZPDockingPaneBase& operator=(const CVZPDockingPaneBase&) = delete;

    virtual void InvalidatePane();
    // Nonzero when the object is this one or (containers) lies below it.
    virtual INT_PTR ContainsPane(CVZPDockingPaneBase* pPane);
    virtual void CollectPanes(int nType, CVZPDockingPaneBaseList* pList);
    virtual void GetMinMaxInfo(MINMAXINFO* pInfo);
    // The client placeholder's placing: store the rectangle and hand it to
    // the frame as the view's rectangle. A record with a NULL hDWP is a
    // query in which nothing may move.
    virtual void PlaceInFrame(CWnd* pParent, CRect rc, AFX_SIZEPARENTPARAMS* pParams);
    virtual void OnIdleUpdate();
    virtual void SetHostWindow(CWnd* pWnd);
    virtual void SetParentContainer(CVZPDockingPaneBase* pContainer);
    virtual void OnChildChanged(CVZPDockingPaneBase* pChild);
    virtual void OnLayoutChanged(BOOL bReposition);
    virtual void OnAttached(CVZPDockingPaneBase* pParent);
    virtual BOOL ExchangeProperties(CVZPPropExchange* pPX);
    // A container's stored child list: child i (from 1) is kept as
    // "Pane-<i>" holding the child's save index. Loading looks the index up
    // in the loader's object map (the index read goes to pnIndex); NULL
    // when it is missing or unknown.
    static void SaveChildIndex(CVZPPropExchange* pPX, int i, int nSaveIndex);
    static CVZPDockingPaneBase* LoadChild(CVZPPropExchange* pPX, int i, int* pnIndex = NULL);
    // A new object of the same kind on the target layout; with a map the
    // old object is mapped to the new one. Panes whose options share a bit
    // with dwIgnoredOptions stay behind when a container moves its panes.
    virtual CVZPDockingPaneBase* Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap, DWORD dwIgnoredOptions);
    virtual void RemoveChild(CVZPDockingPaneBase* pChild);
    virtual BOOL IsEmpty();
    virtual void OnHook(int nArgument);
    virtual BOOL IsCaptionButtonVisible(CVZPDockingPaneCaptionButton* pButton);
    virtual CWnd* GetPaneWindow();
    virtual BOOL IsAutoHidden();

    CVZPDockingPaneManager* GetManager() const;
    CVZPDockingPanePaintManager* GetDockingPaintManager() const;
    CRect GetScreenRect() const;
    CVZPDockingPaneCaptionButton* FindCaptionButton(int nID) const;

    int GetType() const { return m_nType; }
    CVZPDockingPaneBase* GetParentContainer() const { return m_pParentContainer; }
    CWnd* GetHostWindow() const { return m_pHostWnd; }
    CVZPDockingPaneLayout* GetLayout() const { return m_pLayout; }
    CRect GetPaneRect() const { return m_rcPane; }

    int m_nDockingCX;
    int m_nDockingCY;
    CVZPDockingPaneLayout* m_pLayout;
    CVZPDockingPaneBase* m_pParentContainer;
    CWnd* m_pHostWnd;
    int m_nType;
    CRect m_rcPane;
    CVZPDockingPaneCaptionButtons m_arrCaptionButtons;
    int m_nLayoutLength;    // splitter working value: > 0 weight, <= 0 fixed length (negated)
    int m_nSaveIndex;       // 1-based number while saving or loading
};

// Whether the window object's run-time class (or one of its bases) has
// that name; the floating frame and the auto-hide window are known by name.
BOOL VZPIsWindowOfClass(CWnd* pWnd, LPCSTR pszClassName);
