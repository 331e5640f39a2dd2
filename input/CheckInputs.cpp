#include "CheckInputs.h"

#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "SetUpRun.h"

#include <algorithm>
#include <vector>

namespace ppspin {

namespace {

// The checked fields in the order their checks run.
const std::vector<const TInputField*>& CheckSequence() {
    static const auto sequence = [] {
        std::vector<const TInputField*> checked;
        for (const TInputField& input : InputCatalogue())
            if (input.Refusal != nullptr)
                checked.push_back(&input);
        std::sort(checked.begin(), checked.end(), [](const TInputField* a, const TInputField* b) {
            return a->CheckOrder < b->CheckOrder;
        });
        return checked;
    }();
    return sequence;
}

bool Passes(const TInputField& input, const TRunInput& in) {
    if (input.Domain == TInputDomain::Text)
        return !in.FileName.empty();
    return InDomain(input, in.*input.Value);
}

} // namespace

TRefusal CheckInputs(const TRunInput& in) {
    for (const TInputField* input : CheckSequence())
        if (!Passes(*input, in))
            return {input->Refusal, input->Field};
    // The grid must fit the point tables and hold one step at least.
    const double n3 = GridPoint(in.Z3, in.Dz);
    if (!(n3 <= MaxPoints))
        return {IncrementTooSmallMessage, FieldIndex(19)};
    if (n3 < 2)
        return {ZoneEndTooSmallMessage, FieldIndex(15)};
    if (in.FileName.size() > 259)
        return {InputField(FileNameField).Refusal, FileNameField};
    return {};
}

} // namespace ppspin
