// Fuzz target of the partition table walk: the input's chunks
// (FuzzSupport.h) are the disk's sectors (MBR, EBR chain, boot sectors),
// wrapped as a fixed VHD and walked as the drive step does.
#include <stdint.h>

#include "FuzzSupport.h"
#include "partition/PartitionTable.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::wstring path = fuzz::ScratchPath("-disk.vhd");
    fuzz::WriteChunkFile(path, data, size, 64ull << 20);
    fuzz::AppendFixedFooter(path);
    if (!fuzz::OpenImage(path))
        return 0;
    BeginScanWorker();
    ReadPartitionTable();
    EndScanWorker();
    fuzz::CloseImage();
    return 0;
}
