// The theme manager: shared and private themes, change notification, the
// parent-background copy, and hosts that outlive or never get a factory.
#include <gtest/gtest.h>

#include "CVZThemeManager.h"
#include "CVZThemeManagerStyle.h"
#include "CVZThemeManagerStyleFactory.h"
#include "CVZThemeManagerStyleHost.h"
#include "TestSupport.h"

#include <memory>

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

// Named, not anonymous: run-time class records of unused classes would
// otherwise be unused functions.
namespace theme_manager_test {

int g_nThemesDeleted = 0;
int g_nFactoriesDeleted = 0;

class CCountedTheme : public CVZThemeManagerStyle
{
public:
    ~CCountedTheme() override { g_nThemesDeleted++; }
    void RefreshMetrics() override { m_nRefreshes++; }
    int m_nRefreshes = 0;
};

class CCountedFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CCountedFactory)
public:
    ~CCountedFactory() override { g_nFactoriesDeleted++; }
    CVZThemeManagerStyle* CreateTheme(int nStyle) override
    {
        CCountedTheme* pTheme = new CCountedTheme;
        pTheme->m_nStyle = nStyle;
        return pTheme;
    }
};
IMPLEMENT_DYNCREATE(CCountedFactory, CVZThemeManagerStyleFactory)

// A class the manager cannot create by name.
class CNotCreatableFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNAMIC(CNotCreatableFactory)
};
IMPLEMENT_DYNAMIC(CNotCreatableFactory, CVZThemeManagerStyleFactory)

class CCountingHost : public CVZThemeManagerStyleHost
{
public:
    explicit CCountingHost(CRuntimeClass* pClass) : CVZThemeManagerStyleHost(pClass) {}
    void OnThemeChanged() override { m_nChanges++; }
    int m_nChanges = 0;
};

}  // namespace theme_manager_test

using namespace theme_manager_test;

TEST(ThemeManager, HostsOfOneClassShareATheme)
{
    CCountingHost first(RUNTIME_CLASS(CCountedFactory));
    CCountingHost second(RUNTIME_CLASS(CCountedFactory));
    ASSERT_NE(first.GetFactory(), nullptr);
    EXPECT_EQ(first.GetFactory(), second.GetFactory());
    EXPECT_EQ(first.GetFactory(), GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CCountedFactory)));
    CVZThemeManagerStyle* pShared = first.GetTheme();
    ASSERT_NE(pShared, nullptr);
    EXPECT_EQ(pShared, second.GetTheme());
    EXPECT_EQ(pShared->m_nStyle, 0);
    EXPECT_EQ(pShared->m_pFactory, first.GetFactory());
    EXPECT_EQ(static_cast<CCountedTheme*>(pShared)->m_nRefreshes, 1);

    const int nDeleted = g_nThemesDeleted;
    CCountedTheme* pReplacement = new CCountedTheme;
    first.GetFactory()->SetTheme(pReplacement);
    EXPECT_EQ(g_nThemesDeleted, nDeleted + 1) << "the old shared theme is deleted";
    EXPECT_EQ(first.GetTheme(), pReplacement);
    EXPECT_EQ(second.GetTheme(), pReplacement);
    EXPECT_EQ(pReplacement->m_nRefreshes, 1);
    EXPECT_EQ(first.m_nChanges, 1);
    EXPECT_EQ(second.m_nChanges, 1);
}

TEST(ThemeManager, APrivateThemeAndBackToTheSharedOne)
{
    CCountingHost host(RUNTIME_CLASS(CCountedFactory));
    CCountingHost other(RUNTIME_CLASS(CCountedFactory));
    CVZThemeManagerStyleFactory* pShared = host.GetFactory();
    CVZThemeManagerStyle* pSharedTheme = host.GetTheme();

    // Nothing private yet: nothing happens.
    host.SetTheme(NULL);
    EXPECT_EQ(host.m_nChanges, 0);
    EXPECT_EQ(host.GetFactory(), pShared);

    CCountedTheme* pPrivate = new CCountedTheme;
    host.SetTheme(pPrivate);
    EXPECT_EQ(host.m_nChanges, 1);
    EXPECT_NE(host.GetFactory(), pShared);
    EXPECT_EQ(host.GetTheme(), pPrivate);
    EXPECT_EQ(other.GetTheme(), pSharedTheme);

    // A change of the shared theme no longer reaches the host.
    pShared->SetTheme(new CCountedTheme);
    EXPECT_EQ(host.m_nChanges, 1);
    EXPECT_EQ(other.m_nChanges, 1);

    const int nFactories = g_nFactoriesDeleted;
    const int nThemes = g_nThemesDeleted;
    host.SetTheme(NULL);
    EXPECT_EQ(host.m_nChanges, 2);
    EXPECT_EQ(g_nFactoriesDeleted, nFactories + 1) << "the private factory is deleted";
    EXPECT_EQ(g_nThemesDeleted, nThemes + 1) << "with its theme";
    EXPECT_EQ(host.GetFactory(), pShared);
    EXPECT_EQ(host.GetTheme(), other.GetTheme());

    // Back on the shared list: a shared change reaches it again.
    pShared->SetTheme(new CCountedTheme);
    EXPECT_EQ(host.m_nChanges, 3);
}

namespace {

// A borderless popup whose client area is red on the left of x = 30 and
// blue from there on, holding a child at (10, 10), 40 x 20.
struct CBackgroundScene
{
    CWnd parent;
    CWnd child;

    explicit CBackgroundScene(DWORD dwChildExStyle)
    {
        const CString strClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW), NULL);
        EXPECT_TRUE(parent.CreateEx(0, strClass, L"parent", WS_POPUP | WS_VISIBLE, CRect(40, 40, 140, 100), NULL, 0));
        EXPECT_TRUE(child.CreateEx(dwChildExStyle, strClass, L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 30), &parent, 1));
        // Painted and nothing pending, so the pixels set below stay.
        parent.UpdateWindow();
        EXPECT_TRUE(PumpUntil([&] {
            return !::GetUpdateRect(parent.GetSafeHwnd(), NULL, FALSE) && !::GetUpdateRect(child.GetSafeHwnd(), NULL, FALSE);
        }));
        CClientDC dc(&parent);
        dc.FillSolidRect(0, 0, 30, 60, RGB(255, 0, 0));
        dc.FillSolidRect(30, 0, 70, 60, RGB(0, 0, 255));
    }
    ~CBackgroundScene() { parent.DestroyWindow(); }
};

}  // namespace

TEST(ThemeManager, DrawParentBackgroundOnlyForTransparentControls)
{
    CVZThemeManagerStyle theme;
    {
        CBackgroundScene scene(0);
        CDibCanvas canvas(40, 20, RGB(0, 255, 0));
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        EXPECT_FALSE(theme.DrawParentBackground(pDC, &scene.child));
        EXPECT_EQ(canvas.Count(CRect(0, 0, 40, 20), RGB(0, 255, 0)), 40 * 20) << "nothing drawn";
    }
    {
        CBackgroundScene scene(WS_EX_TRANSPARENT);
        CDibCanvas canvas(40, 20, RGB(0, 255, 0));
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        ASSERT_TRUE(theme.DrawParentBackground(pDC, &scene.child));
        // The child's x 0..19 lie over the parent's red, 20..39 over blue.
        EXPECT_EQ(canvas.Count(CRect(0, 0, 20, 20), RGB(255, 0, 0)), 20 * 20);
        EXPECT_EQ(canvas.Count(CRect(20, 0, 40, 20), RGB(0, 0, 255)), 20 * 20);
    }
    CWnd orphan;
    EXPECT_FALSE(theme.CaptureParentBackground(&orphan)) << "no window, no parent";
}

TEST(ThemeManager, HostsOutliveTheirFactory)
{
    CCountingHost host(RUNTIME_CLASS(CCountedFactory));
    CCountingHost privateHost(RUNTIME_CLASS(CCountedFactory));
    privateHost.SetTheme(new CCountedTheme);
    ASSERT_NE(host.GetTheme(), nullptr);

    // What the manager does at exit, while hosts are still alive.
    GetThemeManager()->DeleteSharedFactories();
    EXPECT_EQ(host.GetFactory(), nullptr);
    EXPECT_EQ(host.GetTheme(), nullptr);
    EXPECT_NE(privateHost.GetTheme(), nullptr) << "a private factory is the host's own";
    // Back to the shared theme: the manager makes the class's factory again.
    privateHost.SetTheme(NULL);
    ASSERT_NE(privateHost.GetFactory(), nullptr);
    EXPECT_EQ(privateHost.GetFactory(), GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CCountedFactory)));
    EXPECT_NE(privateHost.GetTheme(), nullptr);
    EXPECT_EQ(host.GetFactory(), nullptr) << "a host that lost its factory stays without one";
    // The hosts' destructors run after this point against no factory.
}

TEST(ThemeManager, AFactoryClassThatYieldsNothingMeansNoTheme)
{
    CCountingHost host(RUNTIME_CLASS(CNotCreatableFactory));
    EXPECT_EQ(host.GetFactory(), nullptr);
    EXPECT_EQ(host.GetTheme(), nullptr);
    host.SetTheme(NULL);   // nothing private: nothing happens
    EXPECT_EQ(host.m_nChanges, 0);
    // A private theme needs a factory the host can make: none here.
    host.SetTheme(new CCountedTheme);
    EXPECT_EQ(host.GetTheme(), nullptr);

    // A creatable factory that makes no theme.
    CCountingHost baseHost(RUNTIME_CLASS(CVZThemeManagerStyleFactory));
    ASSERT_NE(baseHost.GetFactory(), nullptr);
    EXPECT_EQ(baseHost.GetTheme(), nullptr);
}
