#include "savedquotes/FoundQuotesModel.h"

#include "platform/Locale.h"

#include <QDateTime>

namespace {
const char *const Headers[] = {"Name", "Date",           "Customer",     "Monthly rental",
                               "Mids", "Upfront rental", "Final rental", "Saved"};
constexpr int Columns = int(std::size(Headers));

bool isNumber(QuoteColumn column)
{
    return column >= QuoteColumn::Monthly && column <= QuoteColumn::Final;
}
} // namespace

FoundQuotesModel::FoundQuotesModel(const QuoteIndex &index, const Locale &locale, QObject *parent)
    : QAbstractTableModel(parent), m_index(index), m_locale(locale)
{
}

int FoundQuotesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int FoundQuotesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QString FoundQuotesModel::text(const FoundQuote &quote, QuoteColumn column) const
{
    switch (column) {
    case QuoteColumn::Name: return quote.name();
    case QuoteColumn::Date:
        return quote.fields.date.isValid() ? m_locale.date(quote.fields.date) : QString();
    case QuoteColumn::Customer: return quote.fields.customer;
    case QuoteColumn::Monthly: return quote.fields.monthly;
    case QuoteColumn::Mids: return quote.fields.mids;
    case QuoteColumn::Upfront: return quote.fields.upfront;
    case QuoteColumn::Final: return quote.fields.final;
    case QuoteColumn::Saved:
        if (quote.saved < 0)
            return QString();
        const QDateTime saved = QDateTime::fromMSecsSinceEpoch(quote.saved);
        return m_locale.date(saved.date()) + u' ' + saved.time().toString(QStringLiteral("HH:mm"));
    }
    return QString();
}

QVariant FoundQuotesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_shown.size())
        return {};
    const auto column = QuoteColumn(index.column());
    if (role == Qt::TextAlignmentRole)
        return int((isNumber(column) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const FoundQuote *quote = m_index.quote(m_shown[size_t(index.row())]);
    return quote ? text(*quote, column) : QString();
}

QVariant FoundQuotesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(Headers[section]);
    if (role == Qt::TextAlignmentRole)
        return int((isNumber(QuoteColumn(section)) ? Qt::AlignRight : Qt::AlignLeft)
                   | Qt::AlignVCenter);
    return {};
}

void FoundQuotesModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= Columns)
        return;
    m_column = QuoteColumn(column);
    m_order = order;
    // The same rows in another order: the chosen quote stays chosen.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> ids;
    for (const QModelIndex &at : before)
        ids.push_back(idAt(at.row()));
    sortQuotes(m_shown, m_index, m_column, m_order);
    QModelIndexList after;
    for (size_t i = 0; i < ids.size(); ++i)
        after.append(index(rowOf(ids[i]), before[int(i)].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int FoundQuotesModel::rowOf(int id) const
{
    const auto at = std::find(m_shown.begin(), m_shown.end(), id);
    return at == m_shown.end() ? -1 : int(at - m_shown.begin());
}

void FoundQuotesModel::setShown(std::vector<int> ids)
{
    beginResetModel();
    m_shown = std::move(ids);
    endResetModel();
}

void FoundQuotesModel::add(std::vector<int> ids)
{
    if (ids.empty())
        return;
    beginResetModel();
    mergeQuotes(m_shown, ids, m_index, m_column, m_order);
    endResetModel();
}
