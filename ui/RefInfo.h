// TForm2: the built-in polymer property formulas, for reference.
#pragma once

#include <QDialog>

namespace ppspin {

class TForm2 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm2(QWidget* parent = nullptr);
};

} // namespace ppspin
