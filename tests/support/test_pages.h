#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

// Page files for the browsing tests. Each kind's count is set so that exactly the slots up to the
// highest one given are loaded; elements stand where a click reaches them.
class TestPage
{
public:
    TestPage &title(const QString &title)
    {
        m_title = title;
        return *this;
    }
    TestPage &background(const QString &reference)
    {
        m_background = reference;
        return *this;
    }
    TestPage &button(int slot, const QString &caption, const QString &link = {})
    {
        m_buttons[slot] = {caption, link};
        return *this;
    }
    TestPage &label(int slot, const QString &caption, const QString &link = {})
    {
        m_labels[slot] = {caption, link};
        return *this;
    }
    TestPage &picture(int slot, const QString &source, const QString &link = {})
    {
        m_pictures[slot] = {source, link};
        return *this;
    }

    QByteArray bytes() const
    {
        QStringList lines;
        lines << QStringLiteral("ButtonNum=%1").arg(highest(m_buttons) - 1)
              << QStringLiteral("LabelNum=%1").arg(highest(m_labels) - 1)
              << QStringLiteral("PictureNum=%1").arg(highest(m_pictures) - 1)
              << QStringLiteral("Background=") + m_background << QStringLiteral("Title=") + m_title
              << QStringLiteral("Color=16777215");
        for (auto [slot, element] : m_buttons.asKeyValueRange()) {
            const QString n = QString::number(slot);
            lines << n + "bx=10" << n + QStringLiteral("by=%1").arg(slot * 40) << n + "bwidth=80"
                  << n + "bheight=30" << n + "bcap=" + element.first
                  << n + "blink=" + element.second;
        }
        for (auto [slot, element] : m_labels.asKeyValueRange()) {
            const QString n = QString::number(slot);
            lines << n + "lx=200" << n + QStringLiteral("ly=%1").arg(slot * 30)
                  << n + "lcap=" + element.first << n + "lwidth=100" << n + "lheight=20"
                  << n + "lbcolor=16777215" << n + "lfcolor=0" << n + "lopaque=1" << n + "lalign=0"
                  << n + "lborder=0" << n + "llink=" + element.second << n + "lfontsize=10";
        }
        for (auto [slot, element] : m_pictures.asKeyValueRange()) {
            const QString n = QString::number(slot);
            lines << n + "px=400" << n + QStringLiteral("py=%1").arg(slot * 60) << n + "pwidth=40"
                  << n + "pheight=40" << n + "ppicture=" + element.first
                  << n + "plink=" + element.second << n + "pborder=1";
        }
        return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
    }

private:
    using Element = std::pair<QString, QString>;
    static int highest(const QMap<int, Element> &elements)
    {
        return elements.isEmpty() ? 0 : elements.lastKey();
    }

    QString m_title;
    QString m_background;
    QMap<int, Element> m_buttons;
    QMap<int, Element> m_labels;
    QMap<int, Element> m_pictures;
};

// A PNG of one colour; its size tells which picture arrived where.
inline QByteArray pngOfSize(QSize size, const QColor &colour = Qt::darkCyan)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
