#include "app/elements.h"

#include "app/element_accessibility.h"
#include "app/system_colours.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <cmath>

namespace {

// Element positions are kept exactly; the widget can only stand on whole pixels.
int toPixels(float value)
{
    if (!std::isfinite(value))
        return 0;
    const double rounded = std::floor(double(value) + 0.5);
    return int(qBound(-1e6, rounded, 1e6));
}

} // namespace

PageElement::PageElement(ElementKind kind, int index, PageEvents *events)
    : m_kind(kind), m_index(index), m_events(events)
{}

void PageElement::setExactLeft(float left)
{
    m_left = left;
    updateGeometry();
}

void PageElement::setExactTop(float top)
{
    m_top = top;
    updateGeometry();
}

void PageElement::setExactWidth(float width)
{
    m_width = width;
    updateGeometry();
}

void PageElement::setExactHeight(float height)
{
    m_height = height;
    updateGeometry();
}

void PageElement::setTag(const QString &tag)
{
    m_tag = tag;
    updateKeyboardReach();
}

void PageElement::setBrowsing(bool browsing)
{
    m_browsing = browsing;
    updateKeyboardReach();
}

void PageElement::activate()
{
    m_events->elementClicked(this);
}

void PageElement::updateKeyboardReach()
{
    widget()->setFocusPolicy(reachedByKeyboard(*this, m_browsing) ? Qt::TabFocus : Qt::NoFocus);
}

void PageElement::showLinkPointer()
{
    m_showsLinkPointer = true;
    widget()->setCursor(Qt::CrossCursor);
}

void PageElement::resetPlacementTo(const PageElement &templateSlot)
{
    m_left = templateSlot.m_left;
    m_top = templateSlot.m_top;
    m_width = templateSlot.m_width;
    m_height = templateSlot.m_height;
    m_tag = templateSlot.m_tag;
    m_pressed = false;
    if (m_showsLinkPointer) {
        m_showsLinkPointer = false;
        widget()->unsetCursor();
    }
    updateGeometry();
    updateKeyboardReach();
}

void PageElement::updateGeometry()
{
    widget()->setGeometry(toPixels(m_left), toPixels(m_top), qMax(0, toPixels(m_width)),
                          qMax(0, toPixels(m_height)));
}

void PageElement::handlePress(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_pressPosition = event->position().toPoint();
    m_events->elementMouseDown(this, event->button());
}

bool PageElement::handleMove(QMouseEvent *event)
{
    m_events->elementMouseMove(this);
    if (!m_pressed || m_dragMode != DragMode::Automatic || !(event->buttons() & Qt::LeftButton))
        return false;
    const QPoint travelled = event->position().toPoint() - m_pressPosition;
    if (travelled.manhattanLength() < QApplication::startDragDistance())
        return false;
    m_pressed = false;
    m_events->elementDragStart(this);
    return true;
}

bool PageElement::handleRelease(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       widget()->rect().contains(event->position().toPoint());
    m_pressed = false;
    return click;
}

bool PageElement::handleKey(QKeyEvent *event)
{
    if (!isActivationKey(*event))
        return false;
    activate();
    return true;
}

void PageElement::handleDragEnter(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(ElementMimeType)) {
        event->acceptProposedAction();
        m_events->elementDragOver(this, event);
    }
}

void PageElement::handleDragMove(QDragMoveEvent *event)
{
    if (event->mimeData()->hasFormat(ElementMimeType)) {
        event->acceptProposedAction();
        m_events->elementDragOver(this, event);
    }
}

void PageElement::handleDrop(QDropEvent *event)
{
    if (event->mimeData()->hasFormat(ElementMimeType)) {
        event->acceptProposedAction();
        m_events->elementDragDrop(this, event);
    }
}

ElementButton::ElementButton(int index, PageEvents *events, QWidget *canvas)
    : QPushButton(canvas), PageElement(ElementKind::Button, index, events)
{
    setObjectName(QStringLiteral("Buttonn"));
    setProperty("index", index);
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QPushButton::clicked, this,
            [this] { PageElement::events()->elementClicked(this); });
}

void ElementButton::setCaption(const QString &caption)
{
    m_caption = caption;
    // A page caption is shown as written; an ampersand is not a keyboard mnemonic here.
    setText(QString(caption).replace(QLatin1Char('&'), QLatin1String("&&")));
}

void ElementButton::resetTo(const ElementButton &templateSlot)
{
    resetPlacementTo(templateSlot);
    setCaption(templateSlot.m_caption);
    hide();
}

void ElementButton::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    QStylePainter painter(this);
    // The style renders a button's face into an image of the button's size: gigabytes for a page
    // that asks for a button of 30000 x 30000. A large button has only the face of its visible
    // part rendered, with a margin so that the edges that part does not have stay out of sight;
    // its caption keeps its place in the whole button.
    constexpr qint64 LargestWholeFace = 1024 * 1024;
    constexpr int HiddenEdgeMargin = 16;
    if (qint64(width()) * height() <= LargestWholeFace) {
        painter.drawControl(QStyle::CE_PushButton, option);
        return;
    }
    QStyleOptionButton face = option;
    const QRect visible = visibleRegion().boundingRect();
    face.rect = rect().intersected(
        visible.adjusted(-HiddenEdgeMargin, -HiddenEdgeMargin, HiddenEdgeMargin, HiddenEdgeMargin));
    painter.drawControl(QStyle::CE_PushButtonBevel, face);
    QStyleOptionButton label = option;
    label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawControl(QStyle::CE_PushButtonLabel, label);
}

ElementLabel::ElementLabel(int index, PageEvents *events, QWidget *canvas)
    : QWidget(canvas), PageElement(ElementKind::Label, index, events)
{
    setObjectName(QStringLiteral("Labell"));
    setProperty("index", index);
    setAcceptDrops(true);
    setMouseTracking(true);
}

void ElementLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void ElementLabel::setFontSize(float points)
{
    // Clearing a page resets every label to the same size; the font need not be resolved again.
    if (m_fontApplied && points == m_fontSize)
        return;
    m_fontApplied = true;
    m_fontSize = points;
    QFont font = QApplication::font();
    if (points > 0 && std::isfinite(points))
        font.setPointSizeF(qMin(double(points), 1000.0));
    setFont(font);
    update();
}

void ElementLabel::setBackStyle(int style)
{
    m_backStyle = style;
    update();
}

void ElementLabel::setBackColour(quint32 value)
{
    m_backColour = value;
    update();
}

void ElementLabel::setForeColour(quint32 value)
{
    m_foreColour = value;
    update();
}

void ElementLabel::setAlignment(int alignment)
{
    m_alignment = alignment;
    update();
}

void ElementLabel::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void ElementLabel::resetTo(const ElementLabel &templateSlot)
{
    resetPlacementTo(templateSlot);
    m_caption = templateSlot.m_caption;
    m_backStyle = templateSlot.m_backStyle;
    m_backColour = templateSlot.m_backColour;
    m_foreColour = templateSlot.m_foreColour;
    m_alignment = templateSlot.m_alignment;
    m_borderStyle = templateSlot.m_borderStyle;
    setFontSize(templateSlot.m_fontSize);
    hide();
}

void ElementLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_backStyle != 0)
        painter.fillRect(rect(), displayColour(m_backColour));
    QRect textArea = rect();
    if (m_borderStyle != 0) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        textArea.adjust(1, 1, -1, -1);
    }
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_alignment == 1)
        horizontal = Qt::AlignRight;
    else if (m_alignment == 2)
        horizontal = Qt::AlignHCenter;
    painter.setPen(displayColour(m_foreColour));
    painter.drawText(textArea, int(horizontal | Qt::AlignTop) | Qt::TextWordWrap, m_caption);
    paintFocusFrame(*this, painter);
}

ElementPicture::ElementPicture(int index, PageEvents *events, QWidget *canvas)
    : QWidget(canvas), PageElement(ElementKind::Picture, index, events)
{
    setObjectName(QStringLiteral("Picturee"));
    setProperty("index", index);
    setAcceptDrops(true);
    setMouseTracking(true);
}

void ElementPicture::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void ElementPicture::setImage(const QImage &image)
{
    m_image = image;
    setExactWidth(float(image.width()));
    setExactHeight(float(image.height()));
    update();
}

void ElementPicture::resetTo(const ElementPicture &templateSlot)
{
    resetPlacementTo(templateSlot);
    m_borderStyle = templateSlot.m_borderStyle;
    m_image = QImage();
    hide();
    update();
}

void ElementPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_image.isNull())
        painter.drawImage(QPoint(0, 0), m_image);
    if (m_borderStyle != 0) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    paintFocusFrame(*this, painter);
}
