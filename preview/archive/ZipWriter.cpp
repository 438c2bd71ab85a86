// Finishing a zip archive: one central-directory record per stored entry,
// then the end-of-central-directory record.
#include "ZipWriter.h"

#include "ZipArchive.h"

#include <string.h>

namespace {

void Put16(std::string& out, unsigned v)
{
    out += (char)(v & 0xFF);
    out += (char)((v >> 8) & 0xFF);
}

void Put32(std::string& out, DWORD v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool WriteTarget(ZipWriterState* w, const std::string& bytes)
{
    DWORD n = (DWORD)bytes.size();
    if (w->targetKind == ZIP_KIND_MEMORY) {
        if (!w->memory || w->written > w->memoryLength || n > w->memoryLength - w->written) {
            w->note = ZIP_TARGET_FULL;
            return false;
        }
        memcpy(w->memory + w->written, bytes.data(), n);
    } else if (w->targetKind == ZIP_KIND_HANDLE) {
        DWORD done = 0;
        if (!WriteFile(w->file, bytes.data(), n, &done, nullptr) || done != n)
            return false;
    } else {
        return false;
    }
    w->written += n;
    return true;
}

} // namespace

DWORD ZipWriterFinish(ZipWriterState* w)
{
    if (w->finished)
        return ZIP_OK;
    w->finished = true;
    bool ok = true;
    DWORD start = w->written;
    DWORD count = (DWORD)w->entries.size();
    for (const ZipWriterEntry& e : w->entries) {
        std::string rec;
        Put32(rec, 0x02014b50);
        Put16(rec, e.versionMadeBy);
        Put16(rec, e.versionNeeded);
        Put16(rec, e.flags);
        Put16(rec, e.method);
        Put32(rec, e.dosDateTime);
        Put32(rec, e.crc);
        Put32(rec, e.compressedSize);
        Put32(rec, e.uncompressedSize);
        Put16(rec, (unsigned)e.name.size());
        Put16(rec, (unsigned)e.extra.size());
        Put16(rec, (unsigned)e.comment.size());
        Put16(rec, 0);
        Put16(rec, e.internalAttributes);
        Put32(rec, e.externalAttributes);
        Put32(rec, e.localHeaderOffset);
        rec += e.name + e.extra + e.comment;
        ok = ok && WriteTarget(w, rec);
    }
    w->entries.clear();
    std::string end;
    Put32(end, 0x06054b50);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, count);
    Put16(end, count);
    Put32(end, w->written - start);
    Put32(end, start);
    Put16(end, 0);
    ok = ok && WriteTarget(w, end);
    return ok ? ZIP_OK : ZIP_EXTRACT_FAILED;
}

void ZipWriterRelease(ZipWriterState* w)
{
    if (w->ownsFile && w->file != INVALID_HANDLE_VALUE)
        CloseHandle(w->file);
    w->file = INVALID_HANDLE_VALUE;
    w->memory = nullptr;
}
