#include "app/main_window.h"

#include "app/tag.h"
#include "editor/colour_swatch.h"
#include "editor/panel_numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedLayout>

void Form1::Buttonn_Click(int index)
{
    // In browser mode the click follows the element's link instead.
    if (BrowserMode) {
        followLink(button(index));
        return;
    }
    ElementButton *element = button(index);
    if (!element)
        return;
    panelStack->setCurrentWidget(pctButton);
    setTag(Picture2, kindName(ElementKind::Button));
    setTag(pctButton, QString::number(index));
    txtcmdCaption->setText(element->caption());
    txtcmdX->setText(panelNumber(element->exactLeft()));
    txtcmdY->setText(panelNumber(element->exactTop()));
    txtcmdWidth->setText(panelNumber(element->exactWidth()));
    txtcmdHeight->setText(panelNumber(element->exactHeight()));
    txtcmdLink->setText(element->tag());
}

void Form1::Buttonn_MouseDown(int index, int, int, float, float)
{
    // A press selects whatever the mouse button; in browser mode only the click counts.
    if (BrowserMode)
        return;
    Buttonn_Click(index);
}

void Form1::Labell_Click(int index)
{
    // In browser mode the click follows the element's link instead.
    if (BrowserMode) {
        followLink(label(index));
        return;
    }
    ElementLabel *element = label(index);
    if (!element)
        return;
    panelStack->setCurrentWidget(pctLabel);
    chklblBorder->setChecked(element->borderStyle() != 0);
    // An alignment outside the list's three entries leaves no entry chosen.
    const int alignment = element->alignment();
    cmblblAlign->setCurrentIndex(alignment >= 0 && alignment < cmblblAlign->count() ? alignment
                                                                                    : -1);
    chklblOpaque->setChecked(element->backStyle() != 0);
    setTag(Picture2, kindName(ElementKind::Label));
    setTag(pctLabel, QString::number(index));
    txtlblFontSize->setText(panelNumber(element->fontSize()));
    txtlblCaption->setText(element->caption());
    txtlblX->setText(panelNumber(element->exactLeft()));
    txtlblY->setText(panelNumber(element->exactTop()));
    txtlblWidth->setText(panelNumber(element->exactWidth()));
    txtlblHeight->setText(panelNumber(element->exactHeight()));
    setSwatchColour(pctLabelBackColor, element->backColour());
    setSwatchColour(pctLabelForeColor, element->foreColour());
    txtlblLink->setText(element->tag());
}

void Form1::Picturee_Click(int index)
{
    // In browser mode the click follows the element's link instead.
    if (BrowserMode) {
        followLink(picture(index));
        return;
    }
    ElementPicture *element = picture(index);
    if (!element)
        return;
    panelStack->setCurrentWidget(pctPicture);
    setTag(Picture2, kindName(ElementKind::Picture));
    setTag(pctPicture, QString::number(index));
    txtpicX->setText(panelNumber(element->exactLeft()));
    txtpicY->setText(panelNumber(element->exactTop()));
    txtpicWidth->setText(panelNumber(element->exactWidth()));
    txtpicHeight->setText(panelNumber(element->exactHeight()));
    chkPicBorder->setChecked(element->borderStyle() != 0);
    // The row of slot 100 exists only once a picture has been placed; a missing row is empty.
    const QListWidgetItem *source = lstPictureUrls->item(index);
    txtPicPicture->setText(source ? source->text() : QString());
    txtpicLink->setText(element->tag());
}
