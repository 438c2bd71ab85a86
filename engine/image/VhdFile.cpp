#include "image/VhdFile.h"

#include <stdlib.h>
#include <string.h>

#include "image/VhdBat.h"

CVhdFile::CVhdFile() : m_footer(), m_header(), m_pBat(nullptr), m_nBatEntries(0)
{
    memset(m_rawFooter, 0, sizeof m_rawFooter);
    memset(m_rawHeader, 0, sizeof m_rawHeader);
}

CVhdFile::~CVhdFile()
{
    free(m_pBat);
}

int CVhdFile::Open(const wchar_t* path) { return m_file.Open(path); }

void CVhdFile::Close() { m_file.Close(); }

int CVhdFile::IsDynamic() const
{
    return m_footer.diskType == VhdDiskTypeDynamic || m_footer.diskType == VhdDiskTypeDifferencing;
}

int CVhdFile::ReadFooter()
{
    free(m_pBat);
    m_pBat = nullptr;
    m_nBatEntries = 0;

    uint64_t length = m_file.GetLength();
    if (length < VhdFooterSize)
        return 0;
    if (!m_file.ReadAt(m_rawFooter, length - VhdFooterSize, VhdFooterSize))
        return 0;
    if (!ParseVhdFooter(m_rawFooter, sizeof m_rawFooter, &m_footer))
        return 0;
    if (!IsDynamic())
        return 1;
    return ReadDynamicStructures(length);
}

int CVhdFile::ReadDynamicStructures(uint64_t fileLength)
{
    // Everything but the footer lies in front of the footer.
    const uint64_t end = fileLength - VhdFooterSize;

    // The footer says where the dynamic header is; the usual place is 512.
    uint64_t headerAt = m_footer.dataOffset;
    if (headerAt < VhdFooterSize || headerAt > end || end - headerAt < VhdDynamicHeaderSize)
        headerAt = VhdFooterSize;
    if (headerAt > end || end - headerAt < VhdDynamicHeaderSize)
        return 0;
    if (!m_file.ReadAt(m_rawHeader, headerAt, VhdDynamicHeaderSize))
        return 0;
    if (!ParseVhdDynamicHeader(m_rawHeader, sizeof m_rawHeader, &m_header))
        return 0;

    // The header says where the table is; the usual place is 1536.
    uint64_t tableAt = m_header.tableOffset;
    if (tableAt < VhdFooterSize || tableAt % 512 != 0 || tableAt >= end)
        tableAt = VhdFooterSize + VhdDynamicHeaderSize;
    if (tableAt >= fileLength)
        return 0;
    uint32_t entries = m_header.maxTableEntries;
    if (entries > (fileLength - tableAt) / 4)
        return 0;

    // Only the entries that cover the disk are ever used.
    uint64_t needed = m_footer.currentSize / m_header.blockSize +
                      (m_footer.currentSize % m_header.blockSize != 0);
    if (needed < entries)
        entries = (uint32_t)needed;
    if (entries == 0)
        return 1;
    if ((uint64_t)entries * 4 > 0x7FFFFFFFu)
        return 0;
    m_pBat = (uint32_t*)malloc((size_t)entries * 4);
    if (!m_pBat)
        return 0;
    if (!m_file.ReadAt(m_pBat, tableAt, entries * 4)) {
        free(m_pBat);
        m_pBat = nullptr;
        return 0;
    }
    DecodeVhdBat(m_pBat, entries);
    m_nBatEntries = entries;
    return 1;
}

void CVhdFile::BuildBlockMap(uint32_t** blockMap, uint32_t* blockCount)
{
    *blockMap = m_pBat;
    *blockCount = m_nBatEntries;
    m_pBat = nullptr;
    m_nBatEntries = 0;
}
