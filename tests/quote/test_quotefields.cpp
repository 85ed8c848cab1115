// The fields read back from a quote file's layout: every file the main window writes, with
// amounts of two locales, and files edited by hand or that are no quote at all.
#include "WidgetDriver.h"

#include "quote/Calculation.h"
#include "quote/QuoteFields.h"
#include "quote/QuoteLayout.h"
#include "store/Settings.h"

namespace {
const QStringList Fields{"date", "customer", "monthly", "mids", "upfront", "final"};
QStringList fieldsOf(const QString &text)
{
    const QuoteFields f = readQuoteFields(text);
    return {f.date.toString(Qt::ISODate),           f.customer,
            plainNumber(f.monthly, f.decimalPoint), plainNumber(f.mids, f.decimalPoint),
            plainNumber(f.upfront, f.decimalPoint), plainNumber(f.final, f.decimalPoint)};
}
} // namespace

class TestQuoteFields : public QObject {
    Q_OBJECT
private slots:
    // Each structure, with and without each block; the blocks hold what looks like a date or
    // a rental block, which the real ones outrank.
    void writtenFilesReadBack()
    {
        for (const char *name : {"en_US", "de_DE"}) {
            const Locale locale{QLocale(name)};
            for (int s = 0; s < 4; ++s) {
                for (int with = 0; with < 16; ++with) {
                    const auto structure = Calculation::Structure(s);
                    QuoteTexts q{with & 1 ? "\r\nAcme, \"Big\" Ltd\r\n01/01/2020\r\n" : "",
                                 with & 2 ? "Press\r\n\r\n01/01/2020" : "",
                                 Calculation::hasUpfront(structure) ? locale.currency(3703.5) : "",
                                 "36",
                                 locale.currency(1234.5),
                                 Calculation::hasFinal(structure) ? locale.currency(-1) : "",
                                 locale.currency(284.88),
                                 locale.currency(40.7)};
                    PageSettings page{with & 4 ? "Kestrel\r\nRental details:" : "",
                                      with & 8 ? "Rental details:\r\n\r\n1 Monthly rentals: 9"
                                               : ""};
                    COMPARE_FIELDS(
                        fieldsOf(quoteFileText(q, page, locale.date(QDate(2026, 3, 7)))),
                        QStringList({"2026-03-07", with & 1 ? "Acme, \"Big\" Ltd" : "", "1234.50",
                                     "36", q.upfront.isEmpty() ? "" : "3703.50",
                                     q.final.isEmpty() ? "" : "-1.00"}),
                        Fields);
                }
            }
        }
    }

    void filesByHand_data() { rowsFromFile("fields.txt"); }
    void filesByHand()
    {
        QFETCH(Row, row);
        COMPARE_FIELDS(fieldsOf(row["text"]), row.from(Fields[0]), row.namesFrom(Fields[0]));
    }

    // Amounts as locales write them, and what is no number.
    void plainNumbers_data()
    {
        rowsOf({"-$1,234.56|.|-1234.56", "(£5.00)|.|-5.00", "CHF 1’234.50|.|1234.50",
                "1\u202f234,56 €|,|1234.56", "₹1,23,456.00|.|123456.00", "0,5|.|0.5", "36|,|36",
                "1.234|.|1.234", "1.234|,|1234", "1.234.567|.|1234567", "12 months 3|.|",
                "$1,,2|.|", "|.|", "US$ 7|.|7"});
    }
    void plainNumbers()
    {
        QFETCH(QStringList, row);
        QCOMPARE(plainNumber(row[0], row[1].at(0)), row[2]);
    }
};

QTEST_MAIN(TestQuoteFields)
#include "test_quotefields.moc"
