#include "CVZPControls.h"

#include "CVZPCommandBar.h"
#include "CVZPControl.h"

IMPLEMENT_DYNCREATE(CVZPControls, CCmdTarget)

CVZPControls::CVZPControls() : m_pParent(NULL), m_pCommandBars(NULL), m_pOriginalControls(NULL)
{
    EnableAutomation();
}

CVZPControls::~CVZPControls()
{
    RemoveAll();
    if (m_pOriginalControls != NULL)
        m_pOriginalControls->InternalRelease();
}

CVZPControl* CVZPControls::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrControls[nIndex];
}

CVZPControl* CVZPControls::AddControl(CVZPControl* pControl)
{
    pControl->m_nIndex = GetCount();
    pControl->m_pControls = this;
    pControl->SetParent(m_pParent);
    m_arrControls.Add(pControl);
    return pControl;
}

void CVZPControls::Remove(CVZPControl* pControl)
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrControls[i] != pControl)
            continue;
        m_arrControls.RemoveAt(i);
        for (int j = i; j < GetCount(); j++)
            m_arrControls[j]->m_nIndex = j;
        pControl->m_pControls = NULL;
        pControl->SetParent(NULL);
        pControl->InternalRelease();
        return;
    }
}

void CVZPControls::RemoveAll()
{
    while (GetCount() > 0)
        Remove(m_arrControls[GetCount() - 1]);
}

CVZPCommandBars* CVZPControls::GetCommandBars() const
{
    if (m_pCommandBars != NULL)
        return m_pCommandBars;
    return m_pParent != NULL ? m_pParent->GetCommandBars() : NULL;
}

void CVZPControls::SaveDefaultControls()
{
    // The copy of the set is made by the controls' own copy operations.
}
