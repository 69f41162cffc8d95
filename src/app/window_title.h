#pragma once

#include <QString>

// What the window's title says is open. In editor mode the page's file ("Untitled" before its
// first save) with Qt's place for the modified mark; in browser mode the page's title, or its
// address when it has none; the program's name alone before any page.
struct TitleSubject
{
    bool browserMode = true;
    bool anyPage = false;
    QString filePath;
    QString pageTitle;
    QString address;
};

QString windowTitleFor(const TitleSubject &subject);
