#include "app/canvas.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "editor/colour_swatch.h"
#include "support/edit_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

// The property panels as a user reads and fills them: their width, Enter in a field, the tips of
// the colour swatches and the "..." buttons that choose a picture file.
class PanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void panelIsWideEnoughToRead();
    void panelWidensByDraggingItsEdge();
    void enterInAFieldApplies_data();
    void enterInAFieldApplies();
    void coloursTellWhatTheyColour();
    void browseFillsInTheChosenPicture_data();
    void browseFillsInTheChosenPicture();
    void cancelledBrowseKeepsTheField();

private:
    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<QTemporaryDir> directory;
};

void PanelsTest::init()
{
    openEditingWindow(directory, window, dialogs);
}

void PanelsTest::cleanup()
{
    window.reset();
    directory.reset();
}

void PanelsTest::panelIsWideEnoughToRead()
{
    QCOMPARE(window->Picture2->width(), 200);
    clickElement(window->button(1));
    QLineEdit *caption = window->txtcmdCaption;
    const QString twenty = QStringLiteral("A caption of twenty");
    caption->setText(twenty + QLatin1Char('s'));
    QVERIFY(caption->fontMetrics().horizontalAdvance(caption->text()) < caption->width() - 4);
    for (const QString &address :
         {QStringLiteral("http://127.0.0.1:8080/"), QStringLiteral("gallery/index.qvif")})
        QVERIFY(caption->fontMetrics().horizontalAdvance(address) < caption->width() - 4);
    // The canvas takes the rest of the window.
    QCOMPARE(window->canvas()->width() + window->panelSplitter->handleWidth() +
                 window->Picture2->width(),
             window->panelSplitter->width());
    QVERIFY(window->Picture1->isVisible());
}

void PanelsTest::panelWidensByDraggingItsEdge()
{
    QSplitterHandle *edge = window->panelSplitter->handle(1);
    QVERIFY(edge->isVisible());
    const int canvasWidth = window->canvas()->width();
    const QPoint middle = edge->rect().center();
    QTest::mousePress(edge, Qt::LeftButton, {}, middle);
    QTest::mouseMove(edge, middle - QPoint(60, 0));
    QTest::mouseRelease(edge, Qt::LeftButton, {}, middle - QPoint(60, 0));
    QTRY_COMPARE(window->Picture2->width(), 260);
    QCOMPARE(window->canvas()->width(), canvasWidth - 60);
    // The fields, and what sits at their right, follow the new width.
    for (QWidget *row : {static_cast<QWidget *>(window->txtcmdCaption),
                         static_cast<QWidget *>(window->cmdPicBrowse),
                         static_cast<QWidget *>(window->cmdBackPicBrowse),
                         static_cast<QWidget *>(window->cmdApply)})
        QVERIFY2(row->geometry().right() >= 255, qPrintable(row->objectName()));
    QVERIFY(window->txtPicPicture->width() > 150);
    QVERIFY(window->txtPicPicture->geometry().right() < window->cmdPicBrowse->x());
}

void PanelsTest::enterInAFieldApplies_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fieldName");
    QTest::newRow("button caption") << "Button"
                                    << "txtcmdCaption";
    QTest::newRow("label font size") << "Label"
                                     << "txtlblFontSize";
    QTest::newRow("label border check box") << "Label"
                                            << "chklblBorder";
    QTest::newRow("label alignment list") << "Label"
                                          << "cmblblAlign";
    QTest::newRow("picture link") << "Picture"
                                  << "txtpicLink";
    QTest::newRow("page title") << "WorkSpace"
                                << "txtTitle";
}

void PanelsTest::enterInAFieldApplies()
{
    QFETCH(QString, kind);
    QFETCH(QString, fieldName);
    if (kind == "WorkSpace")
        QTest::mouseClick(window->canvas(), Qt::RightButton, {}, QPoint(350, 300));
    else
        clickElement(window->element(*kindNamed(kind), 1));
    auto *field = window->Picture2->findChild<QWidget *>(fieldName);
    QVERIFY(field);
    const auto editField = [field] {
        if (auto *text = qobject_cast<QLineEdit *>(field))
            text->setText(QStringLiteral("12"));
        else if (auto *check = qobject_cast<QCheckBox *>(field))
            check->toggle();
        else
            qobject_cast<QComboBox *>(field)->setCurrentIndex(2);
        field->setFocus(Qt::TabFocusReason);
    };
    editField();
    QTRY_VERIFY(field->hasFocus());
    QVERIFY(!window->undoStack().canUndo());

    QTest::keyClick(field, Qt::Key_Return);

    QCOMPARE(window->undoStack().count(), 1);
    QVERIFY(window->mnuUndo->text().startsWith(QLatin1String("Undo Change")));
    // Enter on the keypad does the same.
    window->mnuUndo->trigger();
    editField();
    QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(window->undoStack().canUndo());
}

void PanelsTest::coloursTellWhatTheyColour()
{
    const auto caption = [this](QWidget *swatch) {
        return window->pctLabel->findChild<QLabel *>(swatch->objectName() + "Caption");
    };
    QCOMPARE(caption(window->pctLabelForeColor)->text(), QStringLiteral("Color1:"));
    QCOMPARE(caption(window->pctLabelBackColor)->text(), QStringLiteral("Color2:"));
    QCOMPARE(window->pctLabelForeColor->toolTip(), QStringLiteral("Text colour"));
    QCOMPARE(window->pctLabelBackColor->toolTip(), QStringLiteral("Background colour"));
    QCOMPARE(caption(window->pctLabelForeColor)->toolTip(), QStringLiteral("Text colour"));
    QCOMPARE(caption(window->pctLabelBackColor)->toolTip(), QStringLiteral("Background colour"));
}

void PanelsTest::browseFillsInTheChosenPicture_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("pageHasFile");
    QTest::addColumn<QString>("written");
    QTest::newRow("picture beside the page") << "cmdPicBrowse"
                                             << "logo.png" << true << "logo.png";
    QTest::newRow("background below the page") << "cmdBackPicBrowse"
                                               << "pics/back.png" << true << "pics/back.png";
    QTest::newRow("picture above the page") << "cmdPicBrowse"
                                            << "../logo.png" << true << "FULL";
    QTest::newRow("page without a file") << "cmdBackPicBrowse"
                                         << "logo.png" << false << "FULL";
}

void PanelsTest::browseFillsInTheChosenPicture()
{
    QFETCH(QString, button);
    QFETCH(QString, chosen);
    QFETCH(bool, pageHasFile);
    QFETCH(QString, written);
    QDir(directory->path()).mkpath("site/pics");
    const QString site = directory->filePath("site");
    if (pageHasFile)
        window->setPageFilePath(site + "/index.qvif");
    else
        window->setPageFilePath(QString());
    const QString chosenPath = QDir::cleanPath(site + "/" + chosen);
    dialogs->pictureAnswers.enqueue(chosenPath);
    const bool background = button == "cmdBackPicBrowse";
    if (background)
        QTest::mouseClick(window->canvas(), Qt::RightButton, {}, QPoint(350, 300));
    else
        clickElement(window->picture(1));
    auto *browse = window->Picture2->findChild<QPushButton *>(button);
    QVERIFY(browse);
    QCOMPARE(browse->text(), QStringLiteral("..."));

    QTest::mouseClick(browse, Qt::LeftButton);

    QCOMPARE(dialogs->pictureCount, 1);
    if (pageHasFile)
        QCOMPARE(dialogs->lastPictureFolder, site);
    QLineEdit *field = background ? window->txtBackPic : window->txtPicPicture;
    QCOMPARE(field->text(), written == "FULL" ? chosenPath : written);
    // The choice reaches the page with Apply.
    QVERIFY(!window->undoStack().canUndo());
    QTest::keyClick(field, Qt::Key_Return);
    if (background)
        QCOMPARE(window->canvas()->tag(), field->text());
    else
        QCOMPARE(pictureSourceRow(*window, 1), field->text());
}

void PanelsTest::cancelledBrowseKeepsTheField()
{
    clickElement(window->picture(1));
    window->txtPicPicture->setText(QStringLiteral("kept.png"));
    QTest::mouseClick(window->cmdPicBrowse, Qt::LeftButton);
    QCOMPARE(dialogs->pictureCount, 1);
    QCOMPARE(window->txtPicPicture->text(), QStringLiteral("kept.png"));
}

QTEST_MAIN(PanelsTest)
#include "tst_panels.moc"
