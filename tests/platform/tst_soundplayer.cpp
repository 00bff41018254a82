// SPDX-License-Identifier: MIT
#include "platform/SoundPlayer.h"
#include "support/Seams.h"

#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <QtEndian>
#include <QtTest>

#include <cmath>

namespace {

// A quiet 440 Hz tone as an 8-bit PCM RIFF/WAVE file.
QByteArray toneWave(double seconds, int rate = 22050, int channels = 1)
{
    const int frames = int(seconds * rate);
    QByteArray data;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            data.append(char(128 + std::lround(20 * std::sin(2 * M_PI * 440 * i / rate))));
    QByteArray file;
    auto put32 = [&](quint32 v) { v = qToLittleEndian(v); file.append(reinterpret_cast<const char *>(&v), 4); };
    auto put16 = [&](quint16 v) { v = qToLittleEndian(v); file.append(reinterpret_cast<const char *>(&v), 2); };
    file.append("RIFF");
    put32(quint32(36 + data.size()));
    file.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(quint16(channels));
    put32(quint32(rate));
    put32(quint32(rate * channels));
    put16(quint16(channels));
    put16(8);
    file.append("data");
    put32(quint32(data.size()));
    return file + data;
}

// How long playing a sound keeps its caller, in milliseconds.
qint64 millisecondsToPlay(const QString &name, const QByteArray &wave, bool synchronous)
{
    QElapsedTimer clock;
    clock.start();
    SoundPlayer::play(name, wave, synchronous);
    return clock.elapsed();
}

// Whether a library whose file name contains the text is loaded in this process.
bool isLoaded(const char *library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

class PaintCounter : public QWidget
{
public:
    int paints = 0;
protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

}  // namespace

// Runs without an audio device (offscreen CI): playing is silent, but the
// synchronous waits behave exactly as with one.
class TestSoundPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("CARDENZA_AUDIO_MODULE", CARDENZA_AUDIO_MODULE_FILE); }
    void cleanup() { SoundPlayer::stop(); }

    // Runs first: nothing before it has played a sound.
    void theAudioLibrariesLoadWithTheFirstSound()
    {
        QVERIFY(!isLoaded("libQt6Multimedia"));
        SoundPlayer::stop();
        QVERIFY2(!isLoaded("cardenza-audio"), "stopping before any sound loads nothing");
        SoundPlayer::play(QStringLiteral("TONE"), toneWave(0.05), false);
        QVERIFY(isLoaded("cardenza-audio"));
        QVERIFY(isLoaded("libQt6Multimedia"));
    }

    void synchronousWaitsForTheWave()
    {
        const qint64 elapsed = millisecondsToPlay("TONE", toneWave(0.4), true);
        QVERIFY2(elapsed >= 380, qPrintable(QString::number(elapsed)));
    }

    void waitLengthFollowsRateAndChannels()
    {
        // 1 s of stereo at 11025 Hz: as many bytes as 2 s of mono, or 0.5 s of
        // stereo at 22050 Hz, would be
        const qint64 elapsed = millisecondsToPlay("TONE", toneWave(1.0, 11025, 2), true);
        QVERIFY2(elapsed >= 950 && elapsed < 1800, qPrintable(QString::number(elapsed)));
    }

    void asynchronousReturnsAtOnce()
    {
        const qint64 elapsed = millisecondsToPlay("TONE", toneWave(3.0), false);
        QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
    }

    void paintsAndTimersRunWhileWaiting()
    {
        PaintCounter widget;
        widget.resize(50, 50);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QCoreApplication::processEvents();
        const int before = widget.paints;
        bool timerFired = false;
        QTimer::singleShot(50, &widget, [&] {
            timerFired = true;
            widget.update();
        });
        SoundPlayer::play("TONE", toneWave(0.4), true);
        QVERIFY(timerFired);
        QVERIFY(widget.paints > before);
    }

    void newSoundEndsTheWaitOfThePreviousOne()
    {
        // a 3 s synchronous sound is replaced after 100 ms by a short one; the long
        // wave is made first, as on a busy machine its making would take up part of
        // the 100 ms without counting in the time measured
        const QByteArray longWave = toneWave(3.0);
        QTimer::singleShot(100, [] { SoundPlayer::play("SHORT", toneWave(0.1), true); });
        const qint64 elapsed = millisecondsToPlay("LONG", longWave, true);
        QVERIFY2(elapsed >= 180 && elapsed < 2000, qPrintable(QString::number(elapsed)));
    }

    void stopEndsASynchronousWait()
    {
        QTimer::singleShot(100, [] { SoundPlayer::stop(); });
        const qint64 elapsed = millisecondsToPlay("LONG", toneWave(3.0), true);
        QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));
    }

    void recorderReceivesSoundsAndNothingWaits()
    {
        const SoundLog sounds;
        const qint64 elapsed = millisecondsToPlay("LONG", toneWave(3.0), true)
                               + millisecondsToPlay("OTHER", toneWave(3.0), false);
        QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
        QCOMPARE(sounds.played(), (QStringList{"LONG sync", "OTHER async"}));

        SoundPlayer::setRecorder({});
        SoundPlayer::play("AFTER", toneWave(0.05), false);
        QCOMPARE(sounds.played().size(), 2);
    }

    void malformedWavesAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("wave");
        const QByteArray good = toneWave(2.0);
        QByteArray compressed = good;
        compressed[20] = 2;                      // not PCM
        QByteArray hugeChunk = good;
        hugeChunk[16] = char(0xff);              // fmt chunk claims far more than the file
        hugeChunk[17] = char(0xff);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not RIFF") << QByteArray("garbage that is not a wave file at all....");
        QTest::newRow("header only") << good.left(20);
        QTest::newRow("compressed") << compressed;
        QTest::newRow("oversized chunk") << hugeChunk;
    }

    void malformedWavesAreIgnored()
    {
        QFETCH(QByteArray, wave);
        const qint64 elapsed = millisecondsToPlay("BROKEN", wave, true);
        QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed)));
    }

    void truncatedDataPlaysWhatIsThere()
    {
        // a data chunk that claims more bytes than the file holds: 0.3 s are there
        QByteArray wave = toneWave(0.3);
        wave[40] = char(0xff);
        wave[41] = char(0xff);
        wave[42] = char(0xff);
        const qint64 elapsed = millisecondsToPlay("CUT", wave, true);
        QVERIFY2(elapsed >= 280 && elapsed < 2000, qPrintable(QString::number(elapsed)));
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
