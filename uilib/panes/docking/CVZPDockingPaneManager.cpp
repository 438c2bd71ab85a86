#include "CVZPDockingPaneManager.h"

#include "CVZPDockingPane.h"
#include "CVZPDockingPaneDragContext.h"
#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneThemes.h"
#include "CVZPImageManager.h"
#include "CVZPTooltipService.h"

CVZPDockingPaneManager::CVZPDockingPaneManager()
    : m_nSplitterMinimum(22), m_bCloseGroup(FALSE), m_bGroupAutoHide(TRUE), m_pSite(NULL), m_pLayout(NULL),
      m_pPaintManager(NULL), m_pActivePane(NULL), m_pImageManager(NULL), m_bHideClient(FALSE),
      m_bOutlineSplitterDrag(TRUE), m_bMaximizeButtons(FALSE), m_bLockSplitters(FALSE),
      m_bDragStyleTranslucent(FALSE), m_bDragStyleStickers(FALSE), m_bThemedFloatingFrames(FALSE),
      m_bSyncFloatingFrames(TRUE), m_dwDefaultPaneOptions(0), m_nVerticalCaptionMode(0), m_nStickerStyle(0),
      m_pDragContext(NULL), m_pTooltipService(NULL), m_bAttaching(FALSE), m_bLaidOut(FALSE),
      m_hrOleInit(E_FAIL)
{
    SelectTheme(0);
    m_pImageManager = new CVZPImageManager;
    m_pDragContext = new CVZPDockingPaneDragContext(this);
    m_pTooltipService = new CVZPTooltipService;
    m_hrOleInit = ::OleInitialize(NULL);
}

CVZPDockingPaneManager::~CVZPDockingPaneManager()
{
    if (m_pLayout != NULL)
        m_pLayout->InternalRelease();
    m_pLayout = NULL;
    if (m_pActivePane != NULL)
        m_pActivePane->InternalRelease();
    m_pActivePane = NULL;
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = NULL;
    if (m_pTooltipService != NULL)
        m_pTooltipService->InternalRelease();
    m_pTooltipService = NULL;
    delete m_pDragContext;
    m_pDragContext = NULL;
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = NULL;
    // A thread already in another apartment refuses OLE: nothing to undo.
    if (SUCCEEDED(m_hrOleInit))
        ::OleUninitialize();
}

// Layouts and pane objects are made by the layout code that owns them; the
// manager alone makes none.
CVZPDockingPaneLayout* CVZPDockingPaneManager::MakeLayout()
{
    return NULL;
}

CVZPDockingPaneBase* CVZPDockingPaneManager::CreatePaneObject(int /*nType*/, CVZPDockingPaneLayout* /*pLayout*/)
{
    return NULL;
}

void CVZPDockingPaneManager::SetPaneActive(BOOL /*bActivate*/, CVZPDockingPane* /*pPane*/)
{
}

void CVZPDockingPaneManager::SelectTheme(int nTheme)
{
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = CreateDockingPaneTheme(nTheme);
    m_pPaintManager->m_nTheme = nTheme;
    m_pPaintManager->RefreshMetrics();
    RefreshPaneFrames();
    if (nTheme == 9)
        m_nStickerStyle = 1;
}

CVZPDockingPane* CVZPDockingPaneManager::FindPane(int /*nID*/) const
{
    // Without a layout there are no pane records to search.
    return NULL;
}

void CVZPDockingPaneManager::ClosePane(CVZPDockingPane* pPane)
{
    if (pPane == NULL || m_pLayout == NULL)
        return;
}

void CVZPDockingPaneManager::RefreshPaneFrames()
{
    if (GetSafeHwnd() == NULL || m_pLayout == NULL)
        return;
}
