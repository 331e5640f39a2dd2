#include "ReportInputs.h"

#include "QuotedText.h"
#include "ReportHeader.h"
#include "TextToFloat.h"

#include <algorithm>
#include <vector>

namespace ppspin {

namespace {

// The header's lines, each without its line end (CRLF as written, or LF
// after a copy through another system).
std::vector<std::string_view> HeaderLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty() && static_cast<int>(lines.size()) < ReportHeaderLineCount) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as its field takes it, so that a hand-edited header reads as
// the window would: a sign, digits with or without decimals (or decimals
// alone), and an exponent E or e with an optional sign; "." or "," as the
// separator. Its separator, if any, in sep.
bool IsNumberText(std::string_view text, char& sep) {
    std::size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i > start;
    };
    bool mantissa = digits();
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        sep = text[i++];
        mantissa = digits() || mantissa;
    }
    if (!mantissa)
        return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (!digits())
            return false;
    }
    return i == text.size();
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

bool ReadReportInputs(std::string_view report, char separator, TFieldTexts& texts,
                      std::string& message) {
    const std::vector<std::string_view> lines = HeaderLines(report);
    const auto& layout = ReportHeaderLines();
    const auto fail = [&](int line, const std::string& why) {
        message = "Not a report of this program: line " + std::to_string(line) + " " + why;
        return false;
    };
    TFieldTexts read = texts;
    const TRunInput defaults;
    char reportSeparator = 0;
    for (int k = 0; k < ReportHeaderLineCount; ++k) {
        const THeaderLine& expected = layout[static_cast<std::size_t>(k)];
        if (k >= static_cast<int>(lines.size()))
            return fail(k + 1, "is missing: the file ends before the header does");
        const std::string_view line = lines[static_cast<std::size_t>(k)];
        if (expected.Input == nullptr) {
            if (line != expected.Text)
                return fail(k + 1, "should read " + QuotedText(expected.Text));
            continue;
        }
        const std::string_view label = expected.Text;
        if (line.substr(0, label.size()) != label)
            return fail(k + 1, "should begin " + QuotedText(label));
        std::string value(Trimmed(line.substr(label.size())));
        char sep = 0;
        if (!IsNumberText(value, sep) ||
            (sep != 0 && reportSeparator != 0 && sep != reportSeparator))
            return fail(k + 1, "has no value as this program prints one: " + QuotedText(value));
        reportSeparator = sep != 0 ? sep : reportSeparator;
        double number = 0;
        if (!TextToFloat(value, sep != 0 ? sep : '.', number))
            return fail(k + 1, "has a value beyond the range of a number: " + QuotedText(value));
        const TInputField& input = *expected.Input;
        // The polymer's properties are fixed in this program: a report with
        // others is not one of its runs.
        if (!input.Editable) {
            if (number != defaults.*input.Value)
                return fail(k + 1, "has another value than this program's fixed one: " +
                                       QuotedText(value));
            continue;
        }
        std::replace(value.begin(), value.end(), sep != 0 ? sep : separator, separator);
        read[static_cast<std::size_t>(input.Field)] = value;
    }
    texts = read;
    return true;
}

} // namespace ppspin
