// Makes the theme of one kind of control for a style number, keeps the
// current one, and tells the controls bound to it when it changes.
#pragma once

#include <afxwin.h>

class CVZThemeManagerStyle;
class CVZThemeManagerStyleHost;

class CVZThemeManagerStyleFactory : public CObject
{
    DECLARE_DYNCREATE(CVZThemeManagerStyleFactory)
public:
    CVZThemeManagerStyleFactory();
    // Deletes the theme; every host still bound loses its factory (a host
    // without a factory has no theme and paints by default).
    ~CVZThemeManagerStyleFactory() override;

    // A new theme for the style, or NULL (this base makes none).
    virtual CVZThemeManagerStyle* CreateTheme(int nStyle);
    // The current theme's RefreshMetrics.
    virtual void RefreshMetrics();

    // The current theme, made for the theme manager's style on first use;
    // NULL when the factory makes none.
    CVZThemeManagerStyle* GetTheme();
    // Replaces the current theme with the given one (adopted) and tells every
    // bound host, newest first.
    void SetTheme(CVZThemeManagerStyle* pTheme);

    // The host list, linked through the hosts (newest first).
    void LinkHost(CVZThemeManagerStyleHost* pHost);
    void UnlinkHost(CVZThemeManagerStyleHost* pHost);

private:
    void AdoptTheme(CVZThemeManagerStyle* pTheme);

    CVZThemeManagerStyle* m_pTheme;
    CVZThemeManagerStyleHost* m_pHosts;
};
