#include "GoalSeekTask.h"

#include <memory>
#include <string>

namespace ppspin {

void TGoalSeekTask::Start(const TFieldTexts& texts, TGoal goal) {
    goal.Cancel = Work.CancelFlag();
    Work.Start(
        [this, texts, goal]() -> TBackgroundTask::TDelivery {
            auto result = std::make_shared<const TGoalSeekResult>(GoalSeek(texts, goal));
            return [this, result] { emit Finished(*result); };
        },
        [this](const std::string& reason) {
            // Told as a search that failed: the dialog says why.
            TGoalSeekResult result;
            result.End = TGoalSeekEnd::RunFailed;
            result.Message = "The goal seek stopped: " + reason;
            emit Finished(result);
        });
}

} // namespace ppspin
