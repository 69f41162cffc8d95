#include "app/main_window.h"

#include "app/canvas.h"
#include "app/tag.h"
#include "editor/colour_swatch.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStackedLayout>

namespace {

// The canvas pointer while a placement is armed: cross hairs with the corner of a new element.
QCursor placementCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (const QColor &colour : {QColor(Qt::white), QColor(Qt::black)}) {
        const int shift = colour == Qt::white ? 1 : 0;
        painter.setPen(QPen(colour, 1));
        painter.drawLine(15 + shift, 2, 15 + shift, 28);
        painter.drawLine(2, 15 + shift, 28, 15 + shift);
    }
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawRect(QRect(19, 19, 11, 8));
    return QCursor(pixmap, 15, 15);
}

void arm(Form1 &window, const QString &kind)
{
    window.canvas()->setCursor(placementCursor());
    window.PendingAdd = kind;
}

void disarm(Form1 &window)
{
    window.canvas()->unsetCursor();
    window.PendingAdd.clear();
}

// Centres a new element on the press point, keeping its size; near an edge it may reach past the
// canvas.
void centreOn(PageElement *element, float x, float y)
{
    const float width = element->exactWidth();
    const float height = element->exactHeight();
    element->setExactLeft(x - width / 2);
    element->setExactTop(y - height / 2);
}

} // namespace

void Form1::cmdAddButton_Click()
{
    arm(*this, kindName(ElementKind::Button));
}

void Form1::cmdAddLabel_Click()
{
    arm(*this, kindName(ElementKind::Label));
}

void Form1::cmdAddPicture_Click()
{
    arm(*this, kindName(ElementKind::Picture));
}

void Form1::WorkSpace_MouseDown(int mouseButton, int, float x, float y)
{
    if (BrowserMode)
        return;

    if (mouseButton == 2) {
        panelStack->setCurrentWidget(pctWorkspace);
        setTag(Picture2, QStringLiteral("WorkSpace"));
        txtBackPic->setText(WorkSpace->tag());
        txtTitle->setText(PageTitle);
        setSwatchColour(pctWorkColor, WorkSpace->backColour());
    }

    // The pools end at slot 100: a placement past it is refused and disarmed.
    auto nextSlot = [this](qint16 &counter, const QString &kinds) {
        // A complaint about an earlier placement is stale now.
        showStatus(QString());
        if (counter < 0 || counter >= SlotCount) {
            if (counter >= SlotCount)
                showStatus(tr("No more than %1 %2 on a page.").arg(SlotCount).arg(kinds));
            disarm(*this);
            return 0;
        }
        return int(++counter);
    };

    if (PendingAdd == kindName(ElementKind::Button)) {
        if (const int slot = nextSlot(ButtonCount, tr("buttons"))) {
            ElementButton *element = button(slot);
            element->setCaption(QStringLiteral("Button %1").arg(slot));
            centreOn(element, x, y);
            element->show();
            WorkSpace->bringToFront(element);
            disarm(*this);
        }
    }
    if (PendingAdd == kindName(ElementKind::Picture)) {
        if (const int slot = nextSlot(PictureCount, tr("pictures"))) {
            ElementPicture *element = picture(slot);
            centreOn(element, x, y);
            element->show();
            lstPictureUrls->addItem(QString());
            WorkSpace->bringToFront(element);
            disarm(*this);
        }
    }
    if (PendingAdd == kindName(ElementKind::Label)) {
        if (const int slot = nextSlot(LabelCount, tr("labels"))) {
            ElementLabel *element = label(slot);
            element->setCaption(QStringLiteral("Label %1").arg(slot));
            centreOn(element, x, y);
            element->show();
            WorkSpace->bringToFront(element);
            disarm(*this);
        }
    }
}
