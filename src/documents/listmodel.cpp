#include "documents/listmodel.h"

#include "data/polish.h"

#include <QCollator>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

ListModel::ListModel(QVector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void ListModel::SetRows(Rows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ListModel::Configure(QTableView* grid) const {
    grid->setModel(const_cast<ListModel*>(this));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->setFixedWidth(11);
    grid->verticalHeader()->setDefaultSectionSize(17);
    grid->verticalHeader()->setMinimumSectionSize(17);
    grid->horizontalHeader()->setHighlightSections(false);
    // The column widths were made for small type ("Kwota początkowa" in 100
    // pixels).
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSize(8);
    grid->setFont(small);
    grid->horizontalHeader()->setFont(small);
    for (int i = 0; i < columns_.size(); ++i)
        grid->setColumnWidth(i, columns_.at(i).width);
    // The selection stays visible when the grid loses focus.
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    grid->setPalette(pal);
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.size();
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_.size();
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return QVariant();
    const Column& column = columns_.at(index.column());
    const QVariant value = rows_.at(index.row()).value(column.field);
    if (role == Qt::DisplayRole) {
        if (value.isNull())
            return QString();
        if (column.money)
            return Polish::Money(value.toDouble());
        // A memo's line breaks would make the line unreadable in the grid.
        return value.toString().simplified();
    }
    if (role == Qt::TextAlignmentRole)
        return int((column.money ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return QVariant();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal && section < columns_.size())
        return columns_.at(section).title;
    return QString();
}

void SortByName(Rows& rows, const QString& field) {
    QCollator collator(QLocale(QLocale::Polish, QLocale::Poland));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&](const QSqlRecord& a, const QSqlRecord& b) {
        return collator.compare(a.value(field).toString(), b.value(field).toString()) < 0;
    });
}
