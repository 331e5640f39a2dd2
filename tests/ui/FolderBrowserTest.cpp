// The folder browser decides where a relative report name lands.
#include "FolderBrowser.h"
#include "F_Form.h"
#include "Main_PP.h"
#include "UiTestSupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeWidget>
#include <QtTest>

using namespace ppspin;
using ppspin::testing::ModalCloser;
using ppspin::testing::Names;
using ppspin::testing::ScratchDirectory;

namespace {

QTreeWidgetItem* FindFolder(QTreeWidget* tree, const QString& name) {
    const QList<QTreeWidgetItem*> found =
        tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found[0] : nullptr;
}

// As the mouse delivers it: press, release, double-click, release. (For
// widgets QTest::mouseDClick sends the double-click event alone.)
void DoubleClick(QTreeWidget* tree, QTreeWidgetItem* item) {
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class FolderBrowserTest : public QObject {
    Q_OBJECT

    ScratchDirectory* scratch_ = nullptr;

    QTreeWidget* Tree(QWidget* w) { return w->findChild<QTreeWidget*>("DirectoryListBox1"); }
    QListWidget* FileList(QWidget* w) { return w->findChild<QListWidget*>("FileListBox1"); }

  private slots:
    void init() {
        ppspin::testing::ForgetSession();
        scratch_ = new ScratchDirectory;
        QDir here(scratch_->Path());
        QVERIFY(here.mkdir("alpha") && here.mkdir("beta") && here.mkpath("alpha/inner"));
        QFile note(scratch_->File("notes.txt"));
        QVERIFY(note.open(QIODevice::WriteOnly));
    }
    void cleanup() {
        delete scratch_;
        scratch_ = nullptr;
    }

    void showsTheCurrentDirectory() {
        TFolderBrowser b;
        QTreeWidgetItem* current = Tree(&b)->currentItem();
        QVERIFY(current != nullptr);
        QCOMPARE(current->text(0), QFileInfo(scratch_->Path()).fileName());
        QStringList children;
        for (int i = 0; i < current->childCount(); ++i)
            children << current->child(i)->text(0);
        QCOMPARE(children, QStringList({"alpha", "beta"}));
        // The chain above starts at the root.
        QTreeWidgetItem* top = current;
        while (top->parent() != nullptr)
            top = top->parent();
        QCOMPARE(top->text(0), QString("/"));
        QCOMPARE(Names(FileList(&b)), QStringList{"notes.txt"});
    }

    void drivesStartWithTheRootAndFollowTheDirectory() {
        TFolderBrowser b;
        auto* drives = b.findChild<QComboBox*>("DriveComboBox1");
        QVERIFY(drives->count() >= 1);
        QCOMPARE(drives->itemData(0).toString(), QString("/"));
        const QString mount = QStorageInfo(scratch_->Path()).rootPath();
        QCOMPARE(drives->currentData().toString(), mount);
    }

    void singleClickOnlySelects() {
        TFolderBrowser b;
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QTreeWidgetItem* alpha = FindFolder(Tree(&b), "alpha");
        QTest::mouseClick(Tree(&b)->viewport(), Qt::LeftButton, {},
                          Tree(&b)->visualItemRect(alpha).center());
        QCOMPARE(Tree(&b)->currentItem(), alpha);
        QCOMPARE(QDir::currentPath(), scratch_->Path());
    }

    void doubleClickOpensDownAndUp() {
        TFolderBrowser b;
        QSignalSpy changed(&b, &TFolderBrowser::DirectoryChanged);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        DoubleClick(Tree(&b), FindFolder(Tree(&b), "alpha"));
        QCOMPARE(QDir::currentPath(), scratch_->File("alpha"));
        QCOMPARE(Tree(&b)->currentItem()->text(0), QString("alpha"));
        QVERIFY(FindFolder(Tree(&b), "inner") != nullptr);
        QVERIFY(Names(FileList(&b)).isEmpty());

        // Back up through the chain of parents.
        DoubleClick(Tree(&b), FindFolder(Tree(&b), QFileInfo(scratch_->Path()).fileName()));
        QCOMPARE(QDir::currentPath(), scratch_->Path());
        QCOMPARE(changed.size(), 2);
    }

    void enterOpensTheFolderWithoutStartingARun() {
        TForm1 w('.');
        w.SetDialogs(nullptr, new TFinishForm(&w));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        ModalCloser closer(&w);
        QTreeWidget* tree = Tree(&w);
        tree->setFocus();
        tree->setCurrentItem(FindFolder(tree, "beta"));
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(QDir::currentPath(), scratch_->File("beta"));
        QVERIFY(closer.Seen().isEmpty());
        QVERIFY(!QFile::exists(scratch_->File("beta/result.txt")));
        QVERIFY(!QFile::exists(scratch_->File("result.txt")));
    }

    void nextReportLandsInTheOpenedFolder() {
        TForm1 w('.');
        w.SetDialogs(nullptr, new TFinishForm(&w));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ModalCloser closer(&w);
        DoubleClick(Tree(&w), FindFolder(Tree(&w), "alpha"));
        QVERIFY(Names(FileList(&w)).isEmpty());

        w.findChild<QPushButton*>("BitBtn1")->click();
        QCOMPARE(closer.Seen().size(), 1);
        QVERIFY(QFile::exists(scratch_->File("alpha/result.txt")));
        QVERIFY(!QFile::exists(scratch_->File("result.txt")));
        QCOMPARE(Names(FileList(&w)), QStringList{"result.txt"});
    }
};

QTEST_MAIN(FolderBrowserTest)
#include "FolderBrowserTest.moc"
