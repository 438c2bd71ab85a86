#include "Session.h"

#include <shlobj.h>

#include <cstdio>

namespace tdrive {

namespace {

const wchar_t kCaption[] = L"Tesmir for VHD";

// Deadlines of the steps (a 2-core machine under an emulator).
const DWORD kStartMs = 60000;
const DWORD kStepMs = 20000;
const DWORD kSearchMs = 30000;
const DWORD kScanMs = 120000;
const DWORD kSaveMs = 180000;

bool IsDialog(HWND hwnd) { return ClassName(hwnd) == L"#32770"; }

// The program's own message box: a dialog captioned like the frame with
// no static holding its text (the text is painted).
bool IsProgramBox(HWND hwnd)
{
    return IsDialog(hwnd) && WindowText(hwnd) == kCaption && GetDlgItem(hwnd, 0xFFFF) == NULL;
}

bool IsSystemBox(HWND hwnd) { return IsDialog(hwnd) && GetDlgItem(hwnd, 0xFFFF) != NULL; }

struct TextSearch
{
    const std::wstring* text;
    bool found;
};

BOOL CALLBACK TextSearchProc(HWND hwnd, LPARAM lParam)
{
    TextSearch* t = reinterpret_cast<TextSearch*>(lParam);
    if (IsWindowVisible(hwnd) && WindowText(hwnd) == *t->text) {
        t->found = true;
        return FALSE;
    }
    return TRUE;
}

// A visible window inside `parent` reads exactly `text`.
bool HasDescendantText(HWND parent, const std::wstring& text)
{
    TextSearch t = {&text, false};
    EnumChildWindows(parent, TextSearchProc, (LPARAM)&t);
    return t.found;
}

std::string Slug(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += (isalnum((unsigned char)c) ? (char)tolower((unsigned char)c) : '-');
    return out;
}

}  // namespace

Session::Session(const std::wstring& exe, const std::wstring& shots, const std::wstring& log)
    : m_exe(exe), m_shots(shots), m_log(log)
{
    CreateDirectoryW(m_shots.c_str(), NULL);
}

void Session::Begin(const std::string& step)
{
    m_step = step;
    printf("tdrive: step: %s\n", step.c_str());
    fflush(stdout);
}

std::wstring Session::Shot(const std::string& name)
{
    char prefix[16];
    snprintf(prefix, sizeof(prefix), "%02d-", ++m_shotNumber);
    const std::wstring written = SaveScreen(m_shots + L"\\" + Widen(prefix + Slug(name)) + L".png");
    printf("tdrive: screenshot: %s\n", Narrow(written).c_str());
    fflush(stdout);
    return written;
}

void Session::Fail(const std::string& message)
{
    const std::wstring shot = Shot("failed-" + m_step);
    printf("tdrive: FAILED at step \"%s\": %s\ntdrive: failure-screenshot: %s\n", m_step.c_str(), message.c_str(),
           Narrow(shot).c_str());
    fflush(stdout);
    m_program.Kill();
    printf("tdrive: program-ended: %s\n", m_program.Running() ? "no" : "yes");
    fflush(stdout);
}

void Session::Start(const std::wstring& arguments)
{
    Begin("start the program");
    m_program.Start(m_exe, arguments);
    m_program.WaitFrame(kStartMs);
}

DWORD Session::ExitByMenu()
{
    Begin("exit");
    HWND frame = m_program.Frame();
    if (!frame)
        throw StepFailure("no frame to exit");
    PostMessageW(frame, WM_COMMAND, MAKEWPARAM(0xE141 /* ID_APP_EXIT */, 0), 0);
    // The question before the end, when the program asks one.
    HWND box = NULL;
    PollUntil(
        [&] {
            for (HWND hwnd : m_program.Popups()) {
                if (IsProgramBox(hwnd))
                    box = hwnd;
            }
            return box != NULL || !m_program.Running();
        },
        kStepMs);
    if (box) {
        Shot("exit question");
        PressDialogButton(box, IDYES);
    }
    const DWORD code = m_program.WaitExit(kStepMs);
    if (code == STILL_ACTIVE)
        throw StepFailure("the program did not end after Exit");
    return code;
}

std::vector<std::wstring> Session::LogLines()
{
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(m_log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    // One box per line, its text may hold line breaks: a line starts with
    // the style "0x".
    std::wstring text = Widen(bytes);
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || (text[i] == L'\n' && text.compare(i + 1, 2, L"0x") == 0)) {
            std::wstring line = text.substr(start, i - start);
            while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
                line.pop_back();
            if (!line.empty())
                lines.push_back(line);
            start = i + 1;
        }
    }
    return lines;
}

HWND Session::WaitProgramBox(DWORD timeoutMs)
{
    return m_program.WaitPopup("message box of the program", IsProgramBox, timeoutMs);
}

void Session::AnswerBox(const std::wstring& expectedText, int button, DWORD timeoutMs)
{
    HWND box = WaitProgramBox(timeoutMs);
    std::vector<std::wstring> lines;
    PollUntil(
        [&] {
            lines = LogLines();
            return lines.size() > m_logSeen;
        },
        5000);
    if (lines.size() <= m_logSeen)
        throw StepFailure("a message box showed but the message log holds no new text");
    const std::wstring line = lines[m_logSeen];
    m_logSeen = lines.size();
    if (line.find(expectedText) == std::wstring::npos)
        throw StepFailure("the message box reads \"" + Narrow(line) + "\", not \"" + Narrow(expectedText) + "\"");
    Shot("message " + Narrow(expectedText.substr(0, 24)));
    PressDialogButton(box, button);
    m_program.WaitPopupGone("message box", box, kStepMs);
}

std::wstring Session::AnswerSystemBox(int button, DWORD timeoutMs)
{
    HWND box = m_program.WaitPopup("system message box", IsSystemBox, timeoutMs);
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    Shot("system message");
    PressDialogButton(box, button);
    m_program.WaitPopupGone("system message box", box, kStepMs);
    return text;
}

void Session::Foreground(HWND hwnd)
{
    HWND top = GetAncestor(hwnd, GA_ROOT);
    SetForegroundWindow(top);
    PollUntil([&] { return GetForegroundWindow() == top; }, 2000);
}

void Session::Press(HWND button)
{
    if (!m_realInput) {
        PostClick(button);
        return;
    }
    Foreground(button);
    RECT rc;
    GetWindowRect(button, &rc);
    RealClick(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

void Session::PressDialogButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (m_realInput && button && IsWindowVisible(button)) {
        Press(button);
        return;
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

void Session::ClickAt(HWND hwnd, POINT client)
{
    if (!m_realInput) {
        PostMouseClick(hwnd, client);
        return;
    }
    Foreground(hwnd);
    ClientToScreen(hwnd, &client);
    RealClick(client);
}

void Session::PressInView(UINT id)
{
    HWND view = m_program.CurrentView();
    HWND button = view ? FindDescendant(view, id) : NULL;
    if (!button)
        throw StepFailure("no control " + std::to_string(id) + " on the " + StepName(m_program.CurrentStep()));
    if (!IsWindowVisible(button) || !IsWindowEnabled(button))
        throw StepFailure("control " + std::to_string(id) + " is hidden or disabled");
    Press(button);
}

void Session::SelectImage(const std::wstring& path)
{
    Begin("select the image");
    HWND view = m_program.WaitStep(Step::StartPage, kStepMs);
    Shot("start page");
    PressInView(61491);
    HWND dialog = m_program.WaitPopup(
        "file dialog \"Add VHD or VHDX file to recover.\"",
        [](HWND hwnd) { return IsDialog(hwnd) && WindowText(hwnd) == L"Add VHD or VHDX file to recover."; },
        kStepMs);
    // The name field: Wine's dialog has combo 1148, older ones edit 1152.
    HWND name = GetDlgItem(dialog, 1148);
    if (!name)
        name = GetDlgItem(dialog, 1152);
    if (!name)
        throw StepFailure("the file dialog has no file-name field");
    SendMessageTimeoutW(name, WM_SETTEXT, 0, (LPARAM)path.c_str(), SMTO_ABORTIFHUNG, 5000, NULL);
    Shot("file dialog");
    PressDialogButton(dialog, IDOK);
    m_program.WaitPopupGone("file dialog", dialog, kStepMs);
    HWND edit = FindDescendant(view, 61492);
    if (!PollUntil([&] { return WindowText(edit) == path; }, kStepMs))
        throw StepFailure("the image path reads \"" + Narrow(WindowText(edit)) + "\"");
}

void Session::RunMode(UINT modeButton)
{
    Begin(modeButton == 131 ? "Quick Scan" : modeButton == 133 ? "Extensive Scan" : "File Trace");
    PressInView(modeButton);
    m_program.WaitStep(Step::DriveStep, kStepMs);
    Shot("drive step");
}

void Session::DriveNext(bool partitionType)
{
    Begin("drive step: Next");
    PressInView(159);
    if (!partitionType) {
        m_program.WaitStep(Step::ScanStep, kSearchMs);
        return;
    }
    HWND dialog = m_program.WaitPopup(
        "\"Partition Type\" dialog", [](HWND hwnd) { return IsDialog(hwnd) && WindowText(hwnd) == L"Partition Type"; },
        kSearchMs);
    Shot("partition type");
    PressDialogButton(dialog, IDOK);
    m_program.WaitPopupGone("\"Partition Type\" dialog", dialog, kStepMs);
    m_program.WaitStep(Step::ScanStep, kSearchMs);
}

void Session::ChoosePartition(const std::wstring& prefix, const std::wstring& type)
{
    Begin("scan step: choose " + Narrow(prefix));
    HWND view = m_program.WaitStep(Step::ScanStep, kStepMs);
    HWND tree = FindDescendant(view, 162);
    if (!tree)
        throw StepFailure("the scan step has no partition tree");
    HTREEITEM item = NULL;
    PollUntil([&] { return (item = m_program.TreeFindPrefix(tree, NULL, prefix)) != NULL; }, kStepMs);
    if (!item) {
        std::string texts;
        for (const std::wstring& t : m_program.TreeChildTexts(tree, NULL))
            texts += " \"" + Narrow(t) + "\"";
        throw StepFailure("no partition \"" + Narrow(prefix) + "...\" in the tree; its items:" + texts);
    }
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)item);
    SelectTreeItem(tree, item, "the partition");
    // The panel names the partition's file system.
    if (!PollUntil([&] { return HasDescendantText(view, type); }, kStepMs))
        throw StepFailure("the partition panel does not name " + Narrow(type));
    Shot("scan step");
}

void Session::QuickScan()
{
    Begin("scan step: Scan");
    PressInView(159);
    AnswerBox(L"If you don't find the required file(s) and folder(s) here", IDOK, kScanMs);
    m_program.WaitStep(Step::RecoveryStep, kStepMs);
    Shot("recovery step");
}

void Session::ExtensiveScan(const std::wstring& fileSystem)
{
    Begin("scan step: Extensive Scan for " + Narrow(fileSystem));
    HWND view = m_program.WaitStep(Step::ScanStep, kStepMs);
    HWND combo = FindDescendant(view, 61463);
    if (!combo || !IsWindowVisible(combo))
        throw StepFailure("the scan step shows no file-system choice");
    void* remote = m_program.RemoteAlloc((fileSystem.size() + 1) * sizeof(wchar_t));
    m_program.RemoteWrite(remote, fileSystem.c_str(), (fileSystem.size() + 1) * sizeof(wchar_t));
    const LRESULT index = SendMessageW(combo, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)remote);
    if (index == CB_ERR)
        throw StepFailure("no choice \"" + Narrow(fileSystem) + "\"");
    PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), (LPARAM)combo);
    Shot("extensive scan step");
    PressInView(159);
    // The scan runs: Stop shows.
    if (!PollUntil(
            [&] {
                HWND stop = FindDescendant(m_program.CurrentView(), 132);
                return stop && IsWindowVisible(stop);
            },
            kStepMs))
        throw StepFailure("the scan did not start (no Stop)");
    Shot("extensive scan running");
}

void Session::StopScan(bool yes)
{
    Begin(yes ? "scan step: Stop, Yes" : "scan step: Stop, No");
    PressInView(132);
    AnswerBox(L"", yes ? IDYES : IDNO, kStepMs);
}

std::wstring Session::ChooseFileSystem(const std::wstring& prefix)
{
    Begin("file-system step: choose " + Narrow(prefix));
    HWND view = m_program.WaitStep(Step::FileSystemStep, kScanMs);
    HWND tree = FindDescendantClass(view, L"SysTreeView32");
    if (!tree)
        throw StepFailure("the file-system step has no tree");
    HTREEITEM item = NULL;
    PollUntil([&] { return (item = m_program.TreeFindPrefix(tree, NULL, prefix)) != NULL; }, kStepMs);
    if (!item)
        throw StepFailure("no file system \"" + Narrow(prefix) + "...\" was found");
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)item);
    SelectTreeItem(tree, item, "the file system");
    Shot("file-system step");
    return m_program.TreeItemText(tree, item);
}

void Session::FileSystemNext()
{
    Begin("file-system step: Next");
    PressInView(159);
    m_program.WaitStep(Step::RecoveryStep, kScanMs);
    Shot("recovery step");
}

void Session::Back(Step step)
{
    Begin(std::string("Back to the ") + StepName(step));
    PressInView(160);
    m_program.WaitStep(step, kStepMs);
    Shot(std::string("back on the ") + StepName(step));
}

void Session::FileTrace()
{
    Begin("scan step: File Trace");
    PressInView(159);
    HWND dialog = m_program.WaitPopup(
        "\"File Types\" dialog", [](HWND hwnd) { return IsDialog(hwnd) && WindowText(hwnd) == L"File Types"; },
        kStepMs);
    HWND types = GetDlgItem(dialog, 1085);
    if (!types)
        throw StepFailure("the File Types dialog has no tree 1085");
    HTREEITEM root = (HTREEITEM)SendMessageW(types, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    if (!root)
        throw StepFailure("the File Types tree is empty");
    // Every type ticked: the root checked (state image 2), by a click on
    // its box when it is not.
    if ((m_program.TreeItemState(types, root) & TVIS_STATEIMAGEMASK) != INDEXTOSTATEIMAGEMASK(2)) {
        ClickAt(types, StateIconPoint(types, root, "the File Types root"));
        if (!PollUntil(
                [&] {
                    return (m_program.TreeItemState(types, root) & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
                },
                kStepMs))
            throw StepFailure("the File Types root did not become checked");
    }
    Shot("file types");
    PressDialogButton(dialog, IDOK);
    m_program.WaitPopupGone("\"File Types\" dialog", dialog, kStepMs);
    m_program.WaitStep(Step::RecoveryStep, kScanMs);
    Shot("recovery step");
}

HWND Session::ResultTree()
{
    HWND view = m_program.WaitStep(Step::RecoveryStep, kStepMs);
    HWND tree = FindDescendant(view, 162);
    if (!tree)
        throw StepFailure("the recovery step has no folder tree");
    return tree;
}

HWND Session::ResultList()
{
    HWND view = m_program.WaitStep(Step::RecoveryStep, kStepMs);
    HWND list = FindDescendant(view, 165);
    if (!list)
        throw StepFailure("the recovery step has no result list");
    return list;
}

HTREEITEM Session::ResultFolder(const std::wstring& path)
{
    HWND tree = ResultTree();
    HTREEITEM item = m_program.TreeFind(tree, NULL, L"Root");
    if (!item)
        throw StepFailure("the result tree has no \"Root\"");
    size_t start = 0;
    while (start < path.size()) {
        size_t slash = path.find(L'\\', start);
        if (slash == std::wstring::npos)
            slash = path.size();
        const std::wstring part = path.substr(start, slash - start);
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)item);
        HTREEITEM child = m_program.TreeFind(tree, item, part);
        if (!child)
            throw StepFailure("no folder \"" + Narrow(part) + "\" in the result tree");
        item = child;
        start = slash + 1;
    }
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)item);
    return item;
}

void Session::ClickResultFolder(const std::wstring& path)
{
    Begin("recovery step: open folder " + Narrow(path));
    HWND tree = ResultTree();
    HTREEITEM item = ResultFolder(path);
    SelectTreeItem(tree, item, "the folder");
}

void Session::ClickResultRow(const std::wstring& name)
{
    Begin("recovery step: click " + Narrow(name));
    HWND list = ResultList();
    int row = -1;
    PollUntil([&] { return (row = m_program.ListFind(list, name)) >= 0; }, kStepMs);
    if (row < 0)
        throw StepFailure("no row \"" + Narrow(name) + "\" in the result list");
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    const RECT rc = m_program.ListItemRect(list, row, LVIR_LABEL);
    ClickAt(list, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

void Session::SelectTreeItem(HWND tree, HTREEITEM item, const char* what)
{
    const RECT rc = m_program.TreeItemRect(tree, item, true);
    ClickAt(tree, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    if (!PollUntil([&] { return (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) == item; }, kStepMs))
        throw StepFailure(std::string(what) + " did not become selected");
}

POINT Session::StateIconPoint(HWND tree, HTREEITEM item, const char* what)
{
    // The state icon lies left of the label (and of the item's icon).
    const RECT rc = m_program.TreeItemRect(tree, item, true);
    for (int x = rc.left - 1; x >= 0; --x) {
        HTREEITEM hit = NULL;
        const POINT pt = {x, (rc.top + rc.bottom) / 2};
        if ((m_program.TreeHitTest(tree, pt, &hit) & TVHT_ONITEMSTATEICON) && hit == item)
            return pt;
    }
    throw StepFailure(std::string(what) + " has no check box");
}

void Session::ToggleResultFolderMark(const std::wstring& path)
{
    Begin("recovery step: mark of " + Narrow(path));
    HWND tree = ResultTree();
    HTREEITEM item = ResultFolder(path);
    const UINT before = m_program.TreeItemState(tree, item) & TVIS_STATEIMAGEMASK;
    ClickAt(tree, StateIconPoint(tree, item, "the folder"));
    if (!PollUntil([&] { return (m_program.TreeItemState(tree, item) & TVIS_STATEIMAGEMASK) != before; }, kStepMs))
        throw StepFailure("the folder's mark did not change");
}

std::wstring Session::Recover(const std::wstring& folder)
{
    Begin("recovery step: Recover into " + Narrow(folder));
    CreateDirectoryW(folder.c_str(), NULL);
    PressInView(159);
    HWND browser = m_program.WaitPopup(
        "folder browser",
        [](HWND hwnd) { return IsDialog(hwnd) && FindDescendantClass(hwnd, L"SysTreeView32") != NULL; }, kStepMs);
    void* remote = m_program.RemoteAlloc((folder.size() + 1) * sizeof(wchar_t));
    m_program.RemoteWrite(remote, folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
    // The browser's tree shows the folder chosen (asked again until its
    // tree is filled).
    const std::wstring leaf = folder.substr(folder.find_last_of(L'\\') + 1);
    HWND folders = FindDescendantClass(browser, L"SysTreeView32");
    std::wstring chosen;
    if (!PollUntil(
            [&] {
                SendMessageTimeoutW(browser, BFFM_SETSELECTIONW, TRUE, (LPARAM)remote, SMTO_ABORTIFHUNG, 5000, NULL);
                HTREEITEM caret = (HTREEITEM)SendMessageW(folders, TVM_GETNEXTITEM, TVGN_CARET, 0);
                chosen = caret ? m_program.TreeItemText(folders, caret) : std::wstring();
                return _wcsicmp(chosen.c_str(), leaf.c_str()) == 0;
            },
            kStepMs))
        throw StepFailure("the folder browser shows \"" + Narrow(chosen) + "\", not \"" + Narrow(leaf) + "\"");
    Shot("folder browser");
    PressDialogButton(browser, IDOK);
    m_program.WaitPopupGone("folder browser", browser, kStepMs);

    // The saving dialog, awaited until it closes: the frame is enabled again
    // and no dialog shows, on two polls in a row.
    Begin("saving");
    HWND frame = m_program.Frame();
    bool shot = false;
    int quiet = 0;
    std::wstring boxText;
    const bool done = PollUntil(
        [&] {
            bool busy = !IsWindowEnabled(frame);
            for (HWND hwnd : m_program.Popups()) {
                if (IsSystemBox(hwnd) || IsProgramBox(hwnd))
                    return true;  // the end's message
                busy = true;
                if (!shot) {
                    Shot("saving dialog");
                    shot = true;
                }
            }
            quiet = busy ? 0 : quiet + 1;
            return quiet >= 2;
        },
        kSaveMs);
    if (!done)
        throw StepFailure("the saving did not end");
    for (HWND hwnd : m_program.Popups()) {
        if (IsSystemBox(hwnd))
            boxText = AnswerSystemBox(IDOK, kStepMs);
    }
    return boxText;
}

void Session::Home()
{
    Begin("Home");
    PressInView(61481);
    m_program.WaitStep(Step::StartPage, kStepMs);
}

}  // namespace tdrive
