// What a screen reader is told about every control of every window: the
// name it reads out and the description it reads after it. The accessibility
// bridge takes both from Qt's accessible interfaces, which is what is read
// here; the bus itself is exercised by the accessibility_main_window test.
#include "TestPlatform.h"

#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "quotation/frmQuotaro.h"
#include "savedquotes/frmOpenSavedQuotes.h"
#include "setup/frmPageSetup.h"
#include "setup/frmPrinterSetup.h"
#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QLabel>
#include <QtTest>
#include <memory>

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
        const bool takesFocus = (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
        if (takesFocus && spoken.trimmed().isEmpty())
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

private:
    std::unique_ptr<TestPlatform> t;

    template <typename Window> void checkWindow()
    {
        Window window(t->platform, t->settings);
        window.show();
        const QStringList problems = unreadableControls(&window);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
    }
    void cleanup() { t.reset(); }

    void mainWindow()
    {
        frmQuotaro window(t->platform, t->settings);
        QCOMPARE(window.Form_Load(), frmQuotaro::StartResult::Show);
        window.show();
        const QStringList problems = unreadableControls(&window);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
    void termsSetup() { checkWindow<frmTermsSetup>(); }
    void ratesSetup() { checkWindow<frmRatesSetup>(); }
    void printerSetup() { checkWindow<frmPrinterSetup>(); }
    void pageSetup() { checkWindow<frmPageSetup>(); }
    void savedQuotes() { checkWindow<frmOpenSavedQuotes>(); }
    void calculationFormula() { checkWindow<frmCalculationFormula>(); }
    void about() { checkWindow<frmAbout>(); }
};

QTEST_MAIN(TestAccessibleNames)
#include "test_accessible_names.moc"
