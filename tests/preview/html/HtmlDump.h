// The renderer's element tree as text, one element per line, children
// indented under their cell: for comparing parsed pages with expected
// files and for reading layouts in failure messages.
#pragma once

#include <string>
#include <vector>

#include "html/CHtmlDocument.h"
#include "html/CHtmlRendererHost.h"

namespace html_test {

// withGeometry false leaves out the measured sizes and positions, which
// depend on the fonts of the machine; what stays is the parse itself.
std::string DumpElements(const CHtmlElementList& items, bool withGeometry);

// The page file's text (UTF-8 on disk) as UTF-16.
std::wstring ReadPage(const std::wstring& path);

// A recording host: no windows; form controls come back as made-up handles
// and every call is written to the log.
class CRecordingHost : public CHtmlRendererHost
{
public:
    int OnParseProgress(int kind, int, int) override { return kind; }
    void Navigate(const wchar_t* url) override;
    void OnLinkHover(int over, const wchar_t* url) override;
    void SetTitle(const wchar_t* text) override;
    wchar_t* FetchText(const wchar_t*, int*) override { return nullptr; }
    BYTE* FetchData(const wchar_t*, int*) override { return nullptr; }
    void OnImagesProgress(int, int) override {}
    int AddForm(const wchar_t* action, const wchar_t* method) override;
    HWND CreateEditControl(int limitFlag, int lengthLimit, int width, int height, const wchar_t* text, int multiLine,
                           const wchar_t* name, int form, int password) override;
    HWND CreateSubmitButton(int width, int height, const wchar_t* caption, const wchar_t* name, int form) override;
    HWND CreateRadioButton(int width, int height, const wchar_t* caption, const wchar_t* name, int form) override;
    HWND CreateCheckBox(int width, int height, const wchar_t* caption, const wchar_t* name, int form) override;
    HWND CreateComboBox(int width, int height, const CHtmlStringTable& options, int selection, const wchar_t* name,
                        int form) override;
    void PlaceControl(HWND, int, int) override {}
    void InvalidateDocRect(const RECT& rc) override;

    std::string m_log;
    // The sizes asked for edits, buttons and drop-down lists, in order
    // (they depend on the fonts, so the log leaves them out).
    std::vector<SIZE> m_sizes;
    int m_nForms = 0;
    int m_nControls = 0;
    int m_nInvalidated = 0;

private:
    HWND NextControl() { return (HWND)(UINT_PTR)(0x1000 + ++m_nControls); }
};

}  // namespace html_test
