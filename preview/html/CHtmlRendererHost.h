// What a parsed page asks of the window it is shown in: progress, navigation,
// fetching, form controls and repaints. CHtmlBrowser implements it; the
// order of the callbacks is fixed.
#pragma once

#include <windows.h>

class CHtmlStringTable;

class CHtmlRendererHost
{
public:
    virtual ~CHtmlRendererHost() = default;

    // kind 0: parsing reached position of length. Returns kind.
    virtual int OnParseProgress(int kind, int position, int length) = 0;
    virtual void Navigate(const wchar_t* url) = 0;
    // over 1: the pointer entered the link url; 0: it left every link.
    virtual void OnLinkHover(int over, const wchar_t* url) = 0;
    virtual void SetTitle(const wchar_t* text) = 0;
    // A page as UTF-16 text, or null. *length: the bytes received. Free the
    // result with delete[].
    virtual wchar_t* FetchText(const wchar_t* url, int* length) = 0;
    // A resource's bytes followed by one 0 byte, or null; *length excludes
    // the 0. Free the result with delete[]. Called on picture fetch threads.
    virtual BYTE* FetchData(const wchar_t* url, int* length) = 0;
    // Called on picture fetch threads.
    virtual void OnImagesProgress(int loaded, int total) = 0;
    // Registers a form; returns its index.
    virtual int AddForm(const wchar_t* action, const wchar_t* method) = 0;
    // Form controls, created hidden at (0, 0) and placed by PlaceControl.
    virtual HWND CreateEditControl(int limitFlag, int lengthLimit, int width, int height, const wchar_t* text,
                                   int multiLine, const wchar_t* name, int form, int password) = 0;
    virtual HWND CreateSubmitButton(int width, int height, const wchar_t* caption, const wchar_t* name,
                                    int form) = 0;
    virtual HWND CreateRadioButton(int width, int height, const wchar_t* caption, const wchar_t* name,
                                   int form) = 0;
    virtual HWND CreateCheckBox(int width, int height, const wchar_t* caption, const wchar_t* name, int form) = 0;
    // options: one row per option, cells text and value.
    virtual HWND CreateComboBox(int width, int height, const CHtmlStringTable& options, int selection,
                                const wchar_t* name, int form) = 0;
    // Moves a control to document point (x, y) less the scroll positions.
    virtual void PlaceControl(HWND control, int x, int y) = 0;
    // Invalidates a rectangle given in document coordinates.
    virtual void InvalidateDocRect(const RECT& rc) = 0;
};
