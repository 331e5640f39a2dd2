#include "F_Form.h"

#include "ScreenCentre.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ppspin {

TFinishForm::TFinishForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FinishForm");
    setWindowTitle("FinishForm");

    auto* message = new QLabel("Calculation is successfully finished !", this);
    message->setObjectName("Label1");
    message->setTextFormat(Qt::PlainText);
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    QFont big = font();
    big.setPointSize(16);
    message->setFont(big);
    QPalette blue = message->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    message->setPalette(blue);

    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    ok->setMinimumWidth(90);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(message, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    setFixedSize(352, 216);
}

void TFinishForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The middle of the screen, wherever the main window has been moved.
    CentreOnScreen(this);
}

} // namespace ppspin
