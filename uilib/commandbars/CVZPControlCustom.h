// A control that hosts an ordinary child window on a command bar: the bar
// lays it out like its other controls, and the window is moved into the bar,
// shown, hidden and enabled with the control. While the window cannot show
// (a vertical dock), the control can stand in for it as a plain button.
#pragma once

#include "CVZPControlButton.h"
#include "CVZPHookReceiver.h"

class CVZPControlCustom : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlCustom)
public:
    CVZPControlCustom();
    ~CVZPControlCustom() override;

    // VerticalOptions.
    enum
    {
        verticalHide = 0,       // hidden in a vertical dock
        verticalKeep = 1,       // unchanged
        verticalButton = 2      // the window hides and the control acts as a button
    };

    void SetEnabled(BOOL bEnabled) override;
    void SetRect(CRect rcControl) override;
    void SetHideFlags(DWORD dwFlags) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    void DoPropExchange(CVZPPropExchange* pPX) override;
    void Copy(CVZPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    BOOL IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint point, DROPEFFECT& dropEffect) override;

    HWND GetControlWindow() const { return m_hwndControl; }

    CRect m_rcBorders;          // "Borders": margins around the window
    CSize m_szControl;          // "ControlSize": the window without the margins
    int m_verticalOptions;      // "VerticalOptions"
    int m_nControlId;           // "ControlId": finds the window when bars load

protected:
    // Hands the hosted window's pointer moves to the bar, so that its hot
    // tracking follows the pointer across the window.
    class CHookReceiver : public CVZPHookReceiver
    {
    public:
        explicit CHookReceiver(CVZPControlCustom* pOwner) : m_pOwner(pOwner) {}
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
        CVZPControlCustom* m_pOwner;
    };

    // The window shown when the window-shown flag is set and nothing hides
    // the control, hidden otherwise.
    void ApplyShowRule();
    // Takes the window as the hosted one and hooks its pointer moves.
    void SetControlWindow(HWND hWnd);

    CHookReceiver m_hookReceiver;
    HWND m_hwndControl;
    BOOL m_bWindowShown;
};
