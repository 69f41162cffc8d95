#include "page/loader.h"

#include "app/canvas.h"
#include "app/main_window.h"
#include "app/paced_repaints.h"
#include "browser/picture_queue.h"
#include "page/field_reader.h"
#include "page/page_text.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPointer>

#include <limits>

namespace {

QString key(int slot, const char *field)
{
    return QString::number(slot) + QLatin1String(field);
}

// A kind's loop bound, its count + 1, worked out in the counters' 16 bits: a count of 32767 has
// no bound and ends the load before any slot of its kind.
std::optional<qint16> loopEnd(qint16 count)
{
    if (count == std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(count + 1);
}

// Each slot loader sets the slot's fields in the order the page is read and returns false at the
// first value the slot cannot take; what it set until then stays.
bool loadPictureSlot(Form1 &window, const FieldReader &field, int i)
{
    ElementPicture *element = window.picture(i);
    if (!element)
        return false;
    window.WorkSpace->bringToFront(element);
    const std::optional<float> left = field.number(key(i, "px"));
    if (!left)
        return false;
    element->setExactLeft(*left);
    const std::optional<float> top = field.number(key(i, "py"));
    if (!top)
        return false;
    element->setExactTop(*top);
    const QString source = field.text(key(i, "ppicture"));
    // Row 100 exists only once a picture has been placed; the rows up to it are added here.
    while (window.lstPictureUrls->count() <= i)
        window.lstPictureUrls->addItem(QString());
    window.lstPictureUrls->item(i)->setText(source);
    window.pictureRequests().append(source, QString::number(i), window.pageAddress());
    const std::optional<float> width = field.size(key(i, "pwidth"));
    if (!width)
        return false;
    element->setExactWidth(*width);
    const std::optional<float> height = field.size(key(i, "pheight"));
    if (!height)
        return false;
    element->setExactHeight(*height);
    element->setTag(field.text(key(i, "plink")));
    const std::optional<int> border = field.code(key(i, "pborder"), 0, 1);
    if (!border)
        return false;
    element->setBorderStyle(*border);
    element->show();
    window.PictureCount = qint16(i);
    return true;
}

bool loadButtonSlot(Form1 &window, const FieldReader &field, int i)
{
    ElementButton *element = window.button(i);
    if (!element)
        return false;
    window.WorkSpace->bringToFront(element);
    element->setCaption(field.text(key(i, "bcap")));
    const std::optional<float> left = field.number(key(i, "bx"));
    if (!left)
        return false;
    element->setExactLeft(*left);
    const std::optional<float> top = field.number(key(i, "by"));
    if (!top)
        return false;
    element->setExactTop(*top);
    const std::optional<float> width = field.size(key(i, "bwidth"));
    if (!width)
        return false;
    element->setExactWidth(*width);
    const std::optional<float> height = field.size(key(i, "bheight"));
    if (!height)
        return false;
    element->setExactHeight(*height);
    element->setTag(field.text(key(i, "blink")));
    window.ButtonCount = qint16(i);
    element->setVisible(element->caption() != FreeSlotMarker);
    return true;
}

bool loadLabelSlot(Form1 &window, const FieldReader &field, int i)
{
    ElementLabel *element = window.label(i);
    if (!element)
        return false;
    window.WorkSpace->bringToFront(element);
    element->setCaption(field.text(key(i, "lcap")));
    const std::optional<float> fontSize = field.size(key(i, "lfontsize"));
    if (!fontSize)
        return false;
    element->setFontSize(*fontSize);
    const std::optional<float> left = field.number(key(i, "lx"));
    if (!left)
        return false;
    element->setExactLeft(*left);
    const std::optional<float> top = field.number(key(i, "ly"));
    if (!top)
        return false;
    element->setExactTop(*top);
    const std::optional<float> width = field.size(key(i, "lwidth"));
    if (!width)
        return false;
    element->setExactWidth(*width);
    const std::optional<float> height = field.size(key(i, "lheight"));
    if (!height)
        return false;
    element->setExactHeight(*height);
    const std::optional<int> backStyle = field.code(key(i, "lopaque"), 0, 1);
    if (!backStyle)
        return false;
    element->setBackStyle(*backStyle);
    element->setTag(field.text(key(i, "llink")));
    const std::optional<quint32> backColour = field.colour(key(i, "lbcolor"));
    if (!backColour)
        return false;
    element->setBackColour(*backColour);
    const std::optional<quint32> foreColour = field.colour(key(i, "lfcolor"));
    if (!foreColour)
        return false;
    element->setForeColour(*foreColour);
    const std::optional<int> alignment = field.code(key(i, "lalign"), 0, 2);
    if (!alignment)
        return false;
    element->setAlignment(*alignment);
    const std::optional<int> border = field.code(key(i, "lborder"), 0, 1);
    if (!border)
        return false;
    element->setBorderStyle(*border);
    window.LabelCount = qint16(i);
    element->setVisible(element->caption() != FreeSlotMarker);
    return true;
}

} // namespace

QString Form1::ReadSetting(const QString &path, const QString &pattern) const
{
    return readPageFile(path).text.match(pattern);
}

std::optional<PageFileProblem> Form1::LoadPage(const QString &path)
{
    // The whole page is built from this one reading, so it stays consistent even when the file
    // changes while the load lets events run.
    const PageFileReading reading = readPageFile(path);
    if (reading.status == PageFileReading::Status::Unreadable)
        return PageFileProblem{PageFileProblem::Kind::CannotOpen, reading.error};
    loadPageFields(*this, [&reading](const QString &key) { return reading.text.find(key); });
    if (reading.status == PageFileReading::Status::Missing)
        return PageFileProblem{PageFileProblem::Kind::CannotOpen, tr("no such file")};
    if (!reading.text.hasPageLines())
        return PageFileProblem{PageFileProblem::Kind::NoPageLines, QString()};
    return std::nullopt;
}

QString describePageFileProblem(const PageFileProblem &problem, const QString &name)
{
    if (problem.kind == PageFileProblem::Kind::NoPageLines)
        return Form1::tr("%1 holds no page lines").arg(name);
    return Form1::tr("Could not open %1: %2").arg(name, problem.reason);
}

void loadPageFields(Form1 &window, const PageKeyLookup &lookup)
{
    const FieldReader field(lookup);
    // Pending events run after every button and label. One of them may close the window for good,
    // or replace the page being built with another one (Open, New, a navigation). The canvas shows
    // the page as it grows, a frame at a time, and whole at the end.
    const QPointer<Form1> alive(&window);
    const quint64 page = window.pageGeneration();
    const auto stillBuilding = [&] { return alive && window.pageGeneration() == page; };
    PacedRepaints pauses(window.WorkSpace);

    const std::optional<qint16> buttonNum = field.whole(QStringLiteral("ButtonNum"));
    if (!buttonNum)
        return;
    const std::optional<qint16> labelNum = field.whole(QStringLiteral("LabelNum"));
    if (!labelNum)
        return;
    const std::optional<qint16> pictureNum = field.whole(QStringLiteral("PictureNum"));
    if (!pictureNum)
        return;

    window.PageTitle = field.text(QStringLiteral("Title"));
    window.WorkSpace->setTag(field.text(QStringLiteral("Background")));
    const std::optional<quint32> colour = field.colour(QStringLiteral("Color"));
    if (!colour)
        return;
    window.WorkSpace->setBackColour(*colour);
    window.pictureRequests().append(window.WorkSpace->tag(), PictureQueue::BackgroundTarget,
                                    window.pageAddress());

    // Each kind loads slots 1 to its count + 1; a count that passes slot 100 ends the load at
    // slot 101, which does not exist.
    const std::optional<qint16> pictureEnd = loopEnd(*pictureNum);
    if (!pictureEnd)
        return;
    for (int i = 1; i - 1 != *pictureEnd; ++i) {
        if (!loadPictureSlot(window, field, i))
            return;
    }

    const std::optional<qint16> buttonEnd = loopEnd(*buttonNum);
    if (!buttonEnd)
        return;
    for (int i = 1; i - 1 != *buttonEnd; ++i) {
        if (!loadButtonSlot(window, field, i))
            return;
        pauses.pause();
        if (!stillBuilding())
            return;
    }

    const std::optional<qint16> labelEnd = loopEnd(*labelNum);
    if (!labelEnd)
        return;
    for (int i = 1; i - 1 != *labelEnd; ++i) {
        if (!loadLabelSlot(window, field, i))
            return;
        pauses.pause();
        if (!stillBuilding())
            return;
    }

    window.picture(0)->hide();
}
