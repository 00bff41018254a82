// SPDX-License-Identifier: MIT
#include "platform/IniDocument.h"

#include <QByteArrayView>

// Values with surrounding spaces, or that are themselves enclosed in double quotes,
// are written inside double quotes, and a read removes one pair of enclosing double
// quotes, so every value comes back exactly as it was written.

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QByteArray Utf16LittleEndianBom("\xFF\xFE");
const QByteArray Utf16BigEndianBom("\xFE\xFF");

enum class LineKind { Other, Section, Key };

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    QString name;
    QByteArray keyText;
    QByteArray value;
};

ParsedLine parseLine(QByteArrayView line)
{
    ParsedLine parsed;
    if (line.contains('\0'))
        return parsed;
    const QByteArrayView text = line.trimmed();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close > 1) {
            parsed.kind = LineKind::Section;
            parsed.name = QString::fromUtf8(text.sliced(1, close - 1).trimmed());
        }
        return parsed;
    }
    if (text.startsWith(';') || text.startsWith('#'))
        return parsed;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return parsed;
    parsed.keyText = text.first(equals).trimmed().toByteArray();
    parsed.name = QString::fromUtf8(parsed.keyText);
    parsed.value = text.sliced(equals + 1).trimmed().toByteArray();
    parsed.kind = LineKind::Key;
    return parsed;
}

QString decodeValue(const QByteArray &raw)
{
    if (raw.size() >= 2 && raw.startsWith('"') && raw.endsWith('"'))
        return QString::fromUtf8(raw.sliced(1, raw.size() - 2));
    return QString::fromUtf8(raw);
}

QByteArray encodeValue(const QString &value)
{
    const bool quoted = value != value.trimmed()
        || (value.size() >= 2 && value.startsWith(QLatin1Char('"'))
            && value.endsWith(QLatin1Char('"')));
    const QByteArray bytes = value.toUtf8();
    return quoted ? '"' + bytes + '"' : bytes;
}

QString keyOf(const QString &section, const QString &key)
{
    return section.toCaseFolded() + QLatin1Char('\n') + key.toCaseFolded();
}

}  // namespace

IniDocument::IniDocument(const QByteArray &bytes)
    : data(bytes)
{
    detectEncoding();
    detectLineEnd();
    QString section;
    bool inSection = false;
    const char16_t breakUnit = splitAtCr ? u'\r' : u'\n';
    const qsizetype count = unitCount();
    qsizetype start = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (unitAt(i) != breakUnit)
            continue;
        const qsizetype end = !splitAtCr && i > start && unitAt(i - 1) == u'\r' ? i - 1 : i;
        addEntry({byteOffset(start), byteOffset(end), byteOffset(i + 1)}, section, inSection);
        start = i + 1;
    }
    endsWithBreak = start > 0 && byteOffset(start) == data.size();
    if (byteOffset(start) < data.size())
        addEntry({byteOffset(start), data.size(), data.size()}, section, inSection);
}

void IniDocument::detectEncoding()
{
    if (data.startsWith(Utf16LittleEndianBom)) {
        encoding = Encoding::Utf16LittleEndian;
        bomSize = Utf16LittleEndianBom.size();
    } else if (data.startsWith(Utf16BigEndianBom)) {
        encoding = Encoding::Utf16BigEndian;
        bomSize = Utf16BigEndianBom.size();
    } else if (data.startsWith(Utf8Bom)) {
        bomSize = Utf8Bom.size();
    }
}

char16_t IniDocument::unitAt(qsizetype index) const
{
    if (encoding == Encoding::Bytes)
        return uchar(data[bomSize + index]);
    const uchar first = uchar(data[bomSize + 2 * index]);
    const uchar second = uchar(data[bomSize + 2 * index + 1]);
    return encoding == Encoding::Utf16LittleEndian ? char16_t(first | second << 8)
                                                   : char16_t(first << 8 | second);
}

// The first LF decides between LF and CR LF; a file without any LF breaks at CR.
void IniDocument::detectLineEnd()
{
    bool sawCr = false;
    const qsizetype count = unitCount();
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t unit = unitAt(i);
        if (unit == u'\n') {
            lineEnd = i > 0 && unitAt(i - 1) == u'\r' ? "\r\n" : "\n";
            return;
        }
        sawCr = sawCr || unit == u'\r';
    }
    if (sawCr) {
        lineEnd = "\r";
        splitAtCr = true;
    }
}

// The line as UTF-8 (or as the bytes it is, in a file of bytes).
QByteArray IniDocument::lineText(const LineSpan &span) const
{
    if (encoding == Encoding::Bytes)
        return QByteArray::fromRawData(data.constData() + span.start, span.end - span.start);
    const qsizetype first = (span.start - bomSize) / 2;
    const qsizetype count = (span.end - span.start) / 2;
    QString text(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        text[i] = QChar(unitAt(first + i));
    return text.toUtf8();
}

void IniDocument::addEntry(const LineSpan &span, QString &section, bool &inSection)
{
    const QByteArray text = lineText(span);
    ParsedLine parsed = parseLine(text);
    if (parsed.kind == LineKind::Other || (parsed.kind == LineKind::Key && !inSection))
        return;
    const QString foldedName = parsed.name.toCaseFolded();
    if (parsed.kind == LineKind::Section) {
        section = foldedName;
        inSection = true;
    } else {
        const QString lookup = section + QLatin1Char('\n') + foldedName;
        if (!firstKey.contains(lookup))
            firstKey.insert(lookup, entries.size());
    }
    entries.append({parsed.kind == LineKind::Section, foldedName, std::move(parsed.keyText),
                    std::move(parsed.value), span.start, span.end, span.next});
}

QByteArray IniDocument::encode(const QByteArray &utf8) const
{
    if (encoding == Encoding::Bytes)
        return utf8;
    const QString text = QString::fromUtf8(utf8);
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes[2 * i] = encoding == Encoding::Utf16LittleEndian ? low : high;
        bytes[2 * i + 1] = encoding == Encoding::Utf16LittleEndian ? high : low;
    }
    return bytes;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const auto found = firstKey.constFind(keyOf(section, key));
    if (found == firstKey.constEnd())
        return std::nullopt;
    return decodeValue(entries[*found].value);
}

// Where a new key of the section goes: after the last key line (or the header) of
// the first section of that name; -1 when there is no such section.
qsizetype IniDocument::insertionEntry(const QString &section) const
{
    const QString folded = section.toCaseFolded();
    qsizetype place = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].isSection) {
            if (inSection)
                break;
            inSection = entries[i].foldedName == folded;
        }
        if (inSection)
            place = i;
    }
    return place;
}

// The file with a line of text added after the line of the entry.
QByteArray IniDocument::withLine(qsizetype at, const QByteArray &utf8Text) const
{
    const Entry &entry = entries[at];
    if (entry.next > entry.end)
        return data.left(entry.next) + encode(utf8Text + lineEnd) + data.sliced(entry.next);
    return data.left(entry.end) + encode(lineEnd + utf8Text + lineEnd) + data.sliced(entry.end);
}

std::optional<QByteArray> IniDocument::withValue(const QString &section, const QString &key,
                                                 const QString &value) const
{
    if ((data.size() - bomSize) % unitWidth() != 0)
        return std::nullopt;
    const QByteArray valueText = encodeValue(value);
    const auto found = firstKey.constFind(keyOf(section, key));
    if (found != firstKey.constEnd()) {
        const Entry &entry = entries[*found];
        if (decodeValue(entry.value) == value)
            return data;
        return data.left(entry.start) + encode(entry.keyText + '=' + valueText)
            + data.sliced(entry.end);
    }
    const QByteArray keyLine = key.toUtf8() + '=' + valueText;
    const qsizetype after = insertionEntry(section);
    if (after >= 0)
        return withLine(after, keyLine);
    QByteArray added = '[' + section.toUtf8() + ']' + lineEnd + keyLine + lineEnd;
    if (data.size() > bomSize && !endsWithBreak)
        added.prepend(lineEnd);
    return data + encode(added);
}
