#include "app/common_dialog.h"

#include "app/system_colours.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
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

std::optional<QString> runFileDialog(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> DesktopDialogs::showOpen(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QObject::tr("Open Page"), startFolder, qtFileFilter(filter()));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

std::optional<QString> DesktopDialogs::showSave(QWidget *parent, const QString &suggestedPath)
{
    QFileDialog dialog(parent, QObject::tr("Save Page"), QString(), qtFileFilter(filter()));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qvif"));
    if (!suggestedPath.isEmpty())
        dialog.selectFile(suggestedPath);
    return runFileDialog(dialog);
}

std::optional<QString> DesktopDialogs::showOpenPicture(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QObject::tr("Choose Picture"), startFolder, pictureFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

std::optional<quint32> DesktopDialogs::showColor(QWidget *parent, quint32 initial)
{
    const QColor chosen = QColorDialog::getColor(displayColour(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return colourValueOf(chosen);
}

bool DesktopDialogs::askYesNo(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, title, question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}

CommonDialog::SaveChangesAnswer
DesktopDialogs::askSaveChanges(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, title, question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
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
    box.exec();
    return box.clickedButton() == recover;
}

void DesktopDialogs::showError(QWidget *parent, const QString &title, const QString &message)
{
    QMessageBox::warning(parent, title, message);
}
