#include "TestPlatform.h"

#include "help/RemoteSupport.h"
#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "store/Paths.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

namespace {

template <typename T> T *child(QWidget &window, const char *name)
{
    T *w = window.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

bool showAndActivate(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The whole text fits the box: the bottom of its last line lies inside the
// visible area, so nothing needs a scroll bar that the box does not have.
bool wholeTextVisible(QPlainTextEdit *box)
{
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    return box->cursorRect(end).bottom() <= box->viewport()->height();
}

QString programText(const QPlainTextEdit *box)
{
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void formulaWindowShowsItsTwelveLines();
    void aboutWindowShowsLogoAndDescription();
    void remoteSupportAbsentIsToldEveryTime();
    void remoteSupportPutInPlaceIsStartedAtTheNextClick();
    void remoteSupportThatCannotStartIsTold();
};

void TestHelp::formulaWindowShowsItsTwelveLines()
{
    TestPlatform tp;
    const QString expected = QStringLiteral(
        "\r\n"
        "The calculation formula is based on a rate per 1000\r\n"
        "\r\n"
        "Mid (Monthly) rental = Value * Rate / 1000\r\n"
        "\r\n"
        "Upfront rental = Mid (Monthly) * Upfront\r\n"
        "\r\n"
        "Final rental = Mid (Monthly) * Final\r\n"
        "\r\n"
        "Weekly equivalent rental = Mid (Monthly) * 12 / 52\r\n"
        "\r\n"
        "Daily equivalent rental = Weekly / 7\r\n");
    for (int opening = 0; opening < 2; ++opening) {
        frmCalculationFormula window(tp.platform, tp.settings);
        QVERIFY(showAndActivate(window));
        auto *box = child<QPlainTextEdit>(window, "txtCalculationFormula");
        QCOMPARE(programText(box), expected);
        QVERIFY(!box->toPlainText().contains(QLatin1Char('\r')));
        QCOMPARE(box->document()->firstBlock().text(), QString());
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(wholeTextVisible(box));
        QCOMPARE(box->toolTip(), QStringLiteral("Calculation formula"));

        QCOMPARE(window.windowTitle(), QStringLiteral("Calculation formula"));
        QCOMPARE(window.size(), QSize(273, 231));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(window, "cmdClose"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box);

        QTest::mouseClick(child<QPushButton>(window, "cmdClose"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
}

void TestHelp::aboutWindowShowsLogoAndDescription()
{
    TestPlatform tp;
    QCoreApplication::setApplicationVersion(QStringLiteral("2.3.4"));
    frmAbout window(tp.platform, tp.settings);
    QVERIFY(showAndActivate(window));
    QCOMPARE(window.windowTitle(), QStringLiteral("About"));
    QCOMPARE(window.size(), QSize(249, 416));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!(window.windowFlags() & Qt::WindowMinMaxButtonsHint));

    auto *picture = child<QLabel>(window, "Picture1");
    const QPixmap logo = picture->pixmap();
    QVERIFY(!logo.isNull());
    QCOMPARE(logo.size(), QSize(230, 80));
    QVERIFY(!picture->hasScaledContents());
    QCOMPARE(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);

    auto *text = child<QPlainTextEdit>(window, "Text1");
    const QString about = programText(text);
    QVERIFY(about.startsWith(QStringLiteral("Quotaro\r\nVersion 2.3.4\r\n")));
    QVERIFY(about.contains(QStringLiteral("support@quotaro.example")));
    QVERIFY(text->isReadOnly());
    QVERIFY(!(text->focusPolicy() & Qt::TabFocus));
    QVERIFY(wholeTextVisible(text));
    // The description covers the picture box below the logo.
    QVERIFY(picture->geometry().contains(text->geometry()));
    QVERIFY(text->y() >= picture->y() + logo.height());
    QVERIFY(window.children().indexOf(text) > window.children().indexOf(picture));

    QCOMPARE(QApplication::focusWidget(), child<QWidget>(window, "cmdClose"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(window, "cmdClose"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(!window.isVisible());
}

void TestHelp::remoteSupportAbsentIsToldEveryTime()
{
    TestPlatform tp;
    tp.makeTree();
    // A folder by the tool's name is no program either.
    tp.makeFolder(Paths::remoteSupportTool());
    LaunchRemoteSupport(tp.platform, nullptr);
    LaunchRemoteSupport(tp.platform, nullptr);
    QCOMPARE(tp.messages.messages.size(), 2);
    for (const RecordedMessage &m : tp.messages.messages) {
        QCOMPARE(m.text, QStringLiteral("Remote support is not currently installed on your system !"));
        QCOMPARE(m.title, QStringLiteral("Remote support"));
        QCOMPARE(m.icon, MsgIcon::Information);
        QCOMPARE(m.buttons, MsgButtons::Ok);
    }
    QVERIFY(tp.launcher.programs.isEmpty());
}

void TestHelp::remoteSupportPutInPlaceIsStartedAtTheNextClick()
{
    TestPlatform tp;
    tp.makeTree();
    LaunchRemoteSupport(tp.platform, nullptr);
    QCOMPARE(tp.messages.messages.size(), 1);

    tp.write(Paths::remoteSupportTool(), "tool");
    LaunchRemoteSupport(tp.platform, nullptr);
    LaunchRemoteSupport(tp.platform, nullptr);
    const QString native = tp.native(Paths::remoteSupportTool());
    QCOMPARE(tp.launcher.programs, QStringList({native, native}));
    QVERIFY(native.endsWith(QStringLiteral("/Support Tools/Kestrane-Remote-Support.exe")));
    QCOMPARE(tp.messages.messages.size(), 1);

    tp.remove(Paths::remoteSupportTool());
    LaunchRemoteSupport(tp.platform, nullptr);
    QCOMPARE(tp.launcher.programs.size(), 2);
    QCOMPARE(tp.messages.texts().last(),
             QStringLiteral("Remote support is not currently installed on your system !"));
}

void TestHelp::remoteSupportThatCannotStartIsTold()
{
    TestPlatform tp;
    tp.makeTree();
    tp.write(Paths::remoteSupportTool(), "not a program");
    tp.launcher.succeed = false;
    LaunchRemoteSupport(tp.platform, nullptr);
    QCOMPARE(tp.messages.messages.size(), 1);
    const RecordedMessage &m = tp.messages.messages[0];
    QCOMPARE(m.text, QStringLiteral("Remote support could not be started from the file (")
                         + Paths::remoteSupportTool() + QStringLiteral(") !"));
    QCOMPARE(m.title, QStringLiteral("Remote support"));
    QCOMPARE(m.icon, MsgIcon::Exclamation);
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"
