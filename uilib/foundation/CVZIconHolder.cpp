#include "CVZIconHolder.h"

CVZIconHolder::~CVZIconHolder()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

CVZIconHolder& CVZIconHolder::operator=(HICON hIcon)
{
    if (m_hIcon != NULL && m_hIcon != hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
    return *this;
}
