// A report's header read back as field texts.
#include "ReportInputs.h"
#include "ConvertInputs.h"
#include "Report.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

// The header a run of these texts writes, with separator.
std::string HeaderOf(const TFieldTexts& texts, char separator) {
    testing::TempDir dir;
    TRunInput in;
    EXPECT_FALSE(ConvertInputs(texts, separator, in));
    TFileReplacement report(dir.File("r.txt"));
    EXPECT_TRUE(WriteReportHeader(in, separator, report));
    return testing::ReadBytes(report.TemporaryPath());
}

TFieldTexts ChangedTexts(char separator) {
    TFieldTexts texts = DefaultFieldTexts(separator);
    texts[0] = "0.03", texts[2] = "3000", texts[7] = "-1650.25", texts[13] = "80";
    texts[18] = "0.25"; // printed with one decimal
    for (std::string& text : texts)
        std::replace(text.begin(), text.end(), '.', separator);
    return texts;
}

TEST(ReportInputs, GivesBackEachInputAsPrinted) {
    for (const char written : {'.', ','}) {
        for (const char read : {'.', ','}) {
            TFieldTexts texts = DefaultFieldTexts(read);
            std::string message;
            ASSERT_TRUE(
                ReadReportInputs(HeaderOf(ChangedTexts(written), written), read, texts, message))
                << message;
            const std::string p(1, read);
            EXPECT_EQ(texts[0], "0" + p + "0300");
            EXPECT_EQ(texts[2], "3000" + p + "0");
            EXPECT_EQ(texts[7], "-1650" + p + "25");
            EXPECT_EQ(texts[13], "80" + p + "0");
            EXPECT_EQ(texts[18], "0" + p + "3");             // 0.25 comes back as printed
            EXPECT_EQ(texts[1], DefaultFieldTexts(read)[1]); // fixed: left as it is
            EXPECT_EQ(texts[FileNameField], "result.txt");
        }
    }
}

TEST(ReportInputs, RefusesWhatIsNotThisProgramsHeader) {
    const std::string good = HeaderOf(DefaultFieldTexts('.'), '.');
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"hello\r\n", "line 1 should read \"OPERATING CONDITION\""},
        {good.substr(0, good.find("FIRST ZONE")), "line 8 is missing"},
        {replaced("=  130.0000", "=  abc"), "line 13 has no value as this program prints one"},
        {replaced("=  0.0250", "=  0,0250"), "line 4 has no value as this program prints one"},
        {replaced("Take-up Speed ", "Take-up Rate  "), "line 5 should begin"},
        {replaced("=  0.700", "=  0.800"), "line 4 has another value than this program's"},
        {replaced("[RESULTS]", "[RESULT]"), "line 42 should read \"[RESULTS]\""},
    };
    for (const auto& c : cases) {
        TFieldTexts texts = DefaultFieldTexts('.');
        std::string message;
        EXPECT_FALSE(ReadReportInputs(c.text, '.', texts, message)) << c.message;
        EXPECT_EQ(message.rfind(std::string("Not a report of this program: ") + c.message, 0), 0u)
            << message;
        EXPECT_EQ(texts, DefaultFieldTexts('.'));
    }
}

} // namespace
} // namespace ppspin
