// What the fuzz targets share: an invariant that fails aborts with what was
// wrong, so libFuzzer keeps the input that broke it.
#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

inline void require(bool holds, const char *what, const QString &detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s %s\n", what, qPrintable(detail));
    std::abort();
}

#define FUZZ_TARGET extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
