#include "WidgetDriver.h"

#include "help/RemoteSupport.h"
#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "store/Paths.h"

#include <QLabel>
#include <QTextBlock>

// A box's text, marked when it can be edited or its last line is cut off.
QString shownWhole(QWidget *window, const QString &name)
{
    auto *box = child<QPlainTextEdit>(window, name);
    const int bottom = box->cursorRect(QTextCursor(box->document()->lastBlock())).bottom();
    const bool whole = box->isReadOnly() && bottom <= box->viewport()->height();
    return (whole ? "" : "<cut or editable>") + textOf(window, name);
}

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void formulaAndAboutWindows()
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("2.3.4"));
        frmCalculationFormula formula;
        frmAbout about;
        QVERIFY(showActive(&formula));
        QCOMPARE(shownWhole(&formula, "txtCalculationFormula"),
                 "\nThe calculation formula is based on a rate per 1000\n\nMid (Monthly) "
                 "rental = Value * Rate / 1000\n\nUpfront rental = Mid (Monthly) * Upfront"
                 "\n\nFinal rental = Mid (Monthly) * Final\n\nWeekly equivalent rental "
                 "= Mid (Monthly) * 12 / 52\n\nDaily equivalent rental = Weekly / 7\n");
        checkFrame(&formula, "Calculation formula", {"cmdClose", "txtCalculationFormula"});
        QVERIFY(showActive(&about));
        auto *logo = child<QLabel>(&about, "Picture1");
        QVERIFY(logo->pixmap().size() == QSize(230, 80) && !logo->hasScaledContents());
        const QString text = shownWhole(&about, "Text1");
        QVERIFY(text.startsWith("Quotaro\nVersion 2.3.4\n")
                && text.contains("support@quotaro.example"));
        checkFrame(&about, "About", {"cmdClose"});
        click(&formula, "cmdClose");
        click(&about, "cmdClose");
        QVERIFY(!formula.isVisible() && !about.isVisible());
    }

    void remoteSupportIsLookedForAtEveryClick() // a folder by its name is no program
    {
        TestPlatform tp;
        const QString tool = Paths::remoteSupportTool();
        tp.makeFolder(tool);
        for (int click = 0; click < 5; ++click) {
            if (click == 1 || click == 4)
                tp.remove(tool);
            if (click == 1)
                tp.write(tool, "tool");
            tp.launcher.succeed = click != 3;
            launchRemoteSupport(tp.platform, nullptr);
        }
        const QString absent = "Remote support is not currently installed on your system ! (";
        QCOMPARE(said(tp.messages).join('|').remove("Remote support: "),
                 absent + "Information)|Remote support could not be started from the file (" + tool
                     + ") ! (Exclamation)|" + absent + "Information)");
        QCOMPARE(tp.launcher.programs, QStringList(3, tp.native(tool)));
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
