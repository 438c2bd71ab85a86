// A toolbar resource (type 241) as the bars read it: version, image width
// and height, and the command ids in order (0 a separator). Read by the
// framework's one size-checked reader.
#pragma once

#include <afxwin.h>

#include <vector>

class CVZPToolBarResource
{
public:
    CVZPToolBarResource() : m_wVersion(0), m_wWidth(0), m_wHeight(0) {}

    // FALSE when the resource is missing, not version 1, or shorter than
    // its count says.
    BOOL Load(UINT nIDResource);

    const UINT* GetItems() const { return m_ids.empty() ? NULL : m_ids.data(); }
    int GetCount() const { return (int)m_ids.size(); }
    CSize GetImageSize() const { return CSize(m_wWidth, m_wHeight); }

    WORD m_wVersion;
    WORD m_wWidth;
    WORD m_wHeight;
    std::vector<UINT> m_ids;
};
