#include "editor/element_clipboard.h"

#include "page/field_reader.h"

#include <QMimeData>

namespace {

// Reads the slot-1 fields of one kind with the page loader's rules, and remembers whether every
// value was of its form.
class SlotReader
{
public:
    explicit SlotReader(const PageText &text)
        : m_lookup([&text](const QString &key) { return text.find(key); }), m_fields(m_lookup)
    {}

    bool valid() const { return m_valid; }

    bool has(const char *field) const { return m_lookup(key(field)).has_value(); }
    QString text(const char *field) const { return m_fields.text(key(field)); }
    float number(const char *field) { return take(m_fields.number(key(field))); }
    float size(const char *field) { return take(m_fields.size(key(field))); }
    int code(const char *field, int highest) { return take(m_fields.code(key(field), 0, highest)); }
    quint32 colour(const char *field) { return take(m_fields.colour(key(field))); }

private:
    static QString key(const char *field) { return QLatin1Char('1') + QLatin1String(field); }

    template <typename Value> Value take(std::optional<Value> value)
    {
        m_valid = m_valid && value.has_value();
        return value.value_or(Value{});
    }

    PageKeyLookup m_lookup;
    FieldReader m_fields;
    bool m_valid = true;
};

std::optional<ElementBlock> readButton(SlotReader &slot)
{
    ButtonBlock button;
    button.slot = 1;
    button.left = slot.number("bx");
    button.top = slot.number("by");
    button.width = slot.size("bwidth");
    button.height = slot.size("bheight");
    button.caption = slot.text("bcap");
    button.link = slot.text("blink");
    return slot.valid() ? std::optional<ElementBlock>(button) : std::nullopt;
}

std::optional<ElementBlock> readLabel(SlotReader &slot)
{
    LabelBlock label;
    label.slot = 1;
    label.left = slot.number("lx");
    label.top = slot.number("ly");
    label.caption = slot.text("lcap");
    label.width = slot.size("lwidth");
    label.height = slot.size("lheight");
    label.backColour = slot.colour("lbcolor");
    label.foreColour = slot.colour("lfcolor");
    label.backStyle = slot.code("lopaque", 1);
    label.alignment = slot.code("lalign", 2);
    label.borderStyle = slot.code("lborder", 1);
    label.link = slot.text("llink");
    label.fontSize = slot.size("lfontsize");
    return slot.valid() ? std::optional<ElementBlock>(label) : std::nullopt;
}

std::optional<ElementBlock> readPicture(SlotReader &slot)
{
    PictureBlock picture;
    picture.slot = 1;
    picture.left = slot.number("px");
    picture.top = slot.number("py");
    picture.width = slot.size("pwidth");
    picture.height = slot.size("pheight");
    picture.source = slot.text("ppicture");
    picture.link = slot.text("plink");
    picture.borderStyle = slot.code("pborder", 1);
    return slot.valid() ? std::optional<ElementBlock>(picture) : std::nullopt;
}

} // namespace

QString clipboardText(const ElementBlock &element)
{
    // A count of -1 loads no slot of its kind; 0 loads slot 1.
    PageDescription page;
    page.buttonCount = -1;
    page.labelCount = -1;
    page.pictureCount = -1;
    if (const auto *button = std::get_if<ButtonBlock>(&element)) {
        page.buttonCount = 0;
        page.buttons << *button;
        page.buttons.first().slot = 1;
    } else if (const auto *label = std::get_if<LabelBlock>(&element)) {
        page.labelCount = 0;
        page.labels << *label;
        page.labels.first().slot = 1;
    } else if (const auto *picture = std::get_if<PictureBlock>(&element)) {
        page.pictureCount = 0;
        page.pictures << *picture;
        page.pictures.first().slot = 1;
    }
    return composePageText(page);
}

std::optional<ElementBlock> elementFromText(const QString &text)
{
    const PageText page = PageText::fromText(text);
    SlotReader slot(page);
    for (const char *field : {"bx", "by", "bwidth", "bheight", "bcap", "blink"}) {
        if (slot.has(field))
            return readButton(slot);
    }
    for (const char *field : {"lx", "ly", "lcap", "lwidth", "lheight", "lbcolor", "lfcolor",
                              "lopaque", "lalign", "lborder", "llink", "lfontsize"}) {
        if (slot.has(field))
            return readLabel(slot);
    }
    for (const char *field : {"px", "py", "pwidth", "pheight", "ppicture", "plink", "pborder"}) {
        if (slot.has(field))
            return readPicture(slot);
    }
    return std::nullopt;
}

QMimeData *clipboardData(const ElementBlock &element)
{
    const QString text = clipboardText(element);
    auto *data = new QMimeData;
    data->setData(ElementClipboardMimeType, encodePageText(text));
    data->setText(text);
    return data;
}

std::optional<ElementBlock> elementFromClipboard(const QMimeData *data)
{
    if (!data || !data->hasFormat(ElementClipboardMimeType))
        return std::nullopt;
    return elementFromText(PageText::decode(data->data(ElementClipboardMimeType)));
}
