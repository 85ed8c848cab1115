#include "TestPlatform.h"
#include "WidgetDriver.h"

#include "help/RemoteSupport.h"
#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "store/Paths.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

// The bottom of the last line lies inside the box, so no scroll bar is
// needed that the box does not have.
bool wholeTextVisible(QPlainTextEdit *box)
{
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    return box->cursorRect(end).bottom() <= box->viewport()->height();
}

QString programText(const QPlainTextEdit *box)
{
    return box->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

const QString NotInstalled = QStringLiteral(
    "Remote support is not currently installed on your system !");

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void formulaWindowShowsItsTwelveLines()
    {
        TestPlatform tp;
        // Opened twice: the text is set, never added to.
        for (int opening = 0; opening < 2; ++opening) {
            frmCalculationFormula window;
            QVERIFY(showActive(&window));
            auto *box = child<QPlainTextEdit>(&window, "txtCalculationFormula");
            QCOMPARE(programText(box),
                     QStringLiteral("\r\nThe calculation formula is based on a rate per 1000\r\n"
                                    "\r\nMid (Monthly) rental = Value * Rate / 1000\r\n"
                                    "\r\nUpfront rental = Mid (Monthly) * Upfront\r\n"
                                    "\r\nFinal rental = Mid (Monthly) * Final\r\n"
                                    "\r\nWeekly equivalent rental = Mid (Monthly) * 12 / 52\r\n"
                                    "\r\nDaily equivalent rental = Weekly / 7\r\n"));
            QVERIFY(!box->toPlainText().contains(QLatin1Char('\r')));
            QVERIFY(box->isReadOnly());
            QVERIFY(wholeTextVisible(box));
            checkFrame(&window, QStringLiteral("Calculation formula"),
                       {"cmdClose", "txtCalculationFormula"});
            click(&window, "cmdClose");
            QVERIFY(!window.isVisible());
        }
    }

    void aboutWindowShowsLogoAndDescription()
    {
        TestPlatform tp;
        QCoreApplication::setApplicationVersion(QStringLiteral("2.3.4"));
        frmAbout window;
        QVERIFY(showActive(&window));
        auto *picture = child<QLabel>(&window, "Picture1");
        const QPixmap logo = picture->pixmap();
        QCOMPARE(logo.size(), QSize(230, 80));
        QVERIFY(!picture->hasScaledContents());
        QCOMPARE(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);

        auto *text = child<QPlainTextEdit>(&window, "Text1");
        QVERIFY(programText(text).startsWith(QStringLiteral("Quotaro\r\nVersion 2.3.4\r\n")));
        QVERIFY(programText(text).contains(QStringLiteral("support@quotaro.example")));
        QVERIFY(text->isReadOnly());
        QVERIFY(wholeTextVisible(text));
        // The description covers the picture box below the logo.
        QVERIFY(picture->geometry().contains(text->geometry()));
        QVERIFY(text->y() >= picture->y() + logo.height());
        QVERIFY(window.children().indexOf(text) > window.children().indexOf(picture));
        // Only Close takes the focus.
        checkFrame(&window, QStringLiteral("About"), {"cmdClose"});
        click(&window, "cmdClose");
        QVERIFY(!window.isVisible());
    }

    // Looked for at every click: absent (a folder by its name is no program
    // either), started each time once in place, told when it cannot start.
    void remoteSupportIsLookedForAtEveryClick()
    {
        TestPlatform tp;
        tp.makeTree();
        tp.makeFolder(Paths::remoteSupportTool());
        LaunchRemoteSupport(tp.platform, nullptr);
        LaunchRemoteSupport(tp.platform, nullptr);
        QCOMPARE(tp.messages.texts(), QStringList({NotInstalled, NotInstalled}));
        for (const RecordedMessage &m : tp.messages.messages) {
            QCOMPARE(m.title, QStringLiteral("Remote support"));
            QCOMPARE(m.icon, MsgIcon::Information);
            QCOMPARE(m.buttons, MsgButtons::Ok);
        }
        QVERIFY(tp.launcher.programs.isEmpty());

        tp.remove(Paths::remoteSupportTool());
        tp.write(Paths::remoteSupportTool(), "tool");
        tp.messages.clear();
        LaunchRemoteSupport(tp.platform, nullptr);
        LaunchRemoteSupport(tp.platform, nullptr);
        const QString native = tp.native(Paths::remoteSupportTool());
        QCOMPARE(tp.launcher.programs, QStringList({native, native}));
        QVERIFY(native.endsWith(QStringLiteral("/Support Tools/Kestrane-Remote-Support.exe")));
        QVERIFY(tp.messages.messages.isEmpty());

        tp.launcher.succeed = false;
        LaunchRemoteSupport(tp.platform, nullptr);
        QCOMPARE(tp.messages.texts(),
                 QStringList("Remote support could not be started from the file ("
                             + Paths::remoteSupportTool() + ") !"));
        QCOMPARE(tp.messages.messages[0].title, QStringLiteral("Remote support"));
        QCOMPARE(tp.messages.messages[0].icon, MsgIcon::Exclamation);

        tp.launcher.succeed = true;
        tp.remove(Paths::remoteSupportTool());
        const qsizetype started = tp.launcher.programs.size();
        LaunchRemoteSupport(tp.platform, nullptr);
        QCOMPARE(tp.launcher.programs.size(), started);
        QCOMPARE(tp.messages.texts().last(), NotInstalled);
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
