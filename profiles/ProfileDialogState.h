#pragma once

// What the two profile dialogs show and edit, without their windows: eleven
// rows (ten text rows and the photo row), each with its caption, its value,
// its source list (manual, series and, while a spreadsheet table is in use,
// "Excel"), the series or column list its source fills, the check boxes and
// the editability of its controls. The dialogs show this state and hand the
// user's actions to it.
//
// A selection in a list runs that list's handler whether the user or the
// program made it; loading a side relies on that (selecting a row's source
// fills its series or column list, selecting an item there sets the row's
// sample value). The cascade is spelled out here: selectSource() runs
// sourceChanged(), selectChoice() runs choiceChanged().

#include "model/SKTGraphic.h"
#include "model/SheetColumns.h"
#include "profiles/User_Profile_Class.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ProfileDialogState
{
public:
    // Where the lists and sample values come from.
    struct Sources
    {
        // the names of the stored data series, in their order
        std::function<QStringList()> seriesNames;
        // the first value of a series ("" when it has none)
        std::function<QString(const QString& series)> firstSeriesValue;
        // the spreadsheet table's column titles
        std::function<QStringList()> columnTitles;
        // where they stood in their sheet
        std::function<SheetColumns()> sheetColumns;
        // the first row's value of a column ("" when the table has no row)
        std::function<QString(int column)> firstColumnValue;
        // whether a spreadsheet table with at least one row is loaded
        std::function<bool()> tableLoaded;
    };

    struct Row
    {
        QString caption;        // the caption field (text rows)
        QString value;          // the value field; the photo path on the photo row
        QStringList sourceItems;   // the source list
        int source = 0;            // its selected item, -1 for none
        QStringList choiceItems;   // the series or column list
        int choice = -1;           // its selected item, -1 for none
        bool captionChecked = false;
        bool valueChecked = false;
        bool captionEditable = false;
        // the value field (text rows), or the photo's browse and clear
        // buttons (photo row)
        bool valueEditable = true;
        bool choiceEnabled = false;
        bool viewEnabled = false;

        QString chosenText() const { return choice >= 0 && choice < choiceItems.size() ? choiceItems[choice] : QString(); }
    };

    static constexpr int rowCount = 11;
    static constexpr int photoRow = 10;
    // the first two items of every source list
    static const QString manualItem;
    static const QString seriesItem;
    static const QString excelItem;

    // `withCheckBoxes` false for the wizard form, which has none.
    explicit ProfileDialogState(Sources sources, bool withCheckBoxes = true);

    const Row& row(int index) const { return m_rows[index]; }
    const QList<Row>& rows() const { return m_rows; }
    bool withCheckBoxes() const { return m_withCheckBoxes; }

    // The row of a profile control ID ("Fup_Name" ... "Fup_Photo"), -1 for
    // any other text.
    static int rowOfControlId(const QString& id);

    // ---- the handler cascade ----
    // Selects a source item (-1 none) and runs sourceChanged().
    void selectSource(int row, int index);
    // Selects an item of the series or column list (-1 none) and runs
    // choiceChanged().
    void selectChoice(int row, int index);
    // Source 0: the value editable, the list emptied and disabled; 1: the
    // series names, the view button on; anything else: the column titles.
    // A bound row's value is read-only. A text row's value stays; the photo
    // row back on source 0 shows its own path again (the one it had while
    // typed, none when it was never typed), not a sample of a series or
    // column.
    void sourceChanged(int row);
    // A chosen series or column puts its first value into the row (the
    // photo row through setUserImage); an empty item text changes nothing.
    void choiceChanged(int row);

    // ---- typing and the check boxes (profile dialog only) ----
    void setCaption(int row, const QString& text);
    void setValue(int row, const QString& text);
    // An edit by the user: the text, and the box of the edited field ticked.
    void captionEdited(int row, const QString& text);
    void valueEdited(int row, const QString& text);
    // The box's value makes its field editable (true) or read-only.
    void captionCheckClicked(int row, bool checked);
    void valueCheckClicked(int row, bool checked);

    // ---- the photo ----
    // The trimmed path becomes the photo row's value (and, while the row is
    // typed, its own path); `photoChanged` hears it so that the window can
    // show the picture (or clear it for "").
    void setUserImage(const QString& path);
    std::function<void(const QString& path)> photoChanged;

    // ---- the spreadsheet ----
    QString excelPath;
    // "Excel" appended to every source list with exactly 2 items, or taken
    // from every list with exactly 3 (a row that had it selected goes back
    // to manual). Other lists are left alone.
    void addExcelItems();
    void removeExcelItems();
    // After a spreadsheet was chosen and imported: the lists offer "Excel"
    // exactly while the table is loaded.
    void spreadsheetImported();
    bool tableLoaded() const;
    // After a newly read table replaced the one titled `previousTitles`,
    // read from the sheet columns `previousColumns`: every row bound to a
    // column lists the new columns and takes the one its column's title now
    // names, or the one renamed at its place (ColumnRebinding), and shows
    // its first value; a row whose column is gone has none chosen and an
    // empty value.
    void followColumnTitles(const QStringList& previousTitles, const SheetColumns& previousColumns = {});
    // Why the table is not what the named workbook holds now ("" when it
    // is); shown under the path.
    QString excelNote;

    // ---- whole-dialog operations ----
    // Empties the photo, unticks every box, empties the ten values, selects
    // source 0 in every row and deselects every series or column list. The
    // captions and the "Excel" items stay. The wizard's side choosers pick
    // item 2.
    void reset();
    // Loads the rows from a side's objects in list order: exact class
    // SKTText or SKTImage, visible, a trimmed control ID of a row; a later
    // object with the same ID loads its row again. A text row takes the
    // object's text and ticks its value box, the photo row the picture's
    // file path; then the object's source and series or column are
    // selected. A column binding while the lists have no "Excel" item gets
    // one when a table is loaded, otherwise the row loads as typed; a
    // source no list item stands for loads as typed too.
    void loadSide(const GraphicList& graphics);

    // The first bound row (table order) with no series or column chosen
    // puts its caption into `checked_field_name`; true when there is none.
    bool Check_Validation();
    QString checked_field_name;
    // "Please select the source for 'Name'" for `checked_field_name` "Name :".
    QString validationMessage() const;

    enum class Target { Front, Back, Temp };
    // Validates (showing the message on failure, writing nothing) and writes
    // the rows into `record`. Front and back also set the record's enable
    // and spreadsheet flags and the program's spreadsheet binding.
    bool commit(User_Profile_Class& record, Target target);
    // OK by the side letter: "B" the back, "" the front then the back, any
    // other the front. True when every commit went through.
    bool ok(const QString& load_side, User_Profile_Class& front, User_Profile_Class& back);
    // Cancel: while a table is loaded, the program's spreadsheet path takes
    // the path field.
    void cancel();

    // ---- the wizard form's side choosers (0 front, 1 back, 2 both) ----
    QList<int> sideChoice;
    bool sideChoosersVisible = true;
    // Opening on a side hides them and chooses that side; opening without
    // one shows them.
    void openSideChoosers(bool loadSide, int cardSide);

private:
    void rowChoiceInto(int row, const QString& value);

    Sources m_sources;
    bool m_withCheckBoxes;
    QList<Row> m_rows;
    // The photo path chosen or loaded while the photo row was typed.
    QString m_ownPhoto;
};
