#include "NudgeText.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

struct Nudge {
    const char* text;
    int steps;
    const char* expected; // nullptr: left alone
    char separator = '.';
    TInputDomain domain = TInputDomain::Free;
};

TEST(NudgeText, StepsTheLastDigitAndKeepsTheForm) {
    const Nudge cases[] = {
        {"3500.0", 1, "3500.1"},
        {"0.025", 1, "0.026"},
        {"9.9", 1, "10.0"},
        {"10.0", -1, "9.9"},
        {"0.0", -1, "-0.1"},
        {"-0.1", 1, "0.0"},
        {"-0.1", 2, "0.1"},
        {"+5", -10, "-5"},
        {"-1710.0", -10, "-1711.0"},
        {"-8.636", 10, "-8.626"},
        {"3500", -10, "3490"},
        {"1e-2", 1, "2e-2"},
        {"9.5E+03", 10, "10.5E+03"},
        {".5", 1, ".6"},
        {".5", -10, "-.5"},
        {"5.", -1, "4."},
        {"  3500.0  ", 1, "  3500.1  "},
        {"0,025", -1, "0,024", ','},
        {"123456789012345678901", 1, "123456789012345678902"},
        {"100000000000.0", -1, "99999999999.9"},
        // Nothing to step, or nothing that converts.
        {"abc", 1, nullptr},
        {"", 1, nullptr},
        {"-", 1, nullptr},
        {".", 1, nullptr},
        {"0,025", 1, nullptr},
        {"9e308", 1, nullptr},
        // Within the domain: no step crosses zero, nor reaches it where it is refused.
        {"0.004", -10, "0.001", '.', TInputDomain::Positive},
        {"0.001", -1, nullptr, '.', TInputDomain::Positive},
        {"1e-2", -1, nullptr, '.', TInputDomain::Positive},
        {"0.005", -5, "0.001", '.', TInputDomain::Positive},
        {"0.025", -1, "0.024", '.', TInputDomain::Positive},
        {"0.0", -1, nullptr, '.', TInputDomain::NonNegative},
        {"5.0", -100, "0.0", '.', TInputDomain::NonNegative},
        {"0.0", 1, "0.1", '.', TInputDomain::NonNegative},
        {"0.0", -1, "-0.1", '.', TInputDomain::Free},
        // Already refused: stepping may lead back in.
        {"-0.5", 10, "0.5", '.', TInputDomain::Positive},
        {"-0.5", -1, "-0.6", '.', TInputDomain::NonNegative},
    };
    for (const Nudge& c : cases) {
        const std::optional<std::string> got = NudgeText(c.text, c.separator, c.steps, c.domain);
        if (c.expected == nullptr)
            EXPECT_FALSE(got.has_value())
                << '"' << c.text << "\" gave \"" << got.value_or("") << '"';
        else
            EXPECT_EQ(got.value_or("(nothing)"), c.expected) << '"' << c.text << "\" " << c.steps;
    }
}

} // namespace
} // namespace ppspin
