// Fuzz target of the signature catalogue reader: the input is a "Raw.dat"
// file, parsed into records, and every type of it chosen as the File Types
// dialog chooses them.
#include <stdint.h>
#include <set>
#include <string>
#include <vector>

#include "trace/SignatureCatalogue.h"
#include "trace/SignatureSelection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CatalogueRecord> records;
    ParseCatalogue(data, size, records);
    std::set<std::wstring> extensions;
    for (const CatalogueRecord& r : records)
        if (extensions.insert(r.extension).second)
            AppendCatalogueSignatures(records, r.extension.c_str());
    FreeSignatureList();
    return 0;
}
