#include "app/main_window.h"

#include "app/canvas.h"
#include "app/tag.h"
#include "browser/picture_queue.h"
#include "editor/colour_swatch.h"
#include "editor/field_error.h"
#include "page/value_forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

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
Element *selectedElement(Element *(Form1::*slotOf)(int) const, const Form1 &window, QWidget *panel)
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

    const std::optional<ElementKind> selected = kindNamed(tagOf(Picture2));
    if (tagOf(Picture2) == QLatin1String("WorkSpace")) {
        PageTitle = txtTitle->text();
        WorkSpace->setBackColour(swatchColour(pctWorkColor));
        if (!txtBackPic->text().isEmpty()) {
            WorkSpace->setTag(txtBackPic->text());
            m_pictureQueue->append(txtBackPic->text(), PictureQueue::BackgroundTarget,
                                   pageAddress());
        }
    }

    if (selected == ElementKind::Button) {
        ElementButton *element = selectedElement(&Form1::button, *this, pctButton);
        float number[4];
        if (element && readNumbers({{txtcmdX, "X", NumberRule::Any},
                                    {txtcmdY, "Y", NumberRule::Any},
                                    {txtcmdWidth, "Width", NumberRule::NotNegative},
                                    {txtcmdHeight, "Height", NumberRule::NotNegative}},
                                   number)) {
            element->setCaption(txtcmdCaption->text());
            element->setExactLeft(number[0]);
            element->setExactTop(number[1]);
            element->setExactWidth(number[2]);
            element->setExactHeight(number[3]);
            element->setTag(txtcmdLink->text());
        }
    }

    if (selected == ElementKind::Label) {
        ElementLabel *element = selectedElement(&Form1::label, *this, pctLabel);
        float number[5];
        if (element && readNumbers({{txtlblFontSize, "FontSize", NumberRule::NotNegative},
                                    {txtlblX, "X", NumberRule::Any},
                                    {txtlblY, "Y", NumberRule::Any},
                                    {txtlblWidth, "Width", NumberRule::NotNegative},
                                    {txtlblHeight, "Height", NumberRule::NotNegative}},
                                   number)) {
            element->setFontSize(number[0]);
            // A label whose alignment matched no entry keeps it.
            if (cmblblAlign->currentIndex() >= 0)
                element->setAlignment(cmblblAlign->currentIndex());
            element->setBorderStyle(styleOf(chklblBorder));
            element->setCaption(txtlblCaption->text());
            element->setExactLeft(number[1]);
            element->setExactTop(number[2]);
            element->setExactWidth(number[3]);
            element->setExactHeight(number[4]);
            element->setForeColour(swatchColour(pctLabelForeColor));
            element->setBackColour(swatchColour(pctLabelBackColor));
            element->setBackStyle(styleOf(chklblOpaque));
            element->setTag(txtlblLink->text());
        }
    }

    if (selected == ElementKind::Picture) {
        ElementPicture *element = selectedElement(&Form1::picture, *this, pctPicture);
        float number[4];
        if (element && readNumbers({{txtpicX, "X", NumberRule::Any},
                                    {txtpicY, "Y", NumberRule::Any},
                                    {txtpicWidth, "Width", NumberRule::NotNegative},
                                    {txtpicHeight, "Height", NumberRule::NotNegative}},
                                   number)) {
            const QString source = txtPicPicture->text();
            if (!source.isEmpty()) {
                m_pictureQueue->append(source, tagOf(pctPicture), pageAddress());
                // Slot 100 has a row only once a picture was placed; rows are added up to it.
                while (lstPictureUrls->count() <= element->index())
                    lstPictureUrls->addItem(QString());
                lstPictureUrls->item(element->index())->setText(source);
            }
            element->setTag(txtpicLink->text());
            element->setExactLeft(number[0]);
            element->setExactTop(number[1]);
            element->setBorderStyle(styleOf(chkPicBorder));
            element->setExactWidth(number[2]);
            element->setExactHeight(number[3]);
        }
    }
}
