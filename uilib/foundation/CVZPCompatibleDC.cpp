#include "CVZPCompatibleDC.h"

CVZPCompatibleDC::CVZPCompatibleDC(CDC* pDC, CBitmap* pBitmap) : m_pOldObject(NULL)
{
    if (CreateCompatibleDC(pDC) && pBitmap != NULL && pBitmap->GetSafeHandle() != NULL)
        m_pOldObject = SelectObject(pBitmap);
}

CVZPCompatibleDC::~CVZPCompatibleDC()
{
    if (m_pOldObject != NULL)
        SelectObject(m_pOldObject);
    DeleteDC();
}
