#include "app/main_window.h"

#include "app/system_colours.h"
#include "editor/colour_swatch.h"
#include "editor/field_error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Every row is a caption at the left and its field beside it, and the link row sits at the
// panel's foot. Text fields and lists take the width the container gives the panels.
constexpr int CaptionLeft = 2;
constexpr int CaptionWidth = 48;
constexpr int FieldLeft = CaptionLeft + CaptionWidth;
constexpr int FieldWidth = 45;
constexpr int RightMargin = 2;
constexpr int BrowseButtonWidth = 22;
constexpr int BrowseButtonGap = 2;
constexpr int RowHeight = 17;
constexpr int RowStep = 18;
constexpr int FirstRowTop = 4;
constexpr int LinkRowTop = 218;

int rowTop(int row)
{
    return FirstRowTop + row * RowStep;
}

void addCaption(QWidget *panel, QWidget *field, const QString &text)
{
    auto *caption = new QLabel(text, panel);
    caption->setObjectName(field->objectName() + QStringLiteral("Caption"));
    caption->setGeometry(CaptionLeft, field->y(), CaptionWidth, field->height());
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caption->setBuddy(field);
}

template <typename Field> Field *placeField(Field *field, const char *name, int top)
{
    field->setObjectName(QLatin1String(name));
    field->setGeometry(FieldLeft, top, FieldWidth, RowHeight);
    return field;
}

QLineEdit *addTextRow(QWidget *panel, const char *name, const QString &caption, int top)
{
    auto *field = placeField(new QLineEdit(panel), name, top);
    // Apply frames a field it could not read; the frame goes as soon as the text changes.
    QObject::connect(field, &QLineEdit::textChanged, field, [field] { markInvalid(field, false); });
    addCaption(panel, field, caption);
    return field;
}

QCheckBox *addCheckRow(QWidget *panel, const char *name, const QString &caption, int top)
{
    auto *field = placeField(new QCheckBox(QStringLiteral("Yes"), panel), name, top);
    // A check box's own text would win over its caption, and "Yes" says nothing.
    field->setAccessibleName(caption);
    addCaption(panel, field, caption);
    return field;
}

ColourSwatch *addSwatchRow(QWidget *panel, const char *name, const QString &caption, int top)
{
    auto *field = placeField(new ColourSwatch(panel), name, top);
    addCaption(panel, field, caption);
    return field;
}

// The "..." button that chooses a picture file for the field beside it.
QPushButton *addBrowseButton(QWidget *panel, const char *name, QLineEdit *field)
{
    auto *button = new QPushButton(QStringLiteral("..."), panel);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(field->x() + field->width() + BrowseButtonGap, field->y(),
                        BrowseButtonWidth, field->height());
    button->setToolTip(QObject::tr("Choose a picture file"));
    return button;
}

// Text fields, lists and the heading reach to the panel's right edge, or to the button beside
// them; that button keeps to the edge.
void stretchRows(QWidget *panel)
{
    const int right = panel->width() - RightMargin;
    const QList<QPushButton *> buttons =
        panel->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly);
    for (QPushButton *button : buttons)
        button->move(right - button->width(), button->y());
    for (QWidget *row : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const bool stretches = qobject_cast<QLineEdit *>(row) || qobject_cast<QComboBox *>(row) ||
                               row->objectName() == QLatin1String("lblWorkSpace");
        if (!stretches)
            continue;
        int end = right;
        for (QPushButton *button : buttons) {
            if (button->y() == row->y())
                end = button->x() - BrowseButtonGap;
        }
        row->resize(qMax(FieldWidth, end - row->x()), row->height());
    }
}

// A small font, made smaller still where the desktop's font would not fit the widest caption.
void usePanelFont(QWidget *panel)
{
    QFont font = panel->font();
    font.setPointSizeF(qMin(font.pointSizeF(), 8.0));
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(QStringLiteral("FontSize:")) >= CaptionWidth)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    panel->setFont(font);
}

} // namespace

void Form1::createPanelFields()
{
    for (QWidget *panel : {pctWorkspace, pctButton, pctLabel, pctPicture})
        usePanelFont(panel);

    auto *heading = new QLabel(QStringLiteral("WorkSpace"), pctWorkspace);
    heading->setObjectName(QStringLiteral("lblWorkSpace"));
    heading->setGeometry(CaptionLeft, rowTop(0), CaptionWidth + FieldWidth, RowHeight);
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    txtTitle = addTextRow(pctWorkspace, "txtTitle", QStringLiteral("Title:"), rowTop(1));
    ColourSwatch *workColour =
        addSwatchRow(pctWorkspace, "pctWorkColor", QStringLiteral("Color:"), rowTop(2));
    pctWorkColor = workColour;
    txtBackPic = new QLineEdit(pctWorkspace);
    txtBackPic->setObjectName(QStringLiteral("txtBackPic"));
    txtBackPic->setGeometry(CaptionLeft, rowTop(3), CaptionWidth + FieldWidth, RowHeight);
    txtBackPic->setPlaceholderText(tr("Back picture"));
    txtBackPic->setToolTip(tr("The page's background picture"));
    txtBackPic->setAccessibleName(tr("Back picture"));
    cmdBackPicBrowse = addBrowseButton(pctWorkspace, "cmdBackPicBrowse", txtBackPic);

    txtcmdCaption = addTextRow(pctButton, "txtcmdCaption", QStringLiteral("Caption:"), rowTop(0));
    txtcmdX = addTextRow(pctButton, "txtcmdX", QStringLiteral("X:"), rowTop(1));
    txtcmdY = addTextRow(pctButton, "txtcmdY", QStringLiteral("Y:"), rowTop(2));
    txtcmdWidth = addTextRow(pctButton, "txtcmdWidth", QStringLiteral("Width:"), rowTop(3));
    txtcmdHeight = addTextRow(pctButton, "txtcmdHeight", QStringLiteral("Height:"), rowTop(4));
    txtcmdLink = addTextRow(pctButton, "txtcmdLink", QStringLiteral("Link:"), LinkRowTop);

    txtlblCaption = addTextRow(pctLabel, "txtlblCaption", QStringLiteral("Caption:"), rowTop(0));
    txtlblX = addTextRow(pctLabel, "txtlblX", QStringLiteral("X:"), rowTop(1));
    txtlblY = addTextRow(pctLabel, "txtlblY", QStringLiteral("Y:"), rowTop(2));
    txtlblWidth = addTextRow(pctLabel, "txtlblWidth", QStringLiteral("Width:"), rowTop(3));
    txtlblHeight = addTextRow(pctLabel, "txtlblHeight", QStringLiteral("Height:"), rowTop(4));
    ColourSwatch *foreColour =
        addSwatchRow(pctLabel, "pctLabelForeColor", QStringLiteral("Color1:"), rowTop(5));
    pctLabelForeColor = foreColour;
    ColourSwatch *backColour =
        addSwatchRow(pctLabel, "pctLabelBackColor", QStringLiteral("Color2:"), rowTop(6));
    pctLabelBackColor = backColour;
    for (QWidget *swatch :
         {static_cast<QWidget *>(foreColour), static_cast<QWidget *>(backColour)}) {
        const QString tip = swatch == foreColour ? tr("Text colour") : tr("Background colour");
        swatch->setToolTip(tip);
        pctLabel->findChild<QLabel *>(swatch->objectName() + QStringLiteral("Caption"))
            ->setToolTip(tip);
    }
    chklblOpaque = addCheckRow(pctLabel, "chklblOpaque", QStringLiteral("Opaque:"), rowTop(7));
    chklblBorder = addCheckRow(pctLabel, "chklblBorder", QStringLiteral("Border:"), rowTop(8));
    cmblblAlign = placeField(new QComboBox(pctLabel), "cmblblAlign", rowTop(9));
    cmblblAlign->addItems(
        {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")});
    addCaption(pctLabel, cmblblAlign, QStringLiteral("Align:"));
    txtlblFontSize =
        addTextRow(pctLabel, "txtlblFontSize", QStringLiteral("FontSize:"), rowTop(10));
    txtlblLink = addTextRow(pctLabel, "txtlblLink", QStringLiteral("Link:"), LinkRowTop);

    txtpicX = addTextRow(pctPicture, "txtpicX", QStringLiteral("X:"), rowTop(0));
    txtpicY = addTextRow(pctPicture, "txtpicY", QStringLiteral("Y:"), rowTop(1));
    txtpicWidth = addTextRow(pctPicture, "txtpicWidth", QStringLiteral("Width:"), rowTop(2));
    txtpicHeight = addTextRow(pctPicture, "txtpicHeight", QStringLiteral("Height:"), rowTop(3));
    txtPicPicture = addTextRow(pctPicture, "txtPicPicture", QStringLiteral("Picture:"), rowTop(4));
    cmdPicBrowse = addBrowseButton(pctPicture, "cmdPicBrowse", txtPicPicture);
    chkPicBorder = addCheckRow(pctPicture, "chkPicBorder", QStringLiteral("Border:"), rowTop(5));
    txtpicLink = addTextRow(pctPicture, "txtpicLink", QStringLiteral("Link:"), LinkRowTop);

    // Until something is selected the swatches show the colours a new page and a new label have.
    workColour->setColour(SystemColour::WindowBackground);
    foreColour->setColour(SystemColour::WindowText);
    backColour->setColour(SystemColour::ButtonFace);

    connect(workColour, &ColourSwatch::clicked, this, &Form1::pctWorkColor_Click);
    connect(foreColour, &ColourSwatch::clicked, this, &Form1::pctLabelForeColor_Click);
    connect(backColour, &ColourSwatch::clicked, this, &Form1::pctLabelBackColor_Click);
    connect(cmdBackPicBrowse, &QPushButton::clicked, this, &Form1::cmdBackPicBrowse_Click);
    connect(cmdPicBrowse, &QPushButton::clicked, this, &Form1::cmdPicBrowse_Click);
    layOutPanels();
}

void Form1::layOutPanels()
{
    const int width = Picture2->width();
    QWidget *stackArea = pctWorkspace->parentWidget();
    stackArea->resize(width, stackArea->height());
    // The stack sizes only the panel on view; the others are sized now, so that each is ready.
    for (QWidget *panel : {Idle, pctWorkspace, pctButton, pctLabel, pctPicture}) {
        panel->resize(stackArea->size());
        stretchRows(panel);
    }
    cmdApply->resize(width, cmdApply->height());
}

bool Form1::panelContainerEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        layOutPanels();
        return false;
    }
    // Enter in a field reaches the container when the field has no use for it: it applies the
    // panel, as the Apply button does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdApply_Click();
            return true;
        }
    }
    return false;
}
