#pragma once

// The rows of the card settings panel's preset list: one dictionary per row
// with the preset's name under "Extension", the list's one column.

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QVariantMap>

class PresetListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static const QString columnIdentifier;   // "Extension"

    explicit PresetListModel(QObject* parent = nullptr);

    const QList<QVariantMap>& ListData() const { return m_rows; }

    // Appends a row holding the trimmed text; an empty text adds nothing.
    void Create_List(const QString& text);
    // The row's text; "" for a row outside the list.
    QString Get_Item_Text(int row) const;
    // Empties the list.
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Stores an edited value in rows 0 to count-1 only.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<QVariantMap> m_rows;
};
