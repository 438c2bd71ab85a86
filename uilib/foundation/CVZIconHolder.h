// Keeps one icon alive and destroys it when replaced or when the holder goes.
#pragma once

#include <windows.h>

class CVZIconHolder
{
public:
    CVZIconHolder() : m_hIcon(NULL) {}
    virtual ~CVZIconHolder();
    CVZIconHolder(const CVZIconHolder&) = delete;
    CVZIconHolder& operator=(const CVZIconHolder&) = delete;

    CVZIconHolder& operator=(HICON hIcon);
    operator HICON() const { return m_hIcon; }

private:
    HICON m_hIcon;
};
