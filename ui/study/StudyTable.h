// The rows of a study or of the sensitivities, as the Study window's table
// lists them: every row kept here is what Save Data writes.
#pragma once

#include "Sensitivity.h"
#include "Sweep.h"

#include <QAbstractTableModel>

#include <vector>

namespace ppspin {

class TStudyTable : public QAbstractTableModel {
    Q_OBJECT
  public:
    // Values are shown as field texts with separator.
    explicit TStudyTable(char separator, QObject* parent = nullptr);

    // Empties the table for a study's rows, or for sensitivities.
    void StartStudy(const TStudy& study);
    void StartSensitivities();
    void AddRows(std::vector<TSweepRow>&& rows);
    void AddRows(std::vector<TSensitivityRow>&& rows);

    bool IsSensitivities() const { return Sensitivities; }
    const TStudy& Study() const { return StudyShown; }
    const std::vector<TSweepRow>& Rows() const { return SweepRows; }
    const std::vector<TSensitivityRow>& SensitivityRows() const { return SensRows; }
    // The CSV of the rows, as ppspin-cli --summary writes it.
    std::string Csv() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    template <typename Row> void Append(std::vector<Row>& to, std::vector<Row>&& rows);
    QString Heading(int section) const;
    QString Text(int row, int column) const;
    // The marked state of a row: 0 ok, 1 failed, 2 refused.
    int State(int row) const;

    char Separator;
    bool Sensitivities = false;
    TStudy StudyShown;
    std::vector<TSweepRow> SweepRows;
    std::vector<TSensitivityRow> SensRows;
};

} // namespace ppspin
