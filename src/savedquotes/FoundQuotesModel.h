#pragma once

#include "savedquotes/QuoteSearch.h"

#include <QAbstractTableModel>

class Locale;

// The quotes found, as the rows of the find quotes window's table: one row a
// quote of the index, in the order shown. Sorting a column orders the rows
// shown; rows that come in later take their place in that order.
class FoundQuotesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    FoundQuotesModel(const QuoteIndex &index, const Locale &locale, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    QuoteColumn sortColumn() const { return m_column; }
    Qt::SortOrder sortOrder() const { return m_order; }

    const std::vector<int> &shown() const { return m_shown; }
    int idAt(int row) const { return m_shown[size_t(row)]; }
    int rowOf(int id) const; // -1 when the quote is not shown
    // Shows these quotes, in this order.
    void setShown(std::vector<int> ids);
    // Adds quotes in the saved quotes order, each where the sort puts it.
    void add(std::vector<int> ids);

    // The text of a quote's field as the table shows it.
    QString text(const FoundQuote &quote, QuoteColumn column) const;

private:
    const QuoteIndex &m_index;
    const Locale &m_locale;
    std::vector<int> m_shown;
    QuoteColumn m_column = QuoteColumn::Name;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};
