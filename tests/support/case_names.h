#pragma once

#include <gtest/gtest.h>
#include <ostream>
#include <string>

// A row of a case table whose name column names the case (letters, digits and '_').
template <typename Case>
concept NamedCase = requires(const Case &c)
{
    std::string(c.name);
};

// Names the cases of a parameterised test by their name column, so ctest lists them readably.
struct CaseName {
    template <NamedCase Case> std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        return info.param.name;
    }
};

// A failing case shows its name instead of the raw bytes of its row.
template <NamedCase Case> void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

// Argument-dependent lookup looks only in a type's own namespace: this finds PrintTo for the case
// tables declared in a test file's unnamed namespace too.
namespace {
using ::PrintTo;
} // namespace
