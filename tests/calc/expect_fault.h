// Checks that a step raises the ArithmeticFault of the given kind, named as
// the user will read it.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "calc/number_text.h"

namespace velmora {

inline void ExpectFault(const std::function<void()>& step, ArithmeticFault::Kind kind, const char* name) {
    try {
        step();
        ADD_FAILURE() << "no fault; expected " << name;
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.kind(), kind);
        EXPECT_STREQ(fault.what(), name);
    }
}

inline void ExpectOverflow(const std::function<void()>& step) {
    ExpectFault(step, ArithmeticFault::Kind::Overflow, "Overflow");
}

} // namespace velmora
