#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "calc/checked_arithmetic.h"
#include "calc/decimal_text.h"
#include "calc/number_text.h"

namespace velmora {
namespace {

// Any double's text to 17 significant digits, which tells every double
// apart, with blanks strewn through it and something after it, reads back to
// the same bits.
TEST(ReadLeadingNumberRoundTrip, RandomDoublesWithBlanksAreBitExact) {
    const std::uint64_t seed = std::random_device{}();
    std::cout << "seed = " << seed << '\n';
    std::mt19937_64 random(seed);
    const char blanks[] = {' ', '\t', '\n'};
    const char* const tails[] = {"", "x", ",5", " ohms", ".", "e", "E+", "\r9"};
    std::uniform_int_distribution<int> pick(0, 7);

    int checked = 0;
    while (checked < 100000) {
        const double value = BitCast<double>(random());
        if (!std::isfinite(value)) continue;
        char exact[64];
        const char* end = WriteDecimal(exact, exact + sizeof exact, value, DecimalForm::Scientific, 16);

        std::string typed;
        for (const char* c = exact; c != end; ++c) {
            if (pick(random) == 0) typed += blanks[pick(random) % 3];
            typed += *c;
        }
        typed += tails[pick(random)];

        const double read = ReadLeadingNumber(typed);
        ASSERT_EQ(BitCast<std::uint64_t>(read), BitCast<std::uint64_t>(value))
            << "typed \"" << typed << "\" seed " << seed;
        ++checked;
    }
}

} // namespace
} // namespace velmora
