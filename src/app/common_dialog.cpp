#include "app/common_dialog.h"

#include "app/system_colours.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
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

namespace {

std::optional<QString> runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode,
                                     const QString &filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(qtFileFilter(filter));
    if (mode == QFileDialog::AcceptSave) {
        dialog.setWindowTitle(QObject::tr("Save Page"));
        dialog.setDefaultSuffix(QStringLiteral("qvif"));
    } else {
        dialog.setWindowTitle(QObject::tr("Open Page"));
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> DesktopDialogs::showOpen(QWidget *parent)
{
    return runFileDialog(parent, QFileDialog::AcceptOpen, filter());
}

std::optional<QString> DesktopDialogs::showSave(QWidget *parent)
{
    return runFileDialog(parent, QFileDialog::AcceptSave, filter());
}

std::optional<quint32> DesktopDialogs::showColor(QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(m_lastColour, parent);
    if (!chosen.isValid())
        return std::nullopt;
    m_lastColour = chosen;
    return colourValueOf(chosen);
}

bool DesktopDialogs::askYesNo(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, title, question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}

void DesktopDialogs::showError(QWidget *parent, const QString &title, const QString &message)
{
    QMessageBox::warning(parent, title, message);
}
