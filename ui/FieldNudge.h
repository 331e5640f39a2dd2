// Up and Down in a numeric field step its number by the last digit typed,
// Page Up and Page Down ten times as far, never past what the field's input
// takes (the field is known by its component name); a text that does not
// convert is left alone.
#pragma once

#include <QObject>

namespace ppspin {

class TFieldNudge : public QObject {
    Q_OBJECT
  public:
    // separator: the decimal separator the fields are written with.
    explicit TFieldNudge(char separator, QObject* parent = nullptr);

    // Nudges the QLineEdit watched.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    char Separator;
};

} // namespace ppspin
