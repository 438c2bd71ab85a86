// Builders for NTFS structures in tests: MFT records with attributes, and a
// small volume in a temporary file read through the sector reader.
#pragma once

#include <windows.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "io/SectorReader.h"
#include "state/EngineState.h"

namespace ntfstest {

inline void Put16(unsigned char* p, uint16_t v) { p[0] = (unsigned char)v; p[1] = (unsigned char)(v >> 8); }
inline void Put32(unsigned char* p, uint32_t v) { Put16(p, (uint16_t)v); Put16(p + 2, (uint16_t)(v >> 16)); }
inline void Put64(unsigned char* p, uint64_t v) { Put32(p, (uint32_t)v); Put32(p + 4, (uint32_t)(v >> 32)); }

typedef std::vector<unsigned char> Bytes;

// A $FILE_NAME value.
inline Bytes FileNameValue(const std::wstring& name, uint32_t parent, unsigned nameSpace,
                           uint16_t parentSequence = 1, uint64_t created = 0x01D5C1B2C3D4E5F6ull)
{
    Bytes v(0x42 + 2 * name.size());
    Put32(&v[0], parent);
    Put16(&v[6], parentSequence);
    Put64(&v[0x08], created);
    Put64(&v[0x18], created + 1);
    v[0x40] = (unsigned char)name.size();
    v[0x41] = (unsigned char)nameSpace;
    for (size_t i = 0; i < name.size(); ++i)
        Put16(&v[0x42 + 2 * i], (uint16_t)name[i]);
    return v;
}

// One 1024-byte "FILE" record assembled attribute by attribute.
class CRecordBuilder
{
public:
    explicit CRecordBuilder(unsigned flags = 1, uint16_t sequence = 1) : m_buf(1024, 0), m_pos(0x38)
    {
        memcpy(&m_buf[0], "FILE", 4);
        Put16(&m_buf[4], 0x30);
        Put16(&m_buf[6], 3);
        Put16(&m_buf[0x10], sequence);
        Put16(&m_buf[0x14], 0x38);
        m_buf[0x16] = (unsigned char)flags;
        Put32(&m_buf[0x1C], 1024);
    }

    // Returns the attribute's offset.
    uint32_t Resident(uint32_t type, const Bytes& value, const std::wstring& name = L"")
    {
        uint32_t nameOff = 0x18;
        uint32_t valueOff = Align8(nameOff + 2 * (uint32_t)name.size());
        uint32_t length = Align8(valueOff + (uint32_t)value.size());
        unsigned char* a = Header(type, length, 0, name, nameOff);
        Put32(a + 0x10, (uint32_t)value.size());
        Put16(a + 0x14, (uint16_t)valueOff);
        if (!value.empty())
            memcpy(a + valueOff, value.data(), value.size());
        return Advance(length);
    }

    uint32_t NonResident(uint32_t type, const Bytes& pairs, uint64_t dataSize, uint64_t lowestVcn = 0,
                         const std::wstring& name = L"")
    {
        uint32_t nameOff = 0x40;
        uint32_t pairsOff = Align8(nameOff + 2 * (uint32_t)name.size());
        uint32_t length = Align8(pairsOff + (uint32_t)pairs.size() + 1);
        unsigned char* a = Header(type, length, 1, name, nameOff);
        Put64(a + 0x10, lowestVcn);
        Put16(a + 0x20, (uint16_t)pairsOff);
        Put64(a + 0x28, dataSize);
        Put64(a + 0x30, dataSize);
        Put64(a + 0x38, dataSize);
        memcpy(a + pairsOff, pairs.data(), pairs.size());
        return Advance(length);
    }

    // The record as on disk: end marker, then the sector ends moved into
    // the update-sequence array.
    Bytes Finish(uint16_t usn = 0x0102)
    {
        Put32(&m_buf[m_pos], 0xFFFFFFFF);
        Put32(&m_buf[0x18], m_pos + 8);
        Bytes out = m_buf;
        Put16(&out[0x30], usn);
        for (int i = 0; i < 2; ++i) {
            out[0x32 + 2 * i] = out[510 + 512 * i];
            out[0x33 + 2 * i] = out[511 + 512 * i];
            Put16(&out[510 + 512 * i], usn);
        }
        return out;
    }

    unsigned char* raw() { return m_buf.data(); }

private:
    static uint32_t Align8(uint32_t v) { return (v + 7) & ~7u; }
    unsigned char* Header(uint32_t type, uint32_t length, unsigned nonResident, const std::wstring& name,
                          uint32_t nameOff)
    {
        unsigned char* a = &m_buf[m_pos];
        Put32(a, type);
        Put32(a + 4, length);
        a[8] = (unsigned char)nonResident;
        a[9] = (unsigned char)name.size();
        Put16(a + 10, (uint16_t)nameOff);
        for (size_t i = 0; i < name.size(); ++i)
            Put16(a + nameOff + 2 * i, (uint16_t)name[i]);
        return a;
    }
    uint32_t Advance(uint32_t length)
    {
        uint32_t at = m_pos;
        m_pos += length;
        return at;
    }

    Bytes m_buf;
    uint32_t m_pos;
};

// A volume of whole sectors in a temporary file, made the sector reader's
// source (a logical volume: LBAs from 0) for the object's lifetime.
class CTempVolume
{
public:
    explicit CTempVolume(uint32_t sectors) : m_data((size_t)sectors * 512, 0), m_handle(INVALID_HANDLE_VALUE) {}
    ~CTempVolume()
    {
        Close();
        g_SourceType = m_oldSource;
    }

    void Write(uint32_t lba, const Bytes& bytes) { memcpy(&m_data[(size_t)lba * 512], bytes.data(), bytes.size()); }
    unsigned char* At(uint32_t lba) { return &m_data[(size_t)lba * 512]; }

    // Writes the file and selects it as the source.
    void Attach()
    {
        Close();
        wchar_t dir[MAX_PATH], path[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"ntf", 0, path);
        m_path = path;
        HANDLE h = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
        DWORD written = 0;
        WriteFile(h, m_data.data(), (DWORD)m_data.size(), &written, NULL);
        m_handle = h;
        m_oldSource = g_SourceType;
        g_SourceType = SourceLogicalVolume;
        g_VolumeHandle = h;
    }

private:
    void Close()
    {
        if (m_handle != INVALID_HANDLE_VALUE) {
            if (g_VolumeHandle == m_handle)
                g_VolumeHandle = NULL;
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
        }
    }

    Bytes m_data;
    HANDLE m_handle;
    std::wstring m_path;
    uint16_t m_oldSource = 0;
};

}  // namespace ntfstest
