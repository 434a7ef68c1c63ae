#include "mainwindow/series/SeriesRowsModel.h"

SeriesRowsModel::SeriesRowsModel(const QString& identifier, const QString& title, QObject* parent)
    : QAbstractTableModel(parent), m_identifier(identifier), m_title(title)
{
}

void SeriesRowsModel::setRows(const QStringList& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int SeriesRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SeriesRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant SeriesRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() != 0)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_rows.at(index.row());
    return {};
}

QVariant SeriesRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0)
        return m_title;
    return QAbstractTableModel::headerData(section, orientation, role);
}
