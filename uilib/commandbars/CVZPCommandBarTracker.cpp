#include "CVZPCommandBarTracker.h"

CVZPCommandBarTracker::CVZPCommandBarTracker(CVZPToolBar* pBar)
    : m_pBar(pBar), m_nMode(0), m_nDockIndex(0), m_rcDocked(0, 0, 0, 0), m_ptFloating(0, 0)
{
    m_ptLast.x = m_ptLast.y = 0;
}

CVZPCommandBarTracker::~CVZPCommandBarTracker()
{
}
