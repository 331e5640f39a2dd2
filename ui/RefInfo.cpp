#include "RefInfo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ppspin {

namespace {

// Lines of a group, one label each, so that each reads as one formula.
QGroupBox* Group(const QString& title, const QStringList& lines, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(4);
    for (const QString& line : lines) {
        auto* label = new QLabel(line, box);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    return box;
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName("Form2");
    setWindowTitle("Reference Information of PP");
    QFont f = font();
    f.setPointSize(9);
    setFont(f);

    // U+3000 ideographic spaces indent the two viscosity formulas under
    // their temperature ranges.
    const QString indent = QStringLiteral("\u3000\u3000");
    auto* trouton = Group("Trouton Viscosity of PP",
                          {QStringLiteral("T >= 130 \u2103"),
                           indent + QStringLiteral("\u03bb = C*Exp(4400/(T + 273))"),
                           QStringLiteral("T < 130 \u2103"),
                           indent + QStringLiteral("\u03bb = 0.000132*C*Exp(8000/(T + 273))"),
                           QStringLiteral("C = 3.0*\u03b7ref/Exp(4400/(Tref + 273))")},
                          this);
    auto* other = Group("Other Physical Properties of PP",
                        {QStringLiteral("Density \u03c1 = 0.862 - 0.00055*T"),
                         QStringLiteral("Specific Heat Cp = 0.54 + 0.0008*T"),
                         QStringLiteral("Die Swell Ratio S = 1.0")},
                        this);

    auto* note = new QLabel(QStringLiteral("Note:  These physical\n"
                                           "property values are built\n"
                                           "in the program.  If you\n"
                                           "want to change these,\n"
                                           "modifying the program is\n"
                                           "necessary."),
                            this);
    note->setObjectName("NoteLabel");
    note->setTextFormat(Qt::PlainText);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* close =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "&Close", this);
    close->setObjectName("BitBtn1");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(trouton, 5);
    left->addWidget(other, 3);
    auto* right = new QVBoxLayout;
    right->addSpacing(10);
    right->addWidget(note);
    right->addStretch(1);
    right->addWidget(close, 0, Qt::AlignHCenter);
    right->addSpacing(6);
    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(10, 8, 10, 10);
    top->setSpacing(14);
    top->addLayout(left, 3);
    top->addLayout(right, 2);

    setFixedSize(520, 315);
    // Opens where it was laid out, not over the main window's centre.
    move(160, 120);
}

} // namespace ppspin
