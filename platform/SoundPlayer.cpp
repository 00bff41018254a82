// SPDX-License-Identifier: MIT
#include "platform/SoundPlayer.h"

#include "platform/audio/AudioModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLibrary>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <optional>

// One wave at a time, fed from memory: the waves are ours and already PCM, so they
// go straight to the device without a detour through files.
//
// A synchronous sound waits for the wave's length measured from the wave itself,
// not for the device: with no audio device (or a broken one, or no audio module)
// the wait is the same, so deal and autoplay animations keep their pace whether or
// not anything is heard. The wait ends early when the sound is stopped or replaced
// by another one, which can only happen from a timer, since user input is held
// back during the wait.
//
// The device is reached through the audio module, loaded with the first sound.
namespace {

struct WaveFormat {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
};

// The parts of a RIFF/WAVE file the player needs.
struct Wave {
    WaveFormat format;
    QByteArray samples;

    int milliseconds() const
    {
        const qint64 bytesPerSecond = qint64(format.sampleRate) * format.channels * (format.bitsPerSample / 8);
        return bytesPerSecond > 0 ? int(samples.size() * 1000 / bytesPerSecond) : 0;
    }
};

// A little-endian number of `bytes` bytes at `at`, which the caller has checked lies
// within the data.
quint32 readLittle(QByteArrayView data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | quint8(data[at + i]);
    return value;
}
quint32 read32(const QByteArray &data, qsizetype at) { return readLittle(data, at, 4); }
quint16 read16(const QByteArray &data, qsizetype at) { return quint16(readLittle(data, at, 2)); }

std::optional<WaveFormat> readFormat(const QByteArray &file, qsizetype at, quint32 size)
{
    if (size < 16 || read16(file, at) != 1)    // uncompressed PCM only
        return std::nullopt;
    const int channels = read16(file, at + 2);
    const int rate = int(read32(file, at + 4));
    const int bits = read16(file, at + 14);
    if (channels < 1 || rate < 1 || (bits != 8 && bits != 16))
        return std::nullopt;
    return WaveFormat{channels, rate, bits};
}

// Walks the chunks of the file; anything malformed or unsupported gives nothing.
std::optional<Wave> parseWave(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<WaveFormat> format;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = read32(file, at + 4);
        const qsizetype body = at + 8;
        if (qsizetype(size) > file.size() - body && id != "data")
            return std::nullopt;
        if (id == "fmt ")
            format = readFormat(file, body, size);
        else if (id == "data" && format)
            return Wave{*format, file.mid(body, qMin(qsizetype(size), file.size() - body))};
        at = body + qsizetype(size) + (size & 1);
    }
    return std::nullopt;
}

struct Player {
    SoundPlayer::Recorder recorder;
    QPointer<QEventLoop> waiting;    // the synchronous wait in progress, if any
    bool moduleSought = false;
    const CardenzaAudioOutput *output = nullptr;  // none without the module
};

Player &player()
{
    static Player instance;
    return instance;
}

// Beside the program (a build folder), then where an installation puts it; the
// environment may name another file.
QStringList moduleCandidates()
{
    const QString named = qEnvironmentVariable("CARDENZA_AUDIO_MODULE");
    if (!named.isEmpty())
        return {named};
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.filePath(QLatin1String(AudioModule::fileName)),
            programDir.filePath(QStringLiteral(CARDENZA_MODULE_DIR "/") + QLatin1String(AudioModule::fileName))};
}

const CardenzaAudioOutput *loadModule()
{
    for (const QString &candidate : moduleCandidates()) {
        QLibrary module(candidate);
        const auto entry = reinterpret_cast<CardenzaAudioEntry>(module.resolve(AudioModule::entryName));
        const CardenzaAudioOutput *output = entry ? entry() : nullptr;
        if (output && output->version == AudioModule::version)
            return output;  // stays loaded for the rest of the run
    }
    return nullptr;
}

// Nothing is loaded before the first sound; a missing module means silence.
const CardenzaAudioOutput *audioOutput()
{
    Player &p = player();
    if (!p.moduleSought) {
        p.moduleSought = true;
        p.output = loadModule();
    }
    return p.output;
}

void stopCurrent()
{
    Player &p = player();
    if (p.output && QCoreApplication::instance())
        p.output->stop();
    if (p.waiting)
        p.waiting->quit();
}

void startOutput(const Wave &wave)
{
    if (!QCoreApplication::instance())
        return;
    if (const CardenzaAudioOutput *output = audioOutput())
        output->start(wave.format.channels, wave.format.sampleRate, wave.format.bitsPerSample,
                      wave.samples.constData(), wave.samples.size());
}

void waitFor(int milliseconds)
{
    if (!QCoreApplication::instance()) {
        QThread::msleep(milliseconds);
        return;
    }
    QEventLoop loop;
    player().waiting = &loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

namespace SoundPlayer {

void play(const QString &name, const QByteArray &wave, bool synchronous)
{
    Player &p = player();
    if (p.recorder) {
        p.recorder(name, synchronous);
        return;
    }
    stopCurrent();
    const std::optional<Wave> parsed = parseWave(wave);
    if (!parsed)
        return;
    startOutput(*parsed);
    if (synchronous)
        waitFor(parsed->milliseconds());
}

void stop() { stopCurrent(); }

bool isWaiting() { return !player().waiting.isNull(); }

void setRecorder(Recorder recorder) { player().recorder = std::move(recorder); }

}  // namespace SoundPlayer
