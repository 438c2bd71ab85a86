#include "CVZPCustomizeDragTracker.h"

CVZPCustomizeDragTracker::CVZPCustomizeDragTracker(CVZPCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars), m_pSheet(NULL)
{
}

CVZPCustomizeDragTracker::~CVZPCustomizeDragTracker()
{
}
