#include "app/main_window.h"

#include "app/common_dialog.h"
#include "editor/picture_reference.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

namespace {

// The dialog starts beside the page's file, or in the pictures folder for a page without one. The
// chosen file reaches the page only with Apply; a cancel keeps the field.
void choosePicture(Form1 &window, QLineEdit *field)
{
    const QString pageFile = window.pageFilePath();
    const QString startFolder =
        pageFile.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                           : QFileInfo(pageFile).absolutePath();
    const std::optional<QString> chosen =
        window.commonDialog().showOpenPicture(&window, startFolder);
    if (!chosen || chosen->isEmpty())
        return;
    field->setText(pictureReference(*chosen, pageFile));
    field->setFocus(Qt::OtherFocusReason);
}

} // namespace

void Form1::cmdBackPicBrowse_Click()
{
    choosePicture(*this, txtBackPic);
}

void Form1::cmdPicBrowse_Click()
{
    choosePicture(*this, txtPicPicture);
}
