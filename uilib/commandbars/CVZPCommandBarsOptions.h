// The user-visible switches of one command-bars manager and its hidden and
// used command sets.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPCommandBars;

class CVZPCommandBarsOptions : public CCmdTarget
{
public:
    explicit CVZPCommandBarsOptions(CVZPCommandBars* pCommandBars);
    ~CVZPCommandBarsOptions() override;

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
