#include "property_block.h"

#include <QHash>
#include <QStringDecoder>
#include <QtEndian>

namespace {

const QHash<QByteArray, PropertyType> &typeTable()
{
    static const QHash<QByteArray, PropertyType> table = [] {
        QHash<QByteArray, PropertyType> t;
        const auto add = [&t](const char *list, PropertyType type) {
            for (const QByteArray &name : QByteArray(list).split(' '))
                t.insert(name, type);
        };
        add("Placement Width Height MinWidth MinHeight MaxWidth MaxHeight Frame MacProcID Index Left Top "
            "TabPanelIndex TabIndex ListIndex State BorderWidth OvalWidth OvalHeight LimitText Alignment TextAlign "
            "ButtonStyle ColumnCount HeadingIndex GridLinesHorizontal GridLinesVertical DefaultRowHeight _ScrollWidth "
            "SelectionType Mode Period",
            PropertyType::Integer);
        add("Composite HasBackColor Visible FullScreen MenuBarVisible CloseButton Resizeable LiveResize "
            "MaximizeButton MinimizeButton LockLeft LockTop LockRight LockBottom TabStop Enabled AutoDeactivate Bold "
            "Italic Underline Value Border Password UseFocusRing ReadOnly AcceptTabs AutomaticallyCheckSpelling "
            "Multiline Selectable Transparent Default Cancel HasHeading ScrollbarHorizontal ScrollBarVertical "
            "Hierarchical EnableDrag EnableDragReorder RequiresSelection ColumnsResizable AutoHideScrollbars "
            "ScrollbarVertical Styled HideSelection",
            PropertyType::Boolean);
        add("Title Name InitialValue HelpTag TextFont DataSource DataField InitialParent Caption Format CueText Text "
            "Mask ColumnWidths",
            PropertyType::String);
        add("BackColor FillColor BorderColor TextColor", PropertyType::Color);
        return t;
    }();
    return table;
}

UnsupportedFormatException malformed(const QString &objectName, int recordNumber, const QByteArray &name,
                                     const QString &problem)
{
    return UnsupportedFormatException(QStringLiteral("Property block of %1, record %2 (%3): %4")
                                          .arg(objectName)
                                          .arg(recordNumber)
                                          .arg(name.isEmpty() ? QStringLiteral("?") : QString::fromLatin1(name),
                                               problem));
}

// The text of `count` bytes of UTF-8; nothing when they are not valid UTF-8
// (Qt alone would put replacement characters in their place). A leading
// byte-order mark is kept as text, like any other character.
std::optional<QString> strictUtf8(const char *bytes, qint32 count)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(QByteArrayView(bytes, count));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

void appendInt(QByteArray &out, qint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

std::optional<PropertyType> declaredType(const QByteArray &name)
{
    auto it = typeTable().constFind(name);
    if (it == typeTable().constEnd())
        return std::nullopt;
    return it.value();
}

std::vector<QByteArray> declaredNames()
{
    std::vector<QByteArray> list;
    for (auto it = typeTable().constBegin(); it != typeTable().constEnd(); ++it)
        list.push_back(it.key());
    return list;
}

QByteArray encodeBlock(const std::vector<Record> &records)
{
    QByteArray out;
    int number = 0;
    for (const Record &record : records) {
        ++number;
        const std::optional<PropertyType> type = declaredType(record.name);
        if (!type || *type != record.value.type)
            throw malformed(QStringLiteral("a design"), number, record.name,
                            type ? QStringLiteral("value of the wrong type") : QStringLiteral("no such property"));
        out.append(record.name);
        out.append(' ');
        switch (*type) {
        case PropertyType::Integer:
            appendInt(out, record.value.integer);
            break;
        case PropertyType::Boolean:
            out.append(char(record.value.boolean ? 1 : 0));
            break;
        case PropertyType::String: {
            const QByteArray utf8 = record.value.string.toUtf8();
            appendInt(out, qint32(utf8.size()));
            out.append(utf8);
            break;
        }
        case PropertyType::Color:
            out.append(char(record.value.color.red));
            out.append(char(record.value.color.green));
            out.append(char(record.value.color.blue));
            break;
        }
    }
    return out;
}

std::vector<DecodedRecord> decodeBlock(const QByteArray &block, const QString &objectName)
{
    std::vector<DecodedRecord> records;
    const qsizetype size = block.size();
    const char *data = block.constData();
    qsizetype at = 0;
    int number = 0;
    while (at < size) {
        ++number;
        const qsizetype space = block.indexOf(' ', at);
        if (space < 0)
            throw malformed(objectName, number, QByteArray(), QStringLiteral("the name has no end"));
        DecodedRecord record;
        record.name = block.mid(at, space - at);
        const std::optional<PropertyType> type = declaredType(record.name);
        if (!type)
            throw malformed(objectName, number, record.name, QStringLiteral("no such property"));
        at = space + 1;
        const auto need = [&](qsizetype n) {
            if (n > size - at)
                throw malformed(objectName, number, record.name, QStringLiteral("the value runs past the end"));
        };
        record.value.type = *type;
        switch (*type) {
        case PropertyType::Integer:
            need(4);
            record.value.integer = qFromBigEndian<qint32>(data + at);
            at += 4;
            break;
        case PropertyType::Boolean:
            need(1);
            if (quint8(data[at]) > 1)
                throw malformed(objectName, number, record.name, QStringLiteral("a Boolean other than 0 or 1"));
            record.value.boolean = data[at] == 1;
            at += 1;
            break;
        case PropertyType::String: {
            need(4);
            const qint32 count = qFromBigEndian<qint32>(data + at);
            at += 4;
            if (count < 0)
                throw malformed(objectName, number, record.name, QStringLiteral("a negative length"));
            need(count);
            std::optional<QString> text = strictUtf8(data + at, count);
            if (!text)
                throw malformed(objectName, number, record.name, QStringLiteral("text that is not UTF-8"));
            record.value.string = std::move(*text);
            at += count;
            break;
        }
        case PropertyType::Color:
            need(3);
            record.value.color = Color{quint8(data[at]), quint8(data[at + 1]), quint8(data[at + 2])};
            at += 3;
            break;
        }
        records.push_back(std::move(record));
    }
    return records;
}

void SetProperties(Object *object, const QByteArray &block)
{
    if (!object)
        throw NilObjectException(QStringLiteral("No object to apply a property block to"));
    const QString objectName = object->debugName();
    int number = 0;
    for (const DecodedRecord &record : decodeBlock(block, objectName)) {
        ++number;
        if (!object->setDesignProperty(record.name, record.value))
            throw malformed(objectName, number, record.name,
                            QStringLiteral("%1 has no such property").arg(object->className()));
    }
}
