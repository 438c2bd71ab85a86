// The part of a themed control that reaches its theme: bound to the shared
// factory of its factory class, or holding a private factory with a theme of
// its own.
#pragma once

#include <afxwin.h>

class CVZThemeManagerStyle;
class CVZThemeManagerStyleFactory;

class CVZThemeManagerStyleHost
{
public:
    // Binds to the class's shared factory when a class is given.
    explicit CVZThemeManagerStyleHost(CRuntimeClass* pFactoryClass = NULL);
    virtual ~CVZThemeManagerStyleHost();
    CVZThemeManagerStyleHost(const CVZThemeManagerStyleHost&) = delete;
    CVZThemeManagerStyleHost& operator=(const CVZThemeManagerStyleHost&) = delete;

    // A new factory of the host's class (NULL when it cannot be made).
    virtual CVZThemeManagerStyleFactory* CreateFactory();
    // Called when the theme the host draws with has changed (base: nothing).
    virtual void OnThemeChanged();

    // Rebinds the host to the shared factory of the class.
    void SetFactoryClass(CRuntimeClass* pFactoryClass);
    // The private factory when there is one, else the shared one; NULL when
    // the class gave none.
    CVZThemeManagerStyleFactory* GetFactory() const;
    // The theme to draw with; NULL means no theme (the control paints by
    // default).
    CVZThemeManagerStyle* GetTheme() const;
    // A theme of the host's own (adopted), or NULL to return to the shared
    // theme; NULL without a private theme changes nothing.
    void SetTheme(CVZThemeManagerStyle* pTheme);

private:
    friend class CVZThemeManagerStyleFactory;
    // The factory is going away: drop every pointer to it.
    void ForgetFactory(CVZThemeManagerStyleFactory* pFactory);

    BOOL m_bOwnsPrivateFactory;
    CRuntimeClass* m_pFactoryClass;
    CVZThemeManagerStyleFactory* m_pPrivateFactory;
    CVZThemeManagerStyleFactory* m_pSharedFactory;
    CVZThemeManagerStyleHost* m_pNextHost;   // link in the factory's host list
};
