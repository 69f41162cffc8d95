#include "app/canvas.h"
#include "app/main_window.h"
#include "support/scripted_dialogs.h"
#include "support/test_pages.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QAccessibleInterface *accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString nameOf(QWidget *widget)
{
    return accessible(widget)->text(QAccessible::Name);
}

// The widgets that name a control for a screen reader: the labels whose buddy it is.
QList<QObject *> labelsOf(QWidget *widget)
{
    QList<QObject *> labels;
    for (const auto &[label, relation] : accessible(widget)->relations(QAccessible::Label))
        labels << label->object();
    return labels;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsAreNamedByTheirCaptions_data();
    void controlsAreNamedByTheirCaptions();
    void panelCaptionsAreTheBuddiesOfTheirFields();
    void everyControlOnScreenHasAName();
    void elementsTellTheirCaptionAndLink_data();
    void elementsTellTheirCaptionAndLink();
    void tabReachesButtonsAndLinkedElements_data();
    void tabReachesButtonsAndLinkedElements();
    void keyFollowsTheLink_data();
    void keyFollowsTheLink();
    void screenReaderPressFollowsTheLink();

private:
    void browseHome();
    PageElement *element(const QString &kind, int slot) const;
    // The widgets that Tab stops at, once round from the focus widget.
    QList<QWidget *> tabChain();

    QTemporaryDir site;
    std::unique_ptr<Form1> window;
};

void AccessibilityTest::init()
{
    QVERIFY(site.isValid());
    TestPage home;
    home.title("Home")
        .button(1, "Next", "b.qvif")
        .button(2, "Stay")
        .label(1, "Read more", "b.qvif")
        .label(2, "Plain text")
        .picture(1, QString(), "b.qvif")
        .picture(2, QString());
    for (const auto &[name, bytes] : {std::pair{"home.qvif", home.bytes()},
                                      std::pair{"b.qvif", TestPage().title("B").bytes()}}) {
        QFile file(site.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    window = std::make_unique<Form1>();
    scriptDialogs(*window);
    window->Timer1->stop();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void AccessibilityTest::cleanup()
{
    window.reset();
}

void AccessibilityTest::browseHome()
{
    window->txtAddress->setText(site.filePath("home.qvif"));
    QTest::mouseClick(window->cmdGo, Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("Home"));
}

PageElement *AccessibilityTest::element(const QString &kind, int slot) const
{
    if (kind == "button")
        return window->button(slot);
    if (kind == "label")
        return window->label(slot);
    return window->picture(slot);
}

QList<QWidget *> AccessibilityTest::tabChain()
{
    QList<QWidget *> chain;
    QWidget *start = QApplication::focusWidget();
    for (int press = 0; press < 100; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
        chain << QApplication::focusWidget();
    }
    return chain;
}

void AccessibilityTest::controlsAreNamedByTheirCaptions_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const auto row = [](const char *control, const char *name) {
        QTest::newRow(control) << QString(control) << QString(name);
    };
    row("cmdGo", "Go");
    row("Command1", "<<");
    row("Command3", "Reload");
    row("txtAddress", "Address");
    row("cmdAddButton", "Add Button");
    row("cmdApply", "Apply");
    row("txtcmdCaption", "Caption:");
    row("txtTitle", "Title:");
    row("txtlblFontSize", "FontSize:");
    row("txtpicLink", "Link:");
    row("pctWorkColor", "Color:");
    row("pctLabelBackColor", "Color2:");
    row("chklblOpaque", "Opaque:");
    row("chkPicBorder", "Border:");
    row("txtBackPic", "Back picture");
    row("RTB", "Debug");
}

void AccessibilityTest::controlsAreNamedByTheirCaptions()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto *widget = window->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(nameOf(widget), name);
}

void AccessibilityTest::panelCaptionsAreTheBuddiesOfTheirFields()
{
    int captions = 0;
    for (QWidget *panel :
         {window->pctWorkspace, window->pctButton, window->pctLabel, window->pctPicture}) {
        for (QLabel *caption : panel->findChildren<QLabel *>()) {
            if (!caption->objectName().endsWith("Caption"))
                continue;
            ++captions;
            QWidget *field = caption->buddy();
            QVERIFY2(field, qPrintable(caption->objectName()));
            QCOMPARE(field->objectName() + "Caption", caption->objectName());
            QVERIFY2(labelsOf(field).contains(caption), qPrintable(field->objectName()));
        }
    }
    QCOMPARE(captions, 27);
    // Qt's combo box gives its chosen entry as its name; the caption reaches screen readers as
    // its label.
    auto *align = window->findChild<QComboBox *>("cmblblAlign");
    QCOMPARE(labelsOf(align), QList<QObject *>{window->findChild<QLabel *>("cmblblAlignCaption")});
}

void AccessibilityTest::everyControlOnScreenHasAName()
{
    const auto checkShown = [this](const QString &where) {
        int checked = 0;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisible() || !(widget->focusPolicy() & Qt::TabFocus) ||
                dynamic_cast<PageElement *>(widget))
                continue;
            ++checked;
            QVERIFY2(!nameOf(widget).isEmpty() || !labelsOf(widget).isEmpty(),
                     qPrintable(where + ": " + widget->objectName()));
        }
        QVERIFY2(checked >= 3, qPrintable(where));
    };
    checkShown("browser mode");
    window->mnuWorkspace->trigger();
    for (QWidget *panel :
         {window->pctWorkspace, window->pctButton, window->pctLabel, window->pctPicture}) {
        window->panelStack->setCurrentWidget(panel);
        checkShown(panel->objectName());
    }
}

void AccessibilityTest::elementsTellTheirCaptionAndLink_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("role");
    QTest::newRow("linked button") << "button" << 1 << "Next"
                                   << "b.qvif" << int(QAccessible::Button);
    QTest::newRow("button") << "button" << 2 << "Stay" << QString() << int(QAccessible::Button);
    QTest::newRow("linked label") << "label" << 1 << "Read more"
                                  << "b.qvif" << int(QAccessible::Link);
    QTest::newRow("label") << "label" << 2 << "Plain text" << QString()
                           << int(QAccessible::StaticText);
    QTest::newRow("linked picture") << "picture" << 1 << "Picture 1"
                                    << "b.qvif" << int(QAccessible::Link);
    QTest::newRow("picture") << "picture" << 2 << "Picture 2" << QString()
                             << int(QAccessible::Graphic);
}

void AccessibilityTest::elementsTellTheirCaptionAndLink()
{
    QFETCH(QString, kind);
    QFETCH(int, slot);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(int, role);
    browseHome();
    QAccessibleInterface *interface = accessible(element(kind, slot)->widget());
    QCOMPARE(interface->text(QAccessible::Name), name);
    QCOMPARE(interface->text(QAccessible::Description), description);
    QCOMPARE(int(interface->role()), role);
    QVERIFY(!interface->state().invisible);
    QVERIFY(interface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
}

void AccessibilityTest::tabReachesButtonsAndLinkedElements_data()
{
    QTest::addColumn<bool>("browsing");
    QTest::newRow("browser mode") << true;
    // The editor selects labels and pictures with the mouse; Tab goes on to stop at buttons only.
    QTest::newRow("editor mode") << false;
}

void AccessibilityTest::tabReachesButtonsAndLinkedElements()
{
    QFETCH(bool, browsing);
    browseHome();
    if (!browsing) {
        window->mnuWorkspace->trigger();
        window->LoadPage(site.filePath("home.qvif"));
    }
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget *start = browsing ? static_cast<QWidget *>(window->cmdGo) : window->cmdAddButton;
    start->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(start->hasFocus());

    const QList<QWidget *> chain = tabChain();
    QVERIFY(chain.contains(window->button(1)));
    QVERIFY(chain.contains(window->button(2)));
    QCOMPARE(chain.contains(window->label(1)), browsing);
    QCOMPARE(chain.contains(window->picture(1)), browsing);
    QVERIFY(!chain.contains(window->label(2)));
    QVERIFY(!chain.contains(window->picture(2)));
}

void AccessibilityTest::keyFollowsTheLink_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("key");
    for (const char *kind : {"button", "label", "picture"}) {
        QTest::addRow("%s, Enter", kind) << kind << int(Qt::Key_Return);
        QTest::addRow("%s, Space", kind) << kind << int(Qt::Key_Space);
    }
}

void AccessibilityTest::keyFollowsTheLink()
{
    QFETCH(QString, kind);
    QFETCH(int, key);
    browseHome();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget *target = element(kind, 1)->widget();
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(window->PageTitle, QStringLiteral("B"));
    QCOMPARE(window->txtAddress->text(), site.filePath("b.qvif"));
}

void AccessibilityTest::screenReaderPressFollowsTheLink()
{
    browseHome();
    accessible(window->picture(1))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(window->PageTitle, QStringLiteral("B"));
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
