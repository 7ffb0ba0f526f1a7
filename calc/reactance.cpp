#include "calc/reactance.h"

#include "calc/checked_arithmetic.h"

namespace velmora {
namespace {

// 2*pi to eight significant digits, as the program has always computed it.
constexpr double kTwoPi = 6.2831853;
constexpr double kKilo = 1000;
constexpr double kMega = 1000000;

double Hertz(double typed, FrequencyUnit unit) {
    switch (unit) {
    case FrequencyUnit::Hz: return typed;
    case FrequencyUnit::KHz: return CheckedMultiply(typed, kKilo);
    case FrequencyUnit::MHz: return CheckedMultiply(typed, kMega);
    }
    return typed;
}

double Henries(double typed, InductanceUnit unit) {
    switch (unit) {
    case InductanceUnit::mH: return CheckedDivide(typed, kKilo);
    case InductanceUnit::uH: return CheckedDivide(typed, kMega);
    }
    return typed;
}

} // namespace

std::optional<std::string> CalculateReactance(const ReactanceInputs& inputs,
                                              const RegionalSettings& settings) {
    const double typedFrequency = ReadLeadingNumber(inputs.frequencyText);
    if (!(typedFrequency > 0)) return std::nullopt;
    const double hertz = Hertz(typedFrequency, inputs.frequencyUnit);

    const double typedInductance = ReadLeadingNumber(inputs.inductanceText);
    if (!(typedInductance > 0)) return std::nullopt;
    const double henries = Henries(typedInductance, inputs.inductanceUnit);

    const double ohms = CheckedWideProduct(hertz, kTwoPi, henries);
    return "Inductive Reactance = " + NumberText(RoundToHundredths(ohms, settings), settings) +
           " ohms";
}

std::optional<std::string> CalculateReactance(const ReactanceInputs& inputs) {
    return CalculateReactance(inputs, CurrentRegionalSettings());
}

} // namespace velmora
