// SPDX-License-Identifier: MIT
#pragma once
// The platform's test seams, each wrapped so that a test takes it for as long as one
// object lives and leaves nothing behind. Each can be used alone.
#include "platform/Dialogs.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "platform/SoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <optional>

// A settings directory of the test's own; the previous one comes back afterwards.
class SettingsDirectory
{
public:
    SettingsDirectory() : previous(qgetenv(variable)), hadPrevious(qEnvironmentVariableIsSet(variable))
    {
        qputenv(variable, directory.path().toLocal8Bit());
    }
    ~SettingsDirectory()
    {
        if (hadPrevious)
            qputenv(variable, previous);
        else
            qunsetenv(variable);
    }
    Q_DISABLE_COPY(SettingsDirectory)

    QString path() const { return directory.path(); }
    QString filePath(const QString &name) const { return directory.filePath(name); }
    // A settings file's bytes as they are on disk (empty when there is none).
    QByteArray read(const QString &name) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

private:
    static constexpr const char *variable = "CARDENZA_CONFIG_DIR";
    QTemporaryDir directory;
    QByteArray previous;
    bool hadPrevious;
};

// Hears every sound instead of playing it, so nothing waits either.
class SoundLog
{
public:
    SoundLog()
    {
        SoundPlayer::setRecorder([this](const QString &name, bool synchronous) {
            heard << name + (synchronous ? QStringLiteral(" sync") : QStringLiteral(" async"));
        });
    }
    ~SoundLog() { SoundPlayer::setRecorder({}); }
    Q_DISABLE_COPY(SoundLog)

    // "DEAL sync", "WIN_SND async": each sound with the way it was asked for, in order.
    const QStringList &played() const { return heard; }
    // The names alone: "DEAL", "WIN_SND".
    QStringList names() const
    {
        QStringList list;
        for (const QString &entry : heard)
            list << entry.section(QLatin1Char(' '), 0, 0);
        return list;
    }
    void clear() { heard.clear(); }

private:
    QStringList heard;
};

// Answers every message box and modal window instead of showing it; what the player
// would have seen stays in Dialogs::history().
class DialogLog
{
public:
    int answer = Dialogs::Ok;  // to every message box
    // Runs while a modal window is "shown" and gives its result; without it, Ok.
    std::function<int(const Dialogs::Record &)> onModal;

    DialogLog()
    {
        Dialogs::clearHistory();
        Dialogs::setAnswerer([this](const Dialogs::Record &record) {
            if (record.kind == QLatin1String("message"))
                return answer;
            return onModal ? onModal(record) : int(Dialogs::Ok);
        });
    }
    ~DialogLog() { Dialogs::setAnswerer({}); }
    Q_DISABLE_COPY(DialogLog)

    const QList<Dialogs::Record> &records() const { return Dialogs::history(); }
    // The texts of the message boxes, in order.
    QStringList messages() const
    {
        QStringList texts;
        for (const Dialogs::Record &record : records())
            if (record.kind == QLatin1String("message"))
                texts << record.text;
        return texts;
    }
    // How often modal windows (or this one window) came up.
    int modals(const QWidget *window = nullptr) const
    {
        int shown = 0;
        for (const Dialogs::Record &record : records())
            shown += record.kind == QLatin1String("modal") && (!window || record.window == window) ? 1 : 0;
        return shown;
    }
    void clear() { Dialogs::clearHistory(); }
};

// Every reseed of the generator gives this seed while the object lives.
struct FixedSeed {
    explicit FixedSeed(std::uint32_t seed) { Random::fixSeed(seed); }
    ~FixedSeed() { Random::fixSeed(std::nullopt); }
    Q_DISABLE_COPY(FixedSeed)
};

// A display of the test's choosing; the real one answers again afterwards.
struct ScreenOverride {
    explicit ScreenOverride(std::optional<int> width = std::nullopt, std::optional<int> colors = std::nullopt)
    {
        Screen::overrideWidth(width);
        Screen::overrideColors(colors);
    }
    ~ScreenOverride()
    {
        Screen::overrideWidth(std::nullopt);
        Screen::overrideColors(std::nullopt);
    }
    Q_DISABLE_COPY(ScreenOverride)
    void setWidth(int width) { Screen::overrideWidth(width); }
    void setColors(int colors) { Screen::overrideColors(colors); }
};
