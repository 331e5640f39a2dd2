// Helpers for driving the real windows: modal dialogs are answered from a
// timer, and each test runs in a scratch folder as the current directory.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace ppspin::testing {

// What a modal dialog showed when it came up, and the main window's cursors
// at that moment.
struct SeenDialog {
    QString Kind; // "FinishForm", "Form2" or "QMessageBox"
    QString Text; // message text, or the finish form's message
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    Qt::CursorShape WindowCursor = Qt::ArrowCursor;
    Qt::CursorShape GoCursor = Qt::ArrowCursor;
};

// Closes every modal dialog that appears while it lives, recording each one.
// Message boxes and the finish form are closed with their OK buttons.
class ModalCloser {
  public:
    explicit ModalCloser(QWidget* mainWindow) : main_(mainWindow) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    const QList<SeenDialog>& Seen() const { return seen_; }
    QStringList Texts() const {
        QStringList texts;
        for (const SeenDialog& d : seen_)
            texts << d.Text;
        return texts;
    }

  private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        // A dialog hides as soon as its button is clicked; the same dialog
        // showing again later is a new appearance.
        if (dialog == nullptr || !dialog->isVisible())
            return;
        SeenDialog seen;
        seen.Kind = dialog->objectName();
        if (main_ != nullptr) {
            seen.WindowCursor = main_->cursor().shape();
            if (auto* go = main_->findChild<QWidget*>("BitBtn1"))
                seen.GoCursor = go->cursor().shape();
        }
        QAbstractButton* ok = nullptr;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            seen.Kind = "QMessageBox";
            seen.Text = box->text();
            seen.Icon = box->icon();
            ok = box->button(QMessageBox::Ok);
        } else {
            if (auto* label = dialog->findChild<QLabel*>("Label1"))
                seen.Text = label->text();
            ok = dialog->findChild<QAbstractButton*>("BitBtn1");
        }
        seen_ << seen;
        if (ok != nullptr)
            ok->click();
        else
            dialog->reject();
    }

    QWidget* main_;
    QTimer timer_;
    QList<SeenDialog> seen_;
};

// A scratch folder that is the process's current directory while it lives.
class ScratchDirectory {
  public:
    ScratchDirectory() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ScratchDirectory() { QDir::setCurrent(previous_); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    // Canonical, as the process's current directory reports it.
    QString Path() const { return QDir(dir_.path()).canonicalPath(); }
    QString File(const QString& name) const { return Path() + "/" + name; }

  private:
    QString previous_;
    QTemporaryDir dir_;
};

// A session with nothing remembered: the tests' own settings, emptied, so
// that no test sees what another left and none touches the user's.
inline void ForgetSession() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

// The suites that drive the windows: each test starts from a session with
// nothing remembered.
class TUiTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { ForgetSession(); }
};

// The names a list shows, in order.
inline QStringList Names(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

inline QLineEdit* Edit(QWidget* window, int number) {
    return window->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(number));
}

} // namespace ppspin::testing
