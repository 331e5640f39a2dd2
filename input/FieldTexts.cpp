#include "FieldTexts.h"

#include "InputCatalogue.h"

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
    TFieldTexts texts;
    for (const TInputField& input : InputCatalogue()) {
        std::string text = DefaultText(input);
        if (input.Value != nullptr)
            std::replace(text.begin(), text.end(), '.', separator);
        texts[static_cast<std::size_t>(input.Field)] = std::move(text);
    }
    return texts;
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
