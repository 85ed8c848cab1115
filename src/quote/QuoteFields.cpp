#include "quote/QuoteFields.h"

#include <QList>

namespace {

const QLatin1StringView RentalDetails("Rental details:");
const QLatin1StringView UpfrontLabel("Upfront rental:");
const QLatin1StringView MonthlyLabel("Monthly rentals:");
const QLatin1StringView FinalLabel("Final rental:");
const QLatin1StringView WeeklyLabel("Weekly equivalent:");
const QLatin1StringView DailyLabel("Daily equivalent:");

// The file's lines end in CR LF; one saved by an editor that ends them in
// LF alone is read by those. A lone CR or LF in a CR LF file stays in its
// line, as the customer typed it.
QList<QStringView> linesOf(QStringView text)
{
    const char16_t *s = text.utf16();
    const qsizetype n = text.size();
    bool crLf = false;
    for (qsizetype i = 1; i < n && !crLf; ++i)
        crLf = s[i] == u'\n' && s[i - 1] == u'\r';
    QList<QStringView> lines;
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] != u'\n' || (crLf && (i == 0 || s[i - 1] != u'\r')))
            continue;
        lines.append(text.mid(from, i - from - (crLf ? 1 : 0)));
        from = i + 1;
    }
    if (from < n)
        lines.append(text.mid(from));
    return lines;
}

// A hundred thousand quotes are read at a time: the common cases of the
// tests below are answered without a call into the string library.
bool isBlank(QStringView line)
{
    for (const QChar c : line)
        if (c != u' ' && c != u'\t' && !c.isSpace())
            return false;
    return true;
}

int digitAt(QStringView text, qsizetype i)
{
    const char16_t c = text.at(i).unicode();
    return c >= u'0' && c <= u'9' ? c - u'0' : c < 0x80 ? -1 : QChar(c).digitValue();
}

bool isRentalDetails(QStringView line)
{
    line = line.trimmed();
    return line.size() == RentalDetails.size() && line == RentalDetails;
}

// dd/mm/yyyy with the separator of the locale the quote was saved in
// (a slash, a point, a dash); one-digit days and months of a hand-edited
// date are taken too.
QDate dateOf(QStringView line)
{
    line = line.trimmed();
    qsizetype i = 0;
    int parts[3] = {0, 0, 0};
    QChar separator;
    for (int part = 0; part < 3; ++part) {
        const qsizetype start = i;
        for (; i < line.size() && digitAt(line, i) >= 0; ++i)
            parts[part] = parts[part] * 10 + digitAt(line, i);
        const qsizetype digits = i - start;
        if (part < 2) {
            if (digits < 1 || digits > 2 || i >= line.size())
                return {};
            const QChar c = line.at(i);
            if (c.isLetterOrNumber() || c.isSpace() || (part == 1 && c != separator))
                return {};
            separator = c;
            ++i;
        } else if (digits != 4 || i != line.size()) {
            return {};
        }
    }
    return QDate(parts[2], parts[1], parts[0]);
}

QStringView afterLabel(QStringView line, QLatin1StringView label)
{
    return line.mid(line.indexOf(label) + label.size()).trimmed();
}

// A written amount's decimal point when it has two decimals after one.
QChar decimalPointOf(QStringView amount)
{
    qsizetype last = amount.size() - 1;
    while (last >= 0 && digitAt(amount, last) < 0)
        --last;
    if (last >= 3 && digitAt(amount, last - 1) >= 0 && digitAt(amount, last - 2) < 0
        && digitAt(amount, last - 3) >= 0)
        return amount.at(last - 2);
    return {};
}

// The rental lines after a "Rental details:" line, up to the blank line
// that ends them; false when they hold no monthly line.
bool readRentals(const QList<QStringView> &lines, qsizetype i, QuoteFields &fields)
{
    QuoteFields found;
    while (i < lines.size() && isBlank(lines[i]))
        ++i;
    for (; i < lines.size() && !isBlank(lines[i]); ++i) {
        const QStringView line = lines[i].trimmed();
        QString *into = nullptr;
        QLatin1StringView label;
        if (line.startsWith(UpfrontLabel)) {
            into = &found.upfront;
            label = UpfrontLabel;
        } else if (line.startsWith(FinalLabel)) {
            into = &found.final;
            label = FinalLabel;
        } else if (const qsizetype at = line.indexOf(MonthlyLabel); at > 0) {
            found.mids = line.left(at).trimmed().toString();
            into = &found.monthly;
            label = MonthlyLabel;
        } else if (line.startsWith(WeeklyLabel)) {
            label = WeeklyLabel;
        } else if (line.startsWith(DailyLabel)) {
            label = DailyLabel;
        } else {
            continue;
        }
        const QStringView written = afterLabel(line, label);
        if (found.decimalPoint.isNull())
            found.decimalPoint = decimalPointOf(written);
        if (into)
            *into = written.toString();
    }
    if (found.monthly.isEmpty())
        return false;
    // A field that holds no number is one the file lacks.
    for (QString *field : {&found.monthly, &found.mids, &found.upfront, &found.final})
        if (plainNumber(*field, found.decimalPoint).isEmpty())
            field->clear();
    fields.monthly = found.monthly;
    fields.mids = found.mids;
    fields.upfront = found.upfront;
    fields.final = found.final;
    fields.decimalPoint = found.decimalPoint;
    return true;
}

} // namespace

QuoteFields readQuoteFields(QStringView text)
{
    const QList<QStringView> lines = linesOf(text);
    QuoteFields fields;
    qsizetype from = 0;
    // The date stands first or after the blank line that ends the customer
    // block, and a blank line follows it.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if ((i > 0 && !isBlank(lines[i - 1])) || (i + 1 < lines.size() && !isBlank(lines[i + 1])))
            continue;
        const QDate date = dateOf(lines[i]);
        if (!date.isValid())
            continue;
        fields.date = date;
        for (qsizetype c = 0; c < i && fields.customer.isEmpty(); ++c)
            if (!isBlank(lines[c]))
                fields.customer = lines[c].toString();
        from = i + 1;
        break;
    }
    for (qsizetype i = from; i < lines.size(); ++i)
        if (isRentalDetails(lines[i]) && readRentals(lines, i + 1, fields))
            break;
    return fields;
}

QString plainNumber(QStringView written, QChar decimalPoint)
{
    qsizetype first = 0;
    while (first < written.size() && digitAt(written, first) < 0)
        ++first;
    qsizetype last = written.size() - 1;
    while (last >= first && digitAt(written, last) < 0)
        --last;
    if (first > last)
        return {};
    const QStringView digits = written.mid(first, last - first + 1);
    qsizetype point = -1;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (digitAt(digits, i) >= 0)
            continue;
        // Letters among the digits, or two separators in a row: no number.
        if (digits.at(i).isLetter() || digitAt(digits, i + 1) < 0)
            return {};
        point = i;
    }
    if (point >= 0) {
        const QChar separator = digits.at(point);
        const bool once = digits.count(separator) == 1;
        if (!once || (digits.size() - point - 1 == 3 && separator != decimalPoint))
            point = -1;
    }
    const auto negative = [](QStringView around) {
        return around.contains(u'-') || around.contains(u'\u2212') || around.contains(u'(');
    };
    QString plain;
    plain.reserve(digits.size() + 1);
    if (negative(written.left(first)) || negative(written.mid(last + 1)))
        plain += u'-';
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i == point)
            plain += u'.';
        else if (digitAt(digits, i) >= 0)
            plain += QChar(u'0' + digitAt(digits, i));
    }
    return plain;
}
