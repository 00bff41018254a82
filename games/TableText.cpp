// SPDX-License-Identifier: MIT
#include "games/TableText.h"

#include <QRegularExpression>

namespace TableText {

namespace {

const QString Heading = QStringLiteral("Cardenza! saved game, format ");
constexpr int MaxCount = 1000000;

QString pileLine(const PileLine &pile)
{
    return QStringLiteral("  ") + pile.view + QLatin1Char(':') +
           (pile.cards.isEmpty() ? QString() : QLatin1Char(' ') + pile.cards.join(QLatin1Char(' ')));
}

QString counters(const StateLines &state)
{
    QString line = QStringLiteral("moves=%1 score=%2").arg(state.moves).arg(state.score);
    for (const auto &[name, value] : state.fields)
        line += QStringLiteral(" %1=%2").arg(name).arg(value);
    if (state.quiet)
        line += QStringLiteral(" quiet");
    return line;
}

void writeState(QStringList &lines, const QString &heading, const StateLines &state)
{
    lines << heading + counters(state) << QStringLiteral("Caption: ") + state.caption;
    for (const RecordLine &record : state.records)
        lines << QStringLiteral("  Move: %1 -> %2:").arg(record.source, record.target) +
                     (record.cards.isEmpty() ? QString() : QLatin1Char(' ') + record.cards.join(QLatin1Char(' ')));
    for (const PileLine &pile : state.piles)
        lines << pileLine(pile);
}

// Reads the file line by line; every step either takes what it expects or fails.
class Reader
{
public:
    explicit Reader(const QString &text) : lines(text.split(QLatin1Char('\n'))) {}

    bool fail(const QString &reason)
    {
        if (why.isEmpty())
            why = QStringLiteral("line %1: %2").arg(at + 1).arg(reason);
        return false;
    }
    bool atEnd() const { return at >= lines.size(); }
    QString peek() const { return atEnd() ? QString() : lines[at]; }
    bool value(const QString &key, QString *out)
    {
        const QString prefix = key + QStringLiteral(": ");
        if (!peek().startsWith(prefix) && peek() != key + QLatin1Char(':'))
            return fail(QStringLiteral("\"%1\" expected").arg(key));
        *out = lines[at++].mid(prefix.size());
        return true;
    }
    bool counters(StateLines *state, const QString &text);
    bool state(StateLines *state, bool records);
    bool piles(QList<PileLine> *piles);

    QStringList lines;
    int at = 0;
    QString why;
};

bool number(const QString &text, int *out)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,7}$"));
    if (!digits.match(text).hasMatch())
        return false;
    *out = text.toInt();
    return *out <= MaxCount;
}

bool Reader::counters(StateLines *state, const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool sawMoves = false, sawScore = false;
    for (const QString &word : words) {
        if (word == QStringLiteral("quiet")) {
            state->quiet = true;
            continue;
        }
        const int equals = word.indexOf(QLatin1Char('='));
        int count = 0;
        if (equals <= 0 || !number(word.mid(equals + 1), &count))
            return fail(QStringLiteral("\"%1\" is no counter").arg(word));
        const QString name = word.left(equals);
        if (name == QStringLiteral("moves"))
            state->moves = count, sawMoves = true;
        else if (name == QStringLiteral("score"))
            state->score = count, sawScore = true;
        else
            state->fields.append({name, count});
    }
    return (sawMoves && sawScore) || fail(QStringLiteral("moves and score expected"));
}

bool Reader::piles(QList<PileLine> *piles)
{
    while (peek().startsWith(QStringLiteral("  ")) && !peek().startsWith(QStringLiteral("  Move: "))) {
        const QString line = lines[at].mid(2);
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            return fail(QStringLiteral("a pile expected"));
        piles->append({line.left(colon), line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)});
        ++at;
    }
    return true;
}

bool Reader::state(StateLines *state, bool records)
{
    const QString heading = peek();
    const int colon = heading.indexOf(QStringLiteral(": "));
    if (colon < 0 || !counters(state, heading.mid(colon + 2)))
        return fail(QStringLiteral("counters expected"));
    ++at;
    if (!value(QStringLiteral("Caption"), &state->caption))
        return false;
    static const QRegularExpression move(QStringLiteral("^  Move: (\\S+) -> (\\S+):((?: \\S+)*)$"));
    while (records && peek().startsWith(QStringLiteral("  Move: "))) {
        const QRegularExpressionMatch match = move.match(lines[at]);
        if (!match.hasMatch())
            return fail(QStringLiteral("a move expected"));
        state->records.append({match.captured(1), match.captured(2),
                               match.captured(3).split(QLatin1Char(' '), Qt::SkipEmptyParts)});
        ++at;
    }
    return piles(&state->piles);
}

bool readOptions(Reader &reader, SavedGameText *saved)
{
    QString text;
    if (!reader.value(QStringLiteral("Options"), &text))
        return false;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(QLatin1Char('='));
        if (parts.size() != 2 || (parts[1] != QStringLiteral("True") && parts[1] != QStringLiteral("False")))
            return reader.fail(QStringLiteral("\"%1\" is no option").arg(word));
        saved->options.append({parts[0], parts[1] == QStringLiteral("True")});
    }
    return true;
}

bool readHeader(Reader &reader, SavedGameText *saved)
{
    QString over, deal, locked;
    if (!reader.value(QStringLiteral("Game"), &saved->game) || !reader.value(QStringLiteral("Size"), &saved->size) ||
        !reader.value(QStringLiteral("Over"), &over) || !readOptions(reader, saved) ||
        !reader.value(QStringLiteral("Locked"), &locked) || !reader.value(QStringLiteral("Deal"), &deal))
        return false;
    if (over != QStringLiteral("yes") && over != QStringLiteral("no"))
        return reader.fail(QStringLiteral("\"yes\" or \"no\" expected"));
    saved->over = over == QStringLiteral("yes");
    saved->locked = locked.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    saved->deal = deal.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return true;
}

QString playedLine(const PlayTally &played)
{
    return QStringLiteral("Played: since=%1 ms=%2 undos=%3 redos=%4 hints=%5")
        .arg(played.since)
        .arg(played.playedMs)
        .arg(played.undos)
        .arg(played.redos)
        .arg(played.hints);
}

// "Played: since=... ms=... undos=... redos=... hints=...", which files of the first
// format do not have.
bool readPlayed(Reader &reader, SavedGameText *saved)
{
    if (!reader.peek().startsWith(QStringLiteral("Played: ")))
        return true;
    static const QRegularExpression line(
        QStringLiteral("^Played: since=(\\S+) ms=([0-9]{1,12}) undos=([0-9]{1,7}) redos=([0-9]{1,7}) hints=([0-9]{1,7})$"));
    const QRegularExpressionMatch match = line.match(reader.peek());
    if (!match.hasMatch())
        return reader.fail(QStringLiteral("the playing time expected"));
    saved->played = PlayTally{match.captured(1), match.captured(2).toLongLong(), match.captured(3).toInt(),
                              match.captured(4).toInt(), match.captured(5).toInt()};
    ++reader.at;
    return true;
}

bool readJournal(Reader &reader, SavedGameText *saved)
{
    if (!reader.peek().startsWith(QStringLiteral("Start: ")) || !reader.state(&saved->start, false))
        return reader.fail(QStringLiteral("the table after the deal expected"));
    while (reader.peek().startsWith(QStringLiteral("Entry "))) {
        const QString expected = QStringLiteral("Entry %1: ").arg(saved->entries.size() + 1);
        if (!reader.peek().startsWith(expected))
            return reader.fail(QStringLiteral("entries out of order"));
        StateLines entry;
        if (!reader.state(&entry, true))
            return false;
        saved->entries.append(entry);
    }
    QString position;
    if (!reader.value(QStringLiteral("Position"), &position) || !number(position, &saved->position) ||
        saved->position > saved->entries.size())
        return reader.fail(QStringLiteral("a position among the entries expected"));
    QString table;
    if (!reader.value(QStringLiteral("Table"), &table) || !table.isEmpty() || !reader.piles(&saved->table))
        return reader.fail(QStringLiteral("the table expected"));
    if (reader.peek() != QStringLiteral("End"))
        return reader.fail(QStringLiteral("the file ends too soon"));
    ++reader.at;
    while (!reader.atEnd() && reader.peek().isEmpty())
        ++reader.at;
    return reader.atEnd() || reader.fail(QStringLiteral("text after the end"));
}

}  // namespace

int formatOf(const QString &text)
{
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    int version = 0;
    if (!first.startsWith(Heading) || !number(first.mid(Heading.size()), &version))
        return 0;
    return version;
}

QString write(const SavedGameText &saved)
{
    QStringList lines;
    lines << Heading + QString::number(FormatVersion) << QStringLiteral("Game: ") + saved.game
          << QStringLiteral("Size: ") + saved.size
          << QStringLiteral("Over: ") + (saved.over ? QStringLiteral("yes") : QStringLiteral("no"));
    QStringList options;
    for (const auto &[key, value] : saved.options)
        options << key + QLatin1Char('=') + (value ? QStringLiteral("True") : QStringLiteral("False"));
    lines << QStringLiteral("Options: ") + options.join(QLatin1Char(' '))
          << QStringLiteral("Locked: ") + saved.locked.join(QLatin1Char(' '))
          << QStringLiteral("Deal: ") + saved.deal.join(QLatin1Char(' '));
    if (saved.played)
        lines << playedLine(*saved.played);
    writeState(lines, QStringLiteral("Start: "), saved.start);
    for (int i = 0; i < saved.entries.size(); ++i)
        writeState(lines, QStringLiteral("Entry %1: ").arg(i + 1), saved.entries[i]);
    lines << QStringLiteral("Position: %1").arg(saved.position) << QStringLiteral("Table:");
    for (const PileLine &pile : saved.table)
        lines << pileLine(pile);
    lines << QStringLiteral("End") << QString();
    return lines.join(QLatin1Char('\n'));
}

std::optional<SavedGameText> read(const QString &text, QString *why)
{
    SavedGameText saved;
    saved.format = formatOf(text);
    if (saved.format < 1 || saved.format > FormatVersion) {
        *why = saved.format > FormatVersion ? QStringLiteral("it was written by a newer version of Cardenza!")
                                            : QStringLiteral("it is not a saved game");
        return std::nullopt;
    }
    Reader reader(text);
    reader.at = 1;
    if (!readHeader(reader, &saved) || !readPlayed(reader, &saved) || !readJournal(reader, &saved)) {
        *why = QStringLiteral("it is damaged (%1)").arg(reader.why);
        return std::nullopt;
    }
    return saved;
}

}  // namespace TableText
