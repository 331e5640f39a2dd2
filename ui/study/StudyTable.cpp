#include "StudyTable.h"

#include "NumberText.h"
#include "StudyCanvas.h"

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QString>

namespace ppspin {

namespace {

// The status column comes after the inputs of a study.
constexpr int StatusColumns = 2; // status, trials

QString Output(std::optional<double> value) {
    return value ? study::SignificantNumber(*value, 6) : QString();
}

// The mark of a failed or refused run, as the maps draw it.
QIcon Cross(const QColor& colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        study::DrawCross(p, QPointF(6, 6), 3.5, colour);
    }
    return QIcon(pixmap);
}

} // namespace

TStudyTable::TStudyTable(char separator, QObject* parent)
    : QAbstractTableModel(parent), Separator(separator) {}

void TStudyTable::StartStudy(const TStudy& study) {
    beginResetModel();
    Sensitivities = false;
    StudyShown = study;
    SweepRows.clear();
    SensRows.clear();
    endResetModel();
}

void TStudyTable::StartSensitivities() {
    beginResetModel();
    Sensitivities = true;
    StudyShown = {};
    SweepRows.clear();
    SensRows.clear();
    endResetModel();
}

template <typename Row> void TStudyTable::Append(std::vector<Row>& to, std::vector<Row>&& rows) {
    if (rows.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (Row& row : rows)
        to.push_back(std::move(row));
    endInsertRows();
}

void TStudyTable::AddRows(std::vector<TSweepRow>&& rows) {
    Append(SweepRows, std::move(rows));
}

void TStudyTable::AddRows(std::vector<TSensitivityRow>&& rows) {
    Append(SensRows, std::move(rows));
}

std::string TStudyTable::Csv() const {
    return Sensitivities ? SensitivityText(SensRows) : SummaryText(StudyShown, SweepRows);
}

int TStudyTable::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(Sensitivities ? SensRows.size() : SweepRows.size());
}

int TStudyTable::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || (!Sensitivities && StudyShown.Ranges.empty()))
        return 0; // nothing has run
    // input, value, step, status; or the inputs, status and trials; then the outputs
    const int leading =
        Sensitivities ? 4 : static_cast<int>(StudyShown.Ranges.size()) + StatusColumns;
    return leading + static_cast<int>(OutputCount);
}

QVariant TStudyTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    // The unit on a line of its own, as the Profile window's table has it.
    return Heading(section).replace(" (", "\n(");
}

QString TStudyTable::Heading(int section) const {
    const int inputs = static_cast<int>(StudyShown.Ranges.size());
    if (Sensitivities) {
        const char* leading[] = {"Input", "Value", "Step", "Status"};
        if (section < 4)
            return QString(leading[section]);
        // Elasticities have no unit.
        const QString title = QString::fromUtf8(OutputColumns[section - 4].Title);
        return title.left(title.indexOf(" ("));
    }
    if (section < inputs)
        return QString::fromStdString(WindowLabel(*StudyShown.Ranges[section].Input));
    if (section == inputs)
        return QStringLiteral("Status");
    if (section == inputs + 1)
        return QStringLiteral("Trials");
    return QString::fromUtf8(OutputColumns[section - inputs - StatusColumns].Title);
}

int TStudyTable::State(int row) const {
    if (Sensitivities)
        return SensRows[row].Status == "ok" ? 0 : 1;
    const TSweepRow& r = SweepRows[row];
    return r.Ok() ? 0 : r.Kind == TRunOutcomeKind::Refused ? 2 : 1;
}

QString TStudyTable::Text(int row, int column) const {
    const auto status = [&](const std::string& message) {
        const int state = State(row);
        const QString text = QString::fromStdString(message);
        return state == 0 ? text : (state == 1 ? "failed: " : "refused: ") + text;
    };
    if (Sensitivities) {
        const TSensitivityRow& r = SensRows[row];
        switch (column) {
        case 0:
            return QString::fromStdString(WindowLabel(*r.Input));
        case 1:
            return QString::fromStdString(NumberText(r.Value, Separator));
        case 2:
            return QString::fromStdString(r.Step);
        case 3:
            return status(r.Status);
        default:
            return Output(r.Elasticity[column - 4]);
        }
    }
    const TSweepRow& r = SweepRows[row];
    const int inputs = static_cast<int>(r.Values.size());
    if (column < inputs)
        return QString::fromStdString(NumberText(r.Values[column], Separator));
    if (column == inputs)
        return status(r.Status);
    if (!r.Ok())
        return {};
    if (column == inputs + 1)
        return QString::number(r.Outputs.Trials);
    return Output(OutputColumns[column - inputs - StatusColumns].Of(r.Outputs));
}

QVariant TStudyTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return Text(index.row(), index.column());
    case Qt::ToolTipRole:
        return State(index.row()) == 0
                   ? QVariant()
                   : Text(index.row(),
                          Sensitivities ? 3 : static_cast<int>(StudyShown.Ranges.size()));
    case Qt::DecorationRole: {
        const int statusColumn = Sensitivities ? 3 : static_cast<int>(StudyShown.Ranges.size());
        const int state = State(index.row());
        if (index.column() != statusColumn || state == 0)
            return {};
        static const QIcon failed = Cross(study::FailedColour),
                           refused = Cross(study::RefusedColour);
        return state == 1 ? failed : refused;
    }
    case Qt::ForegroundRole:
        switch (State(index.row())) {
        case 1:
            return study::FailedColour;
        case 2:
            return study::RefusedColour;
        default:
            return {};
        }
    case Qt::TextAlignmentRole: {
        const bool text = Sensitivities
                              ? index.column() == 0 || index.column() == 3
                              : index.column() == static_cast<int>(StudyShown.Ranges.size());
        return QVariant::fromValue(text ? Qt::AlignLeft | Qt::AlignVCenter
                                        : Qt::AlignRight | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

} // namespace ppspin
