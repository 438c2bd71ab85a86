// Mouse tracking shared by a control and its children (a combo box and its
// edit): hot while the mouse is over any of them, with one leave request
// pending for the window the mouse is in.
#pragma once

#include <afxwin.h>

class CHotTracker
{
public:
    enum
    {
        invalidateOwner = 0x01,    // repaint the owner when hot changes
        recalcOwnerFrame = 0x02,   // have the owner's frame recalculated when hot changes
    };

    CHotTracker(CWnd* pOwner = NULL, BYTE nFlags = invalidateOwner)
        : m_pOwner(pOwner), m_pTracked(NULL), m_nFlags(nFlags), m_bHot(FALSE)
    {
    }

    // The mouse entered pWnd (NULL: the owner). TRUE when it made the owner
    // hot; a move into another tracked window only moves the leave request.
    BOOL Enter(CWnd* pWnd = NULL);
    // The mouse left pWnd. TRUE when it was the tracked window: not hot.
    BOOL Leave(CWnd* pWnd);

    BOOL IsHot() const { return m_bHot; }

    CWnd* m_pOwner;
    CWnd* m_pTracked;
    BYTE m_nFlags;
    BYTE m_bHot;

private:
    void Changed();
};
