#include "FolderBrowser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace ppspin {

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("DirectoryListBox1");
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(10);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double-click opens whatever the style's activation hint says.
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        emit DirectoryOpened(item->data(0, PathRole).toString());
    });
}

void TDirectoryListBox::ShowDirectory(const QString& path) {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the root down to `path`, each entry the child of the one above.
    QStringList chain;
    for (QDir d(path);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    QTreeWidgetItem* parentItem = nullptr;
    for (const QString& dir : chain) {
        const QString name =
            QDir(dir).isRoot() ? QDir::toNativeSeparators(dir) : QFileInfo(dir).fileName();
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
        item->setText(0, name);
        item->setIcon(0, open);
        item->setData(0, PathRole, dir);
        parentItem = item;
    }
    QTreeWidgetItem* current = parentItem;

    const QFileInfoList subdirs =
        QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : subdirs) {
        auto* item = new QTreeWidgetItem(current);
        item->setText(0, info.fileName());
        item->setIcon(0, closed);
        item->setData(0, PathRole, info.absoluteFilePath());
    }
    expandAll();
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::PositionAtTop);
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Handled here so that Enter does not reach the window's default button.
        if (QTreeWidgetItem* item = currentItem())
            emit DirectoryOpened(item->data(0, PathRole).toString());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

TFolderBrowser::TFolderBrowser(QWidget* parent) : QWidget(parent) {
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    // Long mount points must not widen the column at the file list's expense.
    DriveComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    DriveComboBox1->setMinimumContentsLength(6);
    DirectoryListBox1 = new TDirectoryListBox(this);
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName("FileListBox1");
    FileListBox1->setUniformItemSizes(true);

    // Reachable by mouse, never by Tab: tabbing belongs to the numeric fields.
    for (QWidget* w :
         {static_cast<QWidget*>(DriveComboBox1), static_cast<QWidget*>(DirectoryListBox1),
          static_cast<QWidget*>(FileListBox1)})
        w->setFocusPolicy(Qt::ClickFocus);

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(3);
    left->addWidget(DriveComboBox1);
    left->addWidget(DirectoryListBox1, 1);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addLayout(left, 1);
    row->addWidget(FileListBox1, 1);

    connect(DirectoryListBox1, &TDirectoryListBox::DirectoryOpened, this,
            [this](const QString& path) { OpenDirectory(path); });
    connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) {
        if (!OpenDirectory(DriveComboBox1->itemData(index).toString()))
            SelectDriveOf(QDir::currentPath());
    });

    FillDrives();
    Refresh();
}

bool TFolderBrowser::OpenDirectory(const QString& path) {
    const QString absolute = QDir(path).absolutePath();
    if (!QDir::setCurrent(absolute))
        return false;
    Refresh();
    emit DirectoryChanged(QDir::currentPath());
    return true;
}

void TFolderBrowser::Refresh() {
    const QString path = QDir::currentPath();
    SelectDriveOf(path);
    DirectoryListBox1->ShowDirectory(path);
    FillFiles(path);
}

void TFolderBrowser::FillDrives() {
    // Mounted directories, the root first; bind-mounted single files are no drives.
    QList<QStorageInfo> volumes;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && QFileInfo(v.rootPath()).isDir())
            volumes.append(v);
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        if (a.isRoot() != b.isRoot())
            return a.isRoot();
        return a.rootPath() < b.rootPath();
    });
    DriveComboBox1->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QStorageInfo& v : volumes) {
        QString text = QDir::toNativeSeparators(v.rootPath());
        if (!v.name().isEmpty())
            text += QStringLiteral(" [%1]").arg(v.name());
        DriveComboBox1->addItem(icon, text, v.rootPath());
    }
}

void TFolderBrowser::SelectDriveOf(const QString& path) {
    // The mount holding `path` is the one with the longest matching root.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < DriveComboBox1->count(); ++i) {
        const QString root = DriveComboBox1->itemData(i).toString();
        const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        const bool holds = path == root || path.startsWith(prefix);
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    DriveComboBox1->setCurrentIndex(best);
}

void TFolderBrowser::FillFiles(const QString& path) {
    FileListBox1->clear();
    FileListBox1->addItems(QDir(path).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

} // namespace ppspin
