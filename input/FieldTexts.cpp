#include "FieldTexts.h"

#include "ProfileSnapshot.h"

#include <algorithm>

#if defined(__unix__) || defined(__APPLE__)
#include <langinfo.h>
#include <locale.h>
#else
#include <locale>
#include <stdexcept>
#endif

namespace ppspin {

TFieldTexts DefaultFieldTexts(char separator) {
    TFieldTexts texts = {"0.025",   "0.7", "3500.0", "190.0", "10.0",   "245700.0",  "130.0",
                         "-1710.0", "0.0", "35.0",   "34.1",  "-8.636", "20.0",      "50.0",
                         "100.0",   "0.0", "2000.0", "190.0", "1.0",    "result.txt"};
    for (int f = 0; f < FileNameField; ++f)
        for (char& c : texts[static_cast<std::size_t>(f)])
            if (c == '.')
                c = separator;
    return texts;
}

std::string NumberText(double value, char separator) {
    std::string text;
    AppendShortest(text, value);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

char UserDecimalSeparator() {
#if defined(__unix__) || defined(__APPLE__)
    // The numeric category alone: a whole C++ locale loads every category
    // of the user's locale, about a millisecond of a headless run's start.
    const locale_t numeric = newlocale(LC_NUMERIC_MASK, "", locale_t{});
    if (numeric == locale_t{})
        return '.'; // the environment names a locale this system lacks
    const char c = nl_langinfo_l(RADIXCHAR, numeric)[0];
    freelocale(numeric);
    return c != '\0' ? c : '.';
#else
    try {
        const std::locale user("");
        const char c = std::use_facet<std::numpunct<char>>(user).decimal_point();
        return c != '\0' ? c : '.';
    } catch (const std::runtime_error&) {
        return '.'; // the environment names a locale this system lacks
    }
#endif
}

} // namespace ppspin
