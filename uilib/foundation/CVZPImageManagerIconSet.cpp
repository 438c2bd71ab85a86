#include "CVZPImageManagerIconSet.h"

#include <stdlib.h>

CVZPImageManagerIconSet::CVZPImageManagerIconSet(UINT nID, CVZPImageManager* pManager)
    : m_nID(nID), m_pManager(pManager)
{
}

CVZPImageManagerIconSet::~CVZPImageManagerIconSet()
{
    RemoveAll();
}

CVZPImageManagerIcon* CVZPImageManagerIconSet::GetIcon(UINT nWidth)
{
    CVZPImageManagerIcon* pIcon = NULL;
    if (!m_mapIcons.Lookup(nWidth, pIcon))
    {
        pIcon = new CVZPImageManagerIcon(m_nID, (int)nWidth, 15, this);
        m_mapIcons.SetAt(nWidth, pIcon);
    }
    return pIcon;
}

CVZPImageManagerIcon* CVZPImageManagerIconSet::GetIcon(UINT nWidth, BOOL bScaleWhenMissing)
{
    CVZPImageManagerIcon* pIcon = NULL;
    if (m_mapIcons.Lookup(nWidth, pIcon))
        return pIcon;
    if (!bScaleWhenMissing)
        return NULL;
    CVZPImageManagerIcon* pNearest = NULL;
    UINT nBest = 0;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKey = 0;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        UINT nDistance = (UINT)abs((int)nKey - (int)nWidth);
        if (pNearest == NULL || nDistance < nBest)
        {
            pNearest = pIcon;
            nBest = nDistance;
        }
    }
    if (pNearest == NULL || pNearest->IsAlpha() || nWidth == 0)
        return pNearest;
    CVZPImageManagerIcon* pCopy = pNearest->CreateScaledCopy((int)nWidth);
    if (pCopy == NULL)
        return pNearest;
    pCopy->m_bScaled = TRUE;
    m_mapIcons.SetAt(nWidth, pCopy);
    return pCopy;
}

void CVZPImageManagerIconSet::SetIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth)
{
    GetIcon(nWidth)->SetIcon(handle);
}

void CVZPImageManagerIconSet::SetDisabledIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth)
{
    GetIcon(nWidth)->SetDisabledIcon(handle);
}

void CVZPImageManagerIconSet::SetHotIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth)
{
    GetIcon(nWidth)->SetHotIcon(handle);
}

void CVZPImageManagerIconSet::SetCheckedIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth)
{
    GetIcon(nWidth)->SetCheckedIcon(handle);
}

void CVZPImageManagerIconSet::RemoveAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKey = 0;
        CVZPImageManagerIcon* pIcon = NULL;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        pIcon->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}

void CVZPImageManagerIconSet::RemoveScaled()
{
    CArray<UINT, UINT> scaled;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKey = 0;
        CVZPImageManagerIcon* pIcon = NULL;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        if (pIcon->m_bScaled)
            scaled.Add(nKey);
        else
            pIcon->ClearGenerated();
    }
    for (INT_PTR i = 0; i < scaled.GetSize(); i++)
    {
        CVZPImageManagerIcon* pIcon = NULL;
        m_mapIcons.Lookup(scaled[i], pIcon);
        m_mapIcons.RemoveKey(scaled[i]);
        pIcon->InternalRelease();
    }
}
