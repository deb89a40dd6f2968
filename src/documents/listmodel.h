#pragma once
#include "data/db.h"

#include <QAbstractTableModel>

class QTableView;

// Rows read from the database, shown read-only in a pick list.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Column {
        QString field;
        QString title;
        int width;
        bool money;
    };
    ListModel(QVector<Column> columns, QObject* parent = nullptr);

    void SetRows(Rows rows);
    const Rows& AllRows() const { return rows_; }
    // Applies the titles and widths to a grid showing this model.
    void Configure(QTableView* grid) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVector<Column> columns_;
    Rows rows_;
};

// Sorts rows by a text column as a Polish reader expects (ą after a, case
// ignored).
void SortByName(Rows& rows, const QString& field);
