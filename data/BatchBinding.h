#pragma once

// Batch data binding: which card objects take their values from a data
// series or from a column of the imported spreadsheet table, how many
// records a batch has, and record N's values written into a list of card
// objects (the live objects of a card side, or a snapshot's copies).
//
// A binding is built on the GUI thread from the two sides' object lists,
// the stored series and the spreadsheet rows, and checked there
// (Check_Series_Or_Excel_Use_or_not). After that it is only read: worker
// threads share one binding and each writes records into its own copies of
// the objects (Assign_Batch_Values_To_Control is const and touches nothing
// but the objects it is given and the barcode maker).

#include "data/SeriesStore.h"
#include "model/DesignFile.h"
#include "model/SKTGraphic.h"
#include "platform/Picture.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class BatchBinding
{
public:
    // Makes the picture of `value` with the barcode settings of `barcode`;
    // a null picture when none can be made. Called from every thread that
    // assigns records, so it must keep no state of its own between calls.
    using BarcodeMaker = std::function<Picture(const SKTGraphic& barcode, const QString& value)>;

    // One slot of the series table per listed series name: the values of
    // the series once an object is bound to it and its file was read.
    struct Slot
    {
        QString name;
        std::optional<QStringList> values;
    };

    BatchBinding() = default;
    // `twoSided` is CARD_SIDE_STR "2": only then do back objects count.
    BatchBinding(SeriesStore store, GraphicList front, GraphicList back, bool twoSided, QList<DesignFileRow> rows);

    // Objects that take values: exactly texts, pictures and barcodes.
    static bool takesValues(const SKTGraphic& graphic);
    // Whether `graphics` holds an object that takes values from the source
    // `sourceType` (1 series, 2 spreadsheet column).
    static bool usesSource(const GraphicList& graphics, int sourceType);

    bool Check_Front_Side_Dataset_Is_Used() const { return usesSource(m_front, 1); }
    bool Check_Back_Side_Dataset_Is_Used() const { return usesSource(m_back, 1); }
    bool Check_Front_Side_Excel_Binding_Is_Used() const { return usesSource(m_front, 2); }
    bool Check_Back_Side_Excel_Binding_Is_Used() const { return usesSource(m_back, 2); }

    // The series table: a slot per listed name, each bound series read.
    void Create_Dataset_binding_table();
    // Reads the series `name` into slot `slot`; a missing or unreadable
    // file leaves the slot as it is.
    void Add_dataset_col_in_binding_table(const QString& name, int slot);
    // Data_table_rows: the most values of a read slot; 0 when none is read.
    void Calculate_data_table_rows();
    // Excel_table_rows: the number of spreadsheet rows.
    void Calculate_Excel_table_rows();

    // The three steps of the batch check and the whole check.
    void Check_Data_Sheet_Value_Use_or_Not();
    void Check_Excel_Binding_Value_Use_or_Not();
    // Recounts the records from the flags as they are now (callers may
    // clear a flag first).
    void Get_total_Card_count();
    void Check_Series_Or_Excel_Use_or_not();

    // Whether a bound object of the card uses the series `name` (its file
    // must exist).
    bool Check_Batch_File_In_Use_Validation(const QString& name) const;

    // A series renamed from `from` to `to`, which stands at `listed` in the
    // listing of series: the objects of `graphics` that name `from` (bound
    // to it, or keeping it for when they are bound again) name `to` and its
    // place instead. Answers those objects.
    static GraphicList followSeriesRename(const GraphicList& graphics, const QString& from, const QString& to,
                                          int listed);

    // Record `row` of slot `slot`; "" past the table, the slot's end, or for
    // a slot not read.
    QString Get_sel_row_col_value_of_dataset(int row, int slot) const;
    // Record `row` of spreadsheet column `column` (0 the row number); "" at
    // or past Excel_table_rows or for a missing cell.
    QString Get_sel_row_col_value_of_Excel(int row, int column) const;
    // The first value of a series (untrimmed) and of a column.
    QString Get_First_Value_Of_Dataset(const QString& name) const;
    QString Get_First_Value_Of_Excel_Binding(int column) const;
    // The same for any rows.
    static QString cellOf(const QList<DesignFileRow>& rows, int row, int column);

    // Writes record `row` into the objects of `graphics` that take values
    // from a source in use: a text's characters are replaced whole (they
    // keep the text's attributes), a picture takes the value as its path, a
    // barcode the maker's picture (null when it can make none; without a
    // maker the barcode keeps its picture). Other objects keep what they
    // have.
    // Stops at the first object that fails and answers the reason; "" when
    // all went well. `lastBarcode`, when given, receives the last barcode
    // picture made.
    QString Assign_Batch_Values_To_Control(const GraphicList& graphics, int row,
                                           Picture* lastBarcode = nullptr) const;

    // Takes over the table and the flags and counts of `other` (a binding
    // of the same design made earlier).
    void adoptState(const BatchBinding& other);

    void setBarcodeMaker(BarcodeMaker maker) { m_barcodeMaker = std::move(maker); }
    const SeriesStore& store() const { return m_store; }
    // The sides' objects the binding was made with; the back's count only
    // on a two-sided card.
    const GraphicList& frontGraphics() const { return m_front; }
    const GraphicList& backGraphics() const { return m_back; }
    bool twoSided() const { return m_twoSided; }

    // The state the check leaves (the Part's globals, held per binding).
    const QList<Slot>& table() const { return m_table; }
    bool useDataSheetValues = false;
    // Objects are bound to series, and every one of them that could be read
    // is empty: the series count no records (useDataSheetValues is cleared),
    // yet they are sources with no values for the cards of a batch.
    bool onlyEmptySeries = false;
    bool useExcelBindingValues = false;
    int dataTableRows = 0;
    int excelTableRows = 0;
    int totalCards = 0;

private:
    int slotOf(const QString& name) const;
    void fillSlotsOf(const GraphicList& graphics, const QStringList& names);

    SeriesStore m_store;
    GraphicList m_front;
    GraphicList m_back;
    bool m_twoSided = false;
    QList<DesignFileRow> m_rows;
    QList<Slot> m_table;
    BarcodeMaker m_barcodeMaker;
};
