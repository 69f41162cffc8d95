#pragma once

#include "app/canvas.h"
#include "app/main_window.h"

#include <QFile>
#include <QListWidget>
#include <QStringList>

// The page of one button, one label and one picture, as the writer lays it out when all three
// counters are 1 and the second picture slot is hidden.
inline const QStringList ExamplePageLines = {
    "ButtonNum=1",
    "LabelNum=1",
    "PictureNum=1",
    "Background=images/sky.bmp",
    "Title=Welcome",
    "Color=16777215",
    "1bx=40",
    "1by=160",
    "1bwidth=81",
    "1bheight=33",
    "1bcap=Next page",
    "1blink=page2.qvif",
    "2bx=8",
    "2by=0",
    "2bwidth=81",
    "2bheight=33",
    "2bcap=UYdgDHbfbHCBJFVskglsl11122@",
    "2blink=",
    "1lx=40",
    "1ly=24",
    "1lcap=Hello and welcome",
    "1lwidth=193",
    "1lheight=25",
    "1lbcolor=16777215",
    "1lfcolor=255",
    "1lopaque=0",
    "1lalign=2",
    "1lborder=0",
    "1llink=",
    "1lfontsize=12",
    "2lx=32",
    "2ly=88",
    "2lcap=UYdgDHbfbHCBJFVskglsl11122@",
    "2lwidth=69",
    "2lheight=13",
    "2lbcolor=-2147483633",
    "2lfcolor=-2147483640",
    "2lopaque=1",
    "2lalign=0",
    "2lborder=0",
    "2llink=",
    "2lfontsize=8.25",
    "1px=240",
    "1py=80",
    "1pwidth=128",
    "1pheight=96",
    "1ppicture=images/logo.bmp",
    "1plink=page3.qvif",
    "1pborder=1",
};

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
