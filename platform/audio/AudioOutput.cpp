// SPDX-License-Identifier: MIT
// The audio output module: one output at a time, fed from a memory buffer. It is
// loaded into the program with the first sound and stays for the rest of the run;
// its objects belong to the application object and go away with it.
#include "platform/audio/AudioModule.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>

namespace {

struct Output {
    QPointer<QAudioSink> sink;
    QPointer<QBuffer> buffer;
};

Output &output()
{
    static Output instance;
    return instance;
}

QAudioFormat formatOf(int channels, int sampleRate, int bitsPerSample)
{
    QAudioFormat format;
    format.setChannelCount(channels);
    format.setSampleRate(sampleRate);
    format.setSampleFormat(bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

// Keeps the one output open while the sounds share a format; a wave of another
// format gets a fresh output. Without an audio device there is none.
QAudioSink *sinkFor(const QAudioFormat &format)
{
    Output &o = output();
    if (o.sink && o.sink->format() == format)
        return o.sink;
    delete o.sink;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format))
        return nullptr;
    o.sink = new QAudioSink(device, format, QCoreApplication::instance());
    return o.sink;
}

void stopOutput()
{
    Output &o = output();
    if (o.sink)
        o.sink->stop();
    if (o.buffer)
        o.buffer->close();
}

bool startOutput(int channels, int sampleRate, int bitsPerSample, const char *samples, long long size)
{
    if (!QCoreApplication::instance() || !samples || size < 0)
        return false;
    stopOutput();
    QAudioSink *sink = sinkFor(formatOf(channels, sampleRate, bitsPerSample));
    if (!sink)
        return false;
    Output &o = output();
    if (!o.buffer)
        o.buffer = new QBuffer(QCoreApplication::instance());
    o.buffer->setData(samples, qsizetype(size));
    o.buffer->open(QIODevice::ReadOnly);
    sink->start(o.buffer);  // a failing device reports through its state; we stay silent
    return true;
}

const CardenzaAudioOutput table{AudioModule::version, startOutput, stopOutput};

}  // namespace

extern "C" Q_DECL_EXPORT const CardenzaAudioOutput *cardenzaAudioOutput() { return &table; }
