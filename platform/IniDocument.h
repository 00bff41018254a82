// SPDX-License-Identifier: MIT
#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The text of a settings file: its bytes as they are on disk, and where its sections
// and keys are. Sections and keys are matched without regard to case; a key before
// the first section belongs to none and is never found.
//
// The file may be UTF-8 (or any ASCII-compatible bytes) with or without a byte order
// mark, or UTF-16 with a byte order mark, little or big endian. Lines end in LF or
// CR LF or, in a file without any LF, in a lone CR. A changed key replaces the bytes
// of its own line only; a new key or section is added in the file's own encoding
// and line ending. Every other byte stays exactly as it was.
class IniDocument
{
public:
    explicit IniDocument(const QByteArray &bytes = QByteArray());

    const QByteArray &bytes() const { return data; }
    bool isEmpty() const { return data.isEmpty(); }

    // The stored value (one pair of enclosing double quotes removed), or nothing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    // The file's bytes with the key set to value: the same bytes when it holds that
    // value already, nothing when no line can be added (a UTF-16 file that ends in
    // half a character).
    std::optional<QByteArray> withValue(const QString &section, const QString &key,
                                        const QString &value) const;

private:
    enum class Encoding { Bytes, Utf16LittleEndian, Utf16BigEndian };

    // A section header or key line, by byte offsets into data: its text runs from
    // start to end, its line break (if any) from end to next.
    struct Entry
    {
        bool isSection = false;
        QString foldedName;
        QByteArray keyText;  // the key as the file spells it
        QByteArray value;    // trimmed, still quoted
        qsizetype start = 0;
        qsizetype end = 0;
        qsizetype next = 0;
    };

    struct LineSpan
    {
        qsizetype start;
        qsizetype end;
        qsizetype next;
    };

    void detectEncoding();
    int unitWidth() const { return encoding == Encoding::Bytes ? 1 : 2; }
    qsizetype unitCount() const { return (data.size() - bomSize) / unitWidth(); }
    char16_t unitAt(qsizetype index) const;
    qsizetype byteOffset(qsizetype unit) const { return bomSize + unit * unitWidth(); }
    void detectLineEnd();
    QByteArray lineText(const LineSpan &span) const;
    void addEntry(const LineSpan &span, QString &section, bool &inSection);
    QByteArray encode(const QByteArray &utf8) const;
    qsizetype insertionEntry(const QString &section) const;
    QByteArray withLine(qsizetype at, const QByteArray &utf8Text) const;

    QByteArray data;
    Encoding encoding = Encoding::Bytes;
    qsizetype bomSize = 0;
    QByteArray lineEnd = "\n";
    bool splitAtCr = false;       // a file without any LF
    bool endsWithBreak = false;
    QList<Entry> entries;                 // in file order
    QHash<QString, qsizetype> firstKey;   // folded "section\nkey" to its first entry
};
