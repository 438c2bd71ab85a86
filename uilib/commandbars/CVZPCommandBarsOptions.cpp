#include "CVZPCommandBarsOptions.h"

#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPPropExchange.h"
#include "CVZPPropExchangeArchive.h"

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

void CVZPCommandBarsOptions::UpdateKeyboardCuesState(int nShow)
{
    if (m_pCommandBars == NULL)
        return;
    // The manager changes its cues only while they follow Alt.
    m_pCommandBars->SetCuesFollowAlt(TRUE);
    m_pCommandBars->ShowKeyboardCues(nShow != 1);
    m_pCommandBars->SetCuesFollowAlt(FALSE);
    BOOL bSystemCues = TRUE;
    if (nShow == 2 && ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0) && !bSystemCues)
    {
        m_pCommandBars->SetCuesFollowAlt(TRUE);
        m_pCommandBars->ShowKeyboardCues(FALSE);
    }
}

void AFX_CDECL CVZPCommandBarsOptions::ExchangeCommandSet(CVZPPropExchange* pPX, LPCTSTR lpszName,
                                                         CMap<UINT, UINT, BOOL, BOOL>& map)
{
    if (pPX->CanStoreBinary())
    {
        PropExchangeSerialize(pPX, lpszName, &map);
        return;
    }
    CVZPPropExchangeSectionRef section(pPX, lpszName);
    if (section == NULL)
        return;
    CString strItem;
    if (pPX->IsLoading())
    {
        map.RemoveAll();
        const DWORD dwCount = section->ReadCount();
        for (DWORD i = 0; i < dwCount; i++)
        {
            int nCommand = 0;
            strItem.Format(L"Item%i", (int)i);
            if (PropExchangeIntNoDefault(section, strItem, &nCommand))
                map.SetAt((UINT)nCommand, TRUE);
        }
        return;
    }
    section->WriteCount((DWORD)map.GetCount());
    int i = 0;
    for (POSITION pos = map.GetStartPosition(); pos != NULL; i++)
    {
        UINT nCommand = 0;
        BOOL bValue = FALSE;
        map.GetNextAssoc(pos, nCommand, bValue);
        int nValue = (int)nCommand;
        strItem.Format(L"Item%i", i);
        PropExchangeIntNoDefault(section, strItem, &nValue);
    }
}

void CVZPCommandBarsOptions::DoPropExchange(CVZPPropExchange* pPX, BOOL bUserOptionsOnly)
{
    pPX->m_bUseDefaultOnLoad = FALSE;
    pPX->m_bUseDefaultOnSave = FALSE;
    pPX->ExchangeSchema();
    const int nSchema = pPX->m_nSchema;
    const BOOL bStoring = !pPX->IsLoading();

    PropExchangeBool(pPX, L"AlwaysShowFullMenus", &bAlwaysShowFullMenus, TRUE);
    PropExchangeBool(pPX, L"ShowFullAfterDelay", &bShowFullAfterDelay, TRUE);
    PropExchangeBool(pPX, L"ToolBarScreenTips", &bToolBarScreenTips, TRUE);
    PropExchangeBool(pPX, L"ToolBarAccelTips", &bToolBarAccelTips, FALSE);
    PropExchangeBool(pPX, L"LargeIcons", &bLargeIcons, FALSE);

    // An empty set is left out where a missing value reads as empty; the
    // caller that owns the store removes an older value (SaveOptions).
    auto omitted = [&](const CMap<UINT, UINT, BOOL, BOOL>& map) {
        return bStoring && pPX->CanOmitDefaults() && map.IsEmpty();
    };
    if (nSchema > 7 && !omitted(m_mapUsedCommands))
        ExchangeCommandSet(pPX, L"UsedCommands", m_mapUsedCommands);
    if (nSchema > 7 || bUserOptionsOnly)
        PropExchangeInt(pPX, L"Animation", &animationType, 0);
    if (bUserOptionsOnly)
        return;

    PropExchangeBool(pPX, L"SyncFloatingBars", &bSyncFloatingBars, TRUE);
    PropExchangeBool(pPX, L"ShowExpandButtonAlways", &bShowExpandButtonAlways, TRUE);
    PropExchangeSize(pPX, L"IconsSize", &szIcons, CSize(0, 0));
    PropExchangeSize(pPX, L"LargeIconsSize", &szLargeIcons, CSize(0, 0));
    if (!omitted(m_mapHiddenCommands))
        ExchangeCommandSet(pPX, L"HiddenCommands", m_mapHiddenCommands);

    BOOL bIconsWithShadow = FALSE;
    BOOL bUseDisabledIcons = TRUE;
    BOOL bUseFadedIcons = TRUE;
    CVZPCommandBarPaintManager* pPaintManager = m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : NULL;
    if (pPaintManager != NULL)
    {
        bIconsWithShadow = pPaintManager->m_bIconsWithShadow;
        bUseDisabledIcons = pPaintManager->m_bUseDisabledIcons;
        bUseFadedIcons = pPaintManager->m_bUseFadedIcons;
    }
    PropExchangeBool(pPX, L"IconsWithShadow", &bIconsWithShadow, FALSE);
    PropExchangeBool(pPX, L"UseDisabledIcons", &bUseDisabledIcons, TRUE);
    PropExchangeBool(pPX, L"UseFadedIcons", &bUseFadedIcons, TRUE);
    if (pPaintManager != NULL && pPX->IsLoading())
    {
        pPaintManager->m_bIconsWithShadow = bIconsWithShadow;
        pPaintManager->m_bUseDisabledIcons = bUseDisabledIcons;
        pPaintManager->m_bUseFadedIcons = bUseFadedIcons;
    }

    if (nSchema > 7)
    {
        PropExchangeBool(pPX, L"SyncFloatingBars", &bSyncFloatingBars, TRUE);
        PropExchangeBool(pPX, L"ShowExpandButtonAlways", &bShowExpandButtonAlways, TRUE);
        PropExchangeBool(pPX, L"DblClickFloat", &bDblClickFloat, FALSE);
        PropExchangeBool(pPX, L"ShowTextBelowIcons", &bShowTextBelowIcons, FALSE);
        PropExchangeBool(pPX, L"AltDragCustomization", &bAltDragCustomization, TRUE);
        PropExchangeBool(pPX, L"AutoHideUnusedPopups", &bAutoHideUnusedPopups, TRUE);
        PropExchangeSize(pPX, L"PopupIconsSize", &szPopupIcons, CSize(16, 16));
    }
    if (nSchema > 8)
    {
        PropExchangeInt(pPX, L"KeyboardCuesUse", &keyboardCuesUse, 1);
        PropExchangeInt(pPX, L"KeyboardCuesShow", &keyboardCuesShow, 0);
        if (pPX->IsLoading())
            UpdateKeyboardCuesState(keyboardCuesShow);
    }
}

void CVZPCommandBarsOptions::Serialize(CArchive& ar)
{
    CVZPPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}
