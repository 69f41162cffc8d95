#pragma once

#include "app/elements.h"
#include "browser/history.h"
#include "editor/element_geometry.h"
#include "page/loader.h"
#include "page/page_text.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class BrowserMouse;
class Canvas;
class CanvasArea;
class CommonDialog;
class DebugView;
class DragOutline;
class Inet;
class PictureQueue;
class RecoveryCopy;
class SelectionFrame;
class UnsavedChanges;
struct StartRequest;
class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QDrag;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMimeData;
class QPushButton;
class QSplitter;
class QStackedLayout;
class QTimer;
class QUndoStack;

// The one window of the program. It owns every control, the element pools and the state that
// the commands share. Its handlers are implemented in the file of their subsystem: page files in
// src/page, the editor in src/editor, browsing in src/browser.
class Form1 : public QMainWindow, private PageEvents
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 100;
    static constexpr int ReservedRows = 100;

    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The dialogs the window asks; tests put scripted ones in their place.
    void setCommonDialog(std::unique_ptr<CommonDialog> dialogs);
    CommonDialog &commonDialog() const { return *Common; }

    // Slot access; nullptr for a slot outside 0 to 100.
    ElementButton *button(int slot) const;
    ElementLabel *label(int slot) const;
    ElementPicture *picture(int slot) const;
    PageElement *element(ElementKind kind, int slot) const;
    Canvas *canvas() const { return WorkSpace; }
    DragOutline *outline() const { return shp; }
    Inet &transfer() const { return *m_inet; }

    // Where this run keeps its temporary page file: a private directory, made anew when the one
    // in use has vanished (a cleaner of old files in /tmp), empty when none can be.
    QString programDirectory() const;
    QString temporaryPageFile() const;

    // Window state shared by the commands.
    qint16 ButtonCount = 0;
    qint16 LabelCount = 0;
    qint16 PictureCount = 0;
    QString PageTitle;
    bool BrowserMode = false;
    QString PendingAdd;
    int OutlineLeft = 0;
    int OutlineTop = 0;
    int OutlineWidth = 0;
    int OutlineHeight = 0;

    // Element pools.
    void LockElements();
    void UnlockElements();
    void ClearPage();
    // Counts the pages the canvas has held: ClearPage starts a new one. A load that lets events
    // run stops when the page it builds is no longer the canvas's.
    quint64 pageGeneration() const { return m_pageGeneration; }

    // Start-up, modes, debug view.
    void Form_Load();
    void mnuInternet_Click();
    void mnuWorkspace_Click();
    void mnuDebug_Click();
    void refreshWindowTitle();

    // Page files.
    // Every edit of the page is a step on this stack; clearing the page empties it.
    QUndoStack &undoStack() const { return *m_undoStack; }
    // Whether the page holds changes that no file has.
    bool hasUnsavedChanges() const;
    // Asked first by every command that would throw the page away: offers to save unsaved changes
    // and tells whether the command may go on.
    bool askToSaveChanges();
    // Offers the unsaved changes that an ended run of the program left; true when one was
    // recovered onto the canvas.
    bool offerRecovery();
    // Where recovery copies are kept.
    static QString recoveryDirectory();

    QString ReadSetting(const QString &path, const QString &pattern) const;
    // Builds the page from the file; tells what kept the file from giving a page, if anything.
    std::optional<PageFileProblem> LoadPage(const QString &path);
    void mnuSave_Click();
    // Saves through the Save dialog; true when the page was written.
    bool savePage();
    // The page text as Save writes it.
    QString pageText() const;
    void mnuNew_Click();
    void mnuOpen_Click();
    // The file the page on the canvas belongs to, where Save offers to write it: set by Open and
    // Save, emptied with the page. Empty means the page has no file yet.
    QString pageFilePath() const { return m_pageFilePath; }
    void setPageFilePath(const QString &path) { m_pageFilePath = path; }
    // Where the Save dialog starts: the page's own file, or "Untitled.qvif" in the documents
    // folder.
    QString suggestedSavePath() const;
    // Opens a page file in editor mode as File > Open does with that file chosen.
    void openPageFile(const QString &path);
    // The first thing the shown window does: open the page file or browse the address the
    // program was started with.
    void startWith(const StartRequest &request);

    // Browsing.
    enum class NavigationKind
    {
        Go,
        Link,
        Reload,
        Back,
        Forward
    };
    // Every navigation the user starts comes through here, whichever command started it.
    void navigateTo(const QString &address, NavigationKind how);
    void Navigate(QString &address, NavigationKind how = NavigationKind::Go);
    void cmdGo_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Stops the page download and the pictures still arriving, in browser mode.
    void mnuStop_Click();
    // Switches to editor mode keeping the page, which Save then offers to write to its own file.
    void mnuEditPage_Click();
    const History &history() const { return m_history; }
    void Timer1_Timer();
    PictureQueue &pictureRequests() const { return *m_pictureQueue; }
    // The browser side of a click on an element: follows its link, if it has one.
    void followLink(PageElement *element);
    // The address the page on the canvas came from, against which its relative links and picture
    // references are resolved: the address of the last page downloaded, or the path of a page
    // opened from disk. ClearPage empties it; whoever loads a page sets it before LoadPage.
    QString pageAddress() const { return m_pageAddress; }
    void setPageAddress(const QString &address) { m_pageAddress = address; }
    // What a picture the user applies in the editor is resolved against: the file the page is
    // saved to when it has one, since that is where the saved page will look for it; otherwise
    // the page's own address. A page taken from the web to edit belongs to a file of this
    // computer, and the pictures chosen for it from disk must show.
    QString editedPageAddress() const
    {
        return m_pageFilePath.isEmpty() ? m_pageAddress : m_pageFilePath;
    }

    // Editor.
    void cmdAddButton_Click();
    void cmdAddLabel_Click();
    void cmdAddPicture_Click();
    void WorkSpace_MouseDown(int button, int shift, float x, float y);
    void Buttonn_Click(int index);
    void Buttonn_MouseDown(int index, int button, int shift, float x, float y);
    void Labell_Click(int index);
    void Picturee_Click(int index);
    void cmdApply_Click();
    void pctWorkColor_Click();
    void pctLabelForeColor_Click();
    void pctLabelBackColor_Click();
    void cmdBackPicBrowse_Click();
    void cmdPicBrowse_Click();

    // Editing. Every edit is a step of the undo stack; undo, redo and the commands below act in
    // editor mode only.
    SelectionFrame *selectionFrame() const { return m_selectionFrame; }
    // The element the selection names when it is shown; nullptr while the canvas is selected.
    PageElement *selectedElement() const;
    void selectElement(PageElement *element);
    void selectCanvas();
    // After an undo or redo: selects the element when it is shown, or else the canvas when the
    // element was the selection.
    void showEdited(PageElement *element);
    // The place and size fields follow the element when its panel shows it.
    void refreshPanelPlace(const PageElement *element);
    // Shows the selection frame and enables the editing commands as the mode allows.
    void refreshEditing();
    // The slot a new element of the kind takes; none when the kind is full, which the status bar
    // then says.
    std::optional<int> nextFreeSlot(ElementKind kind);
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDuplicate_Click();
    void mnuDelete_Click();
    // The arrow keys: moves the selected element by (dx, dy), or with `resize` sizes it.
    void nudgeSelection(int dx, int dy, bool resize);
    void cancelPlacement();

    // Dragging. The dragged element moves by the pointer's travel, so the point of it that was
    // pressed stays under the pointer. A drop point over an element is its offset within that
    // element, in pixels.
    struct ElementDrag
    {
        PageElement *element = nullptr;
        // The point pressed, in the element's widget.
        QPoint grab;
    };
    void WorkSpace_DragOver(const ElementDrag &source, float x, float y);
    void WorkSpace_DragDrop(const ElementDrag &source, float x, float y);
    void Buttonn_DragOver(int index, const ElementDrag &source, float x, float y);
    void Labell_DragOver(int index, const ElementDrag &source, float x, float y);
    void Picturee_DragOver(int index, const ElementDrag &source, float x, float y);
    void Buttonn_DragDrop(int index, const ElementDrag &source, float x, float y);
    void Labell_DragDrop(int index, const ElementDrag &source, float x, float y);
    void Picturee_DragDrop(int index, const ElementDrag &source, float x, float y);
    void Element_MouseMove(PageElement *element);
    // The data of an element's drag, held at the point `grab` of its widget, in the private MIME
    // type; and what drag data of this window names (no element for any other data).
    QMimeData *elementDragData(PageElement *element, QPoint grab = {}) const;
    ElementDrag dragOf(const QMimeData *data) const;
    PageElement *draggedElement(const QMimeData *data) const { return dragOf(data).element; }
    // Carries a started drag to its end and gives the drop's action, Qt::IgnoreAction when it was
    // released away from the canvas and its elements. Empty means QDrag::exec; tests set their
    // own, since a real drag runs an event loop of its own.
    std::function<Qt::DropAction(QDrag *drag)> dragRunner;

    // The status bar's message: it stays until the next Apply, placement or page replaces it, and
    // the tips shown while a menu is open only cover it for that time.
    void showStatus(const QString &message);
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createBrowserStrip();
    void createToolStrip();
    void createPanelContainer();
    void createPanelFields();
    void createActions();
    void createMenus();
    void createSlots();
    void createUnsavedChanges();
    void createEditActions();
    void createEditMenus();
    // The panels take the width of their container; Enter in the container applies the panel.
    void layOutPanels();
    bool panelContainerEvent(QEvent *event);
    void resizeSelection(ResizeHandle handle, QPoint travel, bool finished);
    void removeSelection(const QString &verb);
    void pasteCopy(const ElementBlock &copy, const QString &verb);
    // Returns slot i of every pool, and its picture source, to the template: nothing is there.
    void emptySlot(int slot);
    void Form_Resize();
    void layOutBrowserStrip();
    void Form_Unload();
    void switchMode();
    void enterEditorModeForOpen();
    // The page now lives in the file: Save offers it, its relative references lead from its
    // folder, and the Open dialog starts there.
    void belongToFile(const QString &path);
    // Loads a page file onto the cleared canvas and says in the status bar when it gives no page.
    void loadPageFile(const QString &path);
    void runNavigation(QString &address, NavigationKind how);
    void recordVisit(const QString &address, NavigationKind how);
    void createBrowserActions();
    void connectBrowsing();
    // Enables back, forward, stop and the rest for what the window can do now.
    void updateBrowserCommands();
    // The user's command wins: a navigation still running ends without building its page.
    void endNavigation();

    // PageEvents: the elements and the canvas report here.
    void elementClicked(PageElement *element) override;
    void elementMouseDown(PageElement *element, Qt::MouseButton button) override;
    void elementMouseMove(PageElement *element) override;
    void elementDragStart(PageElement *element) override;
    void elementDragOver(PageElement *target, QDragMoveEvent *event) override;
    void elementDragDrop(PageElement *target, QDropEvent *event) override;
    void canvasMouseDown(Qt::MouseButton button, QPointF position) override;
    void canvasDragOver(QDragMoveEvent *event) override;
    void canvasDragDrop(QDropEvent *event) override;

public:
    // Controls, named as the program's documents name them. Public so that commands in every
    // subsystem and the tests reach them the same way; each is also found by its objectName.
    QWidget *form = nullptr;
    QFrame *pctInternet = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QLineEdit *txtAddress = nullptr;
    QPushButton *cmdGo = nullptr;
    QFrame *picLoading = nullptr;
    QLabel *lblLoading = nullptr;
    QFrame *Picture1 = nullptr;
    QPushButton *cmdAddButton = nullptr;
    QPushButton *cmdAddLabel = nullptr;
    QPushButton *cmdAddPicture = nullptr;
    Canvas *WorkSpace = nullptr;
    // Scrolls the canvas when the page is larger than the window.
    CanvasArea *canvasArea = nullptr;
    DragOutline *shp = nullptr;
    // Holds the canvas and the panel container, whose width the user can drag.
    QSplitter *panelSplitter = nullptr;
    QFrame *Picture2 = nullptr;
    QStackedLayout *panelStack = nullptr;
    QWidget *pctWorkspace = nullptr;
    QWidget *pctPicture = nullptr;
    QWidget *pctLabel = nullptr;
    QWidget *pctButton = nullptr;
    QWidget *Idle = nullptr;
    QPushButton *cmdApply = nullptr;
    DebugView *RTB = nullptr;
    QListWidget *lstPictureUrls = nullptr;
    QListWidget *lstPics = nullptr;
    QListWidget *lstPicsNum = nullptr;
    QTimer *Timer1 = nullptr;

    // Workspace panel fields.
    QLineEdit *txtTitle = nullptr;
    QFrame *pctWorkColor = nullptr;
    QLineEdit *txtBackPic = nullptr;
    QPushButton *cmdBackPicBrowse = nullptr;
    // Button panel fields.
    QLineEdit *txtcmdCaption = nullptr;
    QLineEdit *txtcmdX = nullptr;
    QLineEdit *txtcmdY = nullptr;
    QLineEdit *txtcmdWidth = nullptr;
    QLineEdit *txtcmdHeight = nullptr;
    QLineEdit *txtcmdLink = nullptr;
    // Label panel fields.
    QLineEdit *txtlblCaption = nullptr;
    QLineEdit *txtlblX = nullptr;
    QLineEdit *txtlblY = nullptr;
    QLineEdit *txtlblWidth = nullptr;
    QLineEdit *txtlblHeight = nullptr;
    QFrame *pctLabelForeColor = nullptr;
    QFrame *pctLabelBackColor = nullptr;
    QCheckBox *chklblOpaque = nullptr;
    QCheckBox *chklblBorder = nullptr;
    QComboBox *cmblblAlign = nullptr;
    QLineEdit *txtlblFontSize = nullptr;
    QLineEdit *txtlblLink = nullptr;
    // Picture panel fields.
    QLineEdit *txtpicX = nullptr;
    QLineEdit *txtpicY = nullptr;
    QLineEdit *txtpicWidth = nullptr;
    QLineEdit *txtpicHeight = nullptr;
    QLineEdit *txtPicPicture = nullptr;
    QPushButton *cmdPicBrowse = nullptr;
    QCheckBox *chkPicBorder = nullptr;
    QLineEdit *txtpicLink = nullptr;

    // Menus.
    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuQuit = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuCut = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuDuplicate = nullptr;
    QAction *mnuDelete = nullptr;
    QMenu *mnuInsert = nullptr;
    QAction *mnuInsertButton = nullptr;
    QAction *mnuInsertLabel = nullptr;
    QAction *mnuInsertPicture = nullptr;
    QAction *cancelPlacementAction = nullptr;
    QMenu *mnuType = nullptr;
    QAction *mnuInternet = nullptr;
    QAction *mnuWorkspace = nullptr;
    QAction *mnuDebug = nullptr;
    QAction *focusAddress = nullptr;
    QMenu *mnuView = nullptr;
    QAction *mnuBack = nullptr;
    QAction *mnuForward = nullptr;
    QAction *mnuReload = nullptr;
    QAction *mnuStop = nullptr;
    QAction *mnuEditPage = nullptr;
    // "Pictures: 3 of 12" in the status bar while a page's pictures arrive.
    QLabel *pictureProgress = nullptr;

    std::array<ElementButton *, SlotCount + 1> Buttonn{};
    std::array<ElementLabel *, SlotCount + 1> Labell{};
    std::array<ElementPicture *, SlotCount + 1> Picturee{};

private:
    std::unique_ptr<CommonDialog> Common;
    std::unique_ptr<Inet> m_inet;
    std::unique_ptr<PictureQueue> m_pictureQueue;
    QUndoStack *m_undoStack = nullptr;
    std::unique_ptr<RecoveryCopy> m_recoveryCopy;
    UnsavedChanges *m_unsavedChanges = nullptr;
    // Whether the canvas has held a page since start: before, the title names the program alone.
    bool m_pageShown = false;
    mutable std::unique_ptr<QTemporaryDir> m_temporaryDirectory;
    QLabel *m_statusMessage = nullptr;
    quint64 m_pageGeneration = 0;
    QString m_pageAddress;
    QString m_pageFilePath;
    // The folder of the last page opened or saved, where the Open dialog starts.
    QString m_lastPageFolder;
    // Where the page in the temporary page file was downloaded from.
    QString m_temporaryPageAddress;
    bool m_navigating = false;
    bool m_navigationEnded = false;
    struct PendingNavigation
    {
        QString address;
        NavigationKind how;
    };
    std::optional<PendingNavigation> m_pendingNavigation;
    // Set by Stop; the address box and Reload then return to what they were before.
    bool m_navigationStopped = false;
    QString m_addressBeforeNavigation;
    QString m_lastAddressBeforeNavigation;
    History m_history;
    std::unique_ptr<BrowserMouse> m_browserMouse;
    SelectionFrame *m_selectionFrame = nullptr;
    // Whether the selection was made on the page now on the canvas. The panels keep naming the
    // slot selected on a page before, but neither the frame nor a key acts on what the slot holds
    // now.
    bool m_selectionOnPage = false;
    // The commands that only editor mode offers.
    QActionGroup *m_editorActions = nullptr;
    // The selected element's geometry when a handle was pressed.
    std::optional<ElementGeometry> m_resizeStart;
};
