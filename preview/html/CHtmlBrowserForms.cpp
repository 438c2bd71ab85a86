// Forms: the child controls the parser asks for, their bookkeeping in the
// controls table (window, name, form, type, caption) and submission.
#include "CHtmlBrowser.h"

#include <stdio.h>
#include <wchar.h>

namespace {

// Type codes kept in the controls table.
enum
{
    kEdit = 0,
    kPushButton = 1,
    kRadioButton = 2,
    kCheckBox = 3,
    kDropDownList = 4
};

// Cells of a control row.
enum
{
    kCellWindow,
    kCellName,
    kCellForm,
    kCellType,
    kCellCaption
};

HWND RowWindow(const CHtmlStringList& row)
{
    return (HWND)(UINT_PTR)wcstoul(row.Get(kCellWindow), nullptr, 10);
}

// The option value a drop-down list keeps as an entry's item data.
const wchar_t* OptionValue(HWND list, LRESULT index)
{
    LRESULT data = SendMessageW(list, CB_GETITEMDATA, (WPARAM)index, 0);
    return data == CB_ERR ? nullptr : (const wchar_t*)data;
}

std::wstring WindowText(HWND hwnd)
{
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text((size_t)n + 1, L'\0');
    n = GetWindowTextW(hwnd, &text[0], n + 1);
    text.resize((size_t)(n > 0 ? n : 0));
    return text;
}

}  // namespace

int CHtmlBrowser::AddForm(const wchar_t* action, const wchar_t* method)
{
    int row = m_forms.AddRow() - 1;
    m_forms.AppendCell(row, action ? action : L"");
    m_forms.AppendCell(row, method && *method ? method : L"get");
    return row;
}

HWND CHtmlBrowser::AddControl(const wchar_t* windowClass, DWORD exStyle, DWORD style, const wchar_t* text,
                              int width, int height, int stockFont, const wchar_t* name, int form, int type,
                              const wchar_t* caption)
{
    // The child id is the row number the control gets (1 for the first).
    int id = m_controls.GetRowCount() + 1;
    HWND hwnd = CreateWindowExW(exStyle, windowClass, text ? text : L"", style, 0, 0, width, height, m_hCanvas,
                                (HMENU)(INT_PTR)id, (HINSTANCE)GetWindowLongPtrW(m_hCanvas, GWLP_HINSTANCE),
                                nullptr);
    if (!hwnd)
        return nullptr;
    SendMessageW(hwnd, WM_SETFONT, (WPARAM)GetStockObject(stockFont), FALSE);
    wchar_t number[24];
    int row = m_controls.AddRow() - 1;
    swprintf(number, 24, L"%lu", (unsigned long)(UINT_PTR)hwnd);
    m_controls.AppendCell(row, number);
    m_controls.AppendCell(row, name ? name : L"");
    swprintf(number, 24, L"%d", form);
    m_controls.AppendCell(row, number);
    swprintf(number, 24, L"%d", type);
    m_controls.AppendCell(row, number);
    if (caption)
        m_controls.AppendCell(row, caption);
    return hwnd;
}

HWND CHtmlBrowser::CreateEditControl(int limitFlag, int lengthLimit, int width, int height, const wchar_t* text,
                                     int multiLine, const wchar_t* name, int form, int password)
{
    DWORD style = WS_CHILD | WS_TABSTOP | (multiLine ? ES_MULTILINE | WS_VSCROLL : ES_AUTOHSCROLL) |
                  (password ? ES_PASSWORD : 0);
    HWND hwnd = AddControl(L"edit", WS_EX_CLIENTEDGE, style, text, width, height,
                           multiLine ? ANSI_FIXED_FONT : ANSI_VAR_FONT, name, form, kEdit, nullptr);
    if (hwnd && limitFlag)
        SendMessageW(hwnd, EM_LIMITTEXT, (WPARAM)lengthLimit, 0);
    return hwnd;
}

HWND CHtmlBrowser::CreateSubmitButton(int width, int height, const wchar_t* caption, const wchar_t* name,
                                      int form)
{
    return AddControl(L"button", 0, WS_CHILD | WS_TABSTOP, caption, width, height, ANSI_VAR_FONT, name, form,
                      kPushButton, nullptr);
}

HWND CHtmlBrowser::CreateRadioButton(int width, int height, const wchar_t* caption, const wchar_t* name,
                                     int form)
{
    return AddControl(L"button", 0, WS_CHILD | WS_TABSTOP | BS_AUTORADIOBUTTON, caption, width, height,
                      ANSI_VAR_FONT, name, form, kRadioButton, caption ? caption : L"");
}

HWND CHtmlBrowser::CreateCheckBox(int width, int height, const wchar_t* caption, const wchar_t* name, int form)
{
    return AddControl(L"button", 0, WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, caption, width, height,
                      ANSI_VAR_FONT, name, form, kCheckBox, caption ? caption : L"");
}

HWND CHtmlBrowser::CreateComboBox(int width, int height, const CHtmlStringTable& options, int selection,
                                  const wchar_t* name, int form)
{
    // Taller than asked: the height includes the dropped-down list.
    HWND hwnd = AddControl(L"combobox", 0, CBS_DROPDOWNLIST | WS_VSCROLL | WS_CHILD | WS_TABSTOP, L"", width,
                           height + 200, ANSI_VAR_FONT, name, form, kDropDownList, nullptr);
    if (!hwnd)
        return nullptr;
    for (int i = 0; i < options.GetRowCount(); ++i) {
        LRESULT index = SendMessageW(hwnd, CB_ADDSTRING, 0, (LPARAM)options.GetCell(i, 0));
        if (index == CB_ERR || index == CB_ERRSPACE)
            continue;
        const wchar_t* value = options.GetCell(i, 1);
        wchar_t* copy = new wchar_t[wcslen(value) + 1];
        wcscpy(copy, value);
        if (SendMessageW(hwnd, CB_SETITEMDATA, (WPARAM)index, (LPARAM)copy) == CB_ERR)
            delete[] copy;
    }
    SendMessageW(hwnd, CB_SETCURSEL, (WPARAM)selection, 0);
    return hwnd;
}

void CHtmlBrowser::DestroyFormControls()
{
    for (int i = 0; i < m_controls.GetRowCount(); ++i) {
        const CHtmlStringList& row = m_controls.GetRow(i);
        HWND hwnd = RowWindow(row);
        if (!IsWindow(hwnd))
            continue;
        if (_wtoi(row.Get(kCellType)) == kDropDownList) {
            LRESULT count = SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
            for (LRESULT k = 0; k < count; ++k)
                delete[] OptionValue(hwnd, k);
        }
        DestroyWindow(hwnd);
    }
    m_controls.Clear();
    m_forms.Clear();
}

void CHtmlBrowser::SubmitForm(int form, HWND button, int buttonId)
{
    if (form == -1) {
        for (int i = 0; i < m_controls.GetRowCount(); ++i) {
            const CHtmlStringList& row = m_controls.GetRow(i);
            if (_wtoi(row.Get(kCellType)) == kPushButton && RowWindow(row) == button &&
                GetDlgCtrlID(button) == buttonId) {
                form = _wtoi(row.Get(kCellForm));
                break;
            }
        }
    }
    if (form < 0 || form >= m_forms.GetRowCount())
        return;

    std::wstring query;
    for (int i = 0; i < m_controls.GetRowCount(); ++i) {
        const CHtmlStringList& row = m_controls.GetRow(i);
        int type = _wtoi(row.Get(kCellType));
        HWND hwnd = RowWindow(row);
        if (_wtoi(row.Get(kCellForm)) != form || type == kPushButton)
            continue;
        if ((type == kRadioButton || type == kCheckBox) &&
            SendMessageW(hwnd, BM_GETCHECK, 0, 0) != BST_CHECKED)
            continue;
        std::wstring value;
        if (type == kDropDownList) {
            LRESULT selection = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
            const wchar_t* optionValue = selection == CB_ERR ? nullptr : OptionValue(hwnd, selection);
            if (optionValue && *optionValue) {
                value = optionValue;
            } else if (selection != CB_ERR) {
                LRESULT n = SendMessageW(hwnd, CB_GETLBTEXTLEN, (WPARAM)selection, 0);
                if (n > 0) {
                    value.assign((size_t)n + 1, L'\0');
                    SendMessageW(hwnd, CB_GETLBTEXT, (WPARAM)selection, (LPARAM)&value[0]);
                    value.resize((size_t)n);
                }
            }
        } else {
            value = WindowText(hwnd);
        }
        HtmlAppendQueryField(query, row.Get(kCellName), value.c_str());
    }

    // Navigation and the new page destroy the form table: keep copies.
    std::wstring action = m_forms.GetCell(form, 0);
    std::wstring method = m_forms.GetCell(form, 1);
    if (_wcsicmp(method.c_str(), L"get") == 0) {
        Navigate(HtmlMakeGetUrl(action.c_str(), query).c_str());
        return;
    }
    int length = 0;
    wchar_t* result = PostForm(action.c_str(), query.empty() ? L"" : query.c_str() + 1, &length);
    if (!result)
        return;
    AddHistoryRow(action.c_str(), result);
    LoadPage(result, action.c_str());
    delete[] result;
    RelayoutPage();
    InvalidateRect(m_hCanvas, nullptr, FALSE);
}
