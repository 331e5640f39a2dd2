// A report's header read back as field texts.
#include "ReportInputs.h"
#include "ConvertInputs.h"
#include "Report.h"
#include "ReportCaseFile.h"
#include "TempDir.h"

#include <fstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace ppspin {
namespace {

using namespace std::string_literals;

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
        {replaced("=  3500.0", "=  35\0"
                               "00"s),
         "line 5 has no value as this program prints one: \"35\\x0000\""},
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

// A hand-edited value reads as its field would take it, in the report's
// one separator.
TEST(ReportInputs, TakesAValueAsItsFieldWould) {
    const std::string good = HeaderOf(DefaultFieldTexts('.'), '.');
    const std::string printed = "=  3500.0\r\n";
    const struct {
        const char* value;
        const char* text; // the take-up speed's text read, or null when refused
    } cases[] = {
        {"3500.00", "3500.00"},
        {"3500", "3500"},
        {"+3.5e3", "+3.5e3"},
        {"3.5E+3", "3.5E+3"},
        {" 3500 ", "3500"},
        {".5", ".5"},
        {"3500,0", nullptr}, // the header's separator is
                             // "."
        {"3500.0.0", nullptr},
        {"0x10", nullptr},
        {"3500 m", nullptr},
        {"3.5e", nullptr},
        {"-", nullptr},
    };
    for (const auto& c : cases) {
        std::string report = good;
        report.replace(report.find(printed), printed.size(), "=  " + std::string(c.value) + "\r\n");
        TFieldTexts texts = DefaultFieldTexts('.');
        std::string message;
        EXPECT_EQ(ReadReportInputs(report, '.', texts, message), c.text != nullptr) << c.value;
        EXPECT_EQ(texts[2], c.text ? c.text : DefaultFieldTexts('.')[2]) << c.value;
    }
}

// Opened by name, a report is read no further than a header can reach:
// a folder, or a device that never ends, is refused, never read whole.
TEST(ReportCaseFile, ReadsAHeaderAndNoMore) {
    testing::TempDir dir;
    const std::string header = HeaderOf(DefaultFieldTexts('.'), '.');
    std::ofstream(dir.File("long.txt"), std::ios::binary)
        << header << std::string(10 * MaxReportHeaderBytes, 'x');
    std::ofstream(dir.File("wide.txt"), std::ios::binary)
        << std::string(MaxReportHeaderBytes, ' ') << header;
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0); // no writer will come
    const struct {
        std::string path;
        TCaseRead read;
        const char* message;
    } cases[] = {
        {dir.File("long.txt"), TCaseRead::Read, ""},
        {dir.Path().string(), TCaseRead::Refused, "it is a folder"},
        {"/dev/zero", TCaseRead::Refused, "its header does not end within the first 8192 bytes"},
        {dir.File("wide.txt"), TCaseRead::Refused,
         "its header does not end within the first 8192 bytes"},
        {dir.File("missing.txt"), TCaseRead::Unreadable, ""},
        {dir.File("pipe"), TCaseRead::Refused,
         "line 1 is missing: the file ends before the header does"},
    };
    for (const auto& c : cases) {
        TFieldTexts texts = DefaultFieldTexts('.');
        std::string message;
        EXPECT_EQ(ReadReportFile(c.path, '.', texts, message), c.read) << c.path;
        EXPECT_EQ(message, c.read == TCaseRead::Refused
                               ? std::string("Not a report of this program: ") + c.message
                               : "")
            << c.path;
    }
}

} // namespace
} // namespace ppspin
