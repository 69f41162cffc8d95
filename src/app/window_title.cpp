#include "app/window_title.h"

#include <QFileInfo>

namespace {

// Qt reads "[*]" in a title as the place of the modified mark; a page's own "[*]" is written twice
// to stay text.
QString asTitleText(QString text)
{
    return text.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

} // namespace

QString windowTitleFor(const TitleSubject &subject)
{
    const QString program = QStringLiteral("Quorvane");
    if (!subject.browserMode) {
        const QString name = subject.filePath.isEmpty() ? QStringLiteral("Untitled")
                                                        : QFileInfo(subject.filePath).fileName();
        return asTitleText(name) + QStringLiteral("[*] - ") + program;
    }
    if (!subject.anyPage)
        return program;
    const QString shown = subject.pageTitle.isEmpty() ? subject.address : subject.pageTitle;
    if (shown.isEmpty())
        return program;
    return asTitleText(shown) + QStringLiteral(" - ") + program;
}
