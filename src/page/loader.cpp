#include "app/main_window.h"

QString Form1::ReadSetting(const QString &, const QString &) const
{
    return {};
}

void Form1::LoadPage(const QString &) {}
