#include "Main_PP.h"

#include "F_Form.h"
#include "FieldNudge.h"
#include "FolderBrowser.h"
#include "InputCatalogue.h"
#include "MainController.h"
#include "PlaceBeside.h"
#include "PpspinVersion.h"
#include "ProfileForm.h"
#include "RefInfo.h"
#include "ReportedRun.h"
#include "ScreenCentre.h"
#include "SpinlineSchematic.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace ppspin {

namespace {

// Sizes of the form in device-independent pixels; Qt scales them with the
// screen's DPI.
constexpr int ClientWidth = 688;
constexpr int ClientHeight = 453;
constexpr int LeftGroupWidth = 307;
constexpr int RowHeight = 24;
constexpr int EditHeight = 20;

constexpr int FieldWidth = 72;

// Edit1 .. Edit20 by their number.
constexpr int Field(int number) {
    return number - 1;
}

QGroupBox* Group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("  %1  ").arg(title), parent);
    // Fusion paints the title in WindowText, other styles in Text.
    QPalette red = box->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    red.setColor(QPalette::Text, Qt::red);
    box->setPalette(red);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(5, 2, 5, 4);
    layout->setSpacing(3);
    return box;
}

QLabel* BlueLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(blue);
    return label;
}

// A sunken label panel: the caption at its left, the fields at its right end.
QFrame* LabelPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setFixedHeight(RowHeight);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 1, 1, 1);
    row->setSpacing(0);
    return panel;
}

// The field with its caption from the catalogue.
QFrame* LabelledField(const TInputField& input, QLineEdit* edit, QWidget* parent) {
    QFrame* panel = LabelPanel(parent);
    auto* row = static_cast<QHBoxLayout*>(panel->layout());
    row->addWidget(BlueLabel(QString::fromStdString(WindowCaption(input)), panel));
    row->addStretch(1);
    edit->setParent(panel);
    row->addWidget(edit);
    return panel;
}

// "Tair = " A1 "/( Z + " A2 " ) + " A3: the zone's air-temperature law.
QFrame* EquationRow(QLineEdit* a1, QLineEdit* a2, QLineEdit* a3, QWidget* parent) {
    QFrame* panel = LabelPanel(parent);
    auto* row = static_cast<QHBoxLayout*>(panel->layout());
    row->addWidget(BlueLabel("Tair = ", panel));
    for (QLineEdit* e : {a1, a2, a3})
        e->setParent(panel);
    row->addWidget(a1);
    row->addWidget(BlueLabel("/( Z + ", panel));
    row->addWidget(a2);
    row->addWidget(BlueLabel(" ) + ", panel));
    row->addWidget(a3);
    row->addStretch(1);
    return panel;
}

// A small line chart: the Profile button's glyph.
QIcon ChartGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawLine(2, 1, 2, 14);
    p.drawLine(2, 14, 15, 14);
    p.setPen(QPen(QColor(31, 119, 180), 1.6));
    const QPointF curve[] = {{3, 12}, {6, 10}, {9, 6}, {12, 4}, {15, 3}};
    p.drawPolyline(curve, 5);
    return QIcon(pixmap);
}

} // namespace

TForm1::TForm1(char separator, QWidget* parent)
    : QDialog(parent), Separator(separator), Run(std::make_unique<TRun>()) {
    setObjectName("Form1");
    setWindowTitle("MELT SPINNING OF PP");
    // A fixed dialog frame, yet the program's main window: no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QFont f = font();
    f.setPointSize(9);
    setFont(f);

    const TFieldTexts defaults = DefaultFieldTexts(Separator);
    for (const TInputField& input : InputCatalogue()) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(input.Component);
        edit->setFixedSize(FieldWidth, EditHeight);
        QPalette black = edit->palette();
        black.setColor(QPalette::Text, Qt::black);
        edit->setPalette(black);
        // Fixed properties of the polymer and the process: shown, read, not edited.
        edit->setEnabled(input.Editable);
        Edits[input.Field] = edit;
        SetFieldText(input.Field, QString::fromStdString(defaults[input.Field]));
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(BuildLeftHalf());
    layout->addWidget(BuildRightHalf(), 1);

    // Tab runs through the editable numeric fields only, in reading order.
    Edits[FileNameField]->setFocusPolicy(Qt::ClickFocus);
    QLineEdit* previous = nullptr;
    for (const TInputField& input : EditableInputs()) {
        if (previous != nullptr)
            setTabOrder(previous, Edits[input.Field]);
        previous = Edits[input.Field];
    }
    Edits[Field(1)]->setFocus();

    // A window of its own beside the main window, not modal.
    ProfileForm = new TProfileForm(this);
    ProfileForm->setObjectName("ProfileForm");
    Control = new TMainController(*this, *ProfileForm);

    // Up/Down nudge the numbers typed, in the separator they are written with.
    auto* nudge = new TFieldNudge(Separator, this);
    for (const TInputField& input : EditableInputs()) {
        Edits[input.Field]->installEventFilter(nudge);
        connect(Edits[input.Field], &QLineEdit::textChanged, Control,
                &TMainController::FieldEdited);
    }
    BuildActions();

    setFixedSize(ClientWidth, ClientHeight);
}

TForm1::~TForm1() = default;

QFrame* TForm1::Labelled(int number, QWidget* parent) {
    return LabelledField(InputField(Field(number)), Edits[Field(number)], parent);
}

QWidget* TForm1::BuildLeftHalf() {
    auto* half = new QWidget(this);
    half->setFixedWidth(LeftGroupWidth);
    auto* column = new QVBoxLayout(half);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    QGroupBox* operating = Group("Operating Condition", half);
    for (int n = 1; n <= 4; ++n)
        operating->layout()->addWidget(Labelled(n, operating));
    column->addWidget(operating);

    // Zones 1 and 2 share one layout: end position, air law, air velocity.
    const char* zoneTitles[2] = {"1st Zone Condition", "2nd Zone Condition"};
    for (int zone = 0; zone < 2; ++zone) {
        const int first = 5 + 5 * zone; // Edit5 / Edit10
        QGroupBox* box = Group(zoneTitles[zone], half);
        box->layout()->addWidget(Labelled(first, box));
        for (int n = first + 1; n <= first + 3; ++n)
            Edits[Field(n)]->setFixedWidth(n == first + 1 ? 64 : 54);
        box->layout()->addWidget(EquationRow(Edits[Field(first + 1)], Edits[Field(first + 2)],
                                             Edits[Field(first + 3)], box));
        box->layout()->addWidget(Labelled(first + 4, box));
        column->addWidget(box);
    }

    QGroupBox* third = Group("3rd Zone Condition", half);
    third->layout()->addWidget(Labelled(15, third));
    QFrame* sameLaw = LabelPanel(third);
    sameLaw->layout()->addWidget(BlueLabel("Tair : use same equation of Zone 2", sameLaw));
    third->layout()->addWidget(sameLaw);
    third->layout()->addWidget(Labelled(16, third));
    column->addWidget(third);
    return half;
}

QWidget* TForm1::BuildRightHalf() {
    auto* half = new QWidget(this);
    auto* column = new QVBoxLayout(half);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    QGroupBox* physical = Group("Physical Property", half);
    physical->layout()->addWidget(Labelled(17, physical));
    physical->layout()->addWidget(Labelled(18, physical));
    column->addWidget(physical);

    // Beside the picture: accuracy, the buttons and the report's name.
    auto* besidePicture = new QVBoxLayout;
    besidePicture->setSpacing(4);
    QGroupBox* accuracy = Group("Calculation Accuracy", half);
    accuracy->layout()->addWidget(Labelled(19, accuracy));
    besidePicture->addWidget(accuracy);

    BitBtn3 = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton),
                              "&Reference Infomation", half);
    BitBtn3->setObjectName("BitBtn3");
    // Open before any run: Live, switched on there, needs no GO and no report.
    BitBtn4 = new QPushButton(ChartGlyph(), "&Profile", half);
    BitBtn4->setObjectName("BitBtn4");
    auto* references = new QHBoxLayout;
    references->setSpacing(6);
    references->addWidget(BitBtn3, 3);
    references->addWidget(BitBtn4, 2);
    besidePicture->addLayout(references);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "GO", half);
    BitBtn1->setObjectName("BitBtn1");
    QFont bold = BitBtn1->font();
    bold.setBold(true);
    bold.setPointSize(11);
    BitBtn1->setFont(bold);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "&Close", half);
    BitBtn2->setObjectName("BitBtn2");
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    besidePicture->addLayout(buttons);
    // Buttons stay out of the focus chain, so GO remains the default button
    // and Enter in any field runs.
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumHeight(28);
    }
    BitBtn1->setDefault(true);

    QGroupBox* saveFile = Group("Save File Name", half);
    Edits[Field(20)]->setParent(saveFile);
    // The file name fills the group's width, beside a button that opens a
    // report as a case.
    Edits[Field(20)]->setMinimumWidth(0);
    Edits[Field(20)]->setMaximumWidth(QWIDGETSIZE_MAX);
    auto* openReport = new QToolButton(saveFile);
    openReport->setObjectName("OpenReportButton");
    openReport->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    openReport->setToolTip("Open Report\u2026 (Ctrl+O): fill the fields from a report");
    openReport->setFocusPolicy(Qt::NoFocus);
    openReport->setAutoRaise(true);
    openReport->setFixedSize(EditHeight + 2, EditHeight + 2);
    // The controller comes after the widgets: looked up when clicked.
    connect(openReport, &QToolButton::clicked, this, [this] { Control->OpenReportClicked(); });
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(2);
    nameRow->addWidget(Edits[Field(20)], 1);
    nameRow->addWidget(openReport);
    static_cast<QVBoxLayout*>(saveFile->layout())->addLayout(nameRow);
    besidePicture->addWidget(saveFile);
    besidePicture->addStretch(1);

    auto* pictureFrame = new QFrame(half);
    pictureFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pictureFrame->setLineWidth(2);
    auto* pictureLayout = new QVBoxLayout(pictureFrame);
    pictureLayout->setContentsMargins(2, 2, 2, 2);
    pictureLayout->addWidget(new TSpinlineSchematic(pictureFrame));
    pictureFrame->setFixedSize(TSpinlineSchematic::DrawingWidth + 8,
                               TSpinlineSchematic::DrawingHeight + 8);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addLayout(besidePicture, 1);
    middle->addWidget(pictureFrame, 0, Qt::AlignTop);
    column->addLayout(middle);

    FolderBrowser = new TFolderBrowser(half);
    column->addWidget(FolderBrowser, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    return half;
}

void TForm1::SetDialogs(TForm2* form2, TFinishForm* finishForm) {
    Form2 = form2;
    FinishForm = finishForm;
}

TFieldTexts TForm1::FieldTexts() const {
    TFieldTexts texts;
    for (int i = 0; i < FieldCount; ++i)
        texts[i] = Edits[i]->text().toStdString();
    return texts;
}

void TForm1::SetFieldText(int field, const QString& text) {
    // Shown from its first character: a long text would otherwise be
    // scrolled to its end, a minus sign out of sight.
    Edits[field]->setText(text);
    Edits[field]->setCursorPosition(0);
}

void TForm1::BitBtn1Click() {
    SetRunCursors(Qt::WaitCursor);
    TRunOptions options;
    options.DecimalSeparator = Separator;
    const TRunOutcome outcome = RunWithReport(*Run, FieldTexts(), options);
    const QString message = QString::fromLocal8Bit(outcome.Message);
    switch (outcome.Kind) {
    case TRunOutcomeKind::Converged:
        // Only a run whose report holds its rows reaches the charts and finishes.
        ProfileForm->ShowProfile(*outcome.Snapshot);
        if (FinishForm != nullptr)
            FinishForm->exec();
        break;
    case TRunOutcomeKind::Refused:
    case TRunOutcomeKind::FileError:
        ShowMessage(message);
        FocusField(outcome.Field);
        break;
    case TRunOutcomeKind::FloatingPointFault:
    case TRunOutcomeKind::NotConverged:
    case TRunOutcomeKind::Cancelled:
    case TRunOutcomeKind::Failed:
        // A fault ends the run; the window stays ready for the next one.
        ShowRunError(message);
        break;
    }
    SetRunCursors(Qt::ArrowCursor);
    FolderBrowser->Refresh();
}

void TForm1::BitBtn3Click() {
    if (Form2 != nullptr)
        Form2->exec();
}

void TForm1::BitBtn4Click() {
    if (!ProfileForm->isVisible())
        PlaceProfile();
    ProfileForm->show();
    ProfileForm->raise();
    ProfileForm->activateWindow();
}

void TForm1::PlaceProfile() {
    // Where the operator left it, this session or the last, while that
    // leaves this window clear; else beside it, where both can be seen.
    std::optional<QRect> saved;
    if (ProfilePlaced || ProfileForm->RestorePlace())
        saved = ProfileForm->frameGeometry();
    ProfilePlaced = true;
    const QScreen* s = screen();
    if (s == nullptr)
        return;
    // The frame the window manager puts around it, as around this one.
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    const TPlacement place =
        PlaceBeside(frame, ProfileForm->size().grownBy(margins),
                    ProfileForm->minimumSizeHint().width() + margins.left() + margins.right(),
                    s->availableGeometry(), saved);
    if (place.Anchor != frame)
        move(place.Anchor.topLeft());
    if (place.Window != saved) {
        ProfileForm->resize(place.Window.size().shrunkBy(margins));
        ProfileForm->move(place.Window.topLeft());
    }
}

void TForm1::BuildActions() {
    auto* open = new QAction("&Open Report\u2026", this);
    open->setObjectName("OpenReportAction");
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, Control, &TMainController::OpenReportClicked);
    RecentMenu = new QMenu(this);
    RecentMenu->setObjectName("RecentMenu");
    auto* recent = new QAction("Open &Recent", this);
    recent->setObjectName("OpenRecentAction");
    recent->setMenu(RecentMenu);
    // From the keyboard the list opens under the field being edited.
    recent->setShortcut(Qt::CTRL | Qt::Key_R);
    connect(recent, &QAction::triggered, this, [this] {
        const QWidget* at = focusWidget() != nullptr ? focusWidget() : this;
        RecentMenu->popup(at->mapToGlobal(QPoint(0, at->height())));
    });
    auto* defaults = new QAction("&Defaults", this);
    defaults->setObjectName("DefaultsAction");
    // Two modifiers: every field is replaced, and there is no undoing it.
    defaults->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
    connect(defaults, &QAction::triggered, Control, &TMainController::SetDefaults);
    auto* about = new QAction("&About ppspin", this);
    about->setObjectName("AboutAction");
    about->setShortcut(QKeySequence::HelpContents);
    connect(about, &QAction::triggered, this, &TForm1::ShowAbout);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addActions({open, recent, defaults, separator, about});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    // Shift+F10 and the Menu key open a field's own menu: the window's
    // actions follow its edit actions there.
    for (const TInputField& input : InputCatalogue()) {
        QLineEdit* edit = Edits[input.Field];
        if (!input.Editable)
            continue;
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](QPoint at) {
            QMenu* menu = edit->createStandardContextMenu();
            menu->setObjectName("FieldMenu");
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->addSeparator();
            menu->addActions(actions());
            menu->popup(edit->mapToGlobal(at));
        });
    }
    connect(Control, &TMainController::RecentReportsChanged, this, &TForm1::FillRecentMenu);
    FillRecentMenu();
}

void TForm1::FillRecentMenu() {
    RecentMenu->clear();
    const QStringList recent = Control->RecentReports();
    for (const QString& path : recent) {
        QAction* action = RecentMenu->addAction(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, Control, [this, path] { Control->OpenReport(path); });
    }
    // Ctrl+R says so rather than showing nothing.
    if (recent.isEmpty())
        RecentMenu->addAction("No report opened yet")->setEnabled(false);
}

void TForm1::ShowAbout() {
    QMessageBox::about(this, "About ppspin",
                       QString("<b>ppspin %1</b><p>Melt spinning of a polypropylene filament: "
                               "the steady spinline from the spinneret to the end of the quench "
                               "zones, by a Runge\u2013Kutta\u2013Gill march and shooting on the "
                               "spinneret tension.</p>")
                           .arg(PpspinVersion));
}

void TForm1::FocusField(int field) {
    if (field < 0 || field >= FieldCount)
        return;
    QLineEdit* edit = Edits[field];
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void TForm1::SetRunCursors(Qt::CursorShape shape) {
    setCursor(shape);
    BitBtn1->setCursor(shape);
}

void TForm1::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text, QMessageBox::Ok,
                    this);
    box.exec();
}

void TForm1::ShowRunError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    this);
    box.exec();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // A dialog-style main window, yet Escape must not end the program.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Centred) {
        Centred = true;
        CentreOnScreen(this);
    }
}

} // namespace ppspin
