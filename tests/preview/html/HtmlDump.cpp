#include "HtmlDump.h"

#include <stdio.h>

#include "TestSupport.h"
#include "html/CHtmlRendererHost.h"

using tesmir::test::Utf8;

namespace html_test {

namespace {

void DumpList(std::string& out, const CHtmlElementList& items, int depth, bool geometry)
{
    static const char* const kinds[] = {"text", "image", "break", "cell"};
    for (const CHtmlElement* e : items) {
        char line[512];
        out.append((size_t)depth * 2, ' ');
        out += e->nKind >= 0 && e->nKind <= 3 ? kinds[e->nKind] : "none";
        if (e->nKind == HTML_ELEMENT_TEXT) {
            out += " \"" + Utf8(e->pszText ? e->pszText : L"") + "\"";
            snprintf(line, sizeof(line), " face=%s h=%d b=%d i=%d color=%06lx", Utf8(e->szFace).c_str(),
                     e->nFontHeight, e->bBold, e->bItalic, (unsigned long)e->crText);
            out += line;
        }
        if (e->crBack != HTML_NO_COLOR) {
            snprintf(line, sizeof(line), " back=%06lx", (unsigned long)e->crBack);
            out += line;
        }
        if (e->nFrame) {
            snprintf(line, sizeof(line), " frame=%d/%d/%ld", e->nFrame, e->nFrameWidth, (long)(int)e->crFrame);
            out += line;
        }
        if (e->nAlign) {
            snprintf(line, sizeof(line), " align=%d", e->nAlign);
            out += line;
        }
        if (e->nLink >= 0) {
            snprintf(line, sizeof(line), " link=%d", e->nLink);
            out += line;
        }
        if (e->nKind == HTML_ELEMENT_CELL) {
            snprintf(line, sizeof(line), " row=%d col=%d span=%dx%d pad=%d spacing=%d width=%d table=%d", e->nRow,
                     e->nColumn, e->nColSpan, e->nRowSpan, e->nPadding, e->nSpacing, e->nCellWidth, e->nTableWidth);
            out += line;
            if (e->nVAlign) {
                snprintf(line, sizeof(line), " valign=%d", e->nVAlign);
                out += line;
            }
            if (e->nFloat >= 0) {
                snprintf(line, sizeof(line), " float=%d", e->nFloat);
                out += line;
            }
        }
        if (e->nKind == HTML_ELEMENT_IMAGE) {
            snprintf(line, sizeof(line), " image=%d asked=%dx%d", e->nImage, e->nCellWidth, e->nCellHeight);
            out += line;
        }
        if (e->nKind == HTML_ELEMENT_BREAK) {
            if (e->cx || e->cy) {
                snprintf(line, sizeof(line), " rule=%dx%d", e->cx, e->cy);
                out += geometry || e->cy == 2 ? line : "";
            }
            if (e->bClear)
                out += " clear";
            if (e->nTableRun) {
                snprintf(line, sizeof(line), " table-run=%d", e->nTableRun);
                out += line;
            }
        }
        if (e->bNoWrap)
            out += " nowrap";
        if (e->hControl)
            out += " control";
        if (geometry) {
            snprintf(line, sizeof(line), " @%d,%d %dx%d", e->x, e->y, e->cx, e->cy);
            out += line;
        }
        out += "\n";
        DumpList(out, e->children, depth + 1, geometry);
    }
}

}  // namespace

std::string DumpElements(const CHtmlElementList& items, bool withGeometry)
{
    std::string out;
    DumpList(out, items, 0, withGeometry);
    return out;
}

std::wstring ReadPage(const std::wstring& path)
{
    std::string bytes = tesmir::test::ReadWholeFile(path);
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text((size_t)n, L'\0');
    if (n)
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

void CRecordingHost::Navigate(const wchar_t* url)
{
    m_log += "navigate " + Utf8(url) + "\n";
}

void CRecordingHost::OnLinkHover(int over, const wchar_t* url)
{
    m_log += "hover " + std::to_string(over) + " " + Utf8(url) + "\n";
}

void CRecordingHost::SetTitle(const wchar_t* text)
{
    m_log += "title " + Utf8(text) + "\n";
}

int CRecordingHost::AddForm(const wchar_t* action, const wchar_t* method)
{
    m_log += "form " + std::to_string(m_nForms) + " " + Utf8(action) + " " + Utf8(method) + "\n";
    return m_nForms++;
}

HWND CRecordingHost::CreateEditControl(int limitFlag, int lengthLimit, int width, int height, const wchar_t* text,
                                       int multiLine, const wchar_t* name, int form, int password)
{
    char line[256];
    snprintf(line, sizeof(line), "edit limit=%d length=%d multi=%d password=%d form=%d", limitFlag, lengthLimit,
             multiLine, password, form);
    m_sizes.push_back({width, height});
    m_log += std::string(line) + " name=" + Utf8(name) + " text=" + Utf8(text) + "\n";
    return NextControl();
}

HWND CRecordingHost::CreateSubmitButton(int width, int height, const wchar_t* caption, const wchar_t* name, int form)
{
    m_sizes.push_back({width, height});
    m_log += "button form=" + std::to_string(form) + " name=" + Utf8(name) + " caption=" + Utf8(caption) + "\n";
    return NextControl();
}

HWND CRecordingHost::CreateRadioButton(int width, int height, const wchar_t* caption, const wchar_t* name, int form)
{
    m_log += "radio form=" + std::to_string(form) + " size=" + std::to_string(width) + "x" + std::to_string(height) +
             " name=" + Utf8(name) + " caption=" + Utf8(caption) + "\n";
    return NextControl();
}

HWND CRecordingHost::CreateCheckBox(int width, int height, const wchar_t* caption, const wchar_t* name, int form)
{
    m_log += "check form=" + std::to_string(form) + " size=" + std::to_string(width) + "x" + std::to_string(height) +
             " name=" + Utf8(name) + " caption=" + Utf8(caption) + "\n";
    return NextControl();
}

HWND CRecordingHost::CreateComboBox(int width, int height, const CHtmlStringTable& options, int selection,
                                    const wchar_t* name, int form)
{
    std::string list;
    for (int i = 0; i < options.GetRowCount(); ++i)
        list += " [" + Utf8(options.GetCell(i, 0)) + "|" + Utf8(options.GetCell(i, 1)) + "]";
    m_sizes.push_back({width, height});
    m_log += "combo form=" + std::to_string(form) + " selection=" + std::to_string(selection) + " name=" +
             Utf8(name) + list + "\n";
    return NextControl();
}

void CRecordingHost::InvalidateDocRect(const RECT&)
{
    ++m_nInvalidated;
}

}  // namespace html_test
