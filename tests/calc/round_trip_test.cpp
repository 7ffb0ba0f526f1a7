#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "calc/number_text.h"

namespace velmora {
namespace {

// Any double's shortest text, with blanks strewn through it and something
// after it, reads back to the same bits.
TEST(ReadLeadingNumberRoundTrip, RandomDoublesWithBlanksAreBitExact) {
    const std::uint64_t seed = std::random_device{}();
    std::cout << "seed = " << seed << '\n';
    std::mt19937_64 random(seed);
    const char blanks[] = {' ', '\t', '\n'};
    const char* const tails[] = {"", "x", ",5", " ohms", ".", "e", "E+", "\r9"};
    std::uniform_int_distribution<int> pick(0, 7);

    int checked = 0;
    while (checked < 100000) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) continue;
        char shortest[64];
        const auto end = std::to_chars(shortest, shortest + sizeof shortest, value).ptr;

        std::string typed;
        for (const char* c = shortest; c != end; ++c) {
            if (pick(random) == 0) typed += blanks[pick(random) % 3];
            typed += *c;
        }
        typed += tails[pick(random)];

        const double read = ReadLeadingNumber(typed);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(value))
            << "typed \"" << typed << "\" seed " << seed;
        ++checked;
    }
}

} // namespace
} // namespace velmora
