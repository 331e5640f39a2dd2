// Goal seeking beside the event loop: the search takes a few tenths of a
// second, and the windows stay responsive meanwhile.
#pragma once

#include "FieldTexts.h"
#include "GoalSeek.h"

#include <QObject>

#include <atomic>
#include <thread>

namespace ppspin {

class TGoalSeekTask : public QObject {
    Q_OBJECT
  public:
    explicit TGoalSeekTask(QObject* parent = nullptr);
    // Cancels a search still running and waits for it to end.
    ~TGoalSeekTask() override;

    bool IsRunning() const { return Running; }
    // Seeks goal from texts on a thread of its own; Finished follows on
    // this object's thread. One search at a time: ignored while one runs.
    void Start(const TFieldTexts& texts, TGoal goal);
    // Ends the search early; Finished still follows, cancelled.
    void Cancel();

  signals:
    void Finished(const ppspin::TGoalSeekResult& result);

  private:
    std::thread Worker;
    std::atomic<bool> Cancelled = false;
    bool Running = false;
};

} // namespace ppspin
