#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "calc/number_text.h"
#include "named_rows.h"

namespace velmora {
namespace {

constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;

#if defined(__i386__) || defined(_M_IX86)
// Sets the x87 precision control for the scope. Runtime code that
// multiplies in the x87 unit rounds at that precision, and at 64 bits a
// double product is rounded twice; the reader must not care.
class X87PrecisionScope {
public:
    explicit X87PrecisionScope(std::optional<std::uint16_t> precision) {
        asm volatile("fnstcw %0" : "=m"(saved_));
        if (!precision) return;
        const std::uint16_t control = (saved_ & ~std::uint16_t{0x0300}) | *precision;
        asm volatile("fldcw %0" : : "m"(control));
    }
    ~X87PrecisionScope() { asm volatile("fldcw %0" : : "m"(saved_)); }

private:
    std::uint16_t saved_ = 0;
};
#else
struct X87PrecisionScope {  // no x87 unit in use
    explicit X87PrecisionScope(std::optional<std::uint16_t>) {}
};
#endif

struct PrecisionRow {
    const char* name;
    std::optional<std::uint16_t> x87Precision;  // precision-control bits; none: leave as is
};

class MidpointCasesTest : public testing::TestWithParam<PrecisionRow> {};

// Texts within a hair of the midpoint between two doubles, the ones a
// reader that rounds twice gets one unit wrong, each with the bits it must
// read as; beyond the double range they must fault. VELMORA_MIDPOINT_CASES
// names the unpacked file.
TEST_P(MidpointCasesTest, EveryTextReadsAsItsNearestDouble) {
    const char* path = std::getenv("VELMORA_MIDPOINT_CASES");
    ASSERT_NE(path, nullptr) << "VELMORA_MIDPOINT_CASES is not set";
    std::ifstream cases(path);
    ASSERT_TRUE(cases) << "cannot open " << path;

    X87PrecisionScope precision(GetParam().x87Precision);
    std::string half, single, bits, text;
    int lines = 0;
    int wrong = 0;
    while (cases >> half >> single >> bits >> text) {
        ++lines;
        std::uint64_t expected = 0;
        std::from_chars(bits.data(), bits.data() + bits.size(), expected, 16);
        std::string got;
        try {
            got = std::to_string(std::bit_cast<std::uint64_t>(ReadLeadingNumber(text)));
        } catch (const ArithmeticFault& fault) {
            got = fault.what();
        }
        const std::string want =
            expected == kInfinityBits ? "Overflow" : std::to_string(expected);
        if (got != want && ++wrong <= 10) ADD_FAILURE() << text << " read as " << got << ", not " << want;
    }
    EXPECT_GT(lines, 0) << path << " holds no cases";
    EXPECT_EQ(wrong, 0) << "of " << lines << " texts";
}

const PrecisionRow kFloatingPointStates[] = {
    {"AsTheCallerLeftIt", std::nullopt},
#if defined(__i386__) || defined(_M_IX86)
    // Where mingw-w64 and glibc programs start, whatever a runtime's default.
    {"X87AtExtendedPrecision", std::uint16_t{0x0300}},
#endif
};
INSTANTIATE_TEST_SUITE_P(FloatingPointStates, MidpointCasesTest,
                         testing::ValuesIn(kFloatingPointStates), RowName{});

} // namespace
} // namespace velmora
