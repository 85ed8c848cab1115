#include "TestPlatform.h"

#include "lists/ListControl.h"
#include "store/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QtTest>

// What a list shows of its folder: every ordinary file ending in .txt in any
// letter case, in the folder's own order, and nothing else.
class TestListFolders : public QObject {
    Q_OBJECT
private slots:
    void onlyOrdinaryTxtFilesAreListed();
    void aLargeFolderIsListedWholeInItsOwnOrder();
};

void TestListFolders::onlyOrdinaryTxtFilesAreListed()
{
    TestPlatform t;
    t.makeTree();
    const QString folder = t.native(Paths::quotesFolder()) + QLatin1Char('/');
    auto touch = [&](const QString &name) {
        QFile f(folder + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    };
    touch(QStringLiteral("Acme 2.txt"));
    touch(QStringLiteral("Bolt 1.TXT"));
    touch(QStringLiteral("Caf\u00e9 3.Txt"));
    touch(QStringLiteral(".hidden 4.txt"));
    touch(QStringLiteral("notes.text"));
    touch(QStringLiteral("txt"));
    QVERIFY(QDir(folder).mkdir(QStringLiteral("Folder 5.txt")));
    QVERIFY(
        QFile::link(folder + QStringLiteral("Acme 2.txt"), folder + QStringLiteral("Link 6.txt")));
    QVERIFY(QFile::link(folder + QStringLiteral("gone"), folder + QStringLiteral("Broken 7.txt")));
    QVERIFY(QFile::link(folder + QStringLiteral("Folder 5.txt"),
                        folder + QStringLiteral("To folder 8.txt")));

    QListWidget list;
    list.setProperty("sortedList", true);
    LoadListFromFolder(t.platform, nullptr, &list,
                       {Paths::quotesFolder(), QStringLiteral("Saved quotes"),
                        QStringLiteral("You do not currently have any saved quotes !"),
                        NumericReSort});
    QStringList shown;
    for (int i = 0; i < list.count(); ++i)
        shown << list.item(i)->text();
    // A leading dot hides nothing: the program never hides a file.
    QCOMPARE(shown,
             (QStringList{QStringLiteral(".hidden 4"), QStringLiteral("Acme 2"),
                          QStringLiteral("Bolt 1"), QStringLiteral("Caf\u00e9 3"),
                          QStringLiteral("Link 6")}));
    QVERIFY(t.messages.messages.isEmpty());
}

void TestListFolders::aLargeFolderIsListedWholeInItsOwnOrder()
{
    TestPlatform t;
    t.makeTree();
    const QString folder = t.native(Paths::upfrontsFolder());
    for (int i = 0; i < 3000; ++i) {
        QFile f(folder + QStringLiteral("/%1.txt").arg(i * 7 % 3001));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    // The order the directory itself gives, as Qt's own iterator reads it.
    QStringList expected;
    QDirIterator it(folder, {QStringLiteral("*.txt")}, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        expected << it.fileName();
    }
    QCOMPARE(expected.size(), 3000);
    QCOMPARE(t.files.listTxtFiles(Paths::upfrontsFolder()).value(), expected);
}

QTEST_MAIN(TestListFolders)
#include "test_list_folders.moc"
