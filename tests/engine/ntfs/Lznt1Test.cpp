// LZNT1 units: stored and compressed chunks, chunks that give less than
// 4 KiB, and damaged chunks, which end in zeros and never read or write
// outside the buffers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ntfs/Lznt1.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// "abc" repeated over one 4 KiB chunk: three literals, then one back
// reference (offset 3, length 4093) whose 16 bits split 4 + 12 this early
// in the chunk.
const Bytes AbcChunk = {0x05, 0xB0, 0x08, 'a', 'b', 'c', 0xFA, 0x2F};

std::string Abc(size_t n)
{
    std::string s;
    while (s.size() < n)
        s += "abc";
    return s.substr(0, n);
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

bool Decode(const Bytes& in, std::string& out, size_t unit = 16384)
{
    // Guard bytes around the output show writes outside it.
    Bytes buffer(unit + 64, 0xEE);
    bool ok = DecompressLznt1Unit(in.data(), in.size(), buffer.data() + 32, unit);
    for (size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(0xEE, buffer[i]);
        EXPECT_EQ(0xEE, buffer[32 + unit + i]);
    }
    out.assign((const char*)buffer.data() + 32, unit);
    return ok;
}

}  // namespace

TEST(Lznt1, CompressedStoredAndShortChunksFillTheUnit)
{
    Bytes stored = {0xFF, 0x3F};   // 4096 plain bytes
    std::string plain(4096, 'x');
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = (char)(i * 7);
    stored.insert(stored.end(), plain.begin(), plain.end());
    // A compressed chunk of two literals only: 4094 zeros follow it.
    Bytes shortChunk = {0x02, 0xB0, 0x00, 'h', 'i'};

    std::string out;
    ASSERT_TRUE(Decode(Join({AbcChunk, stored, shortChunk, {0, 0}, {0xFF, 0xFF}}), out));
    EXPECT_EQ(Abc(4096), out.substr(0, 4096));
    EXPECT_EQ(plain, out.substr(4096, 4096));
    EXPECT_EQ(std::string("hi") + std::string(4094, '\0'), out.substr(8192, 4096));
    // After the zero header nothing is read: the unit ends in zeros.
    EXPECT_EQ(std::string(4096, '\0'), out.substr(12288));
}

TEST(Lznt1, LaterOffsetsTakeMoreBits)
{
    // 17 literals, then a reference at position 17: 5 offset bits and 11
    // length bits; offset 17 (stored 16), length 20 (stored 17).
    Bytes chunk = {0x00};
    for (int i = 0; i < 8; ++i)
        chunk.push_back((unsigned char)('A' + i));
    chunk.push_back(0x00);
    for (int i = 8; i < 16; ++i)
        chunk.push_back((unsigned char)('A' + i));
    chunk.push_back(0x02);   // the 17th literal, then the reference
    chunk.push_back('Q');
    unsigned token = (16u << 11) | 17u;
    chunk.push_back((unsigned char)token);
    chunk.push_back((unsigned char)(token >> 8));
    Bytes unit = {(unsigned char)(chunk.size() - 1), 0xB0};
    unit.insert(unit.end(), chunk.begin(), chunk.end());
    std::string out;
    ASSERT_TRUE(Decode(unit, out, 4096));
    std::string first = "ABCDEFGHIJKLMNOPQ";
    EXPECT_EQ(first + first.substr(0, 17) + first.substr(0, 3), out.substr(0, 37));
}

TEST(Lznt1, DamagedChunksEndInZeros)
{
    struct Case
    {
        const char* what;
        Bytes chunk;
    } cases[] = {
        {"length past the end", {0x63, 0xB0, 0x08, 'a', 'b', 'c', 0xFA, 0x2F}},
        {"offset before the start", {0x05, 0xB0, 0x08, 'a', 'b', 'c', 0x00, 0x40}},
        {"reference at the start", {0x03, 0xB0, 0x01, 0x00, 0x00}},
        {"copy past the chunk end", {0x05, 0xB0, 0x08, 'a', 'b', 'c', 0xFC, 0x2F}},
        {"header size 0", {0x00, 0x80, 0x08, 'a', 'b', 'c'}},
        {"stored chunk cut short", {0xFF, 0x3F, 'x'}},
        {"token cut short", {0x04, 0xB0, 0x08, 'a', 'b', 'c', 0xFA}},
    };
    for (const Case& c : cases) {
        std::string out;
        // The first chunk is sound and stays; the damaged one and the rest
        // of the unit are zeros.
        EXPECT_FALSE(Decode(Join({AbcChunk, c.chunk, AbcChunk}), out)) << c.what;
        EXPECT_EQ(Abc(4096), out.substr(0, 4096)) << c.what;
        EXPECT_EQ(std::string(16384 - 4096, '\0'), out.substr(4096)) << c.what;
    }
}
