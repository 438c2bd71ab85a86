// The command-bar model in a property exchange: the keys of bars, toolbars,
// controls, control kinds and control collections, and the manager's lists
// of bars to save, load and merge into the running bars.
#include "CVZPCommandBars.h"

#include "CVZPCommandBar.h"
#include "CVZPControl.h"
#include "CVZPControlButton.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlEdit.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPPropExchange.h"
#include "CVZPPropExchangeIterator.h"
#include "CVZPToolBar.h"
#include "VZPCommandBarsState.h"
#include "uilibres.h"

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
            CVZPControls* pControls = pBar->GetControls();
            bAdd = pControls->GetDefaultControls() == NULL || pControls->IsChanged();
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
                pLoaded->Create(m_pFrame, FALSE);
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
