#include "mainwindow/PresetListModel.h"

#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"

const QString PresetListModel::columnIdentifier = QStringLiteral("Extension");

PresetListModel::PresetListModel(QObject* parent) : QAbstractTableModel(parent) {}

void PresetListModel::Create_List(const QString& text)
{
    const QString trimmed = Trim_Str(text);
    if (trimmed.isEmpty())
        return;
    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.append(QVariantMap {{columnIdentifier, trimmed}});
    endInsertRows();
}

QString PresetListModel::Get_Item_Text(int row) const
{
    if (row < 0 || row >= m_rows.size()) {
        Show_NSLog_Message(QStringLiteral("Preset list: no row %1").arg(row));
        return QString("");
    }
    return m_rows.at(row).value(columnIdentifier).toString();
}

void PresetListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int PresetListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PresetListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant PresetListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() != 0)
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    return m_rows.at(index.row()).value(columnIdentifier);
}

QVariant PresetListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return tr("Preset");
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool PresetListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != 0)
        return false;
    if (index.row() < 0 || index.row() >= m_rows.size()) {
        Show_NSLog_Message(QStringLiteral("Preset list: no row %1 to change").arg(index.row()));
        return false;
    }
    m_rows[index.row()].insert(columnIdentifier, value);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags PresetListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
