#include "ProfileCsv.h"

#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "NumberText.h"

namespace ppspin {

namespace {

std::string ProfileHeader() {
    std::string header;
    for (const TProfileColumn& column : ProfileColumns)
        (header += header.empty() ? "" : ",") += column.Name;
    return header;
}

// The values of one point, comma-separated, without a line end.
void AppendPointValues(std::string& out, const TProfilePoint& pt) {
    bool first = true;
    for (const TProfileColumn& column : ProfileColumns) {
        if (!first)
            out += ',';
        first = false;
        AppendShortest(out, pt.*column.Value);
    }
}

} // namespace

std::string ProfileCsv(const TProfileSnapshot& profile) {
    std::string out = ProfileHeader();
    out += '\n';
    for (const TProfilePoint& pt : profile.Points) {
        AppendPointValues(out, pt);
        out += '\n';
    }
    return out;
}

std::string ProfilesCsv(const std::vector<const TProfileSnapshot*>& runs) {
    std::string out = "run";
    for (const TInputField& input : EditableInputs())
        (out += ',') += CsvColumn(input);
    (out += ',') += ProfileHeader();
    out += '\n';
    // Every row repeats its run's inputs: a row read alone, or the file
    // filtered by run, still says what was computed.
    for (std::size_t r = 0; r < runs.size(); ++r) {
        std::string lead = std::to_string(r + 1);
        for (const TInputField& input : EditableInputs()) {
            lead += ',';
            AppendShortest(lead, runs[r]->Input.*input.Value);
        }
        lead += ',';
        for (const TProfilePoint& pt : runs[r]->Points) {
            out += lead;
            AppendPointValues(out, pt);
            out += '\n';
        }
    }
    return out;
}

} // namespace ppspin
