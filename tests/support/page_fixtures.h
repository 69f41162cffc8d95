#pragma once

#include "app/canvas.h"
#include "app/main_window.h"
#include "support/example_page.h"

#include <QFile>
#include <QListWidget>
#include <QStringList>

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QStringList pictureQueue(const Form1 &window)
{
    QStringList queue;
    for (int row = 0; row < window.lstPics->count(); ++row) {
        const QListWidgetItem *target = window.lstPicsNum->item(row);
        queue << window.lstPics->item(row)->text() + " -> " + (target ? target->text() : "?");
    }
    return queue;
}

inline QString pictureSourceRow(const Form1 &window, int slot)
{
    const QListWidgetItem *row = window.lstPictureUrls->item(slot);
    return row ? row->text() : QString();
}

// Everything a page file can say about the page, slot by slot, for comparing two pages.
inline QStringList pageState(const Form1 &window, int lastSlot = 6)
{
    QStringList state;
    state << QStringLiteral("counts %1 %2 %3")
                 .arg(window.ButtonCount)
                 .arg(window.LabelCount)
                 .arg(window.PictureCount);
    state << "title " + window.PageTitle << "background " + window.canvas()->tag()
          << QStringLiteral("colour %1").arg(window.canvas()->backColour());
    const auto place = [](const PageElement &element) {
        return QStringLiteral("%1,%2 %3x%4 link[%5]")
            .arg(element.exactLeft())
            .arg(element.exactTop())
            .arg(element.exactWidth())
            .arg(element.exactHeight())
            .arg(element.tag());
    };
    for (int i = 0; i <= lastSlot; ++i) {
        const ElementButton &button = *window.button(i);
        state << QStringLiteral("button %1 %2 [%3] %4")
                     .arg(i)
                     .arg(button.isHidden() ? "hidden" : "shown", button.caption(), place(button));
        const ElementLabel &label = *window.label(i);
        state << QStringLiteral("label %1 %2 [%3] %4 font %5 style %6 back %7 fore %8 align %9 "
                                "border %10")
                     .arg(i)
                     .arg(label.isHidden() ? "hidden" : "shown", label.caption(), place(label))
                     .arg(label.fontSize())
                     .arg(label.backStyle())
                     .arg(label.backColour())
                     .arg(label.foreColour())
                     .arg(label.alignment())
                     .arg(label.borderStyle());
        const ElementPicture &picture = *window.picture(i);
        state << QStringLiteral("picture %1 %2 %3 border %4 source [%5]")
                     .arg(i)
                     .arg(picture.isHidden() ? "hidden" : "shown", place(picture))
                     .arg(picture.borderStyle())
                     .arg(pictureSourceRow(window, i));
    }
    state << pictureQueue(window);
    return state;
}
