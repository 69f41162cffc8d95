#include "app/main_window.h"

#include "app/common_dialog.h"
#include "editor/colour_swatch.h"

namespace {

// The dialog starts from the swatch's colour. The chosen colour reaches the canvas or the label
// only with Apply; a cancel keeps the swatch.
void chooseColour(CommonDialog &dialogs, QWidget *parent, QFrame *swatch)
{
    if (const std::optional<quint32> colour = dialogs.showColor(parent, swatchColour(swatch)))
        setSwatchColour(swatch, *colour);
}

} // namespace

void Form1::pctWorkColor_Click()
{
    chooseColour(*Common, this, pctWorkColor);
}

void Form1::pctLabelForeColor_Click()
{
    chooseColour(*Common, this, pctLabelForeColor);
}

void Form1::pctLabelBackColor_Click()
{
    chooseColour(*Common, this, pctLabelBackColor);
}
