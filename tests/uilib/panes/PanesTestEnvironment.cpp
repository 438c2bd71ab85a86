// The global environment: an application object, the foundation's and the
// subsystem's start-up initialisers, and the test resource module as the
// framework's resource handle, as a program has them before its frame
// exists.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CVZPColorManager.h"
#include "PanesTestSupport.h"
#include "VZPFoundation.h"
#include "VZPPanes.h"

namespace vzpanes_test {

namespace {

HINSTANCE g_hResources = NULL;

class CPanesEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_pApp = new CWinApp(L"PanesTests");
        VZPFoundationRegisterStartup();
        VZPPanesRegisterStartup();
        AfxRunStartupInitializers();

        WCHAR szPath[MAX_PATH] = {};
        ::GetModuleFileNameW(NULL, szPath, MAX_PATH);
        CString strPath(szPath);
        strPath = strPath.Left(strPath.ReverseFind(L'\\') + 1) + L"panes_test_resources.dll";
        g_hResources = ::LoadLibraryW(strPath);
        ASSERT_NE(nullptr, g_hResources) << "panes_test_resources.dll is missing";
        m_hSavedResources = AfxGetResourceHandle();
        AfxSetResourceHandle(g_hResources);
    }

    void TearDown() override
    {
        AfxSetResourceHandle(m_hSavedResources);
        AfxRunShutdownTerminators();
        delete m_pApp;
        if (g_hResources != NULL)
            ::FreeLibrary(g_hResources);
    }

private:
    CWinApp* m_pApp = NULL;
    HINSTANCE m_hSavedResources = NULL;
};

testing::Environment* const g_pEnvironment = testing::AddGlobalTestEnvironment(new CPanesEnvironment);

}  // namespace


HINSTANCE ResourceModule()
{
    return g_hResources;
}

CForcedColorScheme::CForcedColorScheme(int nScheme, BOOL bNoVisualStyle)
{
    CVZPColorManager* pColors = GetColorManager();
    pColors->SetColorScheme(nScheme);
    pColors->m_bNoVisualStyle = bNoVisualStyle;
    pColors->RefreshColors();
}

CForcedColorScheme::~CForcedColorScheme()
{
    CVZPColorManager* pColors = GetColorManager();
    pColors->SetColorScheme(4);
    pColors->m_bNoVisualStyle = FALSE;
    pColors->RefreshColors();
}

}  // namespace vzpanes_test
