#include "WidgetDriver.h"

#include "help/RemoteSupport.h"
#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "store/Paths.h"

#include <QScrollBar>

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void helpWindowsAndRemoteSupport()
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("2.3.4"));
        frmCalculationFormula formula;
        frmAbout about;
        QVERIFY(showActive(&formula));
        checkFrame(&formula, "Calculation formula", {"cmdClose", "txtCalculationFormula"});
        QVERIFY(showActive(&about)); // its frame restates the form: a title and one button
        for (auto *box :
             {formula.findChild<QPlainTextEdit *>(), about.findChild<QPlainTextEdit *>()})
            QVERIFY(box->isReadOnly() && box->verticalScrollBar()->maximum() == 0);
        QCOMPARE(textOf(&formula, "txtCalculationFormula"),
                 "\nThe calculation formula is based on a rate per 1000\n\nMid (Monthly) "
                 "rental = Value * Rate / 1000\n\nUpfront rental = Mid (Monthly) * Upfront"
                 "\n\nFinal rental = Mid (Monthly) * Final\n\nWeekly equivalent rental "
                 "= Mid (Monthly) * 12 / 52\n\nDaily equivalent rental = Weekly / 7\n");
        QVERIFY(textOf(&about, "Text1").startsWith("Quotaro\nVersion 2.3.4\n"));

        TestPlatform tp;
        const QString tool = Paths::remoteSupportTool();
        for (const QString at : {"folder", "tool", "refusing tool", "nothing"}) {
            tp.remove(tool); // a folder by the tool's name is no program
            if (at != "nothing")
                at == "folder" ? tp.makeFolder(tool) : tp.write(tool, "tool");
            tp.launcher.succeed = at != "refusing tool";
            launchRemoteSupport(tp.platform, nullptr);
        }
        const QString absent = "Remote support is not currently installed on your system ! (";
        QCOMPARE(said(tp.messages).join('|').remove("Remote support: "),
                 absent + "Information)|Remote support could not be started from the file (" + tool
                     + ") ! (Exclamation)|" + absent + "Information)");
        QCOMPARE(tp.launcher.programs, QStringList(2, tp.native(tool)));
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
