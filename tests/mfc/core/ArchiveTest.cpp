// CArchive: golden byte streams for class tags, counts and strings, round
// trips of object graphs and collections, and damaged streams.
#include <afx.h>
#include <afxtempl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

// Stored object with a DWORD and a reference to another node.
class CNode : public CObject
{
    DECLARE_SERIAL(CNode)
public:
    DWORD m_dwValue = 0;
    CNode* m_pPeer = nullptr;

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_dwValue;
            ar << m_pPeer;
        }
        else
        {
            ar >> m_dwValue;
            ar >> m_pPeer;
        }
    }
};
IMPLEMENT_SERIAL(CNode, CObject, 1)

// Versionable class: records the schema it was loaded with.
class CVersioned : public CObject
{
    DECLARE_SERIAL(CVersioned)
public:
    UINT m_nLoadedSchema = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            m_nLoadedSchema = ar.GetObjectSchema();
    }
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 16)

// Known to the class list, but not serializable.
class CPlain : public CObject
{
    DECLARE_DYNAMIC(CPlain)
};
IMPLEMENT_DYNAMIC(CPlain, CObject)

Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    read(ar);
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Ascii(const char* text)
{
    return Bytes(text, text + strlen(text));
}

// Loads bytes, expecting a CArchiveException with the given cause.
int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    try
    {
        Load(bytes, read);
    }
    catch (CArchiveException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

TEST(ArchiveTest, ObjectGraphGoldenBytesAndRoundTrip)
{
    CNode a, b;
    a.m_dwValue = 0x11223344;
    b.m_dwValue = 0x55;
    a.m_pPeer = &b;
    b.m_pPeer = &a;

    Bytes bytes = Store([&](CArchive& ar) {
        ar << &a;
        ar << &b;
        ar << (CObject*)nullptr;
    });

    // New class (schema 1, "CNode") = index 1, a = 2; b's class by index
    // 0x8001, b = 3; then references 2, 3 and the NULL tag.
    Bytes expected = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Ascii("CNode"), {0x44, 0x33, 0x22, 0x11},
                             {0x01, 0x80, 0x55, 0x00, 0x00, 0x00, 0x02, 0x00}, {0x03, 0x00}, {0x00, 0x00}});
    EXPECT_EQ(expected, bytes);

    Load(bytes, [](CArchive& ar) {
        CNode* pA = nullptr;
        CNode* pB = nullptr;
        CObject* pNull = reinterpret_cast<CObject*>(1);   // overwritten by the load
        ar >> pA;
        ar >> pB;
        ar >> pNull;
        ASSERT_NE(nullptr, pA);
        ASSERT_NE(nullptr, pB);
        EXPECT_EQ(0x11223344u, pA->m_dwValue);
        EXPECT_EQ(0x55u, pB->m_dwValue);
        EXPECT_EQ(pB, pA->m_pPeer);
        EXPECT_EQ(pA, pB->m_pPeer);
        EXPECT_EQ(nullptr, pNull);
        delete pA;
        delete pB;
    });
}

TEST(ArchiveTest, VersionableSchemaStoredAsWordAndReportedOnLoad)
{
    CVersioned v;
    Bytes bytes = Store([&](CArchive& ar) { ar << &v; });
    EXPECT_EQ(Concat({{0xFF, 0xFF, 0x10, 0x00, 0x0A, 0x00}, Ascii("CVersioned")}), bytes);

    // An older schema (3) loads, and the object sees it.
    Bytes older = Concat({{0xFF, 0xFF, 0x03, 0x00, 0x0A, 0x00}, Ascii("CVersioned"), {0x01, 0x80}});
    Load(older, [](CArchive& ar) {
        CVersioned* p1 = nullptr;
        ar >> p1;
        CVersioned* p2 = (CVersioned*)ar.ReadObject(RUNTIME_CLASS(CVersioned));
        EXPECT_EQ(3u, p1->m_nLoadedSchema);
        EXPECT_EQ(3u, p2->m_nLoadedSchema);   // the class's schema, not "unknown"
        delete p1;
        delete p2;
    });
}

TEST(ArchiveTest, BigIndexesUseEscapeTag)
{
    // Fill the index space so the next class and objects pass 0x7FFF.
    std::vector<BYTE> fake(0x7FFF);
    CNode a, b;
    Bytes bytes = Store([&](CArchive& ar) {
        for (size_t i = 0; i < fake.size(); i++)
            ar.MapObject((CObject*)&fake[i]);   // indexes 1..0x7FFF
        ar << &a;                                   // class 0x8000, a 0x8001
        ar << &b;                                   // b 0x8002
        ar << &a;
    });
    Bytes expected = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Ascii("CNode"), {0, 0, 0, 0, 0, 0},
                             {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80}, {0, 0, 0, 0, 0, 0},
                             {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00}});
    EXPECT_EQ(expected, bytes);

    Load(bytes, [&](CArchive& ar) {
        for (size_t i = 0; i < fake.size(); i++)
            ar.MapObject((CObject*)&fake[i]);
        CObject* p1 = ar.ReadObject(NULL);
        CObject* p2 = ar.ReadObject(NULL);
        CObject* p3 = ar.ReadObject(NULL);
        EXPECT_TRUE(p1->IsKindOf(RUNTIME_CLASS(CNode)));
        EXPECT_TRUE(p2->IsKindOf(RUNTIME_CLASS(CNode)));
        EXPECT_NE(p1, p2);
        EXPECT_EQ(p1, p3);
        delete p1;
        delete p2;
    });
}

TEST(ArchiveTest, UnicodeStringLengthPrefixes)
{
    struct Case
    {
        int nLen;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {2, {0xFF, 0xFE, 0xFF, 0x02}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nLen);
        CString str;
        LPTSTR p = str.GetBufferSetLength(c.nLen);
        for (int i = 0; i < c.nLen; i++)
            p[i] = (TCHAR)(0x100 + i % 500);   // not ANSI-representable
        str.ReleaseBuffer(c.nLen);

        Bytes bytes = Store([&](CArchive& ar) { ar << str; });
        ASSERT_EQ(c.prefix.size() + 2 * c.nLen, bytes.size());
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size()));
        if (c.nLen == 2)
        {
            EXPECT_EQ((Bytes{0x00, 0x01, 0x01, 0x01}), Bytes(bytes.begin() + 4, bytes.end()));
        }

        CString loaded(L"old");
        Load(bytes, [&](CArchive& ar) { ar >> loaded; });
        EXPECT_TRUE(loaded == str);
    }
}

TEST(ArchiveTest, AnsiStringsLoad)
{
    CString small, large;
    Bytes big = Concat({{0xFF, 0x00, 0x01}, Bytes(256, 'x')});
    Load(Concat({{0x03}, Ascii("abc"), big}), [&](CArchive& ar) { ar >> small >> large; });
    EXPECT_STREQ(L"abc", small);
    EXPECT_EQ(256, large.GetLength());
    EXPECT_EQ(CString('x', 256), large);
}

TEST(ArchiveTest, CountsAndScalars)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar << (BYTE)1 << (WORD)0x0203 << (LONG)-2 << 1.5 << (int)7;
    });
    Bytes expected = {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x03, 0x02, 0xFE, 0xFF, 0xFF, 0xFF};
    Bytes dbl(8);
    double d = 1.5;
    memcpy(dbl.data(), &d, 8);
    expected = Concat({expected, dbl, {0x07, 0x00, 0x00, 0x00}});
    EXPECT_EQ(expected, bytes);

    Load(bytes, [](CArchive& ar) {
        EXPECT_EQ(0xFFFEu, ar.ReadCount());
        EXPECT_EQ(0xFFFFu, ar.ReadCount());
        BYTE by;
        WORD w;
        LONG l;
        double dd;
        int n;
        ar >> by >> w >> l >> dd >> n;
        EXPECT_EQ(1, by);
        EXPECT_EQ(0x0203, w);
        EXPECT_EQ(-2, l);
        EXPECT_EQ(1.5, dd);
        EXPECT_EQ(7, n);
    });
}

TEST(ArchiveTest, LargeDataPassesTheBuffer)
{
    Bytes payload(10000);
    for (size_t i = 0; i < payload.size(); i++)
        payload[i] = (BYTE)(i * 7);
    Bytes bytes = Store([&](CArchive& ar) {
        ar << (BYTE)0xAA;
        ar.Write(payload.data(), (UINT)payload.size());
        ar << (DWORD)0xDEADBEEF;
    });
    ASSERT_EQ(1 + payload.size() + 4, bytes.size());
    Load(bytes, [&](CArchive& ar) {
        BYTE by;
        ar >> by;
        Bytes back(payload.size());
        EXPECT_EQ(payload.size(), ar.Read(back.data(), (UINT)back.size()));
        EXPECT_EQ(payload, back);
        DWORD dw;
        ar >> dw;
        EXPECT_EQ(0xDEADBEEFu, dw);
        EXPECT_EQ(0u, ar.Read(&by, 1));
    });
}

TEST(ArchiveTest, DamagedStreamsThrowArchiveExceptions)
{
    Bytes nodeClass = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Ascii("CNode")});
    auto readAny = [](CArchive& ar) { delete ar.ReadObject(NULL); };
    struct Case
    {
        const char* name;
        Bytes bytes;
        int cause;
    };
    const Case cases[] = {
        {"unknown class", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00}, Ascii("Xyz")}), CArchiveException::badClass},
        {"class not creatable", Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0x06, 0x00}, Ascii("CPlain")}),
         CArchiveException::badClass},
        {"schema mismatch", Concat({{0xFF, 0xFF, 0x02, 0x00, 0x05, 0x00}, Ascii("CNode")}),
         CArchiveException::badSchema},
        {"object never loaded", {0x05, 0x00}, CArchiveException::badIndex},
        {"class never loaded", {0x01, 0x80}, CArchiveException::badIndex},
        {"truncated member", Concat({nodeClass, {0x44, 0x33}}), CArchiveException::endOfFile},
        {"empty stream", {}, CArchiveException::endOfFile},
        {"class name too long", {0xFF, 0xFF, 0x01, 0x00, 0xFF, 0xFF}, CArchiveException::badClass},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.cause, LoadCause(c.bytes, readAny));
    }

    // An object tag naming a class index is refused.
    Bytes classAsObject = Concat({nodeClass, {0x44, 0x33, 0x22, 0x11, 0x00, 0x00}, {0x01, 0x00}});
    CObject* pFirst = nullptr;
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(classAsObject, [&](CArchive& ar) {
                  pFirst = ar.ReadObject(NULL);
                  ar.ReadObject(NULL);
              }));
    delete pFirst;

    // A stream of the wrong class for the requested one.
    Bytes node = Store([](CArchive& ar) {
        CNode n;
        ar << &n;
    });
    EXPECT_EQ(CArchiveException::badClass,
              LoadCause(node, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CVersioned)); }));

    // A corrupt string length runs into the end of the stream.
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10},
                                                      [](CArchive& ar) {
                                                          CString s;
                                                          ar >> s;
                                                      }));
}

TEST(ArchiveTest, StoringUnsupportedContentIsRefused)
{
    // A class without schema, and an array of raw pointers, which would be
    // stored as addresses.
    CPlain plain;
    CArray<CNode*, CNode*> pointers;
    CNode node;
    pointers.Add(&node);
    const std::function<void(CArchive&)> writers[] = {
        [&](CArchive& ar) { ar << &plain; },
        [&](CArchive& ar) { pointers.Serialize(ar); },
    };
    for (const auto& write : writers)
    {
        bool bThrown = false;
        try
        {
            Store(write);
        }
        catch (CNotSupportedException* e)
        {
            bThrown = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrown);
    }
}

TEST(ArchiveTest, OleDateRoundTrip)
{
    COleDateTime date(2020, 2, 29, 12, 0, 0);
    Bytes bytes = Store([&](CArchive& ar) { ar << date; });
    ASSERT_EQ(12u, bytes.size());
    EXPECT_EQ((Bytes{0, 0, 0, 0}), Bytes(bytes.begin(), bytes.begin() + 4));   // status valid
    COleDateTime loaded;
    loaded.SetStatus(COleDateTime::null);
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    EXPECT_TRUE(loaded == date);
}

TEST(ArchiveTest, CollectionsRoundTrip)
{
    CMap<UINT, UINT, BOOL, BOOL> commands;
    commands.InitHashTable(17);
    commands[0x10] = TRUE;
    commands[0x00] = FALSE;
    commands[0x20] = TRUE;
    CStringList names;
    names.AddTail(L"one");
    names.AddTail(L"");
    names.AddTail(L"three");
    CObArray nodes;
    CNode n1, n2;
    n1.m_dwValue = 1;
    n2.m_dwValue = 2;
    nodes.Add(&n1);
    nodes.Add(&n2);
    nodes.Add(&n1);

    Bytes bytes = Store([&](CArchive& ar) {
        commands.Serialize(ar);
        names.Serialize(ar);
        nodes.Serialize(ar);
    });
    // The map is stored in bucket order: 0x00, 0x10, 0x20.
    Bytes mapBytes = {0x03, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0x10, 0, 0, 0, 1, 0, 0, 0, 0x20, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(mapBytes, Bytes(bytes.begin(), bytes.begin() + mapBytes.size()));

    CMap<UINT, UINT, BOOL, BOOL> commands2;
    CStringList names2;
    CObArray nodes2;
    Load(bytes, [&](CArchive& ar) {
        commands2.Serialize(ar);
        names2.Serialize(ar);
        nodes2.Serialize(ar);
    });
    EXPECT_EQ(3, commands2.GetCount());
    BOOL b = -1;
    EXPECT_TRUE(commands2.Lookup(0x20, b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(commands2.Lookup(0x00, b));
    EXPECT_FALSE(b);
    ASSERT_EQ(3, names2.GetCount());
    POSITION pos = names2.GetHeadPosition();
    EXPECT_STREQ(L"one", names2.GetNext(pos));
    EXPECT_STREQ(L"", names2.GetNext(pos));
    EXPECT_STREQ(L"three", names2.GetNext(pos));
    ASSERT_EQ(3, nodes2.GetSize());
    EXPECT_EQ(1u, ((CNode*)nodes2[0])->m_dwValue);
    EXPECT_EQ(2u, ((CNode*)nodes2[1])->m_dwValue);
    EXPECT_EQ(nodes2[0], nodes2[2]);   // shared reference stays shared
    delete nodes2[0];
    delete nodes2[1];
}

TEST(ArchiveTest, LoadingLeavesFileAtLastByteRead)
{
    Bytes bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    CMemFile file(bytes.data(), (UINT)bytes.size());
    {
        CArchive ar(&file, CArchive::load);
        WORD w;
        ar >> w;
        ar.Close();
    }
    EXPECT_EQ(2u, file.GetPosition());
}

}  // namespace
