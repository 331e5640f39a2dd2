#include "GoalSeekTask.h"

#include <memory>

namespace ppspin {

void TGoalSeekTask::Start(const TFieldTexts& texts, TGoal goal) {
    goal.Cancel = Work.CancelFlag();
    Work.Start([this, texts, goal]() -> TBackgroundTask::TDelivery {
        auto result = std::make_shared<const TGoalSeekResult>(GoalSeek(texts, goal));
        return [this, result] { emit Finished(*result); };
    });
}

} // namespace ppspin
