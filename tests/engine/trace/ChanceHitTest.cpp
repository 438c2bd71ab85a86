// The catalogue against data that holds no files: 64 MiB of seeded random
// bytes and 64 MiB of the benchmark generator's text. A signature that a
// sector's first bytes match by chance this often would bury real finds in
// made-up ones (a 2-byte signature matches about twice in 64 MiB of random
// data, a 1-byte one about 500 times).
#include <string.h>

#include <sstream>

#include "TraceTestSupport.h"
#include "trace/SignatureSearch.h"
#include "trace/TraceText.h"

namespace {

enum : size_t { DataBytes = 64u << 20 };
enum : unsigned { MostChanceHits = 8 };

// splitmix64: the same bytes on every run and every machine.
uint64_t NextRandom(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::string RandomData()
{
    std::string data(DataBytes, '\0');
    uint64_t state = 0x5EED0001;
    for (size_t i = 0; i < data.size(); i += 8) {
        const uint64_t v = NextRandom(state);
        memcpy(&data[i], &v, 8);
    }
    return data;
}

// The benchmark generator's text files (bench/benchgen_tree.py): numbered
// pangram lines, the number five random digits.
std::string GeneratorText()
{
    static const char* const lines[] = {"%05u the quick brown fox jumps over the lazy dog\n",
                                        "%05u lorem ipsum dolor sit amet, consectetur\n",
                                        "%05u pack my box with five dozen liquor jugs\n"};
    std::string data;
    data.reserve(DataBytes + 64);
    uint64_t state = 0x5EED0002;
    char line[64];
    for (unsigned n = 0; data.size() < DataBytes; ++n) {
        snprintf(line, sizeof line, lines[n % 3], (unsigned)(NextRandom(state) % 100000));
        data += line;
    }
    data.resize(DataBytes);
    return data;
}

struct PreparedRecord
{
    const CatalogueRecord* record;
    std::vector<unsigned char> bytes;  // the compared bytes
};

// Every catalogue record with the bytes it compares (compare length held to
// 1 .. 15 and the signature's length, as the search holds it).
std::vector<PreparedRecord> Prepare(const std::vector<CatalogueRecord>& records)
{
    std::vector<PreparedRecord> prepared;
    for (const auto& r : records) {
        std::string hex(r.signature.begin(), r.signature.end());
        unsigned char bytes[15];
        size_t n = HexToBytes(hex.c_str(), bytes, sizeof bytes);
        size_t length = (size_t)_wtol(r.compareLength.c_str());
        length = length < 1 ? 1 : length;
        length = length > n ? n : length;
        if (n)
            prepared.push_back({&r, std::vector<unsigned char>(bytes, bytes + length)});
    }
    return prepared;
}

// Runs the File Trace search with every type chosen over the data served as
// a volume, and returns per record how many of the hit sectors its own
// signature matches (a sector goes to one type in the search, but every
// record that matches it counts here). Every record is chosen, so no sector
// outside the hits can match one.
std::vector<unsigned> ChanceHits(const std::string& data, const std::vector<PreparedRecord>& records)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"trace-chance-" + std::to_wstring(GetCurrentProcessId()) +
                              L".bin";
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(f, data.data(), (DWORD)data.size(), &written, NULL));
    CloseHandle(f);

    std::vector<unsigned> counts(records.size());
    {
        CVolumeSource volume(path);
        EXPECT_TRUE(volume.ok());
        SetSearchRange(0, (uint32_t)(data.size() / 512 - 1));
        TraceSearchResult result;
        SearchSignatures(nullptr, &result);
        EXPECT_EQ(result.examinedSectors, data.size() / 512);
        for (const TraceHit* h = g_TraceHitList.head; h; h = h->next) {
            const unsigned char* sector = (const unsigned char*)&data[(size_t)h->startSector * 512];
            for (size_t i = 0; i < records.size(); ++i)
                if (memcmp(sector, records[i].bytes.data(), records[i].bytes.size()) == 0)
                    ++counts[i];
        }
    }
    DeleteFileW(path.c_str());
    return counts;
}

using ChanceHitTest = TraceTest;

TEST_F(ChanceHitTest, NoSignatureMatchesRandomDataOrTextByChance)
{
    const auto catalogue = LoadBuiltCatalogue();
    ASSERT_FALSE(catalogue.empty());
    ChooseAllSignatures(catalogue);
    const auto records = Prepare(catalogue);

    const struct { const char* name; std::string (*make)(); } inputs[] = {
        {"seeded random data", &RandomData},
        {"the generator's text", &GeneratorText},
    };
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.name);
        const std::vector<unsigned> counts = ChanceHits(input.make(), records);
        std::ostringstream offenders;
        for (size_t i = 0; i < records.size(); ++i)
            if (counts[i] > MostChanceHits) {
                const CatalogueRecord& r = *records[i].record;
                offenders << std::string(r.extension.begin(), r.extension.end()) << " "
                          << std::string(r.signature.begin(), r.signature.end()) << ": " << counts[i] << " hits\n";
            }
        EXPECT_EQ(offenders.str(), "");
    }
}

}  // namespace
