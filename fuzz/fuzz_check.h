#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep. A failure aborts, which libFuzzer records as a finding and
// the corpus replay reports as a failed test.
inline void require(bool holds, const char *property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}
