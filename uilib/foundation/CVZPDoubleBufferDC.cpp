#include "CVZPDoubleBufferDC.h"

CVZPDoubleBufferDC::CVZPDoubleBufferDC(HDC hTarget, CRect rcArea)
    : m_hTarget(hTarget), m_rcArea(rcArea), m_hOldBitmap(NULL)
{
    CDC* pTarget = CDC::FromHandle(hTarget);
    if (!CreateCompatibleDC(pTarget))
        return;
    if (m_bitmap.CreateCompatibleBitmap(pTarget, rcArea.right, rcArea.bottom))
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
}

CVZPDoubleBufferDC::~CVZPDoubleBufferDC()
{
    if (m_hOldBitmap != NULL)
    {
        ::BitBlt(m_hTarget, m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), m_hDC, m_rcArea.left,
                 m_rcArea.top, SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}
