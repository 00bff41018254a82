// SPDX-License-Identifier: MIT
#include "platform/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <optional>

// One audio output at a time, fed from a memory buffer: the waves are ours and
// already PCM, so they go straight to the device without a detour through files.
//
// A synchronous sound waits for the wave's length measured from the wave itself,
// not for the device: with no audio device (or a broken one) the wait is the same,
// so deal and autoplay animations keep their pace whether or not anything is heard.
// The wait ends early when the sound is stopped or replaced by another one, which
// can only happen from a timer, since user input is held back during the wait.
//
// Nothing is created before the first sound; the audio objects belong to the
// application object and go away with it.
namespace {

// The parts of a RIFF/WAVE file the player needs.
struct Wave {
    QAudioFormat format;
    QByteArray samples;

    int milliseconds() const
    {
        const qint64 bytesPerSecond = qint64(format.sampleRate()) * format.bytesPerFrame();
        return bytesPerSecond > 0 ? int(samples.size() * 1000 / bytesPerSecond) : 0;
    }
};

quint32 read32(const QByteArray &data, qsizetype at) { return qFromLittleEndian<quint32>(data.constData() + at); }
quint16 read16(const QByteArray &data, qsizetype at) { return qFromLittleEndian<quint16>(data.constData() + at); }

std::optional<QAudioFormat> readFormat(const QByteArray &file, qsizetype at, quint32 size)
{
    if (size < 16 || read16(file, at) != 1)    // uncompressed PCM only
        return std::nullopt;
    const int channels = read16(file, at + 2);
    const int rate = int(read32(file, at + 4));
    const int bits = read16(file, at + 14);
    if (channels < 1 || rate < 1 || (bits != 8 && bits != 16))
        return std::nullopt;
    QAudioFormat format;
    format.setChannelCount(channels);
    format.setSampleRate(rate);
    format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

// Walks the chunks of the file; anything malformed or unsupported gives nothing.
std::optional<Wave> parseWave(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<QAudioFormat> format;
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
    QPointer<QAudioSink> sink;
    QPointer<QBuffer> buffer;
    QPointer<QEventLoop> waiting;    // the synchronous wait in progress, if any
};

Player &player()
{
    static Player instance;
    return instance;
}

void stopCurrent()
{
    Player &p = player();
    if (p.sink)
        p.sink->stop();
    if (p.buffer)
        p.buffer->close();
    if (p.waiting)
        p.waiting->quit();
}

// Keeps the one output open while the sounds share a format; a wave of another
// format gets a fresh output. Without an audio device there is none.
QAudioSink *sinkFor(const QAudioFormat &format)
{
    Player &p = player();
    if (p.sink && p.sink->format() == format)
        return p.sink;
    delete p.sink;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format))
        return nullptr;
    p.sink = new QAudioSink(device, format, QCoreApplication::instance());
    return p.sink;
}

void startOutput(const Wave &wave)
{
    if (!QCoreApplication::instance())
        return;
    QAudioSink *sink = sinkFor(wave.format);
    if (!sink)
        return;
    Player &p = player();
    if (!p.buffer)
        p.buffer = new QBuffer(QCoreApplication::instance());
    p.buffer->setData(wave.samples);
    p.buffer->open(QIODevice::ReadOnly);
    sink->start(p.buffer);    // a failing device reports through its state; we stay silent
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
