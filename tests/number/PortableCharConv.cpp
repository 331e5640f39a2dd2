// The portable primitives under a namespace of their own, so that the test
// holds them beside the standard library's.
#define ppspin ppspin_portable
#include "../../number/CharConvPortable.cpp"
#undef ppspin

#include "PortableCharConv.h"

namespace ppspin::portable {

std::string Shortest(double x) {
    std::string out;
    ppspin_portable::AppendShortest(out, x);
    return out;
}

std::string Decimal(double x, int decimals) {
    return ppspin_portable::DecimalText(x, decimals);
}

std::string Scientific(double x, int decimals) {
    return ppspin_portable::ScientificText(x, decimals);
}

std::string General(double x, int digits) {
    return ppspin_portable::GeneralText(x, digits, '.');
}

int Read(std::string_view text, double& value) {
    return static_cast<int>(ppspin_portable::ReadDouble(text, value));
}

} // namespace ppspin::portable
