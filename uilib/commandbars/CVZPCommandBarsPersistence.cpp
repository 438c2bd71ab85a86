// The command-bar model in a property exchange: the keys of bars, toolbars,
// controls, control kinds and control collections, and the manager's lists
// of bars to save, load and merge into the running bars.
#include "CVZPCommandBars.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBarTracker.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControl.h"
#include "CVZPControlButton.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlEdit.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPImageManager.h"
#include "CVZPMenuBar.h"
#include "CVZPPopupBar.h"
#include "CVZPPropExchangeArchive.h"
#include "CVZPPropExchange.h"
#include "CVZPPropExchangeIterator.h"
#include "CVZPToolBar.h"
#include "VZPCommandBarsState.h"
#include "uilibres.h"

#include <afxpriv.h>
#include <shlobj.h>

#include <memory>

namespace {

VZPCommandBarsStateOptions* StateOptions(CVZPPropExchange* pPX)
{
    return static_cast<VZPCommandBarsStateOptions*>(pPX->m_pExtraData);
}

// Integer-sized members of other types go through an int.
template <class T>
void ExchangeAsInt(CVZPPropExchange* pPX, LPCWSTR pszName, T& value, int nDefault)
{
    int nValue = (int)value;
    PropExchangeInt(pPX, pszName, &nValue, nDefault);
    if (pPX->IsLoading())
        value = (T)nValue;
}

BOOL IsListed(CVZPCommandBarRefList* pList, CVZPCommandBar* pBar)
{
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
        if (pList->GetNext(pos) == pBar)
            return TRUE;
    return FALSE;
}

// Adds the popup bars the collection's controls open.
void AddPopupBars(CVZPControls* pControls, UINT* pnNextId, CVZPCommandBarRefList* pList,
                  VZPCommandBarsStateOptions* pOptions)
{
    if (pControls == NULL)
        return;
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CVZPControl* pControl = pControls->GetAt(i);
        if (!pControl->IsTemporary() && pControl->GetCommandBar() != NULL)
            pControl->GetCommandBar()->AddToCommandBarList(pnNextId, pList, pOptions);
    }
    if (pOptions != NULL && pOptions->bIncludeDefaultControls)
        AddPopupBars(pControls->GetDefaultControls(), pnNextId, pList, pOptions);
}

void ResolveControls(CVZPControls* pControls, CVZPCommandBarRefList* pList)
{
    if (pControls == NULL)
        return;
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pControls->GetAt(i));
        if (pPopup == NULL || pPopup->m_nPendingCommandBarId == 0)
            continue;
        CVZPCommandBar* pBar = pList->FindBar(pPopup->m_nPendingCommandBarId);
        // Cleared before descending, so bars that reach each other end.
        pPopup->m_nPendingCommandBarId = 0;
        if (pBar != NULL)
        {
            pPopup->SetCommandBar(pBar);
            pBar->ResolvePopupBars(pList);
        }
    }
    ResolveControls(pControls->GetDefaultControls(), pList);
}

}  // namespace

// ---------------------------------------------------------------------------
// Controls

void CVZPControl::DoPropExchange(CVZPPropExchange* pPX)
{
    const int nSchema = pPX->m_nSchema;
    PropExchangeInt(pPX, L"Type", &m_controlType, 1);
    ExchangeAsInt(pPX, L"Id", m_nId, -1);
    PropExchangeInt(pPX, L"IconId", &m_nIconId, 0);
    PropExchangeBool(pPX, L"BeginGroup", &m_bBeginGroup, FALSE);
    ExchangeAsInt(pPX, L"Tag", m_nTag, 0);
    ExchangeAsInt(pPX, L"Flags", m_dwFlags, 0);
    ExchangeAsInt(pPX, L"HideFlags", m_dwHideFlags, 0);
    PropExchangeString(pPX, L"Caption", &m_strCaption, L"");
    PropExchangeString(pPX, L"ShortcutText", &m_strShortcutText, L"");
    PropExchangeString(pPX, L"TooltipText", &m_strTooltipText, L"");
    PropExchangeString(pPX, L"DescriptionText", &m_strDescriptionText, L"");
    PropExchangeString(pPX, L"Parameter", &m_strParameter, L"");
    PropExchangeInt(pPX, L"CustomIconId", &m_nCustomIconId, 0);
    PropExchangeString(pPX, L"CustomCaption", &m_strCustomCaption, L"");
    if (nSchema > 1)
        PropExchangeString(pPX, L"Category", &m_strCategory, L"");
    VZPCommandBarsStateOptions* pOptions = StateOptions(pPX);
    if (m_nCustomIconId > 0 && pOptions != NULL && pOptions->pCommandBars != NULL)
    {
        CVZPPropExchangeSectionRef section(pPX, L"CustomIcon");
        CVZPImageManager* pImages = pOptions->pCommandBars->GetImageManager();
        if (section != NULL && pImages != NULL)
            pImages->DoPropExchangeIconSet((UINT)m_nCustomIconId, section);
    }
    if (nSchema > 3)
    {
        const BOOL bStoring = !pPX->IsLoading();
        if (!(bStoring && pPX->CanOmitDefaults() && m_mapDocTemplatesExcluded.IsEmpty()))
            PropExchangeSerialize(pPX, L"DocTemplatesExcluded", &m_mapDocTemplatesExcluded);
        if (!(bStoring && pPX->CanOmitDefaults() && m_mapDocTemplatesAssigned.IsEmpty()))
            PropExchangeSerialize(pPX, L"DocTemplatesAssigned", &m_mapDocTemplatesAssigned);
        PropExchangeBool(pPX, L"DefaultItem", &m_bDefaultItem, FALSE);
    }
    if (nSchema > 6)
        PropExchangeBool(pPX, L"CloseSubMenuOnClick", &m_bCloseSubMenuOnClick, TRUE);
    if (nSchema > 7)
        PropExchangeInt(pPX, L"CustomStyle", &m_buttonCustomStyle, 0);
}

void CVZPControlButton::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPControl::DoPropExchange(pPX);
    PropExchangeInt(pPX, L"Style", &m_buttonStyle, 0);
}

void CVZPControlPopup::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPControl::DoPropExchange(pPX);
    int nBarId = m_pCommandBar != NULL ? (int)m_pCommandBar->GetBarID() : 0;
    PropExchangeInt(pPX, L"CommandBarId", &nBarId, 0);
    if (pPX->IsLoading())
        m_nPendingCommandBarId = (UINT)nBarId;
    if (pPX->m_nSchema > 4)
        PropExchangeInt(pPX, L"Style", &m_buttonStyle, 0);
}

void CVZPControlComboBox::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPControlPopup::DoPropExchange(pPX);
    PropExchangeBool(pPX, L"DropDown", &m_bDropDown, TRUE);
    PropExchangeInt(pPX, L"Width", &m_nWidth, 0);
    ExchangeAsInt(pPX, L"ComboStyle", m_dwComboStyle, 0);
    if (pPX->m_nSchema > 8)
    {
        PropExchangeString(pPX, L"EditHint", &m_strEditHint, L"");
        ExchangeAsInt(pPX, L"ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
        PropExchangeBool(pPX, L"AutoComplete", &m_bAutoComplete, FALSE);
        PropExchangeInt(pPX, L"EditIconId", &m_nEditIconId, 0);
        PropExchangeInt(pPX, L"DropDownItemCount", &m_nDropDownItemCount, 12);
    }
}

void CVZPControlEdit::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPControl::DoPropExchange(pPX);
    if (pPX->m_nSchema > 5)
    {
        PropExchangeBool(pPX, L"HasLabel", &m_bLabel, FALSE);
        PropExchangeInt(pPX, L"Width", &m_nWidth, 0);
    }
    if (pPX->m_nSchema > 7)
        PropExchangeBool(pPX, L"ReadOnly", &m_bReadOnly, FALSE);
    if (pPX->m_nSchema > 8)
    {
        PropExchangeString(pPX, L"EditHint", &m_strEditHint, L"");
        ExchangeAsInt(pPX, L"ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
    }
}

void CVZPControls::DoPropExchange(CVZPPropExchange* pPX)
{
    VZPCommandBarsStateOptions* pOptions = StateOptions(pPX);
    std::unique_ptr<CVZPPropExchangeIterator> pEnum(pPX->GetEnumerator(L"Control"));
    if (!pPX->IsLoading())
    {
        DWORD dwCount = 0;
        for (int i = 0; i < GetCount(); i++)
            dwCount += m_arrControls[i]->IsTemporary() ? 0 : 1;
        POSITION pos = pEnum->StartEnumeration(dwCount, FALSE);
        for (int i = 0; i < GetCount() && pos != NULL; i++)
        {
            CVZPControl* pControl = m_arrControls[i];
            if (pControl->IsTemporary())
                continue;
            CVZPPropExchangeSectionRef section(pEnum->GetNextSection(pos));
            CObject* pObject = pControl;
            section->ExchangeObject(&pObject, RUNTIME_CLASS(CVZPControl));
            pControl->DoPropExchange(section);
        }
        BOOL bOriginal = m_pOriginalControls != NULL && pOptions != NULL && pOptions->bIncludeDefaultControls;
        PropExchangeBool(pPX, L"OriginalControls", &bOriginal, FALSE);
        if (bOriginal)
        {
            CVZPPropExchangeSectionRef section(pPX, L"OriginalControls");
            m_pOriginalControls->DoPropExchange(section);
        }
        BOOL bCustomized = FALSE;
        PropExchangeBool(pPX, L"CustomizedControls", &bCustomized, FALSE);
        return;
    }

    RemoveAll();
    POSITION pos = pEnum->StartEnumeration(0, FALSE);
    while (pos != NULL)
    {
        CVZPPropExchangeSectionRef section(pEnum->GetNextSection(pos));
        CObject* pObject = NULL;
        if (!section->ExchangeObject(&pObject, RUNTIME_CLASS(CVZPControl)) || pObject == NULL)
            AfxThrowArchiveException(CArchiveException::badClass);
        CVZPControl* pControl = static_cast<CVZPControl*>(pObject);
        // Held by the collection from here, so a failing read frees it.
        m_arrControls.Add(pControl);
        pControl->DoPropExchange(section);
    }
    Renumber();
    if (pPX->m_nSchema > 2)
    {
        BOOL bOriginal = FALSE;
        PropExchangeBool(pPX, L"OriginalControls", &bOriginal, FALSE);
        if (bOriginal)
        {
            ReleaseDefaultControls();
            CVZPControls* pDefault = new CVZPControls;
            pDefault->m_pCommandBars = pOptions != NULL ? pOptions->pCommandBars : NULL;
            m_pOriginalControls = pDefault;
            CVZPPropExchangeSectionRef section(pPX, L"OriginalControls");
            pDefault->DoPropExchange(section);
        }
        BOOL bCustomized = FALSE;
        PropExchangeBool(pPX, L"CustomizedControls", &bCustomized, FALSE);
        if (bCustomized)
        {
            CVZPControls* pDiscarded = new CVZPControls;
            try
            {
                CVZPPropExchangeSectionRef section(pPX, L"CustomizedControls");
                pDiscarded->DoPropExchange(section);
            }
            catch (CException*)
            {
                pDiscarded->InternalRelease();
                throw;
            }
            pDiscarded->InternalRelease();
        }
    }
}

// ---------------------------------------------------------------------------
// Bars

void CVZPCommandBar::DoPropExchange(CVZPPropExchange* pPX)
{
    PropExchangeInt(pPX, L"Type", &m_barType, 1);
    PropExchangeInt(pPX, L"Position", &m_barPosition, 0);
    ExchangeAsInt(pPX, L"BarID", m_nBarID, 0);
    ExchangeAsInt(pPX, L"Flags", m_dwFlags, 0);
    ExchangeAsInt(pPX, L"Style", m_dwStyle, 0);
    PropExchangeString(pPX, L"Title", &m_strTitle, L"");
    PropExchangeBool(pPX, L"Customizable", &m_bCustomizable, TRUE);
    PropExchangeInt(pPX, L"MRUWidth", &m_nMRUWidth, 0);
    if (pPX->m_nSchema > 2)
        PropExchangeSize(pPX, L"IconSize", &m_szIcons, CSize(0, 0));
    VZPCommandBarsStateOptions* pOptions = StateOptions(pPX);
    if (pPX->IsLoading() && pOptions != NULL)
        m_pCommandBars = pOptions->pCommandBars;
    CVZPPropExchangeSectionRef section(pPX, L"Controls");
    m_pControls->DoPropExchange(section);
}

void CVZPToolBar::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPCommandBar::DoPropExchange(pPX);
    PropExchangeBool(pPX, L"BuiltIn", &m_bBuiltIn, TRUE);
    PropExchangeBool(pPX, L"TearOff", &m_bTearOff, FALSE);
    if (pPX->m_nSchema > 6)
        PropExchangeBool(pPX, L"Closeable", &m_bCloseable, TRUE);
    if (pPX->m_nSchema > 7)
        PropExchangeBool(pPX, L"ContextMenuPresent", &m_bContextMenuPresent, TRUE);
}

void CVZPMenuBar::DoPropExchange(CVZPPropExchange* pPX)
{
    if (!pPX->IsLoading() && !m_mapMenus.IsEmpty())
    {
        // The bar's own controls are the frame menu's; the stored sets are
        // written beside them and kept.
        SwitchMenu(m_hMenu);
        m_bStoredMenusKept = TRUE;
    }
    CVZPToolBar::DoPropExchange(pPX);
    ExchangeAsInt(pPX, L"ResourceId", m_nIDResource, 0);
    CString strSection;
    if (pPX->IsLoading())
    {
        if (pPX->m_nSchema <= 4)
            return;
        VZPCommandBarsStateOptions* pOptions = StateOptions(pPX);
        const DWORD dwCount = pPX->ReadCount();
        for (DWORD i = 0; i < dwCount; i++)
        {
            strSection.Format(L"%s%i", L"MDIMenu", (int)i);
            CVZPPropExchangeSectionRef section(pPX, strSection);
            UINT nID = 0;
            ExchangeAsInt(section, L"Id", nID, 0);
            CVZPControls* pControls = new CVZPControls;
            pControls->SetCommandBars(pOptions != NULL ? pOptions->pCommandBars : m_pCommandBars);
            try
            {
                pControls->DoPropExchange(section);
            }
            catch (CException*)
            {
                pControls->InternalRelease();
                throw;
            }
            CVZPControls* pOld = NULL;
            if (m_mapMenus.Lookup(nID, pOld))
                pOld->InternalRelease();
            m_mapMenus.SetAt(nID, pControls);
        }
        return;
    }
    pPX->WriteCount((DWORD)m_mapMenus.GetCount());
    int i = 0;
    for (POSITION pos = m_mapMenus.GetStartPosition(); pos != NULL; i++)
    {
        UINT nID;
        CVZPControls* pControls;
        m_mapMenus.GetNextAssoc(pos, nID, pControls);
        strSection.Format(L"%s%i", L"MDIMenu", i);
        CVZPPropExchangeSectionRef section(pPX, strSection);
        ExchangeAsInt(section, L"Id", nID, 0);
        pControls->DoPropExchange(section);
    }
}

void CVZPMenuBar::AddToCommandBarList(UINT* pnNextId, CVZPCommandBarRefList* pList,
                                      VZPCommandBarsStateOptions* pOptions)
{
    if (IsListed(pList, this))
        return;
    CVZPToolBar::AddToCommandBarList(pnNextId, pList, pOptions);
    for (POSITION pos = m_mapMenus.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CVZPControls* pControls;
        m_mapMenus.GetNextAssoc(pos, nID, pControls);
        AddPopupBars(pControls, pnNextId, pList, pOptions);
    }
}

void CVZPMenuBar::ResolvePopupBars(CVZPCommandBarRefList* pList)
{
    CVZPToolBar::ResolvePopupBars(pList);
    for (POSITION pos = m_mapMenus.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CVZPControls* pControls;
        m_mapMenus.GetNextAssoc(pos, nID, pControls);
        ResolveControls(pControls, pList);
    }
}

void CVZPPopupBar::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPCommandBar::DoPropExchange(pPX);
    PropExchangeBool(pPX, L"TearOffPopup", &m_bTearOffPopup, FALSE);
    PropExchangeString(pPX, L"TearOffCaption", &m_strTearOffCaption, L"");
    ExchangeAsInt(pPX, L"TearOffId", m_nTearOffID, 0);
    PropExchangeInt(pPX, L"TearOffWidth", &m_nTearOffWidth, 0);
    if (pPX->m_nSchema > 3)
    {
        PropExchangeRect(pPX, L"Borders", &m_rcBorders, CRect(2, 4, 2, 4));
        PropExchangeBool(pPX, L"ShowShadow", &m_bShowShadow, TRUE);
    }
    if (pPX->m_nSchema > 8)
        PropExchangeBool(pPX, L"DoubleGripper", &m_bDoubleGripper, FALSE);
}

void CVZPCommandBar::AddToCommandBarList(UINT* pnNextId, CVZPCommandBarRefList* pList,
                                         VZPCommandBarsStateOptions* pOptions)
{
    if (IsListed(pList, this))
        return;
    pList->Add(this);
    if (!IsKindOf(RUNTIME_CLASS(CVZPToolBar)) && (m_nBarID == 0 || m_nBarID > 0xFFFFFF))
        m_nBarID = (*pnNextId)++;
    AddPopupBars(m_pControls, pnNextId, pList, pOptions);
}

void CVZPCommandBar::ResolvePopupBars(CVZPCommandBarRefList* pList)
{
    ResolveControls(m_pControls, pList);
}

// ---------------------------------------------------------------------------
// The manager's lists

void CVZPCommandBars::GenerateCommandBarList(CVZPCommandBarRefList* pList, VZPCommandBarsStateOptions* pOptions)
{
    UINT nNextId = VZP_FIRST_GENERATED_BAR_ID;
    for (int i = 0; i < GetCount(); i++)
    {
        CVZPToolBar* pBar = GetAt(i);
        BOOL bAdd = !pOptions->bSaveOnlyCustomized || !pBar->m_bBuiltIn;
        if (!bAdd && pBar->IsCustomizable())
        {
            CVZPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, pBar);
            if (pMenuBar != NULL)
            {
                pMenuBar->ReleaseUncustomizedMenus();
                bAdd = pMenuBar->GetStoredMenuCount() > 0;
            }
            CVZPControls* pControls = pBar->GetControls();
            bAdd = bAdd || pControls->GetDefaultControls() == NULL || pControls->IsChanged();
        }
        if (bAdd)
            pBar->AddToCommandBarList(&nNextId, pList, pOptions);
    }
}

BOOL CVZPCommandBars::SaveCommandBarList(CVZPPropExchange* pPX, CVZPCommandBarRefList* pList)
{
    try
    {
        CVZPPropExchangeSectionRef section(pPX, L"CommandBars");
        std::unique_ptr<CVZPPropExchangeIterator> pEnum(section->GetEnumerator(L"CommandBar"));
        POSITION pos = pEnum->StartEnumeration((DWORD)pList->GetCount(), FALSE);
        POSITION posBar = pList->GetHeadPosition();
        while (pos != NULL && posBar != NULL)
        {
            CVZPCommandBar* pBar = pList->GetNext(posBar);
            CVZPPropExchangeSectionRef item(pEnum->GetNextSection(pos));
            CObject* pObject = pBar;
            item->ExchangeObject(&pObject, RUNTIME_CLASS(CVZPCommandBar));
            pBar->DoPropExchange(item);
        }
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        return FALSE;
    }
    catch (COleException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CVZPCommandBars::LoadCommandBarList(CVZPPropExchange* pPX, CVZPCommandBarRefList* pList)
{
    try
    {
        CVZPPropExchangeSectionRef section(pPX, L"CommandBars");
        std::unique_ptr<CVZPPropExchangeIterator> pEnum(section->GetEnumerator(L"CommandBar"));
        POSITION pos = pEnum->StartEnumeration(0, FALSE);
        while (pos != NULL)
        {
            CVZPPropExchangeSectionRef item(pEnum->GetNextSection(pos));
            CObject* pObject = NULL;
            if (!item->ExchangeObject(&pObject, RUNTIME_CLASS(CVZPCommandBar)) || pObject == NULL)
                return FALSE;
            CVZPCommandBar* pBar = static_cast<CVZPCommandBar*>(pObject);
            // The list holds the bar from here, so a failing read frees it.
            pList->Add(pBar);
            pBar->InternalRelease();
            pBar->DoPropExchange(item);
            pBar->GetControls()->SetParent(pBar);
        }
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        return FALSE;
    }
    catch (COleException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CVZPCommandBars::RestoreCommandBarList(CVZPCommandBarRefList* pList, BOOL bSilent)
{
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
    {
        CVZPToolBar* pLoaded = DYNAMIC_DOWNCAST(CVZPToolBar, pList->GetNext(pos));
        if (pLoaded == NULL)
            continue;
        pLoaded->ResolvePopupBars(pList);
        CVZPToolBar* pExisting = GetToolBar(pLoaded->GetBarID());
        if (pExisting == NULL)
        {
            // A bar the user made.
            pLoaded->InternalAddRef();
            pLoaded->SetCommandBars(this);
            AddBar(pLoaded);
            if (m_pFrame != NULL)
                pLoaded->CreateToolBar(m_pFrame, FALSE);
            pLoaded->SetFlags(pLoaded->GetFlags());
            AddBarToReBar(pLoaded);
            continue;
        }
        CVZPControls* pLoadedDefault = pLoaded->GetControls()->GetDefaultControls();
        CVZPControls* pOwnDefault = pExisting->GetControls()->GetDefaultControls();
        if (pLoadedDefault == NULL || pOwnDefault == NULL || pLoadedDefault->Compare(pOwnDefault))
        {
            CVZPControls* pKeep = pLoadedDefault == NULL && pOwnDefault != NULL ? pOwnDefault->Duplicate(TRUE) : NULL;
            pExisting->Copy(pLoaded, FALSE);
            if (pKeep != NULL)
                pExisting->GetControls()->SetDefaultControls(pKeep);
            continue;
        }
        // The program's default buttons changed since the user customised
        // the bar: the user may keep the customised bar on the new defaults.
        if (bSilent || !pLoaded->GetControls()->IsChanged())
            continue;
        CString strFormat;
        strFormat.LoadString(VZP_IDS_TOOLBAR_CHANGED);
        CString strMessage;
        strMessage.Format(strFormat, (LPCTSTR)pExisting->GetTitle());
        if (AfxMessageBox(strMessage, MB_YESNO | MB_ICONQUESTION) == IDNO)
        {
            CVZPControls* pKeep = pOwnDefault->Duplicate(TRUE);
            pExisting->Copy(pLoaded, FALSE);
            pExisting->GetControls()->SetDefaultControls(pKeep);
        }
    }
}

// ---------------------------------------------------------------------------
// Bar state records

namespace {

const int kDefaultMRUWidth = 32767;
const int kDefaultDialogBarSize = 200;
// Customised bars above this size go to a file instead of the registry.
const UINT kMaxControlsInRegistry = 16000;

CString Formatted(LPCTSTR lpszFormat, LPCTSTR lpszProfile, int n)
{
    CString str;
    str.Format(lpszFormat, lpszProfile, n);
    return str;
}

}  // namespace

CVZPBarState::CVZPBarState()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_pointPos(-1, -1), m_nMRUWidth(kDefaultMRUWidth),
      m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0), m_pointMRUFloatPos(0, 0), m_pBar(NULL), m_bDialogBar(FALSE),
      m_szDialogBarDockingClient(kDefaultDialogBarSize, kDefaultDialogBarSize),
      m_szDialogBarFloatingClient(kDefaultDialogBarSize, kDefaultDialogBarSize)
{
}

void CVZPBarState::GetBarInfo(CVZPToolBar* pBar)
{
    m_pBar = pBar;
    m_nBarID = pBar->GetBarID();
    m_bVisible = pBar->IsVisible();
    m_bFloating = pBar->GetPosition() == vzpBarFloating;
    m_nMRUWidth = pBar->GetMRUWidth();
    m_bDialogBar = pBar->IsDialogBar();
    if (pBar->GetSafeHwnd() != NULL)
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        if (!m_bFloating && pBar->GetParent() != NULL)
            pBar->GetParent()->ScreenToClient(&rc);
        m_pointPos = rc.TopLeft();
    }
    if (pBar->m_pTracker != NULL)
    {
        if (pBar->GetSafeHwnd() == NULL)
            m_pointPos = pBar->m_pTracker->m_ptFloating;
        m_uMRUDockID = pBar->m_pTracker->m_nDockIndex;
        m_rectMRUDockPos = pBar->m_pTracker->m_rcDocked;
        m_pointMRUFloatPos = pBar->m_pTracker->m_ptFloating;
    }
}

void CVZPBarState::SetBarInfo(CVZPToolBar* pBar)
{
    pBar->SetMRUWidth(m_nMRUWidth);
    if (pBar->m_pTracker != NULL)
    {
        pBar->m_pTracker->m_nDockIndex = m_uMRUDockID;
        pBar->m_pTracker->m_rcDocked = m_rectMRUDockPos;
        pBar->m_pTracker->m_ptFloating = m_pointMRUFloatPos;
    }
    if (pBar->GetSafeHwnd() != NULL)
    {
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!m_bFloating)
        {
            nFlags |= SWP_NOSIZE;
            if (pBar->GetDockBar() == NULL)
                nFlags |= SWP_NOMOVE;
        }
        nFlags |= m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        pBar->SetWindowPos(NULL, m_pointPos.x, m_pointPos.y, 0, 0, nFlags);
    }
    pBar->m_bVisible = m_bVisible;
    if (m_bFloating)
        pBar->OnRecalcLayout();
}

void CVZPBarState::SaveState(LPCTSTR lpszSection) const
{
    CWinApp* pApp = AfxGetApp();
    // The whole section goes first, so values equal to their defaults are
    // not left over from an earlier save.
    pApp->WriteProfileString(lpszSection, NULL, NULL);
    pApp->WriteProfileInt(lpszSection, L"BarID", (int)m_nBarID);
    if (!m_bVisible)
        pApp->WriteProfileInt(lpszSection, L"Visible", 0);
    if (m_bFloating)
        pApp->WriteProfileInt(lpszSection, L"Floating", 1);
    if (m_pointPos.x != -1)
        pApp->WriteProfileInt(lpszSection, L"XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        pApp->WriteProfileInt(lpszSection, L"YPos", m_pointPos.y);
    if (m_nMRUWidth != kDefaultMRUWidth)
        pApp->WriteProfileInt(lpszSection, L"MRUWidth", m_nMRUWidth);
    pApp->WriteProfileInt(lpszSection, L"MRUDockID", m_uMRUDockID);
    pApp->WriteProfileInt(lpszSection, L"MRUDockLeftPos", m_rectMRUDockPos.left);
    pApp->WriteProfileInt(lpszSection, L"MRUDockTopPos", m_rectMRUDockPos.top);
    pApp->WriteProfileInt(lpszSection, L"MRUDockRightPos", m_rectMRUDockPos.right);
    pApp->WriteProfileInt(lpszSection, L"MRUDockBottomPos", m_rectMRUDockPos.bottom);
    pApp->WriteProfileInt(lpszSection, L"MRUFloatXPos", m_pointMRUFloatPos.x);
    pApp->WriteProfileInt(lpszSection, L"MRUFloatYPos", m_pointMRUFloatPos.y);
    pApp->WriteProfileInt(lpszSection, L"DialogBar", m_bDialogBar);
    if (m_bDialogBar)
    {
        pApp->WriteProfileInt(lpszSection, L"DialogBarDockingClientCx", m_szDialogBarDockingClient.cx);
        pApp->WriteProfileInt(lpszSection, L"DialogBarDockingClientCy", m_szDialogBarDockingClient.cy);
        pApp->WriteProfileInt(lpszSection, L"DialogBarFloatingClientCx", m_szDialogBarFloatingClient.cx);
        pApp->WriteProfileInt(lpszSection, L"DialogBarFloatingClientCy", m_szDialogBarFloatingClient.cy);
    }
}

void CVZPBarState::LoadState(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    m_nBarID = (UINT)pApp->GetProfileInt(lpszSection, L"BarID", 0);
    m_bVisible = pApp->GetProfileInt(lpszSection, L"Visible", 1);
    m_bFloating = pApp->GetProfileInt(lpszSection, L"Floating", 0);
    m_pointPos.x = pApp->GetProfileInt(lpszSection, L"XPos", -1);
    m_pointPos.y = pApp->GetProfileInt(lpszSection, L"YPos", -1);
    m_nMRUWidth = pApp->GetProfileInt(lpszSection, L"MRUWidth", kDefaultMRUWidth);
    m_uMRUDockID = pApp->GetProfileInt(lpszSection, L"MRUDockID", 0);
    m_rectMRUDockPos.left = pApp->GetProfileInt(lpszSection, L"MRUDockLeftPos", 0);
    m_rectMRUDockPos.top = pApp->GetProfileInt(lpszSection, L"MRUDockTopPos", 0);
    m_rectMRUDockPos.right = pApp->GetProfileInt(lpszSection, L"MRUDockRightPos", 0);
    m_rectMRUDockPos.bottom = pApp->GetProfileInt(lpszSection, L"MRUDockBottomPos", 0);
    m_pointMRUFloatPos.x = pApp->GetProfileInt(lpszSection, L"MRUFloatXPos", 0);
    m_pointMRUFloatPos.y = pApp->GetProfileInt(lpszSection, L"MRUFloatYPos", 0);
    m_bDialogBar = pApp->GetProfileInt(lpszSection, L"DialogBar", 0);
    if (m_bDialogBar)
    {
        m_szDialogBarDockingClient.cx = pApp->GetProfileInt(lpszSection, L"DialogBarDockingClientCx", 200);
        m_szDialogBarDockingClient.cy = pApp->GetProfileInt(lpszSection, L"DialogBarDockingClientCy", 200);
        m_szDialogBarFloatingClient.cx = pApp->GetProfileInt(lpszSection, L"DialogBarFloatingClientCx", 200);
        m_szDialogBarFloatingClient.cy = pApp->GetProfileInt(lpszSection, L"DialogBarFloatingClientCy", 200);
    }
}

CVZPBarStateContainer::CVZPBarStateContainer()
    : m_rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
      m_ptLimit(::GetSystemMetrics(SM_CXSCREEN) - ::GetSystemMetrics(SM_CXICON),
                ::GetSystemMetrics(SM_CYSCREEN) - ::GetSystemMetrics(SM_CYICON)),
      m_szSaved(0, 0), m_bScaling(FALSE)
{
}

CVZPBarStateContainer::~CVZPBarStateContainer()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
        delete m_arrBarInfo[i];
}

void CVZPBarStateContainer::SetSavedScreenSize(CSize szSaved)
{
    m_szSaved = szSaved;
    // A summary without its screen size would divide by 0 (every position
    // -1): such a layout is restored as it stands.
    m_bScaling = szSaved.cx > 0 && szSaved.cy > 0 && szSaved != m_rcScreen.Size();
}

CPoint CVZPBarStateContainer::ScalePoint(CPoint pt) const
{
    if (m_bScaling)
    {
        pt.x = ::MulDiv(pt.x, m_rcScreen.Width(), m_szSaved.cx);
        pt.y = ::MulDiv(pt.y, m_rcScreen.Height(), m_szSaved.cy);
    }
    if (pt.x > m_ptLimit.x)
        pt.x = m_ptLimit.x;
    if (pt.y > m_ptLimit.y)
        pt.y = m_ptLimit.y;
    return pt;
}

CRect CVZPBarStateContainer::ScaleRect(CRect rc) const
{
    if (m_bScaling)
    {
        const CPoint pt(::MulDiv(rc.left, m_rcScreen.Width(), m_szSaved.cx),
                        ::MulDiv(rc.top, m_rcScreen.Height(), m_szSaved.cy));
        rc.OffsetRect(pt - rc.TopLeft());
    }
    if (rc.left > m_ptLimit.x)
        rc.OffsetRect(m_ptLimit.x - rc.left, 0);
    if (rc.top > m_ptLimit.y)
        rc.OffsetRect(0, m_ptLimit.y - rc.top);
    return rc;
}

// ---------------------------------------------------------------------------
// Saving and loading the bar state

BOOL CVZPCommandBars::GetControlsFileName(CString& strFileName, LPCTSTR lpszProfileName)
{
    if (!m_strControlsFileName.IsEmpty())
    {
        strFileName = m_strControlsFileName;
        return TRUE;
    }
    CString strName(lpszProfileName);
    strName.Replace(L'\\', L'_');
    strFileName.Empty();

    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL bVersion = ::GetVersionExW(&info);
#pragma GCC diagnostic pop
    if (bVersion && info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion > 4)
    {
        LPITEMIDLIST pidl = NULL;
        WCHAR szFolder[MAX_PATH] = {};
        if (SUCCEEDED(::SHGetSpecialFolderLocation(NULL, CSIDL_APPDATA, &pidl)) && pidl != NULL)
        {
            if (::SHGetPathFromIDListW(pidl, szFolder))
            {
                CString strFolder;
                strFolder.Format(L"%s\\%s", szFolder, AfxGetApp() != NULL ? AfxGetApp()->m_pszAppName : L"");
                ::CreateDirectoryW(strFolder, NULL);
                const DWORD dwAttributes = ::GetFileAttributesW(strFolder);
                if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    strFileName = strFolder + L"\\" + strName;
            }
            ::CoTaskMemFree(pidl);
        }
    }
    if (strFileName.IsEmpty())
    {
        WCHAR szModule[MAX_PATH + 1] = {};
        ::GetModuleFileNameW(NULL, szModule, MAX_PATH);
        strFileName.Format(L"%s-%s", szModule, (LPCTSTR)strName);
    }
    return TRUE;
}

void CVZPCommandBars::SaveBarState(LPCTSTR lpszProfileName, BOOL bSaveOnlyCustomized)
{
    CWinApp* pApp = AfxGetApp();
    CVZPBarStateContainer state;
    for (int i = 0; i < GetCount(); i++)
    {
        CVZPBarState* pInfo = new CVZPBarState;
        pInfo->GetBarInfo(GetAt(i));
        state.m_arrBarInfo.Add(pInfo);
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        state.m_arrBarInfo[i]->SaveState(Formatted(L"%s-Bar%d", lpszProfileName, (int)i));
    const CString strSummary = Formatted(L"%s-Summary", lpszProfileName, 0);
    pApp->WriteProfileInt(strSummary, L"Bars", (int)state.m_arrBarInfo.GetSize());
    pApp->WriteProfileInt(strSummary, L"ScreenCX", state.m_rcScreen.Width());
    pApp->WriteProfileInt(strSummary, L"ScreenCY", state.m_rcScreen.Height());

    // Dock bars: their entries from the leading empty one, one row end for
    // each run of them.
    for (int nDock = 0; nDock < 4; nDock++)
    {
        const CString strSection = Formatted(L"%s-DockBar%d", lpszProfileName, nDock);
        pApp->WriteProfileString(strSection, NULL, NULL);
        CVZPDockBar* pDock = m_pDocks[nDock];
        if (pDock == NULL || pDock->GetEntryCount() <= 1)
            continue;
        int n = 0;
        BOOL bRowEnd = FALSE;
        CString strEntry;
        for (int i = 0; i < pDock->GetEntryCount(); i++)
        {
            CVZPToolBar* pBar = pDock->GetEntry(i);
            if (pBar == NULL && bRowEnd)
                continue;
            bRowEnd = pBar == NULL;
            strEntry.Format(L"Bar#%d", n++);
            pApp->WriteProfileInt(strSection, strEntry, pBar != NULL ? (int)pBar->GetBarID() : 0);
        }
        pApp->WriteProfileInt(strSection, L"Bars", n);
    }

    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pFrame);
    CControlBar* pStatusBar = pFrame != NULL ? pFrame->GetControlBar(AFX_IDW_STATUS_BAR) : NULL;
    if (pStatusBar != NULL && pStatusBar->GetSafeHwnd() != NULL && !pStatusBar->IsWindowVisible())
        pApp->WriteProfileInt(lpszProfileName, L"StatusBar", 0);
    else
        pApp->WriteProfileString(lpszProfileName, L"StatusBar", NULL);

    if (IsCustomizeAvail())
    {
        const CString strControls = Formatted(L"%s-Controls", lpszProfileName, 0);
        VZPCommandBarsStateOptions options = {bSaveOnlyCustomized, FALSE, TRUE, this};
        CVZPCommandBarRefList list;
        GenerateCommandBarList(&list, &options);
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store, 4096);
        BOOL bSaved;
        {
            CVZPPropExchangeArchive px(ar);
            px.m_pExtraData = &options;
            bSaved = SaveCommandBarList(&px, &list);
        }
        if (!bSaved)
            pApp->WriteProfileString(strControls, NULL, NULL);
        else
        {
            ar.Flush();
            const UINT nBytes = (UINT)file.GetLength();
            BYTE* pData = file.Detach();
            CString strFileName;
            const BOOL bFileName = GetControlsFileName(strFileName, lpszProfileName);
            if (bFileName)
            {
                ::SetFileAttributesW(strFileName, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(strFileName);
            }
            if (nBytes > kMaxControlsInRegistry && bFileName)
            {
                try
                {
                    CFile out(strFileName, CFile::modeCreate | CFile::modeWrite);
                    out.Write(pData, nBytes);
                    pApp->WriteProfileString(strControls, L"Controls", strFileName);
                    pApp->WriteProfileInt(strControls, L"LoadFromFile", 1);
                    out.Close();
                    ::SetFileAttributesW(strFileName, FILE_ATTRIBUTE_HIDDEN);
                }
                catch (CFileException* e)
                {
                    e->Delete();
                }
            }
            else
            {
                pApp->WriteProfileBinary(strControls, L"Controls", pData, nBytes);
                pApp->WriteProfileInt(strControls, L"LoadFromFile", 0);
            }
            free(pData);
        }
        ar.Abort();
        // The collection switched the menu bar to the frame menu to write
        // its stored menus; the frame shows its own menu again.
        CVZPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, m_pMenuBar);
        if (pMenuBar != NULL && pMenuBar->m_bStoredMenusKept && pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
            pFrame->OnUpdateFrameMenu(NULL);
    }
    m_pOptions->bDirtyState = FALSE;
}

void CVZPCommandBars::LoadBarState(LPCTSTR lpszProfileName, BOOL bSilent)
{
    CWinApp* pApp = AfxGetApp();
    if (IsCustomizeAvail())
    {
        const CString strControls = Formatted(L"%s-Controls", lpszProfileName, 0);
        auto loadControls = [&](CFile* pFile) {
            VZPCommandBarsStateOptions options = {TRUE, bSilent, TRUE, this};
            CArchive ar(pFile, CArchive::load, 4096);
            CVZPCommandBarRefList list;
            {
                CVZPPropExchangeArchive px(ar);
                px.m_pExtraData = &options;
                if (LoadCommandBarList(&px, &list))
                {
                    RestoreCommandBarList(&list, bSilent);
                    CVZPToolBar* pMenuBar = GetToolBar(1);
                    if (pMenuBar != NULL && pMenuBar->IsKindOf(RUNTIME_CLASS(CVZPMenuBar)))
                        m_pMenuBar = pMenuBar;
                }
            }
            ar.Abort();
        };
        if (pApp->GetProfileInt(strControls, L"LoadFromFile", 0))
        {
            const CString strFileName = pApp->GetProfileString(strControls, L"Controls", L"");
            CFile file;
            if (!strFileName.IsEmpty() && file.Open(strFileName, CFile::modeRead | CFile::shareDenyWrite))
                loadControls(&file);
        }
        else
        {
            LPBYTE pData = NULL;
            UINT nBytes = 0;
            if (pApp->GetProfileBinary(strControls, L"Controls", &pData, &nBytes) && pData != NULL)
            {
                CMemFile file(pData, nBytes);
                loadControls(&file);
            }
            delete[] pData;
        }
    }

    const CString strSummary = Formatted(L"%s-Summary", lpszProfileName, 0);
    CVZPBarStateContainer state;
    const int nBars = pApp->GetProfileInt(strSummary, L"Bars", 0);
    state.SetSavedScreenSize(CSize(pApp->GetProfileInt(strSummary, L"ScreenCX", 0),
                                   pApp->GetProfileInt(strSummary, L"ScreenCY", 0)));
    for (int i = 0; i < nBars; i++)
    {
        CVZPBarState* pInfo = new CVZPBarState;
        pInfo->LoadState(Formatted(L"%s-Bar%d", lpszProfileName, i));
        pInfo->m_pointPos = state.ScalePoint(pInfo->m_pointPos);
        pInfo->m_pointMRUFloatPos = state.ScalePoint(pInfo->m_pointMRUFloatPos);
        pInfo->m_rectMRUDockPos = state.ScaleRect(pInfo->m_rectMRUDockPos);
        state.m_arrBarInfo.Add(pInfo);
    }

    for (int nDock = 0; nDock < 4; nDock++)
    {
        CVZPDockBar* pDock = m_pDocks[nDock];
        const CString strSection = Formatted(L"%s-DockBar%d", lpszProfileName, nDock);
        const int nEntries = pApp->GetProfileInt(strSection, L"Bars", 0);
        if (pDock == NULL || nEntries <= 1)
            continue;
        CString strEntry;
        for (int j = 0; j < nEntries; j++)
        {
            strEntry.Format(L"Bar#%d", j);
            const UINT nID = (UINT)pApp->GetProfileInt(strSection, strEntry, 0);
            CVZPToolBar* pBar = GetToolBar(nID);
            if (pBar != NULL)
            {
                if (pBar->GetSafeHwnd() != NULL && pBar->GetParent() != pDock)
                    pBar->SetParent(pDock);
                if (pBar->GetDockBar() != NULL)
                    pBar->GetDockBar()->RemoveCommandBar(pBar);
                pBar->SetDockBar(pDock);
                pBar->m_barPosition = pDock->GetPosition();
            }
            pDock->InsertEntry(j, pBar);
        }
    }

    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pFrame);
    CControlBar* pStatusBar = pFrame != NULL ? pFrame->GetControlBar(AFX_IDW_STATUS_BAR) : NULL;
    if (pStatusBar != NULL && pApp->GetProfileInt(lpszProfileName, L"StatusBar", 1) == 0)
        pFrame->ShowControlBar(pStatusBar, FALSE, FALSE);

    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CVZPBarState* pInfo = state.m_arrBarInfo[i];
        CVZPToolBar* pBar = GetToolBar(pInfo->m_nBarID);
        if (pBar == NULL)
            continue;
        pInfo->m_pBar = pBar;
        if (pInfo->m_bFloating)
            FloatCommandBar(pBar);
        else if (m_pFrame != NULL)
            pBar->Create(m_pFrame, FALSE);
        pInfo->SetBarInfo(pBar);
    }
    RecalcFrameLayout(TRUE);
    m_pOptions->bDirtyState = FALSE;
}
