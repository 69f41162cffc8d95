#include "app/main_window.h"

#include "app/canvas.h"
#include "app/tag.h"
#include "editor/colour_swatch.h"
#include "editor/panel_numbers.h"
#include "editor/selection_frame.h"
#include "page/value_forms.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedLayout>
#include <QUndoStack>

#include <array>

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
    refreshEditing();
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
    refreshEditing();
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
    refreshEditing();
}

void Form1::selectCanvas()
{
    panelStack->setCurrentWidget(pctWorkspace);
    setTag(Picture2, QStringLiteral("WorkSpace"));
    txtBackPic->setText(WorkSpace->tag());
    txtTitle->setText(PageTitle);
    setSwatchColour(pctWorkColor, WorkSpace->backColour());
    refreshEditing();
}

void Form1::selectElement(PageElement *element)
{
    if (BrowserMode || !element)
        return;
    elementClicked(element);
}

namespace {

// The element the selection names, shown or not; nullptr while the canvas is selected.
PageElement *namedBySelection(const Form1 &window)
{
    const std::optional<ElementKind> kind = kindNamed(tagOf(window.Picture2));
    if (!kind)
        return nullptr;
    QWidget *panel = *kind == ElementKind::Button  ? window.pctButton
                     : *kind == ElementKind::Label ? window.pctLabel
                                                   : window.pctPicture;
    const std::optional<qint16> slot = ValueForms::readWholeNumber(tagOf(panel));
    if (!slot || *slot < 1)
        return nullptr;
    return window.element(*kind, *slot);
}

} // namespace

PageElement *Form1::selectedElement() const
{
    PageElement *element = namedBySelection(*this);
    return element && !element->widget()->isHidden() ? element : nullptr;
}

void Form1::showEdited(PageElement *element)
{
    if (!element->widget()->isHidden())
        selectElement(element);
    else if (namedBySelection(*this) == element)
        selectCanvas();
}

void Form1::refreshPanelPlace(const PageElement *element)
{
    if (namedBySelection(*this) != element)
        return;
    using PlaceFields = std::array<QLineEdit *, 4>;
    const PlaceFields fields = element->kind() == ElementKind::Button
                                   ? PlaceFields{txtcmdX, txtcmdY, txtcmdWidth, txtcmdHeight}
                               : element->kind() == ElementKind::Label
                                   ? PlaceFields{txtlblX, txtlblY, txtlblWidth, txtlblHeight}
                                   : PlaceFields{txtpicX, txtpicY, txtpicWidth, txtpicHeight};
    const float values[] = {element->exactLeft(), element->exactTop(), element->exactWidth(),
                            element->exactHeight()};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i]->setText(panelNumber(values[i]));
}

void Form1::refreshEditing()
{
    const bool editing = !BrowserMode;
    m_editorActions->setEnabled(editing);
    mnuUndo->setEnabled(editing && m_undoStack->canUndo());
    mnuRedo->setEnabled(editing && m_undoStack->canRedo());
    // Escape is taken only while a placement waits for the canvas: elsewhere it means something
    // else, or nothing.
    cancelPlacementAction->setEnabled(editing && !PendingAdd.isEmpty());
    m_selectionFrame->setSuppressed(!editing);
    PageElement *selected = namedBySelection(*this);
    m_selectionFrame->setTarget(selected ? selected->widget() : nullptr);
}
