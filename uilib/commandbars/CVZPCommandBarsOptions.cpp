#include "CVZPCommandBarsOptions.h"

CVZPCommandBarsOptions::CVZPCommandBarsOptions(CVZPCommandBars* pCommandBars)
    : bAlwaysShowFullMenus(TRUE), bShowFullAfterDelay(TRUE), bToolBarScreenTips(TRUE), bToolBarAccelTips(FALSE),
      bLargeIcons(FALSE), bSyncFloatingBars(TRUE), bShowExpandButtonAlways(TRUE), bDblClickFloat(FALSE),
      bShowTextBelowIcons(FALSE), bAltDragCustomization(TRUE), bAutoHideUnusedPopups(TRUE), bDirtyState(FALSE),
      bShowPopupBarToolTips(FALSE), animationType(0), bAutoUpdateShortcuts(TRUE), keyboardCuesUse(1),
      bShowContextMenuAccelerators(TRUE), szIcons(0, 0), szLargeIcons(0, 0), szPopupIcons(16, 16),
      m_mapHiddenCommands(10), m_mapUsedCommands(10), m_pCommandBars(pCommandBars), keyboardCuesShow(0)
{
    m_mapHiddenCommands.InitHashTable(17);
    m_mapUsedCommands.InitHashTable(17);
    EnableAutomation();
}

CVZPCommandBarsOptions::~CVZPCommandBarsOptions()
{
}
