#include "app/canvas.h"
#include "app/main_window.h"
#include "app/system_colours.h"
#include "app/tag.h"
#include "editor/colour_swatch.h"
#include "support/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

// Placing, selecting, the property panels, Apply and the colour swatches, driven through the real
// window in editor mode.
class EditorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lastArmedKindIsPlaced();
    void rightPressSelectsCanvasAndStillPlaces();
    void browserModeKeepsThePlacementArmed();
    void placedSlotAndCaption_data();
    void placedSlotAndCaption();
    void kindsCountSeparately();
    void placementCentresWithoutClamping();
    void placingPicturesAddsSourceRows();
    void placementPastSlot100IsRefused_data();
    void placementPastSlot100IsRefused();

    void panelsCarryTheirCaptions_data();
    void panelsCarryTheirCaptions();
    void fieldRoundTrip_data();
    void fieldRoundTrip();
    void selectionKeepsOtherKindsSlots();
    void buttonPressSelectsWithAnyButton();
    void browserModePressSelectsNothing();
    void reselectingDiscardsEdits();
    void decimalCommaOfTheUserReadsBack();

    void applyWithNothingSelectedAppliesTheCanvas();
    void emptyBackPictureKeepsTheReference();
    void pictureRequestsQueueOnEveryApply_data();
    void pictureRequestsQueueOnEveryApply();
    void pictureSourceOfSlot100GetsItsRow();
    void badNumberAppliesNothing_data();
    void badNumberAppliesNothing();

    void swatchTakesTheChosenColourOnly();
    void cancelledColourKeepsTheSwatch();
    void reselectingTheCanvasRefillsItsSwatch();

private:
    void press(QWidget *widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {});
    void placeWith(QPushButton *tool, QPoint at);
    void select(const QString &kind, int slot);
    QWidget *field(const QString &name) const;
    QString statusText() const { return window->statusText(); }

    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
};

namespace {

QString number(float value)
{
    return QString::number(double(value));
}

PageElement *elementOf(Form1 &window, const QString &kind, int slot)
{
    if (kind == QLatin1String("Button"))
        return window.button(slot);
    if (kind == QLatin1String("Label"))
        return window.label(slot);
    return window.picture(slot);
}

// Element and page properties as text, so that one table covers every field.
QString propertyOf(Form1 &window, const QString &kind, int slot, const QString &property)
{
    if (kind == QLatin1String("WorkSpace")) {
        if (property == QLatin1String("title"))
            return window.PageTitle;
        if (property == QLatin1String("backPicture"))
            return window.canvas()->tag();
        return QString::number(window.canvas()->backColour());
    }
    PageElement *element = elementOf(window, kind, slot);
    if (property == QLatin1String("left"))
        return number(element->exactLeft());
    if (property == QLatin1String("top"))
        return number(element->exactTop());
    if (property == QLatin1String("width"))
        return number(element->exactWidth());
    if (property == QLatin1String("height"))
        return number(element->exactHeight());
    if (property == QLatin1String("link"))
        return element->tag();
    if (property == QLatin1String("source"))
        return window.lstPictureUrls->item(slot)->text();
    if (auto *button = dynamic_cast<ElementButton *>(element))
        return button->caption();
    if (auto *picture = dynamic_cast<ElementPicture *>(element))
        return QString::number(picture->borderStyle());
    auto *label = static_cast<ElementLabel *>(element);
    if (property == QLatin1String("caption"))
        return label->caption();
    if (property == QLatin1String("fontSize"))
        return number(label->fontSize());
    if (property == QLatin1String("alignment"))
        return QString::number(label->alignment());
    if (property == QLatin1String("borderStyle"))
        return QString::number(label->borderStyle());
    if (property == QLatin1String("backStyle"))
        return QString::number(label->backStyle());
    if (property == QLatin1String("foreColour"))
        return QString::number(label->foreColour());
    return QString::number(label->backColour());
}

void setPropertyOf(Form1 &window, const QString &kind, int slot, const QString &property,
                   const QString &value)
{
    if (kind == QLatin1String("WorkSpace")) {
        if (property == QLatin1String("title"))
            window.PageTitle = value;
        else if (property == QLatin1String("backPicture"))
            window.canvas()->setTag(value);
        else
            window.canvas()->setBackColour(value.toUInt());
        return;
    }
    PageElement *element = elementOf(window, kind, slot);
    if (property == QLatin1String("left"))
        element->setExactLeft(value.toFloat());
    else if (property == QLatin1String("top"))
        element->setExactTop(value.toFloat());
    else if (property == QLatin1String("width"))
        element->setExactWidth(value.toFloat());
    else if (property == QLatin1String("height"))
        element->setExactHeight(value.toFloat());
    else if (property == QLatin1String("link"))
        element->setTag(value);
    else if (property == QLatin1String("source"))
        window.lstPictureUrls->item(slot)->setText(value);
    else if (auto *button = dynamic_cast<ElementButton *>(element))
        button->setCaption(value);
    else if (auto *picture = dynamic_cast<ElementPicture *>(element))
        picture->setBorderStyle(value.toInt());
    else {
        auto *label = static_cast<ElementLabel *>(element);
        if (property == QLatin1String("caption"))
            label->setCaption(value);
        else if (property == QLatin1String("fontSize"))
            label->setFontSize(value.toFloat());
        else if (property == QLatin1String("alignment"))
            label->setAlignment(value.toInt());
        else if (property == QLatin1String("borderStyle"))
            label->setBorderStyle(value.toInt());
        else if (property == QLatin1String("backStyle"))
            label->setBackStyle(value.toInt());
        else if (property == QLatin1String("foreColour"))
            label->setForeColour(value.toUInt());
        else
            label->setBackColour(value.toUInt());
    }
}

// What a panel field shows: its text, "1"/"0" for a check box, the chosen entry of a list and
// the colour value of a swatch.
QString shownIn(QWidget *field)
{
    if (auto *text = qobject_cast<QLineEdit *>(field))
        return text->text();
    if (auto *check = qobject_cast<QCheckBox *>(field))
        return check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto *list = qobject_cast<QComboBox *>(field))
        return list->currentText();
    return QString::number(qobject_cast<ColourSwatch *>(field)->colour());
}

} // namespace

void EditorTest::init()
{
    window = std::make_unique<Form1>();
    dialogs = scriptDialogs(*window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // The picture fetcher would take requests off the queue that these tests read.
    window->Timer1->stop();
    window->mnuWorkspace->trigger();
    QVERIFY(!window->BrowserMode);
}

void EditorTest::cleanup()
{
    window.reset();
    QLocale::setDefault(QLocale::c());
}

void EditorTest::press(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    QTest::mousePress(widget, button, {}, at.isNull() ? widget->rect().center() : at);
    QTest::mouseRelease(widget, button, {}, at.isNull() ? widget->rect().center() : at);
}

void EditorTest::placeWith(QPushButton *tool, QPoint at)
{
    QTest::mouseClick(tool, Qt::LeftButton);
    press(window->canvas(), Qt::LeftButton, at);
}

void EditorTest::select(const QString &kind, int slot)
{
    if (kind == QLatin1String("WorkSpace")) {
        // A spot of bare canvas, away from the elements the tests place.
        press(window->canvas(), Qt::RightButton, QPoint(window->canvas()->width() - 5, 5));
        return;
    }
    QWidget *element = elementOf(*window, kind, slot)->widget();
    element->show();
    QTest::mouseClick(element, Qt::LeftButton, {}, QPoint(2, 2));
}

QWidget *EditorTest::field(const QString &name) const
{
    auto *found = window->Picture2->findChild<QWidget *>(name);
    if (!found)
        qWarning("no field %s", qPrintable(name));
    return found;
}

void EditorTest::lastArmedKindIsPlaced()
{
    QTest::mouseClick(window->cmdAddLabel, Qt::LeftButton);
    QTest::mouseClick(window->cmdAddButton, Qt::LeftButton);
    QCOMPARE(window->PendingAdd, QStringLiteral("Button"));
    QCOMPARE(window->canvas()->cursor().shape(), Qt::BitmapCursor);

    press(window->canvas(), Qt::LeftButton, QPoint(120, 80));

    QCOMPARE(window->ButtonCount, 1);
    QCOMPARE(window->LabelCount, 0);
    QVERIFY(window->button(1)->isVisible());
    QVERIFY(window->label(1)->isHidden());
    QVERIFY(window->PendingAdd.isEmpty());
    QCOMPARE(window->canvas()->cursor().shape(), Qt::ArrowCursor);

    // Disarmed: the next press places nothing.
    press(window->canvas(), Qt::LeftButton, QPoint(200, 80));
    QCOMPARE(window->ButtonCount, 1);
    QVERIFY(window->button(2)->isHidden());
}

void EditorTest::rightPressSelectsCanvasAndStillPlaces()
{
    window->PageTitle = QStringLiteral("Home");
    window->canvas()->setTag(QStringLiteral("bg.png"));
    window->canvas()->setBackColour(colourValue(0x12, 0x34, 0x56));
    select(QStringLiteral("Label"), 1);
    QCOMPARE(window->panelStack->currentWidget(), window->pctLabel);

    QTest::mouseClick(window->cmdAddButton, Qt::LeftButton);
    press(window->canvas(), Qt::RightButton, QPoint(150, 150));

    QCOMPARE(window->panelStack->currentWidget(), window->pctWorkspace);
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("WorkSpace"));
    QCOMPARE(window->txtTitle->text(), QStringLiteral("Home"));
    QCOMPARE(window->txtBackPic->text(), QStringLiteral("bg.png"));
    QCOMPARE(swatchColour(window->pctWorkColor), colourValue(0x12, 0x34, 0x56));
    // The label panel keeps its slot; the canvas has none.
    QCOMPARE(tagOf(window->pctLabel), QStringLiteral("1"));
    QCOMPARE(window->ButtonCount, 1);
    QVERIFY(window->button(1)->isVisible());
    QVERIFY(window->PendingAdd.isEmpty());
}

void EditorTest::browserModeKeepsThePlacementArmed()
{
    QTest::mouseClick(window->cmdAddButton, Qt::LeftButton);
    window->mnuInternet->trigger();
    QVERIFY(window->BrowserMode);
    const QString selection = tagOf(window->Picture2);

    press(window->canvas(), Qt::LeftButton, QPoint(100, 100));
    press(window->canvas(), Qt::RightButton, QPoint(100, 100));

    QCOMPARE(window->ButtonCount, 0);
    QVERIFY(window->button(1)->isHidden());
    QCOMPARE(window->PendingAdd, QStringLiteral("Button"));
    QCOMPARE(window->canvas()->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(tagOf(window->Picture2), selection);

    window->mnuWorkspace->trigger();
    press(window->canvas(), Qt::LeftButton, QPoint(100, 100));
    QCOMPARE(window->ButtonCount, 1);
    QVERIFY(window->button(1)->isVisible());
}

void EditorTest::placedSlotAndCaption_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("counted");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first button") << "cmdAddButton" << 0 << 1 << "Button 1";
    QTest::newRow("second button") << "cmdAddButton" << 1 << 2 << "Button 2";
    QTest::newRow("first label") << "cmdAddLabel" << 0 << 1 << "Label 1";
    QTest::newRow("after a page of four labels") << "cmdAddLabel" << 4 << 5 << "Label 5";
    QTest::newRow("slot 12") << "cmdAddButton" << 11 << 12 << "Button 12";
    QTest::newRow("slot 100") << "cmdAddLabel" << 99 << 100 << "Label 100";
}

void EditorTest::placedSlotAndCaption()
{
    QFETCH(QString, tool);
    QFETCH(int, counted);
    QFETCH(int, slot);
    QFETCH(QString, caption);
    const bool isButton = tool == QLatin1String("cmdAddButton");
    (isButton ? window->ButtonCount : window->LabelCount) = qint16(counted);

    placeWith(window->Picture1->findChild<QPushButton *>(tool), QPoint(100, 100));

    QCOMPARE(isButton ? window->ButtonCount : window->LabelCount, qint16(slot));
    if (isButton) {
        QCOMPARE(window->button(slot)->caption(), caption);
        QCOMPARE(window->button(slot)->text(), caption);
        QVERIFY(window->button(slot)->isVisible());
    } else {
        QCOMPARE(window->label(slot)->caption(), caption);
        QVERIFY(window->label(slot)->isVisible());
    }
}

void EditorTest::kindsCountSeparately()
{
    placeWith(window->cmdAddButton, QPoint(100, 50));
    placeWith(window->cmdAddButton, QPoint(100, 100));
    placeWith(window->cmdAddLabel, QPoint(100, 150));
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Button 1"));
    QCOMPARE(window->button(2)->caption(), QStringLiteral("Button 2"));
    QCOMPARE(window->label(1)->caption(), QStringLiteral("Label 1"));
    QCOMPARE(window->ButtonCount, 2);
    QCOMPARE(window->LabelCount, 1);
    // The new element is not selected: the panels still show the canvas.
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("WorkSpace"));
    // A new button lies above an older one.
    window->button(2)->setExactTop(window->button(1)->exactTop());
    QCOMPARE(window->canvas()->childAt(window->button(1)->geometry().center()), window->button(2));
}

void EditorTest::placementCentresWithoutClamping()
{
    placeWith(window->cmdAddButton, QPoint(20, 10));
    const ElementButton *button = window->button(1);
    QCOMPARE(button->exactLeft(), -20.5f);
    QCOMPARE(button->exactTop(), -6.5f);
    QCOMPARE(button->exactWidth(), 81.0f);
    QCOMPARE(button->exactHeight(), 33.0f);

    placeWith(window->cmdAddLabel, QPoint(40, 30));
    QCOMPARE(window->label(1)->exactLeft(), 5.5f);
    QCOMPARE(window->label(1)->exactTop(), 23.5f);
}

void EditorTest::placingPicturesAddsSourceRows()
{
    window->lstPictureUrls->item(1)->setText(QStringLiteral("kept.png"));
    window->cmdAddPicture->click();
    QCOMPARE(window->PendingAdd, QStringLiteral("Picture"));
    press(window->canvas(), Qt::LeftButton, QPoint(100, 100));
    QCOMPARE(window->PictureCount, 1);
    QVERIFY(window->picture(1)->isVisible());
    QCOMPARE(window->picture(1)->exactLeft(), 75.5f);
    QCOMPARE(window->lstPictureUrls->count(), 101);
    QCOMPARE(window->lstPictureUrls->item(1)->text(), QStringLiteral("kept.png"));

    window->cmdAddPicture->click();
    press(window->canvas(), Qt::LeftButton, QPoint(200, 100));
    QCOMPARE(window->lstPictureUrls->count(), 102);
}

void EditorTest::placementPastSlot100IsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("button") << "Button"
                            << "No more than 100 buttons on a page.";
    QTest::newRow("label") << "Label"
                           << "No more than 100 labels on a page.";
    QTest::newRow("picture") << "Picture"
                             << "No more than 100 pictures on a page.";
}

void EditorTest::placementPastSlot100IsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    window->ButtonCount = window->LabelCount = window->PictureCount = 100;
    const int rows = window->lstPictureUrls->count();
    if (kind == QLatin1String("Button"))
        window->cmdAddButton->click();
    else if (kind == QLatin1String("Label"))
        window->cmdAddLabel->click();
    else
        window->cmdAddPicture->click();

    press(window->canvas(), Qt::LeftButton, QPoint(100, 100));

    QCOMPARE(window->ButtonCount, 100);
    QCOMPARE(window->LabelCount, 100);
    QCOMPARE(window->PictureCount, 100);
    QVERIFY(window->PendingAdd.isEmpty());
    QCOMPARE(window->canvas()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(statusText(), message);
    QVERIFY(elementOf(*window, kind, 100)->widget()->isHidden());
    QCOMPARE(window->lstPictureUrls->count(), rows);
}

void EditorTest::panelsCarryTheirCaptions_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("workspace") << "pctWorkspace" << QStringList{"txtTitle", "pctWorkColor"}
                               << QStringList{"Title:", "Color:"};
    QTest::newRow("button") << "pctButton"
                            << QStringList{"txtcmdCaption", "txtcmdX",      "txtcmdY",
                                           "txtcmdWidth",   "txtcmdHeight", "txtcmdLink"}
                            << QStringList{"Caption:", "X:", "Y:", "Width:", "Height:", "Link:"};
    QTest::newRow("label")
        << "pctLabel"
        << QStringList{"txtlblCaption", "txtlblX",           "txtlblY",           "txtlblWidth",
                       "txtlblHeight",  "pctLabelForeColor", "pctLabelBackColor", "chklblOpaque",
                       "chklblBorder",  "cmblblAlign",       "txtlblFontSize",    "txtlblLink"}
        << QStringList{"Caption:", "X:",      "Y:",      "Width:", "Height:",   "Color1:",
                       "Color2:",  "Opaque:", "Border:", "Align:", "FontSize:", "Link:"};
    QTest::newRow("picture")
        << "pctPicture"
        << QStringList{"txtpicX",       "txtpicY",      "txtpicWidth", "txtpicHeight",
                       "txtPicPicture", "chkPicBorder", "txtpicLink"}
        << QStringList{"X:", "Y:", "Width:", "Height:", "Picture:", "Border:", "Link:"};
}

void EditorTest::panelsCarryTheirCaptions()
{
    QFETCH(QString, panel);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, captions);
    auto *container = window->Picture2->findChild<QWidget *>(panel);
    QVERIFY(container);
    QList<QLabel *> labels = container->findChildren<QLabel *>();
    int previousTop = -1;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QWidget *shown = container->findChild<QWidget *>(fields.at(i));
        QVERIFY2(shown, qPrintable(fields.at(i)));
        // Rows run from top to bottom in the listed order, inside the panel.
        QVERIFY(shown->y() > previousTop);
        previousTop = shown->y();
        QVERIFY(container->rect().contains(shown->geometry()));
        auto caption = std::find_if(labels.begin(), labels.end(),
                                    [shown](QLabel *label) { return label->buddy() == shown; });
        QVERIFY2(caption != labels.end(), qPrintable(fields.at(i)));
        QCOMPARE((*caption)->text(), captions.at(i));
        QVERIFY((*caption)->geometry().right() < shown->x());
    }
    for (QCheckBox *box : container->findChildren<QCheckBox *>())
        QCOMPARE(box->text(), QStringLiteral("Yes"));
}

void EditorTest::fieldRoundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("after");

    const QString red = QString::number(colourValue(255, 0, 0));
    const QString green = QString::number(colourValue(0, 255, 0));
    const QString windowText = QString::number(SystemColour::WindowText);

    QTest::newRow("title") << "WorkSpace"
                           << "txtTitle"
                           << "title"
                           << "Home"
                           << "Home"
                           << "Start page"
                           << "Start page";
    QTest::newRow("background picture") << "WorkSpace"
                                        << "txtBackPic"
                                        << "backPicture"
                                        << "bg.png"
                                        << "bg.png"
                                        << "other.bmp"
                                        << "other.bmp";
    QTest::newRow("canvas colour") << "WorkSpace"
                                   << "pctWorkColor"
                                   << "backColour" << red << red << green << green;

    QTest::newRow("button caption") << "Button"
                                    << "txtcmdCaption"
                                    << "caption"
                                    << "Next"
                                    << "Next"
                                    << " Go on "
                                    << " Go on ";
    QTest::newRow("button x") << "Button"
                              << "txtcmdX"
                              << "left"
                              << "8"
                              << "8"
                              << "150.5"
                              << "150.5";
    QTest::newRow("button y with comma") << "Button"
                                         << "txtcmdY"
                                         << "top"
                                         << "37.5"
                                         << "37.5"
                                         << "12,25"
                                         << "12.25";
    QTest::newRow("button width") << "Button"
                                  << "txtcmdWidth"
                                  << "width"
                                  << "81"
                                  << "81"
                                  << "101"
                                  << "101";
    QTest::newRow("button height") << "Button"
                                   << "txtcmdHeight"
                                   << "height"
                                   << "33"
                                   << "33"
                                   << "0"
                                   << "0";
    QTest::newRow("button link") << "Button"
                                 << "txtcmdLink"
                                 << "link"
                                 << "a.qvif"
                                 << "a.qvif"
                                 << "http://127.0.0.1/b.qvif"
                                 << "http://127.0.0.1/b.qvif";

    QTest::newRow("label caption") << "Label"
                                   << "txtlblCaption"
                                   << "caption"
                                   << "Hello"
                                   << "Hello"
                                   << "Bye"
                                   << "Bye";
    QTest::newRow("label x negative") << "Label"
                                      << "txtlblX"
                                      << "left"
                                      << "-20.5"
                                      << "-20.5"
                                      << "-3"
                                      << "-3";
    QTest::newRow("label y") << "Label"
                             << "txtlblY"
                             << "top"
                             << "88"
                             << "88"
                             << "90.75"
                             << "90.75";
    QTest::newRow("label width") << "Label"
                                 << "txtlblWidth"
                                 << "width"
                                 << "69"
                                 << "69"
                                 << "70"
                                 << "70";
    QTest::newRow("label height") << "Label"
                                  << "txtlblHeight"
                                  << "height"
                                  << "13"
                                  << "13"
                                  << "26.5"
                                  << "26.5";
    QTest::newRow("text colour is Color1")
        << "Label"
        << "pctLabelForeColor"
        << "foreColour" << windowText << windowText << red << red;
    QTest::newRow("background colour is Color2") << "Label"
                                                 << "pctLabelBackColor"
                                                 << "backColour" << red << red << green << green;
    QTest::newRow("opaque") << "Label"
                            << "chklblOpaque"
                            << "backStyle"
                            << "0"
                            << "0"
                            << "1"
                            << "1";
    QTest::newRow("transparent") << "Label"
                                 << "chklblOpaque"
                                 << "backStyle"
                                 << "1"
                                 << "1"
                                 << "0"
                                 << "0";
    QTest::newRow("label border") << "Label"
                                  << "chklblBorder"
                                  << "borderStyle"
                                  << "1"
                                  << "1"
                                  << "0"
                                  << "0";
    QTest::newRow("left aligned") << "Label"
                                  << "cmblblAlign"
                                  << "alignment"
                                  << "0"
                                  << "Left"
                                  << "Center"
                                  << "2";
    QTest::newRow("right aligned") << "Label"
                                   << "cmblblAlign"
                                   << "alignment"
                                   << "1"
                                   << "Right"
                                   << "Left"
                                   << "0";
    QTest::newRow("centred") << "Label"
                             << "cmblblAlign"
                             << "alignment"
                             << "2"
                             << "Center"
                             << "Right"
                             << "1";
    QTest::newRow("font size") << "Label"
                               << "txtlblFontSize"
                               << "fontSize"
                               << "8.25"
                               << "8.25"
                               << "12"
                               << "12";
    QTest::newRow("label link") << "Label"
                                << "txtlblLink"
                                << "link"
                                << ""
                                << ""
                                << "c.qvif"
                                << "c.qvif";

    QTest::newRow("picture x") << "Picture"
                               << "txtpicX"
                               << "left"
                               << "112"
                               << "112"
                               << "0.5"
                               << "0.5";
    QTest::newRow("picture y") << "Picture"
                               << "txtpicY"
                               << "top"
                               << "16"
                               << "16"
                               << "100"
                               << "100";
    QTest::newRow("picture width") << "Picture"
                                   << "txtpicWidth"
                                   << "width"
                                   << "49"
                                   << "49"
                                   << "64"
                                   << "64";
    QTest::newRow("picture height") << "Picture"
                                    << "txtpicHeight"
                                    << "height"
                                    << "49"
                                    << "49"
                                    << "48"
                                    << "48";
    QTest::newRow("picture source") << "Picture"
                                    << "txtPicPicture"
                                    << "source"
                                    << "logo.png"
                                    << "logo.png"
                                    << "other.png"
                                    << "other.png";
    QTest::newRow("empty picture source") << "Picture"
                                          << "txtPicPicture"
                                          << "source"
                                          << ""
                                          << ""
                                          << ""
                                          << "";
    QTest::newRow("picture border") << "Picture"
                                    << "chkPicBorder"
                                    << "borderStyle"
                                    << "0"
                                    << "0"
                                    << "1"
                                    << "1";
    QTest::newRow("picture link") << "Picture"
                                  << "txtpicLink"
                                  << "link"
                                  << "d.qvif"
                                  << "d.qvif"
                                  << ""
                                  << "";
}

void EditorTest::fieldRoundTrip()
{
    QFETCH(QString, kind);
    QFETCH(QString, fieldName);
    QFETCH(QString, property);
    QFETCH(QString, before);
    QFETCH(QString, shown);
    QFETCH(QString, edited);
    QFETCH(QString, after);
    const int slot = 3;
    if (kind != QLatin1String("WorkSpace")) {
        // Somewhere the test can click, whatever the property row moves.
        elementOf(*window, kind, slot)->setExactLeft(100);
        elementOf(*window, kind, slot)->setExactTop(100);
    }
    setPropertyOf(*window, kind, slot, property, before);
    const QString otherKind = kind == QLatin1String("Button") ? "Label" : "Button";
    select(otherKind, 1);

    select(kind, slot);
    QWidget *input = field(fieldName);
    QVERIFY(input);
    QCOMPARE(window->panelStack->currentWidget(), input->parentWidget());
    QCOMPARE(tagOf(window->Picture2), kind);
    if (kind != QLatin1String("WorkSpace"))
        QCOMPARE(tagOf(input->parentWidget()), QString::number(slot));
    QCOMPARE(shownIn(input), shown);

    if (auto *text = qobject_cast<QLineEdit *>(input)) {
        text->selectAll();
        QTest::keyClick(text, Qt::Key_Delete);
        QTest::keyClicks(text, edited);
    } else if (auto *check = qobject_cast<QCheckBox *>(input)) {
        if (shownIn(check) != edited)
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    } else if (auto *list = qobject_cast<QComboBox *>(input)) {
        list->setCurrentIndex(list->findText(edited));
    } else {
        dialogs->colourAnswers.enqueue(edited.toUInt());
        QTest::mouseClick(input, Qt::LeftButton);
        QCOMPARE(dialogs->colourCount, 1);
    }
    QCOMPARE(shownIn(input), edited);
    if (kind != QLatin1String("WorkSpace"))
        QCOMPARE(propertyOf(*window, kind, slot, property), before);

    QTest::mouseClick(window->cmdApply, Qt::LeftButton);

    QCOMPARE(propertyOf(*window, kind, slot, property), after);
    QVERIFY(statusText().isEmpty());
    // Apply leaves the field as typed.
    QCOMPARE(shownIn(input), edited);
}

void EditorTest::selectionKeepsOtherKindsSlots()
{
    select(QStringLiteral("Button"), 3);
    select(QStringLiteral("Picture"), 1);
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("Picture"));
    QCOMPARE(tagOf(window->pctButton), QStringLiteral("3"));
    QCOMPARE(tagOf(window->pctPicture), QStringLiteral("1"));
    QCOMPARE(tagOf(window->pctLabel), QStringLiteral("0"));

    // Clearing the page keeps the selection and the fields.
    window->ClearPage();
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("Picture"));
    QCOMPARE(window->txtpicX->text(), QStringLiteral("112"));
}

void EditorTest::buttonPressSelectsWithAnyButton()
{
    ElementButton *button = window->button(2);
    button->setCaption(QStringLiteral("Right"));
    button->show();
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("Button"));
    QCOMPARE(tagOf(window->pctButton), QStringLiteral("2"));
    QCOMPARE(window->txtcmdCaption->text(), QStringLiteral("Right"));
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(3, 3));
}

void EditorTest::browserModePressSelectsNothing()
{
    window->button(4)->show();
    window->label(4)->show();
    window->label(4)->setExactTop(200);
    window->mnuInternet->trigger();
    for (QWidget *element :
         {static_cast<QWidget *>(window->button(4)), static_cast<QWidget *>(window->label(4))}) {
        QTest::mouseClick(element, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(element, Qt::RightButton, {}, QPoint(2, 2));
    }
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("WorkSpace"));
    QCOMPARE(tagOf(window->pctButton), QStringLiteral("0"));
    QCOMPARE(tagOf(window->pctLabel), QStringLiteral("0"));
    QVERIFY(window->txtcmdCaption->text().isEmpty());
}

void EditorTest::reselectingDiscardsEdits()
{
    window->button(1)->setCaption(QStringLiteral("Original"));
    select(QStringLiteral("Button"), 1);
    window->txtcmdCaption->setText(QStringLiteral("Edited"));
    select(QStringLiteral("Button"), 1);
    QCOMPARE(window->txtcmdCaption->text(), QStringLiteral("Original"));
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Original"));
}

void EditorTest::decimalCommaOfTheUserReadsBack()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ElementLabel *label = window->label(1);
    label->setExactLeft(37.5f);
    label->setFontSize(8.25f);
    select(QStringLiteral("Label"), 1);
    QCOMPARE(window->txtlblX->text(), QStringLiteral("37,5"));
    QCOMPARE(window->txtlblFontSize->text(), QStringLiteral("8,25"));
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QVERIFY(statusText().isEmpty());
    QCOMPARE(label->exactLeft(), 37.5f);
    QCOMPARE(label->fontSize(), 8.25f);
}

void EditorTest::applyWithNothingSelectedAppliesTheCanvas()
{
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("WorkSpace"));
    window->panelStack->setCurrentWidget(window->pctButton);
    window->txtTitle->setText(QStringLiteral("Fresh"));
    setSwatchColour(window->pctWorkColor, colourValue(1, 2, 3));
    window->txtcmdCaption->setText(QStringLiteral("ignored"));

    QTest::mouseClick(window->cmdApply, Qt::LeftButton);

    QCOMPARE(window->PageTitle, QStringLiteral("Fresh"));
    QCOMPARE(window->canvas()->backColour(), colourValue(1, 2, 3));
    QCOMPARE(window->button(0)->caption(), FreeSlotMarker);
    QCOMPARE(window->lstPics->count(), 0);
}

void EditorTest::emptyBackPictureKeepsTheReference()
{
    window->canvas()->setTag(QStringLiteral("old.png"));
    const QImage picture(3, 3, QImage::Format_RGB32);
    window->canvas()->setPicture(picture);
    select(QStringLiteral("WorkSpace"), 0);
    window->txtBackPic->clear();

    QTest::mouseClick(window->cmdApply, Qt::LeftButton);

    QCOMPARE(window->canvas()->tag(), QStringLiteral("old.png"));
    QCOMPARE(window->canvas()->picture().size(), QSize(3, 3));
    QCOMPARE(window->lstPics->count(), 0);
    QCOMPARE(window->lstPicsNum->count(), 0);
}

void EditorTest::pictureRequestsQueueOnEveryApply_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("target");
    QTest::newRow("background") << "WorkSpace"
                                << "txtBackPic"
                                << "bg.bmp"
                                << "WORK";
    QTest::newRow("picture 3") << "Picture"
                               << "txtPicPicture"
                               << "logo.bmp"
                               << "3";
}

void EditorTest::pictureRequestsQueueOnEveryApply()
{
    QFETCH(QString, kind);
    QFETCH(QString, fieldName);
    QFETCH(QString, reference);
    QFETCH(QString, target);
    window->lstPics->addItem(QStringLiteral("earlier.png"));
    window->lstPicsNum->addItem(QStringLiteral("7"));
    select(kind, 3);
    qobject_cast<QLineEdit *>(field(fieldName))->setText(reference);

    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);

    QCOMPARE(window->lstPics->count(), 3);
    QCOMPARE(window->lstPicsNum->count(), 3);
    for (int row : {1, 2}) {
        QCOMPARE(window->lstPics->item(row)->text(), reference);
        QCOMPARE(window->lstPicsNum->item(row)->text(), target);
    }
    QCOMPARE(window->lstPics->item(0)->text(), QStringLiteral("earlier.png"));
    if (kind == QLatin1String("WorkSpace"))
        QCOMPARE(window->canvas()->tag(), reference);
    else
        QCOMPARE(window->lstPictureUrls->item(3)->text(), reference);
}

void EditorTest::pictureSourceOfSlot100GetsItsRow()
{
    QCOMPARE(window->lstPictureUrls->count(), 100);
    select(QStringLiteral("Picture"), 100);
    QVERIFY(window->txtPicPicture->text().isEmpty());
    window->txtPicPicture->setText(QStringLiteral("last.png"));
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QCOMPARE(window->lstPictureUrls->count(), 101);
    QCOMPARE(window->lstPictureUrls->item(100)->text(), QStringLiteral("last.png"));
    QCOMPARE(window->lstPicsNum->item(0)->text(), QStringLiteral("100"));
}

void EditorTest::badNumberAppliesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("button x not a number") << "Button"
                                           << "txtcmdX"
                                           << "abc"
                                           << "X must be a number.";
    QTest::newRow("button height empty") << "Button"
                                         << "txtcmdHeight"
                                         << ""
                                         << "Height must be a number.";
    QTest::newRow("negative button width") << "Button"
                                           << "txtcmdWidth"
                                           << "-1"
                                           << "Width cannot be negative.";
    QTest::newRow("label font size") << "Label"
                                     << "txtlblFontSize"
                                     << "big"
                                     << "FontSize must be a number.";
    QTest::newRow("label y with two separators") << "Label"
                                                 << "txtlblY"
                                                 << "1.5.5"
                                                 << "Y must be a number.";
    QTest::newRow("negative label height") << "Label"
                                           << "txtlblHeight"
                                           << "-0.5"
                                           << "Height cannot be negative.";
    QTest::newRow("picture width") << "Picture"
                                   << "txtpicWidth"
                                   << "12px"
                                   << "Width must be a number.";
    QTest::newRow("picture y not finite") << "Picture"
                                          << "txtpicY"
                                          << "1e99"
                                          << "Y must be a number.";
}

void EditorTest::badNumberAppliesNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, fieldName);
    QFETCH(QString, text);
    QFETCH(QString, message);
    PageElement *element = elementOf(*window, kind, 2);
    element->setTag(QStringLiteral("kept.qvif"));
    select(kind, 2);
    const QRect before = element->widget()->geometry();
    // Every other field is edited too, and none of it may reach the element.
    for (QLineEdit *other : window->panelStack->currentWidget()->findChildren<QLineEdit *>())
        other->setText(other->objectName().contains(QLatin1String("Link")) ? "changed.qvif" : "5");
    window->txtPicPicture->setText(QStringLiteral("new.png"));
    auto *bad = qobject_cast<QLineEdit *>(field(fieldName));
    bad->setText(text);

    QTest::mouseClick(window->cmdApply, Qt::LeftButton);

    QCOMPARE(element->widget()->geometry(), before);
    QCOMPARE(element->tag(), QStringLiteral("kept.qvif"));
    QCOMPARE(window->lstPics->count(), 0);
    QVERIFY(window->lstPictureUrls->item(2)->text().isEmpty());
    QCOMPARE(statusText(), message);
    // A menu's tip covers the message only while the menu is hovered.
    QStatusTipEvent hover(QStringLiteral("Save the page to a file"));
    QCoreApplication::sendEvent(window.get(), &hover);
    QCOMPARE(window->statusBar()->currentMessage(), hover.tip());
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(window.get(), &leave);
    QCOMPARE(statusText(), message);
    QVERIFY(window->findChild<QLabel *>("statusMessage")->isVisible());
    QVERIFY(bad->property("invalid").toBool());
    QVERIFY(bad->styleSheet().contains(QLatin1String("border")));
    QTRY_VERIFY(bad->hasFocus());

    // The frame stays until the field is edited; then Apply goes through.
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QVERIFY(bad->property("invalid").toBool());
    bad->selectAll();
    QTest::keyClicks(bad, QStringLiteral("7"));
    QVERIFY(!bad->property("invalid").toBool());
    QVERIFY(bad->styleSheet().isEmpty());
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QCOMPARE(element->tag(), QStringLiteral("changed.qvif"));
    QVERIFY(statusText().isEmpty());
}

void EditorTest::swatchTakesTheChosenColourOnly()
{
    ElementLabel *label = window->label(1);
    const quint32 foreBefore = label->foreColour();
    select(QStringLiteral("Label"), 1);
    const quint32 backSwatch = swatchColour(window->pctLabelBackColor);
    const quint32 workSwatch = swatchColour(window->pctWorkColor);
    dialogs->colourAnswers.enqueue(colourValue(0, 0, 255));

    QTest::mouseClick(window->pctLabelForeColor, Qt::LeftButton);

    // The dialog started from the colour the swatch showed.
    QCOMPARE(dialogs->lastColourStart, std::optional<quint32>(foreBefore));
    QCOMPARE(swatchColour(window->pctLabelForeColor), colourValue(0, 0, 255));
    QCOMPARE(swatchColour(window->pctLabelBackColor), backSwatch);
    QCOMPARE(swatchColour(window->pctWorkColor), workSwatch);
    QCOMPARE(label->foreColour(), foreBefore);

    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QCOMPARE(label->foreColour(), colourValue(0, 0, 255));
    QCOMPARE(label->backColour(), backSwatch);
}

void EditorTest::cancelledColourKeepsTheSwatch()
{
    select(QStringLiteral("WorkSpace"), 0);
    const quint32 before = swatchColour(window->pctWorkColor);
    QTest::mouseClick(window->pctWorkColor, Qt::LeftButton);
    QCOMPARE(dialogs->colourCount, 1);
    QCOMPARE(swatchColour(window->pctWorkColor), before);
}

void EditorTest::reselectingTheCanvasRefillsItsSwatch()
{
    window->canvas()->setBackColour(colourValue(0, 255, 0));
    select(QStringLiteral("WorkSpace"), 0);
    dialogs->colourAnswers.enqueue(colourValue(255, 0, 0));
    QTest::mouseClick(window->pctWorkColor, Qt::LeftButton);
    QCOMPARE(swatchColour(window->pctWorkColor), colourValue(255, 0, 0));
    select(QStringLiteral("WorkSpace"), 0);
    QCOMPARE(swatchColour(window->pctWorkColor), colourValue(0, 255, 0));
    QCOMPARE(window->canvas()->backColour(), colourValue(0, 255, 0));
}

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
