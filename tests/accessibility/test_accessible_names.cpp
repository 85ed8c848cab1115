// What a screen reader is told about every control of every window: the
// name it reads out and the description after it, as Qt's accessible
// interfaces give them to the bridge (the bus itself is read by the
// accessibility_main_window test).
#include "Windows.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

namespace {

// One line per control whose reading is wrong, so a failure lists them all.
QStringList unreadableControls(QWidget *window)
{
    QStringList problems;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !w->isVisibleTo(window))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        if (!face)
            continue;
        const QString spoken = face->text(QAccessible::Name);
        const QString described = face->text(QAccessible::Description);
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && spoken.trimmed().isEmpty())
            problems.append(QStringLiteral("%1: no name").arg(name));
        // A tooltip the mouse user sees is read to the screen reader user too.
        if (!w->toolTip().isEmpty() && described != w->toolTip())
            problems.append(QStringLiteral("%1: description \"%2\", tooltip \"%3\"")
                                .arg(name, described, w->toolTip()));
        // A button or label is read as the caption it shows.
        QString caption;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            caption = button->text();
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->pixmap().isNull())
            caption = label->text();
        caption.remove(QLatin1Char('&'));
        if (!caption.isEmpty() && spoken != caption)
            problems.append(QStringLiteral("%1: read as \"%2\", shows \"%3\"").arg(name, spoken, caption));
    }
    return problems;
}

} // namespace

class TestAccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void everyWindow_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"frmQuotaro", "frmTermsSetup", "frmRatesSetup", "frmPrinterSetup",
                                 "frmPageSetup", "frmOpenSavedQuotes", "frmCalculationFormula", "frmAbout"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyWindow()
    {
        QFETCH(QString, window);
        TestPlatform t;
        t.makeTree();
        std::unique_ptr<QWidget> w;
        if (window == QLatin1String("frmQuotaro")) {
            auto main = std::make_unique<frmQuotaro>(t.platform, t.settings);
            QCOMPARE(main->Form_Load(), frmQuotaro::StartResult::Show);
            w = std::move(main);
        } else {
            w = makeDialog(window, t);
        }
        w->show();
        const QStringList problems = unreadableControls(w.get());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestAccessibleNames)
#include "test_accessible_names.moc"
