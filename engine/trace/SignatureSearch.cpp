#include "trace/SignatureSearch.h"

#include <stdint.h>
#include <string.h>
#include <wchar.h>

#include <string>
#include <vector>

#include "io/SectorReader.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/OfficeProbe.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"
#include "trace/TraceText.h"
#include "io/SourceSectors.h"

uint64_t g_TraceUnreadableSectors;

namespace {

enum { MaxCompareBytes = 15 };

// A chosen signature decoded to bytes, with its clamped compare length.
struct PreparedSignature
{
    unsigned char bytes[MaxCompareBytes];
    unsigned length;
    const SignatureSelection* selection;
};

// The chosen signatures grouped by their first byte, each group in list
// order, so a sector is compared only with the signatures that can match it
// and the first match is still the first in the list.
class CSignatureIndex
{
public:
    CSignatureIndex()
    {
        for (const SignatureSelection* s = g_SignatureList.head; s; s = s->next) {
            PreparedSignature p;
            size_t decoded = HexToBytes(s->signature, p.bytes, MaxCompareBytes);
            if (decoded == 0)
                continue;  // nothing to compare: such a signature never matches
            p.length = s->compareLength < 1 ? 1 : s->compareLength;
            if (p.length > decoded)
                p.length = (unsigned)decoded;
            p.selection = s;
            m_groups[p.bytes[0]].push_back(p);
        }
        // Sectors that begin with zeros (free space, unwritten blocks) are
        // the commonest of all and many signatures begin with a zero byte:
        // their answer is worked out once.
        static const unsigned char zeros[MaxCompareBytes] = {};
        m_zeroMatch = MatchGroup(zeros);
    }

    const SignatureSelection* Match(const unsigned char* sector) const
    {
        if (sector[0] == 0) {
            unsigned char any = 0;
            for (unsigned i = 1; i < MaxCompareBytes; ++i)
                any |= sector[i];
            if (any == 0)
                return m_zeroMatch;
        }
        return MatchGroup(sector);
    }

private:
    const SignatureSelection* MatchGroup(const unsigned char* sector) const
    {
        // The second byte sorts out most signatures of a group without a call.
        for (const PreparedSignature& p : m_groups[sector[0]])
            if ((p.length < 2 || sector[1] == p.bytes[1]) && memcmp(sector, p.bytes, p.length) == 0)
                return p.selection;
        return nullptr;
    }

    std::vector<PreparedSignature> m_groups[256];
    const SignatureSelection* m_zeroMatch;
};

bool IsChosenExtension(const std::wstring& extension)
{
    for (const SignatureSelection* s = g_SignatureList.head; s; s = s->next)
        if (_wcsicmp(s->extension, extension.c_str()) == 0)
            return true;
    return false;
}

// The type of a hit: the signature's extension, or for the compound-file
// signatures the probe's answer when that type was chosen too.
std::wstring HitExtension(const SignatureSelection* s, uint32_t sector)
{
    std::wstring extension = s->extension;
    if (_wcsicmp(s->extension, L".doc") == 0 || _wcsicmp(s->extension, L".docx") == 0) {
        std::wstring probed = ProbeOfficeType(sector);
        if (IsChosenExtension(probed))
            extension = probed;
    }
    return extension;
}

int ReadRange(uint64_t lba, uint32_t count, unsigned char* buffer)
{
    return ReadSourceSectors(lba, count, buffer);
}

}  // namespace

void SearchSignatures(const TraceSearchObserver* observer, TraceSearchResult* result)
{
    TraceSearchObserver none = TraceSearchObserver();
    if (!observer)
        observer = &none;
    TraceSearchResult r = TraceSearchResult();

    FreeTraceHitList();
    g_FileCount = 0;
    g_FolderCount = 0;

    const uint64_t s = VolumeParams.startSector;
    // Only the sectors that exist: a damaged table entry may claim more.
    const uint64_t total = VolumeParams.endSector >= s ? SectorsInSource(s, VolumeParams.endSector - s + 1) : 0;
    const uint64_t e = total ? s + total - 1 : s;
    const CSignatureIndex index;
    std::vector<unsigned char> buffer((size_t)TraceBatchSectors * SectorSize);
    bool readable[TraceBatchSectors];
    uint64_t done = 0;
    int shownPercent = -1;
    // The sector count at which the shown percentage next changes, so that
    // the percentage is not divided out for every sector.
    uint64_t nextPercentAt = 0;

    for (uint64_t batch = s; batch <= e && total != 0; batch += TraceBatchSectors) {
        if (ScanStopRequested() == 1) {
            r.stopped = 1;
            break;
        }
        const uint32_t n = (uint32_t)(e - batch + 1 < TraceBatchSectors ? e - batch + 1 : (uint64_t)TraceBatchSectors);
        if (observer->onBatch)
            observer->onBatch(observer->context, (uint32_t)batch, (uint32_t)e);

        if (ReadRange(batch, n, &buffer[0])) {
            memset(readable, 1, sizeof readable);
        } else {
            for (uint32_t j = 0; j < n; ++j) {
                readable[j] = ReadRange(batch + j, 1, &buffer[(size_t)j * SectorSize]) != 0;
                if (!readable[j])
                    ++r.unreadableSectors;
            }
        }

        for (uint32_t j = 0; j < n; ++j) {
            if (ScanStopRequested() == 1) {
                r.stopped = 1;
                break;
            }
            if (done >= nextPercentAt && observer->onProgress) {
                int percent = (int)(done * 100 / total);
                if (percent > 99)
                    percent = 99;
                if (percent != shownPercent) {
                    shownPercent = percent;
                    observer->onProgress(observer->context, percent);
                }
                // The first count whose percentage is one more: ceil((p + 1) * total / 100).
                nextPercentAt = percent >= 99 ? UINT64_MAX : ((uint64_t)(percent + 1) * total + 99) / 100;
            }
            ++done;
            if (!readable[j])
                continue;
            ++r.examinedSectors;
            const uint32_t t = (uint32_t)(batch + j);
            const SignatureSelection* match = index.Match(&buffer[(size_t)j * SectorSize]);
            if (!match)
                continue;
            const uint32_t h = ++r.hitCount;
            const std::wstring extension = HitExtension(match, t);
            const std::wstring name = std::to_wstring(h) + extension;
            AppendTraceHit(name.c_str(), extension.c_str(), match->description, t, h);
            ++g_FileCount;
            g_FolderCount = g_FileCount;
            if (observer->onHit)
                observer->onHit(observer->context, g_TraceHitList.tail);
        }
        if (r.stopped || e - batch < TraceBatchSectors)
            break;  // last batch (also keeps batch from wrapping past the end)
    }
    g_TraceUnreadableSectors = r.unreadableSectors;
    if (result)
        *result = r;
}
