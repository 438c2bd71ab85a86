// Shared pieces of the native fuzz targets: a scratch image file on tmpfs
// built from the input, and the engine state a pass over it needs.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string>
#include <vector>

namespace fuzz {

// The path of this process's scratch file with the given extension, in
// /dev/shm when it exists (the targets write it on every input).
std::wstring ScratchPath(const char* extension);

// A sparse file from an input of chunks, each "sector (u32 LE), length
// (u16 LE), bytes": the bytes go to sector * 512; the file ends at the last
// chunk's end (at most maxBytes). Chunks past maxBytes or cut short are
// dropped. Returns the file's size.
uint64_t WriteChunkFile(const std::wstring& path, const uint8_t* data, size_t size, uint64_t maxBytes);

// Appends a fixed-disk VHD footer for a disk of the file's present size
// (rounded up to whole sectors) so that the engine opens it as a VHD.
void AppendFixedFooter(const std::wstring& path);

// Opens the scratch image, points the sector reader at it and resets the
// run; returns false when the image does not open. CloseImage undoes it.
bool OpenImage(const std::wstring& path);
void CloseImage();

}  // namespace fuzz
