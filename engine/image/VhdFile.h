// Reads and keeps the raw structures of a VHD image: footer, dynamic header
// and block allocation table, each checked before it is used.
#pragma once

#include <stdint.h>

#include "image/File64.h"
#include "image/VhdDynamicHeader.h"
#include "image/VhdFooter.h"

class CVhdFile
{
public:
    CVhdFile();
    virtual ~CVhdFile();

    int Open(const wchar_t* path);
    void Close();

    // Reads the footer and, for dynamic and differencing images, the dynamic
    // header and the table. Returns 0 for a damaged or implausible image.
    int ReadFooter();

    // Hands the decoded table (host-order sector numbers, one per block) to
    // the caller, who frees it with free().
    void BuildBlockMap(uint32_t** blockMap, uint32_t* blockCount);

    const VhdFooter& Footer() const { return m_footer; }
    const VhdDynamicHeader& Header() const { return m_header; }
    int IsDynamic() const;
    CFile64& File() { return m_file; }

private:
    int ReadDynamicStructures(uint64_t fileLength);

    CFile64 m_file;
    unsigned char m_rawFooter[VhdFooterSize];
    unsigned char m_rawHeader[VhdDynamicHeaderSize];
    VhdFooter m_footer;
    VhdDynamicHeader m_header;
    uint32_t* m_pBat;
    uint32_t m_nBatEntries;
};
