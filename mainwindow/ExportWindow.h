#pragma once

// The export dialog: file type, sides, the combined-picture box and the two
// data boxes. Its controls keep the names the main window's export code
// uses; the main window resets and reads them.

#include "mainwindow/DialogFrame.h"

#include <QStringList>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;

class ExportWindow : public FramedDialog<ExportWindow>
{
    Q_OBJECT

public:
    explicit ExportWindow(QWidget* parent = nullptr);

    // The file types offered, those the picture writer can encode here.
    static QStringList fileTypes();

    // The frame's runModal() answers 1 for OK, 0 for Cancel.

    // Asks for the folder a batch is exported into; "" when cancelled.
    using FolderChooser = std::function<QString(QWidget* parent)>;
    static QString chooseFolder(QWidget* parent);
    static void setFolderChooser(FolderChooser chooser);

    // The resolution chosen, in pixels per inch.
    double chosenDpi() const;

    // The side matrix's rows: 0 "BOTH", 1 "F", 2 "B".
    void selectSideRow(int row);
    int sideRow() const;

    QComboBox* fileFormatPopup = nullptr;
    QComboBox* saveDPIText = nullptr;
    QButtonGroup* matrix_export_card_side = nullptr;
    QCheckBox* export_combined_image_chk = nullptr;
    QCheckBox* Export_with_batch_chk = nullptr;
    QCheckBox* Export_with_excel_chk = nullptr;

    // Called when a side row is chosen (by the user or selectSideRow).
    std::function<void(int row)> sideChosen;
};
