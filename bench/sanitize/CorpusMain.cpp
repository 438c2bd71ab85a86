// The corrupt-image corpus, built natively with the sanitizers:
//   corpus_native FIXED.vhd DYNAMIC.vhd DYNAMIC.vhdx WORKDIR RAW.DAT FIRST COUNT
// Runs seeds FIRST .. FIRST+COUNT-1 and prints one line per case; exits 1
// when a case failed its checks (a crash or a sanitizer report ends the
// process on its own, with the seed already printed).
#include <stdio.h>
#include <stdlib.h>

#include "Corpus.h"

namespace {

std::wstring Wide(const char* text)
{
    std::wstring w;
    for (const char* p = text; *p; ++p)
        w += (wchar_t)(unsigned char)*p;
    return w;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 8) {
        fprintf(stderr, "usage: %s FIXED.vhd DYNAMIC.vhd DYNAMIC.vhdx WORKDIR RAW.DAT FIRST COUNT\n", argv[0]);
        return 2;
    }
    corpus::CCorpus corpus({Wide(argv[1]), Wide(argv[2]), Wide(argv[3])}, Wide(argv[4]), Wide(argv[5]));
    // The sanitizers slow every pass down and keep shadow memory.
    corpus.SetTimeScale(getenv("CORPUS_TIME_SCALE") ? atof(getenv("CORPUS_TIME_SCALE")) : 20.0);
    corpus.SetMemoryLimit(4096ull << 20);
    if (!corpus.Prepare()) {
        fprintf(stderr, "corpus: %s\n", corpus.error().c_str());
        return 2;
    }
    uint32_t first = (uint32_t)strtoul(argv[6], nullptr, 10), count = (uint32_t)strtoul(argv[7], nullptr, 10);
    int failed = 0;
    for (uint32_t seed = first; seed < first + count; ++seed) {
        fprintf(stderr, "corpus: seed %u %s\n", seed, corpus.Describe(seed).c_str());
        corpus::CaseResult r = corpus.Run(seed);
        printf("seed %u %-26s open %d parts %2d quick %d volumes %u hits %4u %6lu ms %s\n", r.seed, r.region.c_str(),
               r.opened, r.partitions, r.quickScans, r.foundVolumes, r.traceHits, (unsigned long)r.elapsedMs,
               r.failure.c_str());
        fflush(stdout);
        if (!r.failure.empty())
            ++failed;
    }
    printf("%u cases, %d failed, peak memory %llu MiB\n", count, failed,
           (unsigned long long)(corpus::PeakMemory() >> 20));
    return failed ? 1 : 0;
}
