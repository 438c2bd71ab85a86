// The File Types dialog: the catalogue's check tree, tri-state marks by
// mouse and keyboard, the chosen signatures and size on OK, and catalogues
// that are missing or damaged.
#include <gtest/gtest.h>

#include <afxcmn.h>
#include <afxwin.h>

#include <string>
#include <utility>
#include <vector>

#include "CFileTypeRecord.h"
#include "CFileTypesDlg.h"
#include "CShellIcons.h"
#include "ControlsTestSupport.h"
#include "TraceTestSupport.h"
#include "msg/MessageSink.h"
#include "resource.h"

using appui_test::CCapture;
using appui_test::PaintNow;

namespace {

// A text for failure messages.
std::string Narrow(const CString& str)
{
    std::wstring wide = (LPCTSTR)str;
    return std::string(wide.begin(), wide.end());
}

// One record in the catalogue's on-disk form.
std::string Record(char category, const std::string& ext, const std::string& desc, const std::string& length,
                   const std::string& sig, const std::string& fifth)
{
    std::string r("\0\0", 2);
    r += category;
    for (const std::string* f : {&ext, &desc, &length, &sig, &fifth})
    {
        r += (char)(f->size() & 0xFF);
        r += (char)(f->size() >> 8);
        r += *f;
    }
    return r;
}

// A small catalogue: three graphics types, two document types (".doc"
// twice) and a nameless record in between, and a category byte that is no
// digit.
std::string SmallCatalogue()
{
    return Record('4', ".jpg", "JPEG Image", "3", "\xFF\xD8\xFF", std::string("\x00\x10", 2)) +
           Record('4', ".png", "PNG Image", "8", "\x89PNG\r\n\x1A\n", std::string("\x0A\x00", 2)) +
           Record('1', ".doc", "Word 97", "8", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", "") +
           Record('4', ".gif", "GIF Image", "4", "GIF8", "") +
           Record('1', ".pdf", "PDF Document", "4", "%PDF", "") +
           Record('1', "", "Nameless", "1", "A", "") +
           Record('1', ".doc", "Word 2.0", "2", "\xDB\xA5", "") +
           Record('x', ".xyz", "Own Type", "2", "XY", "");
}

// A folder of its own holding one crafted "Raw.dat".
class CCatalogueFolder
{
public:
    CCatalogueFolder()
    {
        WCHAR szTemp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, szTemp);
        m_strFolder = szTemp;
        m_strFolder += L"TesmirFileTypes\\";
        ::CreateDirectoryW(m_strFolder.c_str(), NULL);
    }
    ~CCatalogueFolder()
    {
        ::DeleteFileW(Path().c_str());
        ::RemoveDirectoryW(m_strFolder.c_str());
    }
    void Write(const std::string& data)
    {
        HANDLE h = ::CreateFileW(Path().c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD n = 0;
        ASSERT_TRUE(::WriteFile(h, data.data(), (DWORD)data.size(), &n, NULL));
        ::CloseHandle(h);
    }
    CString Folder() const { return m_strFolder.c_str(); }

private:
    std::wstring Path() const { return m_strFolder + L"Raw.dat"; }
    std::wstring m_strFolder;
};

struct ShownMessage
{
    std::wstring text;
    int kind;
};
std::vector<ShownMessage> g_shown;

int RecordMessage(const wchar_t* text, int kind, int)
{
    g_shown.push_back({text, kind});
    return 1;
}

// One chosen signature as the list holds it.
struct Chosen
{
    std::wstring extension;
    std::wstring description;
    uint32_t compareLength;
    std::string signature;
    int32_t fifthFieldValue;
    bool operator==(const Chosen& o) const
    {
        return extension == o.extension && description == o.description && compareLength == o.compareLength &&
               signature == o.signature && fifthFieldValue == o.fifthFieldValue;
    }
};

std::ostream& operator<<(std::ostream& os, const Chosen& c)
{
    return os << std::string(c.extension.begin(), c.extension.end()) << " "
              << std::string(c.description.begin(), c.description.end()) << " " << c.compareLength << " "
              << c.signature << " " << c.fifthFieldValue;
}

std::vector<Chosen> ChosenSignatures()
{
    std::vector<Chosen> chosen;
    for (const SignatureSelection* s = g_SignatureList.head; s; s = s->next)
        chosen.push_back({s->extension, s->description, s->compareLength, s->signature, s->fifthFieldValue});
    EXPECT_EQ(chosen.size(), g_SignatureCount);
    return chosen;
}

class FileTypesDlgTest : public TraceTest
{
protected:
    void SetUp() override
    {
        TraceTest::SetUp();
        g_shown.clear();
        m_pPrevPresenter = SetMessagePresenter(RecordMessage);
    }
    void TearDown() override
    {
        if (m_dlg.m_hWnd != NULL)
            m_dlg.DestroyWindow();
        SetMessagePresenter(m_pPrevPresenter);
        TraceTest::TearDown();
    }

    void Open(const CString& strFolder)
    {
        m_dlg.m_strCatalogueFolder = strFolder;
        ASSERT_TRUE(m_dlg.Create(IDD_FILE_TYPES));
        m_dlg.ShowWindow(SW_SHOW);
        PaintNow(&m_dlg);
    }
    CFileTypeTreeCtrl& Tree() { return m_dlg.GetTree(); }

    // The item reached from the root through the texts, in order.
    HTREEITEM Item(std::initializer_list<LPCTSTR> path)
    {
        HTREEITEM hItem = Tree().GetRootItem();
        for (LPCTSTR text : path)
        {
            HTREEITEM hChild = Tree().GetChildItem(hItem);
            while (hChild != NULL && Tree().GetItemText(hChild) != text)
                hChild = Tree().GetNextSiblingItem(hChild);
            EXPECT_NE(nullptr, hChild) << Narrow(text);
            hItem = hChild;
        }
        return hItem;
    }

    // Every item in display order with its depth and text.
    std::vector<std::pair<int, std::wstring>> Outline()
    {
        std::vector<std::pair<int, std::wstring>> items;
        Walk(Tree().GetRootItem(), 0, [&](HTREEITEM h, int depth) {
            items.push_back({depth, (LPCTSTR)Tree().GetItemText(h)});
        });
        return items;
    }
    template <class F>
    void Walk(HTREEITEM hItem, int depth, F visit)
    {
        for (; hItem != NULL; hItem = Tree().GetNextSiblingItem(hItem))
        {
            visit(hItem, depth);
            Walk(Tree().GetChildItem(hItem), depth + 1, visit);
        }
    }

    // Marks of every item in display order: C checked, P partly, U unchecked.
    // Bold must go with C.
    std::string Marks()
    {
        std::string marks;
        Walk(Tree().GetRootItem(), 0, [&](HTREEITEM h, int) {
            int nState = Tree().GetTreeCheckState(h);
            marks += nState == 1 ? 'C' : nState == 2 ? 'P' : nState == 0 ? 'U' : '?';
            bool bBold = (Tree().GetItemState(h, TVIS_BOLD) & TVIS_BOLD) != 0;
            EXPECT_EQ(nState == 1, bBold) << Narrow(Tree().GetItemText(h));
        });
        return marks;
    }

    // A point of the item's row where the tree's hit test reports nFlags.
    CPoint PointOn(HTREEITEM hItem, UINT nFlags)
    {
        CRect rect;
        EXPECT_TRUE(Tree().GetItemRect(hItem, &rect, FALSE));
        CPoint pt(0, rect.CenterPoint().y);
        for (pt.x = rect.left; pt.x < rect.right; pt.x++)
        {
            UINT nHit = 0;
            if (Tree().HitTest(pt, &nHit) == hItem && (nHit & nFlags))
                return pt;
        }
        ADD_FAILURE() << "no point with flags " << nFlags << " on " << Narrow(Tree().GetItemText(hItem));
        return CPoint(-1, -1);
    }
    void Click(HTREEITEM hItem, UINT nFlags)
    {
        CPoint pt = PointOn(hItem, nFlags);
        Tree().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        Tree().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    void DoubleClick(HTREEITEM hItem, UINT nFlags)
    {
        CPoint pt = PointOn(hItem, nFlags);
        Tree().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        Tree().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Tree().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        Tree().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    void PressSpace()
    {
        Tree().SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
        Tree().SendMessage(WM_CHAR, _T(' '), 0x00390001);
        Tree().SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
    }
    void PressButton(CDialog& dlg, int nID)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)dlg.GetDlgItem(nID)->m_hWnd);
    }
    void ChooseSize(LPCTSTR lpszItem)
    {
        CComboBox* pCombo = (CComboBox*)m_dlg.GetDlgItem(IDC_FILE_TYPES_SIZE);
        ASSERT_NE(CB_ERR, pCombo->SelectString(-1, lpszItem));
    }
    CString SizeShown(CDialog& dlg)
    {
        CString str;
        dlg.GetDlgItemText(IDC_FILE_TYPES_SIZE, str);
        return str;
    }

    CFileTypesDlg m_dlg;
    CCatalogueFolder m_folder;
    MessagePresenter m_pPrevPresenter = NULL;
};

// The generated catalogue: one folder per category in the order of its first
// record, one leaf per extension, everything ticked and bold, each with the
// shell's icon; the record list runs last record first.
TEST_F(FileTypesDlgTest, GeneratedCatalogueFillsTheTree)
{
    const std::vector<CatalogueRecord> records = LoadBuiltCatalogue();
    ASSERT_GE(records.size(), 120u);
    Open(BuildDirPath().c_str());

    std::vector<std::pair<int, std::wstring>> want = {{0, L"File Types"}};
    std::vector<char> categories;
    for (const CatalogueRecord& r : records)
    {
        if (r.extension.empty() || std::find(categories.begin(), categories.end(), r.category) != categories.end())
            continue;
        categories.push_back(r.category);
        want.push_back({1, CatalogueCategoryText(r.category)});
        std::vector<std::wstring> extensions;
        for (const CatalogueRecord& e : records)
        {
            if (e.category == r.category && !e.extension.empty() &&
                std::find(extensions.begin(), extensions.end(), e.extension) == extensions.end())
            {
                extensions.push_back(e.extension);
                want.push_back({2, e.extension});
            }
        }
    }
    EXPECT_EQ(want, Outline());
    EXPECT_EQ(std::string(want.size(), 'C'), Marks());

    HTREEITEM hRoot = Tree().GetRootItem();
    EXPECT_TRUE(Tree().GetItemState(hRoot, TVIS_EXPANDED) & TVIS_EXPANDED);
    CShellIcons icons;
    const int nFolder = icons.GetFolderIconIndex(TRUE);
    Walk(hRoot, 0, [&](HTREEITEM h, int depth) {
        int nImage = -2, nSelected = -2;
        Tree().GetItemImage(h, nImage, nSelected);
        int nWant = depth == 2 ? icons.GetFileIconIndex(Tree().GetItemText(h), TRUE) : nFolder;
        EXPECT_EQ(nWant, nImage) << Narrow(Tree().GetItemText(h));
        EXPECT_EQ(nWant, nSelected);
    });

    const CObList& list = Tree().GetRecords();
    ASSERT_EQ((INT_PTR)records.size(), list.GetCount());
    int nIndex = (int)records.size();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const CFileTypeRecord* pRecord = (const CFileTypeRecord*)list.GetNext(pos);
        ASSERT_EQ(--nIndex, pRecord->m_nIndex);
        const CatalogueRecord& r = records[nIndex];
        EXPECT_EQ(r.extension, (LPCTSTR)pRecord->m_strExtension);
        EXPECT_EQ(r.description, (LPCTSTR)pRecord->m_strDescription);
        EXPECT_EQ(r.compareLength, (LPCTSTR)pRecord->m_strCompareLength);
        EXPECT_EQ(r.signature, (LPCTSTR)pRecord->m_strSignature);
        EXPECT_EQ(r.fifthField, (LPCTSTR)pRecord->m_strFifthField);
    }
}

// The texts, the size choices with "2 MB" preselected, and the header's font.
TEST_F(FileTypesDlgTest, TextsAndSizeChoices)
{
    Open(BuildDirPath().c_str());
    CString str;
    m_dlg.GetWindowText(str);
    EXPECT_STREQ(_T("File Types"), str);
    m_dlg.GetDlgItemText(IDC_FILE_TYPES_HEADER, str);
    EXPECT_STREQ(_T("What file types would you like to recover? [Please check file types] and click [Ok] to ")
                 _T("continue with recovery."),
                 str);
    m_dlg.GetDlgItemText(IDC_FILE_TYPES_SIZE_LABEL, str);
    EXPECT_STREQ(_T("Recover files upto"), str);
    m_dlg.GetDlgItemText(IDC_FILE_TYPES_SIZE_NOTE, str);
    EXPECT_STREQ(_T("Size."), str);

    LOGFONT lf = {};
    CFont* pFont = m_dlg.GetDlgItem(IDC_FILE_TYPES_HEADER)->GetFont();
    ASSERT_NE(nullptr, pFont);
    ASSERT_TRUE(::GetObject(pFont->GetSafeHandle(), sizeof(lf), &lf));
    EXPECT_EQ(15, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_STREQ(_T("Arial"), lf.lfFaceName);

    CComboBox* pCombo = (CComboBox*)m_dlg.GetDlgItem(IDC_FILE_TYPES_SIZE);
    std::vector<std::wstring> items;
    for (int i = 0; i < pCombo->GetCount(); i++)
    {
        pCombo->GetLBText(i, str);
        items.push_back((LPCTSTR)str);
    }
    std::vector<std::wstring> want;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 25, 30, 35, 40, 45, 50})
        want.push_back(std::to_wstring(n) + L" MB");
    EXPECT_EQ(want, items);
    EXPECT_STREQ(_T("2 MB"), SizeShown(m_dlg));
}

// OK with every type ticked chooses every record that has an extension,
// once, extensions in display order and their records last first.
TEST_F(FileTypesDlgTest, OkWithEverythingTickedChoosesTheWholeCatalogue)
{
    const std::vector<CatalogueRecord> records = LoadBuiltCatalogue();
    ChooseAllSignatures(records);
    const std::vector<Chosen> want = ChosenSignatures();
    FreeSignatureList();
    size_t nWithExtension = 0;
    for (const CatalogueRecord& r : records)
        nWithExtension += !r.extension.empty();
    ASSERT_EQ(nWithExtension, want.size());

    Open(BuildDirPath().c_str());
    PressButton(m_dlg, IDOK);
    EXPECT_TRUE(g_shown.empty());
    EXPECT_FALSE(m_dlg.IsWindowVisible());
    EXPECT_EQ(want, ChosenSignatures());
    EXPECT_EQ(2, g_TraceSizeMB);
}

// Marks follow the rules through clicks on check boxes and the space bar:
// a folder's mark covers its children, a mixed set is partly checked, only
// checked items are bold. Outline: root, Graphics (.jpg .png .gif),
// Documents (.doc .pdf), "x" (.xyz).
TEST_F(FileTypesDlgTest, MarksFollowClicksAndTheSpaceBar)
{
    m_folder.Write(SmallCatalogue());
    Open(m_folder.Folder());
    const std::vector<std::pair<int, std::wstring>> outline = {
        {0, L"File Types"}, {1, L"Graphics Files"}, {2, L".jpg"}, {2, L".png"}, {2, L".gif"},
        {1, L"Document Files"}, {2, L".doc"}, {2, L".pdf"}, {1, L"x"}, {2, L".xyz"}};
    ASSERT_EQ(outline, Outline());
    ASSERT_EQ(8, Tree().GetRecords().GetCount());   // the nameless record is kept, without an item

    // A click on a folder's button or indent opens and closes it, marks stay.
    const HTREEITEM hGraphics = Item({_T("Graphics Files")});
    for (LPCTSTR category : {_T("Graphics Files"), _T("Document Files"), _T("x")})
    {
        HTREEITEM h = Item({category});
        EXPECT_FALSE(Tree().GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED);
        Click(h, TVHT_ONITEMBUTTON);
        EXPECT_TRUE(Tree().GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) << Narrow(category);
    }
    Click(hGraphics, TVHT_ONITEMBUTTON);
    EXPECT_FALSE(Tree().GetItemState(hGraphics, TVIS_EXPANDED) & TVIS_EXPANDED);
    Click(hGraphics, TVHT_ONITEMINDENT);
    EXPECT_TRUE(Tree().GetItemState(hGraphics, TVIS_EXPANDED) & TVIS_EXPANDED);
    PaintNow(&m_dlg);
    EXPECT_EQ("CCCCCCCCCC", Marks());

    // A click on a label selects the item and focuses the tree, marks stay.
    const HTREEITEM hGif = Item({_T("Graphics Files"), _T(".gif")});
    m_dlg.GetDlgItem(IDOK)->SetFocus();
    Click(hGif, TVHT_ONITEMLABEL);
    EXPECT_EQ(hGif, Tree().GetSelectedItem());
    EXPECT_EQ(Tree().m_hWnd, ::GetFocus());
    EXPECT_EQ("CCCCCCCCCC", Marks());

    // Each step clicks a check box (the root, a folder or a leaf) or, with
    // no item, presses the space bar on the selected .gif.
    struct Step
    {
        LPCTSTR category;
        LPCTSTR leaf;
        const char* marks;
    };
    const TCHAR kRoot[] = _T("File Types");
    const Step steps[] = {
        {_T("Graphics Files"), NULL, "PUUUUCCCCC"},
        {_T("Graphics Files"), _T(".png"), "PPUCUCCCCC"},
        {NULL, NULL, "PPUCCCCCCC"},
        {_T("Graphics Files"), _T(".jpg"), "CCCCCCCCCC"},
        // Graphics and "x" checked, Documents partly: the root is partly
        // checked, not checked.
        {_T("Document Files"), _T(".doc"), "PCCCCPUCCC"},
        {_T("x"), _T(".xyz"), "PCCCCPUCUU"},
        {NULL, NULL, "PPCCUPUCUU"},
        {_T("Document Files"), NULL, "PPCCUUUUUU"},
        {_T("Document Files"), NULL, "PPCCUCCCUU"},
        {kRoot, NULL, "UUUUUUUUUU"},
        {kRoot, NULL, "CCCCCCCCCC"},
    };
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); i++)
    {
        const Step& step = steps[i];
        if (step.category == NULL)
            PressSpace();
        else if (step.category == kRoot)
            Click(Tree().GetRootItem(), TVHT_ONITEMSTATEICON);
        else if (step.leaf == NULL)
            Click(Item({step.category}), TVHT_ONITEMSTATEICON);
        else
            Click(Item({step.category, step.leaf}), TVHT_ONITEMSTATEICON);
        EXPECT_EQ(step.marks, Marks()) << "step " << i;
    }
    EXPECT_EQ(hGif, Tree().GetSelectedItem());

    // A double click on a check box is two clicks.
    DoubleClick(Item({_T("Graphics Files"), _T(".png")}), TVHT_ONITEMSTATEICON);
    EXPECT_EQ("CCCCCCCCCC", Marks());
    Click(Item({_T("Graphics Files"), _T(".png")}), TVHT_ONITEMSTATEICON);
    EXPECT_EQ("PPCUCCCCCC", Marks());
    DoubleClick(Item({_T("Graphics Files")}), TVHT_ONITEMSTATEICON);   // off, then on
    EXPECT_EQ("CCCCCCCCCC", Marks());
}

// With every leaf unticked, OK tells the user and keeps the dialog; one leaf
// of a three-leaf folder makes the folder and the root partly checked.
TEST_F(FileTypesDlgTest, OkWithNothingTickedAsksForATypeAndStays)
{
    m_folder.Write(SmallCatalogue());
    Open(m_folder.Folder());
    for (LPCTSTR category : {_T("Graphics Files"), _T("Document Files"), _T("x")})
        Click(Item({category}), TVHT_ONITEMSTATEICON);
    EXPECT_EQ("UUUUUUUUUU", Marks());

    PressButton(m_dlg, IDOK);
    ASSERT_EQ(1u, g_shown.size());
    EXPECT_EQ(L"Please select a file types and then \r\nclick [Next] to continue with recovery.", g_shown[0].text);
    EXPECT_EQ(MessageKindError, g_shown[0].kind);
    EXPECT_TRUE(m_dlg.IsWindowVisible());
    EXPECT_EQ(0u, g_SignatureCount);
    EXPECT_EQ(0, g_TraceSizeMB);

    Tree().Expand(Item({_T("Graphics Files")}), TVE_EXPAND);
    PaintNow(&m_dlg);
    Click(Item({_T("Graphics Files"), _T(".png")}), TVHT_ONITEMSTATEICON);
    EXPECT_EQ("PPUCUUUUUU", Marks());
}

// OK chooses exactly the ticked types' records (".doc" twice: the later
// record first) and the size; the next dialog preselects that size, and its
// OK replaces the chosen signatures.
TEST_F(FileTypesDlgTest, OkChoosesTheTickedTypesAndTheSize)
{
    m_folder.Write(SmallCatalogue());
    Open(m_folder.Folder());
    Click(Tree().GetRootItem(), TVHT_ONITEMSTATEICON);
    for (LPCTSTR category : {_T("Graphics Files"), _T("Document Files")})
        Tree().Expand(Item({category}), TVE_EXPAND);
    PaintNow(&m_dlg);
    Click(Item({_T("Document Files"), _T(".doc")}), TVHT_ONITEMSTATEICON);
    Click(Item({_T("Graphics Files"), _T(".png")}), TVHT_ONITEMSTATEICON);
    Click(Item({_T("Graphics Files"), _T(".jpg")}), TVHT_ONITEMSTATEICON);
    ChooseSize(_T("25 MB"));
    PressButton(m_dlg, IDOK);

    EXPECT_TRUE(g_shown.empty());
    EXPECT_FALSE(m_dlg.IsWindowVisible());
    EXPECT_EQ(25, g_TraceSizeMB);
    const std::vector<Chosen> want = {
        {L".jpg", L"JPEG Image", 3, "FFD8FF", 10},
        {L".png", L"PNG Image", 8, "89504E470D0A1A0A", 0},
        {L".doc", L"Word 2.0", 2, "DBA5", 0},
        {L".doc", L"Word 97", 8, "D0CF11E0A1B11AE1", 0},
    };
    EXPECT_EQ(want, ChosenSignatures());

    // The same dialog object opened again reads the catalogue afresh.
    m_dlg.DestroyWindow();
    Open(m_folder.Folder());
    EXPECT_STREQ(_T("25 MB"), SizeShown(m_dlg));
    EXPECT_EQ(8, Tree().GetRecords().GetCount());
    ChooseSize(_T("50 MB"));
    PressButton(m_dlg, IDOK);
    EXPECT_EQ(50, g_TraceSizeMB);
    std::vector<std::wstring> extensions;
    for (const Chosen& c : ChosenSignatures())
        extensions.push_back(c.extension);
    EXPECT_EQ((std::vector<std::wstring>{L".jpg", L".png", L".gif", L".doc", L".doc", L".pdf", L".xyz"}),
              extensions);
}

// A catalogue that is missing or damaged: what can be read is shown, nothing
// crashes, and with no type the dialog only repeats its request.
TEST_F(FileTypesDlgTest, MissingOrDamagedCatalogues)
{
    const std::string jpg = Record('4', ".jpg", "JPEG Image", "3", "\xFF\xD8\xFF", "");
    const std::string pdf = Record('1', ".pdf", "PDF Document", "4", "%PDF", "");
    const std::string longField = Record('9', ".big", std::string(300, 'd'), "1", "A", "");
    struct Case
    {
        const char* name;
        bool bWrite;
        std::string data;
        std::vector<std::wstring> texts;   // the outline below the root
    } cases[] = {
        {"missing", false, "", {}},
        {"empty", true, "", {}},
        {"cut inside a record", true, jpg + pdf.substr(0, pdf.size() - 3), {L"Graphics Files", L".jpg"}},
        {"cut inside a length", true, jpg + pdf.substr(0, 4), {L"Graphics Files", L".jpg"}},
        {"length past the end", true, jpg + std::string("\0\0" "1\xFF\xFF.pdf", 9), {L"Graphics Files", L".jpg"}},
        {"field over 255 bytes", true, jpg + longField + pdf,
         {L"Graphics Files", L".jpg", L"Document Files", L".pdf"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_shown.clear();
        FreeSignatureList();
        if (c.bWrite)
            m_folder.Write(c.data);
        Open(c.bWrite ? m_folder.Folder() : CString(_T("Z:\\no\\such\\folder\\")));
        std::vector<std::wstring> texts;
        for (const auto& item : Outline())
            if (item.first > 0)
                texts.push_back(item.second);
        EXPECT_EQ(c.texts, texts);
        EXPECT_EQ(_T("File Types"), Tree().GetItemText(Tree().GetRootItem()));

        PressButton(m_dlg, IDOK);
        EXPECT_EQ(c.texts.empty(), m_dlg.IsWindowVisible() != FALSE);
        EXPECT_EQ(c.texts.empty() ? 1u : 0u, g_shown.size());
        EXPECT_EQ(c.texts.size() / 2, (size_t)g_SignatureCount);
        m_dlg.DestroyWindow();
    }
}

// Run modally the way the scan step runs it: a timer presses the buttons.
HWND g_hModal;
int g_nModalButton;

void CALLBACK PressWhenShown(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hDlg = ::FindWindowW(NULL, L"File Types");
    if (hDlg == NULL || !::IsWindowVisible(hDlg))
        return;
    g_hModal = hDlg;
    ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(g_nModalButton, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, g_nModalButton));
}

TEST_F(FileTypesDlgTest, ModalRunEndsWithOkOrCancel)
{
    m_folder.Write(SmallCatalogue());
    AppendSignatureSelection(L".old", L"Kept", 1, "00", 0);
    g_TraceSizeMB = 22;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, PressWhenShown);
    {
        g_nModalButton = IDCANCEL;
        CFileTypesDlg dlg;
        dlg.m_strCatalogueFolder = m_folder.Folder();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(1u, g_SignatureCount);
        EXPECT_EQ(22, g_TraceSizeMB);
    }
    {
        g_nModalButton = IDOK;
        CFileTypesDlg dlg;
        dlg.m_strCatalogueFolder = m_folder.Folder();
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(7u, g_SignatureCount);   // replaced: the seven records with an extension
        EXPECT_EQ(2, g_TraceSizeMB);        // 22 MB is no choice: the default was shown
    }
    ::KillTimer(NULL, nTimer);
    EXPECT_NE(nullptr, g_hModal);
}

// The skin is painted from the top-left corner and shows through the labels;
// "Size." is white on it.
TEST_F(FileTypesDlgTest, SkinShowsThroughTheLabels)
{
    Open(BuildDirPath().c_str());
    m_dlg.Invalidate();
    PaintNow(&m_dlg);
    CCapture capture(&m_dlg);

    HBITMAP hSkin = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_FILE_TYPES_SKIN), IMAGE_BITMAP,
                                         0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, hSkin);
    BITMAP bm = {};
    ::GetObject(hSkin, sizeof(bm), &bm);
    EXPECT_EQ(458, bm.bmWidth);
    EXPECT_EQ(434, bm.bmHeight);
    CDC dcSkin;
    dcSkin.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = dcSkin.SelectObject(hSkin);
    auto skin = [&](int x, int y) { return x < bm.bmWidth && y < bm.bmHeight ? dcSkin.GetPixel(x, y) : RGB(242, 242, 242); };

    EXPECT_EQ(skin(1, 1), capture.Pixel(1, 1));
    EXPECT_EQ(skin(2, 60), capture.Pixel(2, 60));
    EXPECT_NE(skin(1, 1), skin(2, 60)) << "the skin has an accent";

    // Counts of a control's pixels that show the skin and that are white.
    auto count = [&](int nID, int& nSkin, int& nWhite, int& nTotal) {
        CRect rect;
        m_dlg.GetDlgItem(nID)->GetWindowRect(&rect);
        m_dlg.ScreenToClient(&rect);
        nSkin = nWhite = nTotal = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
            {
                COLORREF cr = capture.Pixel(x, y);
                nTotal++;
                nSkin += cr == skin(x, y);
                nWhite += cr == RGB(255, 255, 255) && cr != skin(x, y);
            }
    };
    int nSkin, nWhite, nTotal;
    for (int nID : {IDC_FILE_TYPES_HEADER, IDC_FILE_TYPES_SIZE_LABEL})
    {
        count(nID, nSkin, nWhite, nTotal);
        EXPECT_GT(nSkin * 2, nTotal) << nID;
        EXPECT_EQ(0, nWhite) << nID;
    }
    count(IDC_FILE_TYPES_SIZE_NOTE, nSkin, nWhite, nTotal);
    // Smoothed text edges blend white into the skin.
    EXPECT_GT(nWhite, 0) << "no white text";
    EXPECT_GT(nSkin * 2, nTotal) << "the label paints a background";

    dcSkin.SelectObject(hOld);
    ::DeleteObject(hSkin);
}

}  // namespace
