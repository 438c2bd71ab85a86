// The ordered, reference-counted collection of a bar's controls.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPCommandBar;
class CVZPCommandBars;
class CVZPControl;

class CVZPControls : public CCmdTarget
{
    DECLARE_DYNCREATE(CVZPControls)
public:
    CVZPControls();
    ~CVZPControls() override;

    int GetCount() const { return (int)m_arrControls.GetSize(); }
    // NULL outside 0..count-1.
    CVZPControl* GetAt(int nIndex) const;
    // Appends the control and takes over the caller's reference.
    CVZPControl* AddControl(CVZPControl* pControl);
    void Remove(CVZPControl* pControl);
    void RemoveAll();
    // Keeps the current set as the bar's default controls (restored when
    // the bar's customisation is reset).
    void SaveDefaultControls();

    CVZPCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CVZPCommandBar* pParent) { m_pParent = pParent; }
    CVZPCommandBars* GetCommandBars() const;
    void SetCommandBars(CVZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

protected:
    CArray<CVZPControl*, CVZPControl*> m_arrControls;
    CVZPCommandBar* m_pParent;
    CVZPCommandBars* m_pCommandBars;
    CVZPControls* m_pOriginalControls;   // the default set, NULL: none
};
