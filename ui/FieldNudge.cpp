#include "FieldNudge.h"

#include "InputCatalogue.h"
#include "NudgeText.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace ppspin {

TFieldNudge::TFieldNudge(char separator, QObject* parent) : QObject(parent), Separator(separator) {}

bool TFieldNudge::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr || event->type() != QEvent::KeyPress || edit->isReadOnly())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    int steps = 0;
    switch (key->key()) {
    case Qt::Key_Up:
        steps = 1;
        break;
    case Qt::Key_Down:
        steps = -1;
        break;
    case Qt::Key_PageUp:
        steps = 10;
        break;
    case Qt::Key_PageDown:
        steps = -10;
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    // A field stops at the edge of what its input takes.
    TInputDomain domain = TInputDomain::Free;
    for (const TInputField& input : InputCatalogue())
        if (edit->objectName() == QLatin1String(input.Component))
            domain = input.Domain;
    if (const auto nudged = NudgeText(edit->text().toStdString(), Separator, steps, domain)) {
        const QString text = QString::fromStdString(*nudged);
        // The cursor keeps its place among the last digits, which stay put.
        const int fromEnd = static_cast<int>(edit->text().size()) - edit->cursorPosition();
        // Typed over the whole text: Ctrl+Z takes the step back.
        edit->selectAll();
        edit->insert(text);
        edit->setCursorPosition(std::max(0, static_cast<int>(text.size()) - fromEnd));
    }
    return true;
}

} // namespace ppspin
