#include "app/main_window.h"

#include "app/canvas.h"
#include "app/tag.h"
#include "browser/picture_queue.h"
#include "editor/colour_swatch.h"
#include "editor/edit_commands.h"
#include "editor/field_error.h"
#include "page/value_forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QUndoStack>

#include <cmath>
#include <initializer_list>

namespace {

enum class NumberRule
{
    Any,
    NotNegative
};

struct NumberField
{
    QLineEdit *field;
    const char *name;
    NumberRule rule;
};

int styleOf(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

template <typename Element>
Element *slotOnPanel(Element *(Form1::*slotOf)(int) const, const Form1 &window, QWidget *panel)
{
    const std::optional<qint16> slot = ValueForms::readWholeNumber(tagOf(panel));
    if (!slot || *slot < 1)
        return nullptr;
    return (window.*slotOf)(*slot);
}

} // namespace

void Form1::cmdApply_Click()
{
    // Every number of the panel is read before anything changes: a field that holds no number, or
    // a negative size, applies nothing and is framed until it is edited.
    auto readNumbers = [this](std::initializer_list<NumberField> fields, float *values) {
        for (const NumberField &number : fields) {
            const std::optional<float> value = ValueForms::readNumber(number.field->text());
            QString problem;
            if (!value || !std::isfinite(*value))
                problem = tr("%1 must be a number.").arg(QLatin1String(number.name));
            else if (number.rule == NumberRule::NotNegative && *value < 0)
                problem = tr("%1 cannot be negative.").arg(QLatin1String(number.name));
            if (!problem.isEmpty()) {
                markInvalid(number.field, true);
                number.field->setFocus(Qt::OtherFocusReason);
                number.field->selectAll();
                showStatus(problem);
                return false;
            }
            *values++ = *value;
        }
        return true;
    };

    // A complaint about an earlier Apply is stale now.
    showStatus(QString());

    // Apply is one undo step, made only when it changes something. Every Apply fetches the picture
    // it names again, whether or not that changes anything.
    if (tagOf(Picture2) == QLatin1String("WorkSpace")) {
        const PageState before = capturePage(*this);
        PageState after = before;
        after.title = txtTitle->text();
        after.colour = swatchColour(pctWorkColor);
        const QString background = txtBackPic->text();
        if (!background.isEmpty())
            after.background = background;
        if (after != before)
            m_undoStack->push(
                new ApplyPageCommand(*this, tr("Change Page"), before, after, background));
        else
            m_pictureQueue->append(background, PictureQueue::BackgroundTarget, editedPageAddress());
        return;
    }

    const std::optional<ElementKind> selected = kindNamed(tagOf(Picture2));
    ElementState before;
    ElementState after;
    QString pictureRequest;
    if (selected == ElementKind::Button) {
        ElementButton *element = slotOnPanel(&Form1::button, *this, pctButton);
        float number[4];
        if (!element || !readNumbers({{txtcmdX, "X", NumberRule::Any},
                                      {txtcmdY, "Y", NumberRule::Any},
                                      {txtcmdWidth, "Width", NumberRule::NotNegative},
                                      {txtcmdHeight, "Height", NumberRule::NotNegative}},
                                     number))
            return;
        before = captureElement(*this, ElementKind::Button, element->index());
        after = before;
        auto &block = std::get<ButtonBlock>(after.block);
        block.caption = txtcmdCaption->text();
        block.left = number[0];
        block.top = number[1];
        block.width = number[2];
        block.height = number[3];
        block.link = txtcmdLink->text();
    } else if (selected == ElementKind::Label) {
        ElementLabel *element = slotOnPanel(&Form1::label, *this, pctLabel);
        float number[5];
        if (!element || !readNumbers({{txtlblFontSize, "FontSize", NumberRule::NotNegative},
                                      {txtlblX, "X", NumberRule::Any},
                                      {txtlblY, "Y", NumberRule::Any},
                                      {txtlblWidth, "Width", NumberRule::NotNegative},
                                      {txtlblHeight, "Height", NumberRule::NotNegative}},
                                     number))
            return;
        before = captureElement(*this, ElementKind::Label, element->index());
        after = before;
        auto &block = std::get<LabelBlock>(after.block);
        block.fontSize = number[0];
        // A label whose alignment matched no entry keeps it.
        if (cmblblAlign->currentIndex() >= 0)
            block.alignment = cmblblAlign->currentIndex();
        block.borderStyle = styleOf(chklblBorder);
        block.caption = txtlblCaption->text();
        block.left = number[1];
        block.top = number[2];
        block.width = number[3];
        block.height = number[4];
        block.foreColour = swatchColour(pctLabelForeColor);
        block.backColour = swatchColour(pctLabelBackColor);
        block.backStyle = styleOf(chklblOpaque);
        block.link = txtlblLink->text();
    } else if (selected == ElementKind::Picture) {
        ElementPicture *element = slotOnPanel(&Form1::picture, *this, pctPicture);
        float number[4];
        if (!element || !readNumbers({{txtpicX, "X", NumberRule::Any},
                                      {txtpicY, "Y", NumberRule::Any},
                                      {txtpicWidth, "Width", NumberRule::NotNegative},
                                      {txtpicHeight, "Height", NumberRule::NotNegative}},
                                     number))
            return;
        before = captureElement(*this, ElementKind::Picture, element->index());
        after = before;
        auto &block = std::get<PictureBlock>(after.block);
        pictureRequest = txtPicPicture->text();
        if (!pictureRequest.isEmpty())
            block.source = pictureRequest;
        block.link = txtpicLink->text();
        block.left = number[0];
        block.top = number[1];
        block.borderStyle = styleOf(chkPicBorder);
        block.width = number[2];
        block.height = number[3];
    } else {
        return;
    }
    if (after != before)
        m_undoStack->push(new ApplyCommand(*this, tr("Change"), before, after, pictureRequest));
    else
        m_pictureQueue->append(pictureRequest, QString::number(slotOf(after.block)),
                               editedPageAddress());
}
