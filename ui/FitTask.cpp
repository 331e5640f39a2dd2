#include "FitTask.h"

#include <string>
#include <utility>

namespace ppspin {

void TFitTask::Start(const TFieldTexts& texts, std::shared_ptr<const TMeasuredData> data,
                     TFitSetup setup) {
    setup.Cancel = Work.CancelFlag();
    setup.Progress = [this](const TFitProgress& progress) {
        Work.Post([this, progress] { emit Progress(progress); });
    };
    Work.Start(
        [this, texts, data = std::move(data), setup]() -> TBackgroundTask::TDelivery {
            auto result = std::make_shared<const TFitResult>(FitMeasured(texts, *data, setup));
            return [this, result, data] { emit Finished(*result); };
        },
        [this](const std::string& reason) {
            TFitResult result;
            result.End = TFitEnd::Failed;
            result.Message = "The fit stopped: " + reason;
            emit Finished(result);
        });
}

} // namespace ppspin
