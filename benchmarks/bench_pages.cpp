#include "bench_pages.h"

#include "page/page_text.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr quint32 ButtonFaceReference = 0x8000000F;
constexpr quint32 WindowTextReference = 0x80000008;

PageDescription benchPage(int perKind)
{
    PageDescription page;
    // A file describes perKind 1 to count + 1.
    page.buttonCount = qint16(perKind - 1);
    page.labelCount = qint16(perKind - 1);
    page.pictureCount = qint16(perKind - 1);
    page.background = QStringLiteral("images/background.png");
    page.title = QStringLiteral("Every slot in use");
    page.colour = 0x00C0C0C0;
    for (int i = 1; i <= perKind; ++i) {
        const float x = 6.5f * float(i);
        const float y = 11.25f * float(i % 30);
        page.buttons << ButtonBlock{i,
                                    x,
                                    y,
                                    81,
                                    33,
                                    QStringLiteral("Button %1").arg(i),
                                    QStringLiteral("page%1.qvif").arg(i)};
        page.labels << LabelBlock{i,
                                  x + 3,
                                  y + 40,
                                  QStringLiteral("Label %1 with some text").arg(i),
                                  69,
                                  13,
                                  i % 2 ? ButtonFaceReference : 0x00FFFFFFu,
                                  i % 3 ? WindowTextReference : 0x000000FFu,
                                  i % 2,
                                  i % 3,
                                  i % 2,
                                  QStringLiteral("about.qvif"),
                                  8.25f + float(i % 5)};
        page.pictures << PictureBlock{i,
                                      x + 1,
                                      y + 80,
                                      49,
                                      49,
                                      QStringLiteral("images/picture%1.png").arg(i),
                                      QStringLiteral("gallery.qvif"),
                                      i % 2};
    }
    return page;
}

} // namespace

QString writeBenchPage(const QString &path, int perKind)
{
    QString text = composePageText(benchPage(perKind));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(encodePageText(text)) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return text;
}

std::optional<QString> findByRescan(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString prefix = key + QLatin1Char('=');
    std::optional<QString> found;
    const QStringList lines = PageText::splitLines(PageText::decode(file.readAll()));
    for (const QString &line : lines) {
        if (line.startsWith(prefix))
            found = line.mid(prefix.size());
    }
    return found;
}
