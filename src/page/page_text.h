#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <variant>

// A page file is a flat list of key=value lines. A key stands at the very start of its line and is
// followed directly by "="; the value is the whole rest of the line, kept verbatim. Keys are
// case-sensitive, and when a key occurs on several lines the last of them counts.

// One reading of a page file, answering every key from the same bytes. The decoded text is held
// once; its lines and values are views into it, so that even a large file costs little more than
// its text.
class PageText
{
public:
    PageText() = default;

    // Decodes and splits the bytes of a page file.
    static PageText fromBytes(const QByteArray &bytes);
    static PageText fromText(const QString &text);

    // UTF-8 (an initial byte-order mark is skipped); bytes that are not valid UTF-8 are read as
    // Windows-1252, the 8-bit text that older page files hold.
    static QString decode(const QByteArray &bytes);
    // A line ends at CR LF, at a lone CR and at a lone LF.
    static QStringList splitLines(QStringView text);

    // The value of a key (given without its "="), or nothing when no line has that key.
    std::optional<QString> find(QStringView key) const;
    // The value of a key, empty when no line has it.
    QString value(QStringView key) const { return find(key).value_or(QString()); }

    // The value for a pattern of the form key "=*": the rest of the last line that begins with the
    // text before the "*". Empty when no line matches.
    QString match(QStringView pattern) const;

    qsizetype lineCount() const { return m_lines.size(); }
    // Whether any line has a key of a page: text without one is no page file.
    bool hasPageLines() const;

private:
    // Never changed once read: the views below point into its characters.
    QString m_text;
    QList<QStringView> m_lines;
    QHash<QStringView, QStringView> m_values;
};

// Whether a key is one that a page file holds: a page key (ButtonNum, Title ...) or a slot number
// in decimal, without sign or leading zeros, followed by a field name (12bcap, 3ppicture ...).
bool isPageKey(QStringView key);

// What reading a page file from disk gave.
struct PageFileReading
{
    enum class Status
    {
        Read,
        Missing,
        Unreadable
    };
    Status status = Status::Missing;
    PageText text;
    QString error;
};

// Reads a page file once. A path where no file exists (nothing there, or a directory) gives an
// empty page text; a file that cannot be opened or read, or is far larger than any page, is
// Unreadable.
PageFileReading readPageFile(const QString &path);

// The largest page file that is read: ample for 100 elements of each kind with long texts.
inline constexpr qint64 MaximumPageFileSize = 64 * 1024 * 1024;

// The page as the writer describes it, slot by slot, in the form the file holds.
struct ButtonBlock
{
    int slot = 0;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    QString caption;
    QString link;

    bool operator==(const ButtonBlock &) const = default;
};

struct LabelBlock
{
    int slot = 0;
    float left = 0;
    float top = 0;
    QString caption;
    float width = 0;
    float height = 0;
    quint32 backColour = 0;
    quint32 foreColour = 0;
    int backStyle = 0;
    int alignment = 0;
    int borderStyle = 0;
    QString link;
    float fontSize = 0;

    bool operator==(const LabelBlock &) const = default;
};

struct PictureBlock
{
    int slot = 0;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    QString source;
    QString link;
    int borderStyle = 0;

    bool operator==(const PictureBlock &) const = default;
};

// One element of whichever kind, as a page file describes it.
using ElementBlock = std::variant<ButtonBlock, LabelBlock, PictureBlock>;

struct PageDescription
{
    qint16 buttonCount = 0;
    qint16 labelCount = 0;
    qint16 pictureCount = 0;
    QString background;
    QString title;
    quint32 colour = 0;
    QList<ButtonBlock> buttons;
    QList<LabelBlock> labels;
    QList<PictureBlock> pictures;
};

// The page text: the six page lines, then the blocks in the order given, every line ended with
// CR LF. Numbers are always written with "." as the decimal separator.
QString composePageText(const PageDescription &page);

// The bytes of a page file: UTF-8 without a byte-order mark.
QByteArray encodePageText(const QString &text);
