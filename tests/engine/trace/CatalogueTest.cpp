// The signature catalogue: the generated Raw.dat and the record reader.
#include <set>
#include <string.h>

#include "TraceTestSupport.h"
#include "trace/TraceText.h"

namespace {

// One record in the catalogue's on-disk form.
std::string Record(char category, const std::string& ext, const std::string& desc, const std::string& length,
                   const std::string& sig, const std::string& fifth)
{
    std::string r("\0\0", 2);
    r += category;
    for (const std::string* f : {&ext, &desc, &length, &sig, &fifth}) {
        r += (char)(f->size() & 0xFF);
        r += (char)(f->size() >> 8);
        r += *f;
    }
    return r;
}

std::vector<CatalogueRecord> Parse(const std::string& data)
{
    std::vector<CatalogueRecord> records;
    ParseCatalogue((const unsigned char*)data.data(), data.size(), records);
    return records;
}

using CatalogueTest = TraceTest;

// The shipped catalogue: well-formed records, every category, and the
// common types with the signatures their formats begin with.
TEST_F(CatalogueTest, GeneratedCatalogueCoversTheCommonTypes)
{
    const auto records = LoadBuiltCatalogue();
    std::set<std::wstring> types;
    std::set<char> categories;
    for (const auto& r : records) {
        SCOPED_TRACE(testing::Message() << "record " << r.index);
        ASSERT_GE(r.extension.size(), 2u);
        EXPECT_EQ(r.extension[0], L'.');
        EXPECT_FALSE(r.description.empty());
        const long n = _wtol(r.compareLength.c_str());
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 15);
        EXPECT_EQ(r.signature.size(), (size_t)n * 2);
        EXPECT_TRUE(r.category >= '0' && r.category <= '9');
        types.insert(r.extension);
        categories.insert(r.category);
    }
    EXPECT_GE(types.size(), 120u);
    EXPECT_EQ(categories.size(), 10u);

    const struct { const wchar_t* ext; const wchar_t* category; const wchar_t* signature; } expected[] = {
        {L".jpg", L"Graphics Files", L"FFD8FF"},           {L".png", L"Graphics Files", L"89504E470D0A1A0A"},
        {L".gif", L"Graphics Files", L"474946383961"},     {L".bmp", L"Graphics Files", L"424D"},
        {L".tif", L"Graphics Files", L"49492A00"},         {L".psd", L"Graphics Files", L"384250530001"},
        {L".ico", L"Graphics Files", L"00000100"},         {L".pdf", L"Document Files", L"255044462D"},
        {L".rtf", L"Document Files", L"7B5C72746631"},     {L".doc", L"Document Files", L"D0CF11E0A1B11AE1"},
        {L".xls", L"Document Files", L"D0CF11E0A1B11AE1"}, {L".ppt", L"Document Files", L"D0CF11E0A1B11AE1"},
        {L".docx", L"Document Files", L"504B030414000600"}, {L".odt", L"Document Files", L"504B0304140000080000"},
        {L".zip", L"Archive Files", L"504B0304"},          {L".rar", L"Archive Files", L"526172211A0700"},
        {L".7z", L"Archive Files", L"377ABCAF271C"},       {L".gz", L"Archive Files", L"1F8B08"},
        {L".bz2", L"Archive Files", L"425A68"},            {L".xz", L"Archive Files", L"FD377A585A00"},
        {L".cab", L"Archive Files", L"4D53434600000000"},  {L".mp3", L"Sound Files", L"494433"},
        {L".wav", L"Sound Files", L"52494646"},            {L".flac", L"Sound Files", L"664C614300000022"},
        {L".ogg", L"Sound Files", L"4F6767530002"},        {L".avi", L"Media Files", L"52494646"},
        {L".mp4", L"Media Files", L"00000018667479706D703432"},
        {L".mov", L"Media Files", L"000000146674797071742020"},
        {L".mkv", L"Media Files", L"1A45DFA3"},
        {L".wmv", L"Media Files", L"3026B2758E66CF11A6D900AA0062CE"},
        {L".mdb", L"Database Files", L"000100005374616E64617264204A65"},
        {L".sqlite", L"Database Files", L"53514C69746520666F726D61742033"},
        {L".pst", L"E-mail Files", L"2142444E"},           {L".exe", L"Other Files", L"4D5A"},
        {L".html", L"Internet Files", L"3C21444F43545950452068746D6C"}, {L".dwg", L"CAD Files", L"41433130"},
    };
    for (const auto& want : expected) {
        SCOPED_TRACE(testing::Message() << "type " << std::string(want.ext, want.ext + wcslen(want.ext)));
        bool found = false;
        for (const auto& r : records)
            if (r.extension == want.ext) {
                EXPECT_EQ(CatalogueCategoryText(r.category), want.category);
                found = found || r.signature == want.signature;
            }
        EXPECT_TRUE(found);
    }
}

// Records as the reader takes them: fields, index, hexadecimal texts, the
// further field's value; damaged input keeps what came before.
TEST_F(CatalogueTest, RecordsAndDamagedInput)
{
    const std::string jpg = Record('4', ".jpg", "JPEG Image", "3", "\xFF\xD8\xFF", std::string("\x00\x10", 2));
    const std::string zip = Record('0', ".zip", "ZIP Archive", "4", "PK\x03\x04", std::string("\x0A\x00", 2));
    auto records = Parse(jpg + zip);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].index, 0);
    EXPECT_EQ(records[0].extension, L".jpg");
    EXPECT_EQ(records[0].description, L"JPEG Image");
    EXPECT_EQ(records[0].compareLength, L"3");
    EXPECT_EQ(records[0].signature, L"FFD8FF");
    EXPECT_EQ(records[0].fifthField, L"0010");
    EXPECT_EQ(CatalogueCategoryText(records[0].category), L"Graphics Files");
    EXPECT_EQ(FifthFieldValue("0010"), 10);
    EXPECT_EQ(FifthFieldValue("0A00"), 0);
    EXPECT_EQ(records[1].index, 1);
    EXPECT_EQ(CatalogueCategoryText(records[1].category), L"Archive Files");
    EXPECT_EQ(CatalogueCategoryText('x'), L"x");

    EXPECT_TRUE(Parse(std::string()).empty());
    // A record cut anywhere inside is dropped, the one before it kept.
    for (size_t cut = 1; cut < zip.size(); ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_EQ(Parse(jpg + zip.substr(0, cut)).size(), 1u);
    }
    // A field longer than the format allows skips its record only.
    const std::string big = Record('9', ".big", std::string(300, 'd'), "1", "A", "");
    records = Parse(jpg + big + zip);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].extension, L".zip");
    EXPECT_EQ(records[1].index, 2);
    // A record without extension is loaded.
    records = Parse(Record('1', "", "Nameless", "1", "A", ""));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].extension.empty());

    std::vector<CatalogueRecord> none;
    EXPECT_EQ(LoadCatalogue(L"Z:\\no\\such\\folder\\Raw.dat", none), 0);
    EXPECT_TRUE(none.empty());
}

// Choosing an extension takes all its records, the later one first.
TEST_F(CatalogueTest, ChoosingAnExtensionTakesItsRecordsLastFirst)
{
    const auto records = Parse(Record('1', ".doc", "Old", "2", "\xD0\xCF", "") +
                               Record('1', ".pdf", "PDF", "4", "%PDF", "") +
                               Record('1', ".doc", "New", "8", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", "\x05"));
    EXPECT_EQ(AppendCatalogueSignatures(records, L".doc"), 2u);
    EXPECT_EQ(AppendCatalogueSignatures(records, L".DOC"), 0u);
    ASSERT_EQ(g_SignatureCount, 2u);
    const SignatureSelection* s = g_SignatureList.head;
    EXPECT_STREQ(s->description, L"New");
    EXPECT_EQ(s->compareLength, 8u);
    EXPECT_STREQ(s->signature, "D0CF11E0A1B11AE1");
    EXPECT_EQ(s->fifthFieldValue, 5);
    EXPECT_STREQ(s->next->description, L"Old");
    FreeSignatureList();
    EXPECT_EQ(g_SignatureCount, 0u);
    EXPECT_EQ(g_SignatureList.head, nullptr);
}

TEST_F(CatalogueTest, HexHelpers)
{
    const unsigned char bytes[] = {0xAB, 0x01};
    char* hex = BytesToHex(bytes, 2);
    EXPECT_STREQ(hex, "ab01");
    char* word = ReorderHexWord("0500");
    EXPECT_STREQ(word, "0005");
    EXPECT_EQ(strtol(word, nullptr, 16), 5);
    free(hex);
    free(word);
}

}  // namespace
