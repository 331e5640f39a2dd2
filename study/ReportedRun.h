// A run that writes its report, and the files a caller writes beside it:
// the engine computes in memory, this writes what it gives.
#pragma once

#include "FileReplacement.h"
#include "RunCalculation.h"

#include <vector>

namespace ppspin {

// The files of a run, each begun once the inputs are checked and before the
// calculation, so that one that cannot be written ends the run with "File
// can not open!" before it starts.
struct TRunFiles {
    // The report; its target must be the file name's text.
    TFileReplacement* Report = nullptr;
    // Further files the caller writes from the outcome.
    std::vector<TFileReplacement*> Outputs;
};

// Runs texts as RunCalculation does (options' BeforeCalculation is this
// function's own) and writes a converged run's report into files.Report,
// completed but not published: the caller publishes it with its other
// files.
TRunOutcome RunWithFiles(TRun& run, const TFieldTexts& texts, TRunOptions options,
                         const TRunFiles& files);

// Runs texts and replaces the report, the file the texts name, once it is
// complete: a run that ends early leaves an earlier report as it was.
TRunOutcome RunWithReport(TRun& run, const TFieldTexts& texts, const TRunOptions& options = {});

} // namespace ppspin
