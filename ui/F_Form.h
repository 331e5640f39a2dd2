// TFinishForm: tells the operator that a run has written its report.
#pragma once

#include <QDialog>

namespace ppspin {

class TFinishForm : public QDialog {
    Q_OBJECT
  public:
    explicit TFinishForm(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace ppspin
