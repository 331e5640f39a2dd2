// The folder browser of the main window: a drive selector above a directory
// list, and the file list of the directory. The directory it shows is the
// process's current directory, against which a relative report name resolves.
#pragma once

#include <QTreeWidget>
#include <QWidget>

class QComboBox;
class QListWidget;

namespace ppspin {

// The path from the root down to the current directory, then its
// subdirectories. A double-click or Enter opens an entry; a single click only
// selects it.
class TDirectoryListBox : public QTreeWidget {
    Q_OBJECT
  public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);

    // Lists `path` (absolute, existing) and its subdirectories.
    void ShowDirectory(const QString& path);

  signals:
    void DirectoryOpened(const QString& path);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A plain list of folders: no expand/collapse arrows.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
};

class TFolderBrowser : public QWidget {
    Q_OBJECT
  public:
    explicit TFolderBrowser(QWidget* parent = nullptr);

    // Makes `path` the process's current directory and shows it. Returns
    // false, changing nothing, when the directory cannot be entered.
    bool OpenDirectory(const QString& path);

    // Reads the current directory again (a run may have added a report).
    void Refresh();

  signals:
    void DirectoryChanged(const QString& path);

  private:
    void FillDrives();
    void SelectDriveOf(const QString& path);
    void FillFiles(const QString& path);

    QComboBox* DriveComboBox1;
    TDirectoryListBox* DirectoryListBox1;
    QListWidget* FileListBox1;
};

} // namespace ppspin
