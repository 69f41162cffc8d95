#include "page/page_text.h"

#include "page/value_forms.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// The characters of Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves unused
// keep their C1 control character, as Windows itself maps them; every other byte is Latin-1.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code <= 0x9F) ? QChar(Windows1252High[code - 0x80])
                                                : QChar(char16_t(code));
    }
    return text;
}

// Calls `line` with a view of every line of the text, without its line end.
template <typename LineFunction> void forEachLine(QStringView text, LineFunction line)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype at = 0; at < size; ++at) {
        const QChar c = text.at(at);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        line(text.sliced(start, at - start));
        if (c == QLatin1Char('\r') && at + 1 < size && text.at(at + 1) == QLatin1Char('\n'))
            ++at;
        start = at + 1;
    }
    if (start < size)
        line(text.sliced(start));
}

QString elementKey(int slot, const char *field)
{
    return QString::number(slot) + QLatin1String(field);
}

class LineWriter
{
public:
    void text(const QString &key, const QString &value)
    {
        m_text += key;
        m_text += QLatin1Char('=');
        // A value has no escape for a line break: one would end the line early and make the rest
        // of the value read as a line of its own, so each becomes a space.
        for (QChar c : value)
            m_text += (c == QLatin1Char('\r') || c == QLatin1Char('\n')) ? QLatin1Char(' ') : c;
        m_text += QLatin1String("\r\n");
    }
    void text(int slot, const char *field, const QString &value)
    {
        text(elementKey(slot, field), value);
    }
    void number(int slot, const char *field, float value)
    {
        text(slot, field, ValueForms::writeNumber(value, QLatin1Char('.')));
    }
    void colour(int slot, const char *field, quint32 value)
    {
        text(slot, field, ValueForms::writeColour(value));
    }
    void code(int slot, const char *field, int value) { text(slot, field, QString::number(value)); }

    QString result() const { return m_text; }

private:
    QString m_text;
};

} // namespace

PageText PageText::fromBytes(const QByteArray &bytes)
{
    return fromText(decode(bytes));
}

PageText PageText::fromText(const QString &text)
{
    PageText page;
    page.m_text = text;
    forEachLine(page.m_text, [&page](QStringView line) {
        page.m_lines << line;
        // No key holds "=", so the text before a line's first "=" is the one key it can answer.
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            page.m_values.insert(line.first(equals), line.sliced(equals + 1));
    });
    return page;
}

QString PageText::decode(const QByteArray &bytes)
{
    // The mark says nothing about the rest: an editor may have put it before 8-bit text too.
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(content);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(content);
}

bool PageText::hasPageLines() const
{
    for (auto it = m_values.keyBegin(); it != m_values.keyEnd(); ++it) {
        if (isPageKey(*it))
            return true;
    }
    return false;
}

bool isPageKey(QStringView key)
{
    static const QLatin1String pageKeys[] = {
        QLatin1String("ButtonNum"), QLatin1String("LabelNum"),   QLatin1String("PictureNum"),
        QLatin1String("Title"),     QLatin1String("Background"), QLatin1String("Color"),
    };
    static const QLatin1String fieldNames[] = {
        QLatin1String("bx"),      QLatin1String("by"),       QLatin1String("bwidth"),
        QLatin1String("bheight"), QLatin1String("bcap"),     QLatin1String("blink"),
        QLatin1String("lx"),      QLatin1String("ly"),       QLatin1String("lcap"),
        QLatin1String("lwidth"),  QLatin1String("lheight"),  QLatin1String("lbcolor"),
        QLatin1String("lfcolor"), QLatin1String("lopaque"),  QLatin1String("lalign"),
        QLatin1String("lborder"), QLatin1String("llink"),    QLatin1String("lfontsize"),
        QLatin1String("px"),      QLatin1String("py"),       QLatin1String("pwidth"),
        QLatin1String("pheight"), QLatin1String("ppicture"), QLatin1String("plink"),
        QLatin1String("pborder"),
    };
    for (QLatin1String pageKey : pageKeys) {
        if (key == pageKey)
            return true;
    }
    qsizetype digits = 0;
    while (digits < key.size() && key.at(digits).isDigit() && key.at(digits).unicode() < 128)
        ++digits;
    if (digits == 0 || key.at(0) == QLatin1Char('0'))
        return false;
    const QStringView field = key.sliced(digits);
    for (QLatin1String fieldName : fieldNames) {
        if (field == fieldName)
            return true;
    }
    return false;
}

QStringList PageText::splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line) { lines << line.toString(); });
    return lines;
}

std::optional<QString> PageText::find(QStringView key) const
{
    const auto found = m_values.constFind(key);
    if (found == m_values.constEnd())
        return std::nullopt;
    return found->toString();
}

QString PageText::match(QStringView pattern) const
{
    const QStringView prefix = pattern.endsWith(QLatin1Char('*')) ? pattern.chopped(1) : pattern;
    // The common case, a key and its "=", is answered from the table of keys.
    if (prefix.endsWith(QLatin1Char('=')) && prefix.indexOf(QLatin1Char('=')) == prefix.size() - 1)
        return value(prefix.chopped(1));
    QStringView result;
    for (QStringView line : m_lines) {
        if (line.startsWith(prefix))
            result = line.sliced(prefix.size());
    }
    return result.toString();
}

PageFileReading readPageFile(const QString &path)
{
    PageFileReading reading;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        reading.status = PageFileReading::Status::Missing;
        return reading;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reading.status = PageFileReading::Status::Unreadable;
        reading.error = file.errorString();
        return reading;
    }
    // One more byte than the limit tells a file at the limit from a larger one.
    const QByteArray bytes = file.read(MaximumPageFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        reading.status = PageFileReading::Status::Unreadable;
        reading.error = file.errorString();
        return reading;
    }
    if (bytes.size() > MaximumPageFileSize) {
        reading.status = PageFileReading::Status::Unreadable;
        reading.error = QStringLiteral("The file is too large to be a page.");
        return reading;
    }
    reading.status = PageFileReading::Status::Read;
    reading.text = PageText::fromBytes(bytes);
    return reading;
}

QString composePageText(const PageDescription &page)
{
    LineWriter out;
    out.text(QStringLiteral("ButtonNum"), ValueForms::writeWholeNumber(page.buttonCount));
    out.text(QStringLiteral("LabelNum"), ValueForms::writeWholeNumber(page.labelCount));
    out.text(QStringLiteral("PictureNum"), ValueForms::writeWholeNumber(page.pictureCount));
    out.text(QStringLiteral("Background"), page.background);
    out.text(QStringLiteral("Title"), page.title);
    out.text(QStringLiteral("Color"), ValueForms::writeColour(page.colour));

    for (const ButtonBlock &button : page.buttons) {
        const int i = button.slot;
        out.number(i, "bx", button.left);
        out.number(i, "by", button.top);
        out.number(i, "bwidth", button.width);
        out.number(i, "bheight", button.height);
        out.text(i, "bcap", button.caption);
        out.text(i, "blink", button.link);
    }
    for (const LabelBlock &label : page.labels) {
        const int i = label.slot;
        out.number(i, "lx", label.left);
        out.number(i, "ly", label.top);
        out.text(i, "lcap", label.caption);
        out.number(i, "lwidth", label.width);
        out.number(i, "lheight", label.height);
        out.colour(i, "lbcolor", label.backColour);
        out.colour(i, "lfcolor", label.foreColour);
        out.code(i, "lopaque", label.backStyle);
        out.code(i, "lalign", label.alignment);
        out.code(i, "lborder", label.borderStyle);
        out.text(i, "llink", label.link);
        out.number(i, "lfontsize", label.fontSize);
    }
    for (const PictureBlock &picture : page.pictures) {
        const int i = picture.slot;
        out.number(i, "px", picture.left);
        out.number(i, "py", picture.top);
        out.number(i, "pwidth", picture.width);
        out.number(i, "pheight", picture.height);
        out.text(i, "ppicture", picture.source);
        out.text(i, "plink", picture.link);
        out.code(i, "pborder", picture.borderStyle);
    }
    return out.result();
}

QByteArray encodePageText(const QString &text)
{
    return text.toUtf8();
}
