#include "app/common_dialog.h"

#include "app/system_colours.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString display = parts.at(i);
        const QString patterns =
            QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (display.contains(QLatin1Char('(')))
            entries << display;
        else
            entries << QStringLiteral("%1 (%2)").arg(display, patterns);
    }
    return entries.join(QLatin1String(";;"));
}

QString pictureFileFilter()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QObject::tr("Pictures (%1)").arg(patterns.join(QLatin1Char(' ')));
}

namespace {

// A folder that is not there (no documents folder on this desktop) gives way to the home folder.
QString existingFolder(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

// Gives the keyboard back to the window when a dialog closes. A window manager would; without one
// (a bare X server) the window's shortcuts would otherwise wait for a click.
class KeyboardReturn
{
public:
    explicit KeyboardReturn(QWidget *parent) : m_window(parent ? parent->window() : nullptr) {}
    ~KeyboardReturn()
    {
        if (m_window)
            m_window->activateWindow();
    }
    KeyboardReturn(const KeyboardReturn &) = delete;
    KeyboardReturn &operator=(const KeyboardReturn &) = delete;

private:
    QPointer<QWidget> m_window;
};

std::optional<QString> runFileDialog(QFileDialog &dialog)
{
    const KeyboardReturn keyboard(dialog.parentWidget());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> DesktopDialogs::showOpen(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QObject::tr("Open Page"), existingFolder(startFolder),
                       qtFileFilter(filter()));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

std::optional<QString> DesktopDialogs::showSave(QWidget *parent, const QString &suggestedPath)
{
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(parent, QObject::tr("Save Page"), existingFolder(suggested.absolutePath()),
                       qtFileFilter(filter()));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qvif"));
    dialog.selectFile(suggested.fileName());
    return runFileDialog(dialog);
}

std::optional<QString> DesktopDialogs::showOpenPicture(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QObject::tr("Choose Picture"), existingFolder(startFolder),
                       pictureFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

std::optional<quint32> DesktopDialogs::showColor(QWidget *parent, quint32 initial)
{
    const KeyboardReturn keyboard(parent);
    const QColor chosen = QColorDialog::getColor(displayColour(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return colourValueOf(chosen);
}

bool DesktopDialogs::askYesNo(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, title, question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    const KeyboardReturn keyboard(parent);
    return box.exec() == QMessageBox::Yes;
}

CommonDialog::SaveChangesAnswer
DesktopDialogs::askSaveChanges(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, title, question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    const KeyboardReturn keyboard(parent);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChangesAnswer::Save;
    case QMessageBox::Discard:
        return SaveChangesAnswer::Discard;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

bool DesktopDialogs::askRecover(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, parent);
    QPushButton *recover = box.addButton(QObject::tr("Recover"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Discard);
    box.setDefaultButton(recover);
    // A stray Escape loses nothing: it takes the default.
    box.setEscapeButton(recover);
    const KeyboardReturn keyboard(parent);
    box.exec();
    return box.clickedButton() == recover;
}

void DesktopDialogs::showError(QWidget *parent, const QString &title, const QString &message)
{
    const KeyboardReturn keyboard(parent);
    QMessageBox::warning(parent, title, message);
}
