#include "app/main_window.h"

#include "app/canvas.h"
#include "app/canvas_area.h"
#include "app/common_dialog.h"
#include "app/debug_view.h"
#include "app/tag.h"
#include "browser/browser_mouse.h"
#include "browser/inet.h"
#include "browser/picture_queue.h"
#include "editor/selection_frame.h"
#include "page/recovery_copy.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr int InnerWidth = 693;
constexpr int InnerHeight = 438;
constexpr int BrowserStripHeight = 33;
constexpr int ToolStripWidth = 89;
// Wide enough for a caption of 20 characters and an address in the panels' fields.
constexpr int PanelContainerWidth = 200;
constexpr int PanelContainerMinimumWidth = 97;
constexpr int PanelHeight = 241;
const QColor StripColour(64, 64, 64);
const QString PageFileFilter = QStringLiteral("QV Internet Files (*.qvif)|*.qvif");
// The address box's text at start-up: the root of the demo site served on this computer.
const QString DefaultHomeAddress = QStringLiteral("http://127.0.0.1:8080/");

QFrame *makeStrip(QWidget *parent, const char *name, const QColor &colour)
{
    auto *strip = new QFrame(parent);
    strip->setObjectName(QLatin1String(name));
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, colour);
    strip->setPalette(palette);
    return strip;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption,
                        const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

QListWidget *makeHiddenList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->hide();
    return list;
}

QIcon programIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(40, 90, 160));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(7, 8, 11, 7));
    painter.drawRect(QRectF(7, 18, 18, 3));
    painter.drawRect(QRectF(7, 23, 14, 3));
    painter.setBrush(QColor(250, 190, 60));
    painter.drawEllipse(QRectF(20, 7, 6, 6));
    return QIcon(pixmap);
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent), Common(std::make_unique<DesktopDialogs>()),
      m_inet(std::make_unique<Inet>())
{
    // The private directory is made at start, and made again should it vanish later.
    programDirectory();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvane"));
    setWindowIcon(programIcon());
    createUnsavedChanges();
    createControls();
    createActions();
    createMenus();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    m_statusMessage = new QLabel(statusBar());
    m_statusMessage->setObjectName(QStringLiteral("statusMessage"));
    // Messages name addresses and files from pages: shown as they are, never as markup.
    m_statusMessage->setTextFormat(Qt::PlainText);
    m_statusMessage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(m_statusMessage, 1);
    connectBrowsing();
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    resize(InnerWidth, InnerHeight + chrome);
    Form_Load();
}

Form1::~Form1()
{
    // The undo stack, a child of the window, empties itself when it is destroyed, and by then the
    // window's own members are gone: no one may hear of it. A recovery copy stays as it is.
    m_undoStack->disconnect();
}

void Form1::setCommonDialog(std::unique_ptr<CommonDialog> dialogs)
{
    dialogs->setFilter(Common->filter());
    Common = std::move(dialogs);
}

void Form1::createControls()
{
    form = new QWidget(this);
    form->setObjectName(QStringLiteral("form"));
    setCentralWidget(form);
    auto *column = new QVBoxLayout(form);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    createBrowserStrip();
    column->addWidget(pctInternet);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    column->addLayout(body, 1);

    createToolStrip();
    body->addWidget(Picture1);

    panelSplitter = new QSplitter(Qt::Horizontal, form);
    panelSplitter->setObjectName(QStringLiteral("panelSplitter"));
    panelSplitter->setChildrenCollapsible(false);
    body->addWidget(panelSplitter, 1);

    WorkSpace = new Canvas(this, panelSplitter);
    WorkSpace->setAccessibleName(tr("Page"));
    canvasArea = new CanvasArea(WorkSpace, panelSplitter);
    panelSplitter->addWidget(canvasArea);
    shp = new DragOutline(WorkSpace);
    m_selectionFrame = new SelectionFrame(WorkSpace);
    WorkSpace->keepAbove(m_selectionFrame);
    WorkSpace->keepAbove(shp);

    createPanelContainer();
    panelSplitter->addWidget(Picture2);
    // The canvas takes what the window gains or loses; the panels keep the width given them.
    panelSplitter->setStretchFactor(0, 1);
    panelSplitter->setStretchFactor(1, 0);
    panelSplitter->setSizes(
        {InnerWidth - ToolStripWidth - PanelContainerWidth, PanelContainerWidth});

    picLoading = makeStrip(form, "picLoading", Qt::black);
    lblLoading = new QLabel(QStringLiteral("LOADING...."), picLoading);
    lblLoading->setObjectName(QStringLiteral("lblLoading"));
    QFont loadingFont(QStringLiteral("MS Sans Serif"));
    loadingFont.setPointSize(24);
    lblLoading->setFont(loadingFont);
    QPalette loadingPalette = lblLoading->palette();
    loadingPalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lblLoading->setPalette(loadingPalette);
    lblLoading->setGeometry(0, 0, qMax(181, lblLoading->sizeHint().width()),
                            qMax(37, lblLoading->sizeHint().height()));
    picLoading->hide();

    RTB = new DebugView(form);
    RTB->setObjectName(QStringLiteral("RTB"));
    RTB->setAccessibleName(tr("Debug"));
    RTB->setGeometry(0, 0, 2, 2);
    RTB->hide();

    lstPictureUrls = makeHiddenList(form, "lstPictureUrls");
    m_pictureQueue = std::make_unique<PictureQueue>(form);
    lstPics = m_pictureQueue->references();
    lstPicsNum = m_pictureQueue->targets();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    createSlots();
}

void Form1::createBrowserStrip()
{
    pctInternet = makeStrip(form, "pctInternet", StripColour);
    pctInternet->setFixedHeight(BrowserStripHeight);
    pctInternet->hide();
    pctInternet->installEventFilter(this);
    Command1 = makeButton(pctInternet, "Command1", QStringLiteral("<<"), QRect(0, 8, 25, 17));
    Command2 = makeButton(pctInternet, "Command2", QStringLiteral(">>"), QRect(24, 8, 25, 17));
    Command3 = makeButton(pctInternet, "Command3", QStringLiteral("Reload"), QRect(48, 8, 49, 17));
    txtAddress = new QLineEdit(DefaultHomeAddress, pctInternet);
    txtAddress->setObjectName(QStringLiteral("txtAddress"));
    txtAddress->setAccessibleName(tr("Address"));
    txtAddress->setGeometry(96, 8, 265, 19);
    txtAddress->installEventFilter(this);
    cmdGo = makeButton(pctInternet, "cmdGo", QStringLiteral("Go"), QRect(360, 8, 57, 17));
    cmdGo->setDefault(true);
    for (QPushButton *button : {Command1, Command2, Command3, cmdGo})
        button->setFocusPolicy(Qt::TabFocus);

    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(cmdGo, &QPushButton::clicked, this, &Form1::cmdGo_Click);
    // Go is the window's default button: Enter in the address box presses it.
    connect(txtAddress, &QLineEdit::returnPressed, cmdGo, &QPushButton::click);
}

void Form1::createToolStrip()
{
    Picture1 = makeStrip(form, "Picture1", StripColour);
    Picture1->setFixedWidth(ToolStripWidth);
    cmdAddButton =
        makeButton(Picture1, "cmdAddButton", QStringLiteral("Add Button"), QRect(8, 8, 73, 17));
    cmdAddLabel =
        makeButton(Picture1, "cmdAddLabel", QStringLiteral("Add Label"), QRect(8, 32, 73, 17));
    cmdAddPicture =
        makeButton(Picture1, "cmdAddPicture", QStringLiteral("Add Picture"), QRect(8, 56, 73, 17));
    cmdAddPicture->hide();
    connect(cmdAddButton, &QPushButton::clicked, this, &Form1::cmdAddButton_Click);
    connect(cmdAddLabel, &QPushButton::clicked, this, &Form1::cmdAddLabel_Click);
    connect(cmdAddPicture, &QPushButton::clicked, this, &Form1::cmdAddPicture_Click);
}

void Form1::createPanelContainer()
{
    Picture2 = new QFrame(form);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setMinimumWidth(PanelContainerMinimumWidth);
    Picture2->installEventFilter(this);
    setTag(Picture2, QStringLiteral("WorkSpace"));

    auto *stackArea = new QWidget(Picture2);
    stackArea->setObjectName(QStringLiteral("panelStack"));
    stackArea->setGeometry(0, 0, PanelContainerWidth, PanelHeight);
    panelStack = new QStackedLayout(stackArea);
    panelStack->setContentsMargins(0, 0, 0, 0);
    auto makePanel = [this](const char *name) {
        auto *panel = new QWidget;
        panel->setObjectName(QLatin1String(name));
        setTag(panel, QStringLiteral("0"));
        panelStack->addWidget(panel);
        return panel;
    };
    Idle = makePanel("Idle");
    pctButton = makePanel("pctButton");
    pctLabel = makePanel("pctLabel");
    pctPicture = makePanel("pctPicture");
    pctWorkspace = makePanel("pctWorkspace");
    panelStack->setCurrentWidget(pctWorkspace);

    cmdApply = makeButton(Picture2, "cmdApply", QStringLiteral("Apply"),
                          QRect(0, PanelHeight + 15, PanelContainerWidth, 21));
    connect(cmdApply, &QPushButton::clicked, this, &Form1::cmdApply_Click);

    createPanelFields();
}

void Form1::createActions()
{
    mnuNew = new QAction(tr("New"), this);
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuNew->setStatusTip(tr("Start a new page in the workspace"));
    connect(mnuNew, &QAction::triggered, this, &Form1::mnuNew_Click);

    mnuOpen = new QAction(tr("Open"), this);
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuOpen->setStatusTip(tr("Open a page file in the workspace"));
    connect(mnuOpen, &QAction::triggered, this, &Form1::mnuOpen_Click);

    mnuSave = new QAction(tr("Save"), this);
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSave->setStatusTip(tr("Save the page to a file"));
    connect(mnuSave, &QAction::triggered, this, &Form1::mnuSave_Click);

    mnuQuit = new QAction(tr("Quit"), this);
    mnuQuit->setObjectName(QStringLiteral("mnuQuit"));
    mnuQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuQuit->setStatusTip(tr("End the program"));
    connect(mnuQuit, &QAction::triggered, this, &QWidget::close);

    mnuInternet = new QAction(tr("Internet"), this);
    mnuInternet->setObjectName(QStringLiteral("mnuInternet"));
    mnuInternet->setCheckable(true);
    mnuInternet->setStatusTip(tr("Browse pages"));
    // The handlers flip the check marks themselves, so the toolkit's own toggle is undone first.
    connect(mnuInternet, &QAction::triggered, this, [this] {
        mnuInternet->setChecked(!mnuInternet->isChecked());
        mnuInternet_Click();
    });

    mnuWorkspace = new QAction(tr("Workspace"), this);
    mnuWorkspace->setObjectName(QStringLiteral("mnuWorkspace"));
    mnuWorkspace->setCheckable(true);
    mnuWorkspace->setChecked(true);
    mnuWorkspace->setStatusTip(tr("Edit pages"));
    connect(mnuWorkspace, &QAction::triggered, this, [this] {
        mnuWorkspace->setChecked(!mnuWorkspace->isChecked());
        mnuWorkspace_Click();
    });

    mnuDebug = new QAction(tr("Debug"), this);
    mnuDebug->setObjectName(QStringLiteral("mnuDebug"));
    mnuDebug->setStatusTip(tr("Show or hide the text of the last save"));
    connect(mnuDebug, &QAction::triggered, this, &Form1::mnuDebug_Click);

    focusAddress = new QAction(tr("Focus Address"), this);
    focusAddress->setObjectName(QStringLiteral("focusAddress"));
    focusAddress->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(focusAddress, &QAction::triggered, this, [this] {
        if (!pctInternet->isVisible())
            return;
        txtAddress->setFocus(Qt::ShortcutFocusReason);
        txtAddress->selectAll();
    });
    addAction(focusAddress);

    createBrowserActions();
    createEditActions();
}

void Form1::createMenus()
{
    mnuFile = menuBar()->addMenu(tr("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->addAction(mnuNew);
    mnuFile->addAction(mnuOpen);
    mnuFile->addAction(mnuSave);
    mnuFile->addAction(mnuEditPage);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuQuit);

    createEditMenus();

    mnuType = menuBar()->addMenu(tr("Type"));
    mnuType->setObjectName(QStringLiteral("mnuType"));
    mnuType->addAction(mnuInternet);
    mnuType->addAction(mnuWorkspace);

    mnuView = menuBar()->addMenu(tr("View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuView->addActions({mnuBack, mnuForward, mnuReload, mnuStop});

    menuBar()->addAction(mnuDebug);
}

void Form1::Form_Load()
{
    Common->setFilter(PageFileFilter);
    for (int row = 0; row < ReservedRows; ++row)
        lstPictureUrls->addItem(QString());
    mnuInternet_Click();
    txtAddress->setFocus(Qt::OtherFocusReason);
    Timer1->start();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pctInternet && event->type() == QEvent::Resize)
        layOutBrowserStrip();
    if (watched == Picture2 && panelContainerEvent(event))
        return true;
    // A line edit takes Ctrl+E to move its cursor to the end; in the address box the window's
    // Edit This Page comes first.
    if (watched == txtAddress && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(event)->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_E))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void Form1::Form_Resize()
{
    // The docked strips follow the layouts; the overlay covers everything below the browser strip.
    const int overlayTop = pctInternet->isVisible() ? pctInternet->height() : 0;
    picLoading->setGeometry(0, overlayTop, form->width(), qMax(0, form->height() - overlayTop));
    layOutBrowserStrip();
}

void Form1::layOutBrowserStrip()
{
    // The address box takes the width that the buttons left of it and Go leave. A window too
    // narrow for that keeps the last layout that fitted.
    const int addressWidth = pctInternet->width() - txtAddress->x() - cmdGo->width();
    if (addressWidth < 0)
        return;
    txtAddress->resize(addressWidth, txtAddress->height());
    cmdGo->move(txtAddress->x() + addressWidth, cmdGo->y());
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    // Whatever was not saved was thrown away: nothing is left to recover.
    m_undoStack->clear();
    // A page still arriving or being built is left unfinished, and nothing of it stays.
    if (m_navigating) {
        endNavigation();
        ClearPage();
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void Form1::Form_Unload()
{
    QFile::remove(temporaryPageFile());
}

void Form1::showStatus(const QString &message)
{
    if (m_statusMessage)
        m_statusMessage->setText(message);
}

QString Form1::statusText() const
{
    return m_statusMessage ? m_statusMessage->text() : QString();
}

void Form1::elementClicked(PageElement *element)
{
    switch (element->kind()) {
    case ElementKind::Button:
        Buttonn_Click(element->index());
        break;
    case ElementKind::Label:
        Labell_Click(element->index());
        break;
    case ElementKind::Picture:
        Picturee_Click(element->index());
        break;
    }
}

void Form1::elementMouseDown(PageElement *element, Qt::MouseButton button)
{
    if (element->kind() == ElementKind::Button)
        Buttonn_MouseDown(element->index(), int(button), 0, 0, 0);
}

void Form1::elementMouseMove(PageElement *element)
{
    Element_MouseMove(element);
}

void Form1::canvasMouseDown(Qt::MouseButton button, QPointF position)
{
    int code = 0;
    if (button == Qt::LeftButton)
        code = 1;
    else if (button == Qt::RightButton)
        code = 2;
    else if (button == Qt::MiddleButton)
        code = 4;
    WorkSpace_MouseDown(code, 0, float(position.x()), float(position.y()));
}
