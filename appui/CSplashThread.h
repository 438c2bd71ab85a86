// A user-interface thread that shows the splash window for a fixed time,
// then ends itself and brings its parent window to the foreground. No part
// of the program starts it: start-up shows no splash.
#pragma once

#include "CSplashWnd.h"

#include <afxwin.h>
#include <afxcoll.h>

// Cleared to keep every splash from showing.
extern BOOL g_bSplashEnabled;

class CSplashThread : public CWinThread
{
    DECLARE_DYNCREATE(CSplashThread)
public:
    enum
    {
        timerDisplay = 999,   // closes the window
        timerClose = 1,       // calls OnCloseTimer
    };

    // One of the five fonts.
    struct FontFace
    {
        double dPoints;
        int nWeight;
        BOOL bItalic;
        BYTE nOutPrecision;
        CString strFace;
    };

    CSplashThread();
    ~CSplashThread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Font height in pixels (negative: a character height) for a point size
    // on a device of nPixelsPerInch vertical pixels per inch.
    static int FontHeight(double dPoints, int nPixelsPerInch);

    virtual void SetDefaultFonts();
    virtual void SetDefaultLayout();
    virtual void OnCloseTimer();
    virtual void Paint(CDC* pDC);
    virtual void DrawTexts(CDC* pDC);
    virtual void DrawTitleLines(CDC* pDC);
    virtual void DrawMixedLines(CDC* pDC);
    virtual void DrawVersionLabel(CDC* pDC);
    virtual void DrawLeftColumn(CDC* pDC);
    virtual void DrawRightAlignedColumn(CDC* pDC);
    virtual void DrawSideLabel(CDC* pDC);
    virtual void DrawSideColumn(CDC* pDC);
    virtual void OnSpare1() {}
    virtual void OnSpare2() {}

    CSplashWnd m_wnd;
    CBitmap m_bitmap;
    UINT m_nBitmapID;         // 0: no splash
    UINT m_nDisplayTime;      // ms until the window closes; 0: no timer
    UINT m_nCloseTime;        // ms for the close timer; 0: no timer
    CWnd* m_pParent;
    int m_nBitmapWidth;
    int m_nBitmapHeight;
    FontFace m_fonts[5];
    CStringList m_lists[5];
    CString m_strText1;
    CString m_strText2;       // "Version"
    CPoint m_ptOrigin[7];     // where each block starts
    CSize m_sizeStep[7];      // how far each next line of a block moves
    DWORD m_dwStartTick;

protected:
    BOOL CreateSplashWindow();
    void MakeFont(CFont& font, int nIndex, CDC* pDC);
    void DrawLines(CDC* pDC, const CStringList& list, int nBlock, int nFont, UINT nAlign);
    void DrawSingleText(CDC* pDC, const CString& strText, int nBlock, int nFont, UINT nAlign);

    CFont m_drawFonts[5];     // made for each paint
};
