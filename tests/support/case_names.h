#pragma once

#include <gtest/gtest.h>
#include <string>

// Names the cases of a parameterised test by their name column (letters, digits and '_'), so
// ctest lists them readably.
struct CaseName {
    template <typename Case> std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        return info.param.name;
    }
};
