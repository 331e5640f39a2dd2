// Goal seeking beside the event loop: the search takes a few tenths of a
// second, and the windows stay responsive meanwhile.
#pragma once

#include "BackgroundTask.h"
#include "FieldTexts.h"
#include "GoalSeek.h"

#include <QObject>

namespace ppspin {

class TGoalSeekTask : public QObject {
    Q_OBJECT
  public:
    explicit TGoalSeekTask(QObject* parent = nullptr) : QObject(parent) {}

    bool IsRunning() const { return Work.IsRunning(); }
    // Seeks goal from texts on a thread of its own; Finished follows on
    // this object's thread, a failed search saying why should the search
    // throw. One search at a time: ignored while one runs.
    void Start(const TFieldTexts& texts, TGoal goal);
    // Ends the search early; Finished still follows, cancelled.
    void Cancel() { Work.Cancel(); }

  signals:
    void Finished(const ppspin::TGoalSeekResult& result);

  private:
    TBackgroundTask Work{*this};
};

} // namespace ppspin
