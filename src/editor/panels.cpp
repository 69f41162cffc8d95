#include "app/main_window.h"

#include "app/system_colours.h"
#include "editor/colour_swatch.h"
#include "editor/field_error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace {

// The panels are narrow: every row is a caption at the left and its field beside it, and the link
// row sits at the panel's foot.
constexpr int CaptionLeft = 2;
constexpr int CaptionWidth = 48;
constexpr int FieldLeft = CaptionLeft + CaptionWidth;
constexpr int FieldWidth = 45;
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
    chkPicBorder = addCheckRow(pctPicture, "chkPicBorder", QStringLiteral("Border:"), rowTop(5));
    txtpicLink = addTextRow(pctPicture, "txtpicLink", QStringLiteral("Link:"), LinkRowTop);

    // Until something is selected the swatches show the colours a new page and a new label have.
    workColour->setColour(SystemColour::WindowBackground);
    foreColour->setColour(SystemColour::WindowText);
    backColour->setColour(SystemColour::ButtonFace);

    connect(workColour, &ColourSwatch::clicked, this, &Form1::pctWorkColor_Click);
    connect(foreColour, &ColourSwatch::clicked, this, &Form1::pctLabelForeColor_Click);
    connect(backColour, &ColourSwatch::clicked, this, &Form1::pctLabelBackColor_Click);
}
