#pragma once

// The rows of a series window's table: one text per row under one column
// (the series names keyed "Extension", or the values keyed "Header"). The
// table is read-only; a double click is handled by the window.

#include <QAbstractTableModel>
#include <QStringList>

class SeriesRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    SeriesRowsModel(const QString& identifier, const QString& title, QObject* parent = nullptr);

    void setRows(const QStringList& rows);
    const QStringList& rows() const { return m_rows; }
    // the column's identifier, the key of its rows
    const QString& identifier() const { return m_identifier; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString m_identifier;
    QString m_title;
    QStringList m_rows;
};
