#include "GoalSeekTask.h"

#include <memory>

namespace ppspin {

TGoalSeekTask::TGoalSeekTask(QObject* parent) : QObject(parent) {}

TGoalSeekTask::~TGoalSeekTask() {
    Cancelled = true;
    if (Worker.joinable())
        Worker.join();
}

void TGoalSeekTask::Start(const TFieldTexts& texts, TGoal goal) {
    if (Running)
        return;
    // The last search has handed its result over, and ends at once.
    if (Worker.joinable())
        Worker.join();
    Running = true;
    Cancelled = false;
    goal.Cancel = &Cancelled;
    Worker = std::thread([this, texts, goal] {
        auto result = std::make_shared<const TGoalSeekResult>(GoalSeek(texts, goal));
        // Queued to this object: dropped should it be gone by then, which
        // its destructor's join rules out anyway.
        QMetaObject::invokeMethod(
            this,
            [this, result] {
                Running = false;
                emit Finished(*result);
            },
            Qt::QueuedConnection);
    });
}

void TGoalSeekTask::Cancel() {
    Cancelled = true;
}

} // namespace ppspin
