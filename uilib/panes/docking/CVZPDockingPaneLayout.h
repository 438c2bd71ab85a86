// One complete arrangement of docking panes: every pane object of it (the
// layout owns them), the tree that places them (top splitter container with
// the client placeholder, floating frames, auto-hide panels by side) and,
// per pane, the containers it last lived in. It is saved to and loaded from
// a property exchange under a fixed set of keys.
#pragma once

#include <afxwin.h>

#include <afxtempl.h>

#include "CVZPDockingPaneBase.h"

class CVZPDockingPane;
class CVZPDockingPaneManager;
class CVZPDockingPaneSplitterContainer;
class CVZPDockingPaneTabbedContainer;
class CVZPPropExchange;

// Where a pane lived last: its holder when floating, when docked, and at
// all (NULL when none).
struct VZPDockingPaneRecord
{
    CVZPDockingPane* pPane;
    CVZPDockingPaneBase* pFloatingHolder;
    CVZPDockingPaneBase* pDockingHolder;
    CVZPDockingPaneBase* pLastHolder;
};

typedef CList<VZPDockingPaneRecord, const VZPDockingPaneRecord&> CVZPDockingPaneRecordList;

class CVZPDockingPaneLayout : public CCmdTarget
{
public:
    // The client placeholder, then the top splitter container holding it
    // (horizontal, on the manager's site). Detached until adopted.
    explicit CVZPDockingPaneLayout(CVZPDockingPaneManager* pManager);
    ~CVZPDockingPaneLayout() override;

    // Loads (TRUE on success) or saves (always TRUE).
    virtual BOOL DoPropExchange(CVZPPropExchange* pPX);
    void Serialize(CArchive& ar) override;

    // Releases the panes, deletes every other object and forgets the tree.
    void Clear();
    VZPDockingPaneRecord* FindRecord(CVZPDockingPane* pPane);
    // The side of the frame at which the object is docked.
    int GetPaneSide(CVZPDockingPaneBase* pObject);
    // The frame pass: auto-hide strips, the client's rectangle, the tree.
    void RepositionInFrame(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* pParams);
    // Moves the panes that share no option bit with dwIgnoredOptions into
    // the target.
    void MovePanes(CVZPDockingPaneTabbedContainer* pTarget, CVZPDockingPaneBaseList& lstPanes,
                   DWORD dwIgnoredOptions);
    // Hides the object (pane or container) in the auto-hide panel of its
    // side, joining the hidden group of its docking holder when there is one.
    void MoveToAutoHide(CVZPDockingPaneBase* pObject);
    BOOL JoinHiddenGroup(CVZPDockingPaneBase* pPanel, CVZPDockingPaneBase* pObject);
    // Drops the containers no pane needs any more and collapses splitters
    // that hold one splitter alone; repeated until nothing changes.
    void Normalize();

    CVZPDockingPaneSplitterContainer* GetTopContainer() const { return m_pTopContainer; }
    CVZPDockingPaneBase* GetClient() const { return m_pClient; }
    CVZPDockingPaneRecordList& GetRecords() { return m_lstRecords; }
    CVZPDockingPaneBaseList& GetObjects() { return m_lstObjects; }
    CVZPDockingPaneManager* GetManager() const { return m_pManager; }
    BOOL IsDetached() const { return m_bDetached; }

    CVZPDockingPaneSplitterContainer* m_pTopContainer;
    CVZPDockingPaneBase* m_pClient;
    CVZPDockingPaneRecordList m_lstRecords;
    CVZPDockingPaneBaseList m_lstObjects;
    CVZPDockingPaneBase* m_pAutoHidePanels[4];
    BOOL m_bDetached;
    CVZPDockingPaneManager* m_pManager;
    // Whether the last save found its section unwritable: a registry key
    // that cannot be opened still saves "successfully" with nothing written.
    BOOL m_bLastSaveUnwritable;

protected:
    BOOL Load(CVZPPropExchange* pPX);
    void Save(CVZPPropExchange* pPX);
    // Unlinks an object from the list and deletes (or releases) it.
    void DestroyObject(CVZPDockingPaneBase* pObject);
};
