#pragma once

// The window controller's private state: the window and its canvases, the
// side records, the windows it made and what its commands keep between
// calls. SKTWindowController inherits it privately, so only the controller's
// own source files reach these fields.

#include "data/BatchBinding.h"
#include "mainwindow/WindowHandOffs.h"
#include "model/Card_Property.h"
#include "model/DesignFileOnDisk.h"

#include <QMutex>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class DrawWindow;
class Email_Setting;
class ExportWindow;
class Image_Library;
class InspectorPanel;
class MainMenuBar;
class PictureBrowser;
class PresetListModel;
struct ProfileDialog;
class QAction;
class QButtonGroup;
class QThread;
class SKTDocument;
class SKTGraphicView;
class SKTGrid;
class Send_Mail;
class Share_It_Dlg;
class SideSelection;

struct ControllerState
{
    // What became of a save: written, the panel cancelled, the write failed,
    // or the file changed on disk since and the user kept it (nothing
    // written).
    enum class SaveOutcome { Written, Cancelled, Failed, Kept };
    // Why the last design save failed (empty after one that did not fail
    // in writing).
    QString m_saveFailure;
    // The design file this window opened or last saved, as it held then.
    DesignFileOnDisk m_designOnDisk;

    QPointer<SKTDocument> m_document;
    std::unique_ptr<DrawWindow> m_window;
    // the keys of the edit commands
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_cutAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_pasteAction = nullptr;
    bool m_undoButtonUpdatePending = false;
    bool m_updatingUndoButtons = false;
    std::unique_ptr<SKTGrid> _grid;
    std::vector<std::unique_ptr<InspectorPanel>> m_inspectorPanels;
    // The objects selected when the object panels were last filled; the
    // inspector is brought in line with the selection once control is back
    // in the event loop after it changed.
    std::vector<std::weak_ptr<class SKTGraphic>> m_panelsFilledFor;
    bool m_inspectorSyncPending = false;
    std::unique_ptr<PresetListModel> m_presetList;
    // the selections of the three sides
    SideSelection* _graphicsController = nullptr;
    SideSelection* _graphicsController_back = nullptr;
    SideSelection* _graphicsController_TEMP = nullptr;
    SKTGraphicView* _graphicView = nullptr;
    SKTGraphicView* _graphicView_BACK = nullptr;
    SKTGraphicView* _graphicView_TEMP = nullptr;

    // The side records and the card's rectangle, shared with renderers on
    // other threads.
    mutable QMutex m_cardMutex;
    Card_Property m_Front_card_Prop;
    Card_Property m_Back_card_Prop;
    QRectF m_cardBounds;

    // the toolbar's hand-offs and the printers' lister
    WindowHandOffs m_handOffs;
    std::function<QStringList()> m_printerLister;

    // menus, the current tool and the grid
    bool m_menuValidationPending = false;
    QPointer<MainMenuBar> m_menuBar;
    QPointer<QButtonGroup> m_toolButtons;
    // a tool click shows its result
    bool m_showingToolResult = false;
    // the canvas being pressed with a drawing tool
    QPointer<SKTGraphicView> m_creatingCanvas;

    // the shared small windows, a child of the window, which deletes it
    QPointer<class SmallDialogs> m_smallDialogs;

    // spreadsheet imports and the series import wizard
    QPointer<class Data_From_Excel> m_excelTable;
    QPointer<class Import_Excel> m_importExcel;
    QPointer<class Import_Excel_DataSheet> m_importExcelDataSheet;
    QPointer<class Import_Wizard> m_importWizard;
    // The objects that kept their column's place when a newly read table
    // replaced the spreadsheet table, told once the import is over.
    QString m_columnsNotFollowed;
    // Set while the table is replaced by reading the design's workbook again.
    bool m_rereadingWorkbook = false;
    // Why the spreadsheet table is not what its workbook holds now: it could
    // not be read, or it changed and the saved table was kept; "" otherwise.
    QString m_workbookNote;

    // data series and batch binding
    mutable QMutex m_bindingMutex;
    std::shared_ptr<const BatchBinding> m_binding;
    BatchBinding::BarcodeMaker m_barcodeMaker;
    std::function<void(const QString&)> m_seriesViewer;
    std::function<void()> m_spreadsheetTableViewer;
    std::atomic<bool> m_batchFailureShown {false};

    // card picture export
    ExportWindow* m_exportWindow = nullptr;
    QThread* m_exportThread = nullptr;
    // Stops a batch still running when the window goes, and waits for it.
    struct ExportThreadGuard
    {
        QThread** thread;
        ~ExportThreadGuard();
    };

    // mail settings and the mail window; the controller's destructor stops
    // a send still running before the window goes
    Email_Setting* m_mailSettings = nullptr;
    Send_Mail* m_mailWindow = nullptr;

    // templates, the card-size wizard and the start screen
    QPointer<class Start_Card> m_startCard;
    // Shown while a large design file is read.
    QPointer<class PleaseWait_Modeless> m_pleaseWait;

    // picture library and the card panel's background browser
    PictureBrowser* imageBrowser = nullptr;
    // The path last chosen in the background browser.
    QString selected_image;
    Image_Library* m_imageLibrary = nullptr;

    // holder profiles
    ProfileDialog* m_profileDialog = nullptr;
    ProfileDialog* m_profileWizardForm = nullptr;
    QPointer<class QToolButton> m_profileButton;

    // help, review, share and promotion windows
    Share_It_Dlg* m_shareWindow = nullptr;
};
