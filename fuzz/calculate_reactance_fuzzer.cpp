// CalculateReactance for consistency with an independent computation in
// long double: no result exactly when a typed value is not positive, a
// fault exactly when a step leaves the double range, and otherwise a line
// whose number is the reactance rounded to hundredths.
//
// Input: one byte choosing the units, then the frequency text, a NUL, and
// the inductance text.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calc/reactance.h"

namespace {

using velmora::ArithmeticFault;

// Doubles round anything from here up to infinity: 2^1024 - 2^970.
const long double kOverflowsDouble = std::ldexp(1.0L, 1024) - std::ldexp(1.0L, 970);

// Where a long double and the program's 53-bit steps may honestly disagree.
bool NearOverflow(long double value) {
    return std::fabs(value / kOverflowsDouble - 1) < 1e-14L;
}

// The number ReadLeadingNumber gives, or nothing where it faults.
bool Read(const std::string& text, double& value) {
    try {
        value = velmora::ReadLeadingNumber(text);
        return true;
    } catch (const ArithmeticFault&) {
        return false;
    }
}

enum class Expect { NoResult, Fault, Line, Either };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = rest.find('\0');
    if (split == std::string::npos) return 0;

    velmora::ReactanceInputs inputs;
    inputs.frequencyText = rest.substr(0, split);
    inputs.inductanceText = rest.substr(split + 1);
    const long double frequencyScale[] = {1, 1000, 1000000};
    const long double inductanceScale[] = {1000, 1000000};
    const int f = data[0] % 3;
    const int l = (data[0] / 3) % 2;
    inputs.frequencyUnit = static_cast<velmora::FrequencyUnit>(f);
    inputs.inductanceUnit = static_cast<velmora::InductanceUnit>(l);

    velmora::RegionalSettings settings;  // '.' and ',' in groups of three

    Expect expect = Expect::Line;
    long double reactance = 0;
    double typedFrequency = 0;
    double typedInductance = 0;
    if (!Read(inputs.frequencyText, typedFrequency)) {
        expect = Expect::Fault;
    } else if (!(typedFrequency > 0)) {
        expect = Expect::NoResult;
    } else {
        const long double hertz = typedFrequency * frequencyScale[f];
        if (hertz >= kOverflowsDouble) {
            expect = NearOverflow(hertz) ? Expect::Either : Expect::Fault;
        } else if (!Read(inputs.inductanceText, typedInductance)) {
            expect = Expect::Fault;
        } else if (!(typedInductance > 0)) {
            expect = Expect::NoResult;
        } else {
            reactance = hertz * 6.2831853L * (typedInductance / inductanceScale[l]);
            if (NearOverflow(reactance)) expect = Expect::Either;
            else if (reactance >= kOverflowsDouble) expect = Expect::Fault;
        }
    }

    std::optional<std::string> line;
    try {
        line = velmora::CalculateReactance(inputs, settings);
    } catch (const ArithmeticFault& fault) {
        if (expect != Expect::Fault && expect != Expect::Either) std::abort();
        if (fault.kind() != ArithmeticFault::Kind::Overflow) std::abort();
        return 0;
    }
    if (expect == Expect::Fault) std::abort();
    if (expect == Expect::NoResult) {
        if (line) std::abort();
        return 0;
    }
    if (!line) std::abort();

    const std::string prefix = "Inductive Reactance = ";
    const std::string suffix = " ohms";
    if (line->rfind(prefix, 0) != 0 || line->size() < prefix.size() + suffix.size() ||
        line->compare(line->size() - suffix.size(), suffix.size(), suffix) != 0)
        std::abort();
    const std::string number = line->substr(prefix.size(), line->size() - prefix.size() - suffix.size());
    char* end = nullptr;
    const long double shown = std::strtold(number.c_str(), &end);
    if (end != number.c_str() + number.size()) std::abort();
    if (expect == Expect::Either) return 0;
    // Hundredths, then 15 significant digits, then the double roundings.
    const long double allowed = 0.005L + std::fabs(reactance) * 1e-14L;
    if (std::fabs(shown - reactance) > allowed) std::abort();
    return 0;
}
