// Names a parameterised test after its row, so a failure says which case broke.
#pragma once

#include <gtest/gtest.h>

#include <string>

struct RowName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};
