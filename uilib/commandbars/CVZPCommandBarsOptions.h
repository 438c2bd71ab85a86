// The user-visible switches of one command-bars manager and its hidden and
// used command sets, exchanged under versioned keys (schema 16) with a
// property-exchange store: the registry section "%s-Options" holds the user
// options, an archive everything.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPCommandBars;
class CVZPPropExchange;

class CVZPCommandBarsOptions : public CCmdTarget
{
public:
    explicit CVZPCommandBarsOptions(CVZPCommandBars* pCommandBars);
    ~CVZPCommandBarsOptions() override;

    // Exchanges the options in their fixed order; with bUserOptionsOnly it
    // ends after "Animation". Default handling of the exchange is switched
    // off first, so a missing value leaves its member as it was.
    void DoPropExchange(CVZPPropExchange* pPX, BOOL bUserOptionsOnly);
    // Everything, through an archive exchange.
    void Serialize(CArchive& ar) override;
    // Applies a keyboard-cues-show value (0 always, 1 never, 2 as the
    // system says) to the manager.
    void UpdateKeyboardCuesState(int nShow);
    // A command set as one serialised object where the exchange stores
    // binary data, else as a child section of "Item%i" values.
    static void AFX_CDECL ExchangeCommandSet(CVZPPropExchange* pPX, LPCTSTR lpszName,
                                             CMap<UINT, UINT, BOOL, BOOL>& map);

    BOOL bAlwaysShowFullMenus;
    BOOL bShowFullAfterDelay;
    BOOL bToolBarScreenTips;
    BOOL bToolBarAccelTips;
    BOOL bLargeIcons;
    BOOL bSyncFloatingBars;
    BOOL bShowExpandButtonAlways;
    BOOL bDblClickFloat;
    BOOL bShowTextBelowIcons;
    BOOL bAltDragCustomization;
    BOOL bAutoHideUnusedPopups;
    BOOL bDirtyState;               // layout changed
    BOOL bShowPopupBarToolTips;
    int animationType;
    BOOL bAutoUpdateShortcuts;
    int keyboardCuesUse;            // 0 menu bar, 1 all bars, 2 none; bit 2: explicit keys only
    BOOL bShowContextMenuAccelerators;
    CSize szIcons;
    CSize szLargeIcons;
    CSize szPopupIcons;
    CMap<UINT, UINT, BOOL, BOOL> m_mapHiddenCommands;
    CMap<UINT, UINT, BOOL, BOOL> m_mapUsedCommands;
    CVZPCommandBars* m_pCommandBars;
    int keyboardCuesShow;           // 0 always, 1 never, 2 as the system says
};
