#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "calc/checked_arithmetic.h"
#include "calc/number_text.h"

namespace velmora {
namespace {

constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;

#if defined(__i386__) || defined(_M_IX86)
// The x87 unit at 64-bit precision, where mingw-w64 and glibc programs start
// (and whatever a runtime's default): runtime code that multiplies there
// rounds a double product twice. The reader must not care.
class ExtendedX87Precision {
public:
    ExtendedX87Precision() {
        asm volatile("fnstcw %0" : "=m"(saved_));
        const std::uint16_t extended = saved_ | std::uint16_t{0x0300};
        asm volatile("fldcw %0" : : "m"(extended));
    }
    ~ExtendedX87Precision() { asm volatile("fldcw %0" : : "m"(saved_)); }

private:
    std::uint16_t saved_ = 0;
};
#else
struct ExtendedX87Precision {};  // no x87 unit in use
#endif

// Texts within a hair of the midpoint between two doubles, the ones a
// reader that rounds twice gets one unit wrong, each with the bits it must
// read as; beyond the double range they must fault. VELMORA_MIDPOINT_CASES
// names the unpacked file.
TEST(MidpointCasesTest, EveryTextReadsAsItsNearestDouble) {
    const char* path = std::getenv("VELMORA_MIDPOINT_CASES");
    ASSERT_NE(path, nullptr) << "VELMORA_MIDPOINT_CASES is not set";
    std::ifstream cases(path);
    ASSERT_TRUE(cases) << "cannot open " << path;

    [[maybe_unused]] const ExtendedX87Precision precision;
    std::string half, single, bits, text;
    int lines = 0;
    int wrong = 0;
    while (cases >> half >> single >> bits >> text) {
        ++lines;
        std::uint64_t expected = 0;
        std::from_chars(bits.data(), bits.data() + bits.size(), expected, 16);
        std::string got;
        try {
            got = std::to_string(BitCast<std::uint64_t>(ReadLeadingNumber(text)));
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

} // namespace
} // namespace velmora
