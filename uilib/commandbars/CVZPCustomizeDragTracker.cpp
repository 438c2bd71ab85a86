#include "CVZPCustomizeDragTracker.h"

CVZPCustomizeDragTracker::CVZPCustomizeDragTracker(CVZPCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars), m_pSheet(NULL)
{
}

CVZPCustomizeDragTracker::~CVZPCustomizeDragTracker()
{
}

void CVZPCustomizeDragTracker::Register(CVZPCommandBar* pBar)
{
    if (m_lstTargets.Find(pBar) == NULL)
        m_lstTargets.AddTail(pBar);
}

void CVZPCustomizeDragTracker::Unregister(CVZPCommandBar* pBar)
{
    POSITION pos = m_lstTargets.Find(pBar);
    if (pos != NULL)
        m_lstTargets.RemoveAt(pos);
}

BOOL CVZPCustomizeDragTracker::IsRegistered(CVZPCommandBar* pBar) const
{
    return m_lstTargets.Find(pBar) != NULL;
}

DROPEFFECT CVZPCustomizeDragTracker::DoDragDrop(CVZPControl* pControl, CPoint point)
{
    // The drag loop runs in the customise sheet's tracker; without it the
    // control stays where it is.
    (void)pControl;
    (void)point;
    return DROPEFFECT_COPY | DROPEFFECT_LINK;
}
