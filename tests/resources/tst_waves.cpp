// SPDX-License-Identifier: MIT
#include "resources/Providers.h"
#include "resources/Resources.h"

#include <QCryptographicHash>
#include <QtTest>

#include <cmath>

// Reads the RIFF/WAVE files the way a player would and checks what a listener
// would notice: the right format and length, no clipping, no click at either end,
// something to hear, and the same sound in every run and every build.
class TestWaves : public QObject
{
    Q_OBJECT

    struct Parsed {
        int format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
        QByteArray samples;
    };

    static quint32 little(const QByteArray &d, int at, int bytes)
    {
        quint32 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | quint8(d.at(at + i));
        return value;
    }
    static quint32 u32(const QByteArray &d, int at) { return little(d, at, 4); }
    static quint16 u16(const QByteArray &d, int at) { return quint16(little(d, at, 2)); }

    // Walks the chunks; fails the test on a malformed header.
    static Parsed parse(const QByteArray &file)
    {
        Parsed p;
        if (file.size() < 44 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE"
            || u32(file, 4) != quint32(file.size() - 8))
            return p;
        for (int at = 12; at + 8 <= file.size();) {
            const QByteArray id = file.mid(at, 4);
            const quint32 size = u32(file, at + 4);
            if (id == "fmt " && size >= 16) {
                p.format = u16(file, at + 8);
                p.channels = u16(file, at + 10);
                p.rate = int(u32(file, at + 12));
                p.byteRate = int(u32(file, at + 16));
                p.blockAlign = u16(file, at + 20);
                p.bits = u16(file, at + 22);
            } else if (id == "data") {
                p.samples = file.mid(at + 8, int(size));
            }
            at += 8 + int(size) + int(size & 1);
        }
        return p;
    }

    static int excursion(char sample) { return std::abs(int(uchar(sample)) - 128); }

private Q_SLOTS:
    void format_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QByteArray>("md5");  // of the whole file, pinned
        QTest::newRow("AUTOPLAY") << "AUTOPLAY" << 1 << 22254 << 0.219
                                  << QByteArray("b28e134bffb58a1c25ccae89440d689a");
        QTest::newRow("DEAL") << "DEAL" << 1 << 22050 << 0.207 << QByteArray("41cbd8c8122dec8e10a5f6e5716a9e0e");
        QTest::newRow("JESTER") << "JESTER" << 1 << 22050 << 4.926 << QByteArray("e4e1e384c039d1b592b335a8eba9ab15");
        QTest::newRow("OPEN") << "OPEN" << 2 << 22050 << 2.171 << QByteArray("6126194871af4544c32efb9fe1aa95c9");
        QTest::newRow("RESTART") << "RESTART" << 1 << 22050 << 1.147 << QByteArray("fcd63e0b90325561e7b7b40e4ef2cc11");
        QTest::newRow("SHUFFLE") << "SHUFFLE" << 1 << 22050 << 0.781 << QByteArray("b5b6087cb91dd7f21643823002793ff6");
        QTest::newRow("STOCK") << "STOCK" << 1 << 22050 << 0.234 << QByteArray("e8b09d3abebeb20d878b282ef3e7e8ed");
        QTest::newRow("UNDO") << "UNDO" << 1 << 11025 << 0.090 << QByteArray("29392791258a8c285955bcf9fb181adf");
        QTest::newRow("WIN_SND") << "WIN_SND" << 1 << 22050 << 8.538 << QByteArray("f912a4db3a7cb853df61d45aa5dce2e5");
    }

    void format()
    {
        QFETCH(QString, name);
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(double, seconds);
        QFETCH(QByteArray, md5);
        const std::optional<QByteArray> wave = Waves::render(name);
        QVERIFY(wave);
        QCOMPARE(QCryptographicHash::hash(*wave, QCryptographicHash::Md5).toHex(), md5);
        const Parsed p = parse(*wave);
        QCOMPARE(p.format, 1);
        QCOMPARE(p.channels, channels);
        QCOMPARE(p.rate, rate);
        QCOMPARE(p.bits, 8);
        QCOMPARE(p.blockAlign, channels);
        QCOMPARE(p.byteRate, rate * channels);
        QCOMPARE(p.samples.size() % channels, 0);
        const double length = double(p.samples.size()) / channels / rate;
        QVERIFY2(std::abs(length - seconds) <= 0.03 * seconds, qPrintable(QString::number(length)));
    }

    void level_data() { format_data(); }

    void level()
    {
        QFETCH(QString, name);
        QFETCH(int, channels);
        QFETCH(int, rate);
        const QByteArray samples = parse(*Waves::render(name)).samples;
        QVERIFY(!samples.isEmpty());

        int peak = 0, clipped = 0;
        double energy = 0;
        for (char s : samples) {
            peak = std::max(peak, excursion(s));
            clipped += (uchar(s) == 0 || uchar(s) == 255) ? 1 : 0;
            energy += excursion(s) * excursion(s);
        }
        QCOMPARE(clipped, 0);
        // about -3 dBFS: loud enough to hear, with headroom
        QVERIFY2(peak >= 72 && peak <= 110, qPrintable(QString::number(peak)));
        const double rms = std::sqrt(energy / samples.size()) / 128;
        QVERIFY2(rms > 0.02, qPrintable(QString::number(rms)));   // above -34 dBFS: not silent

        // Starts and ends exactly at the midpoint and stays quiet for the first and
        // last millisecond: no click when the sound starts or is cut off.
        QCOMPARE(uchar(samples.front()), uchar(128));
        QCOMPARE(uchar(samples.back()), uchar(128));
        const int edge = rate / 1000 * channels;
        for (int i = 0; i < edge; ++i) {
            QVERIFY2(excursion(samples[i]) <= 12, qPrintable(QString("start %1").arg(i)));
            QVERIFY2(excursion(samples[samples.size() - 1 - i]) <= 3, qPrintable(QString("end %1").arg(i)));
        }
    }

    void stereoChimeIsSpread()
    {
        const QByteArray samples = parse(*Waves::render("OPEN")).samples;
        int differing = 0;
        for (int i = 0; i + 1 < samples.size(); i += 2)
            differing += std::abs(int(uchar(samples[i])) - int(uchar(samples[i + 1]))) > 2 ? 1 : 0;
        QVERIFY(differing > samples.size() / 20);
    }

    void namesAndLookup()
    {
        QCOMPARE(Waves::names(), (QStringList{"AUTOPLAY", "DEAL", "JESTER", "OPEN", "RESTART",
                                              "SHUFFLE", "STOCK", "UNDO", "WIN_SND"}));
        QVERIFY(!Waves::render("DEALS"));
        QVERIFY(!Waves::render(QString()));
        QCOMPARE(Resources::waveNames(), Waves::names());
        QCOMPARE(Resources::wave("deal"), *Waves::render("DEAL"));
        QVERIFY_THROWS_EXCEPTION(Resources::MissingResource, Resources::wave("HORN"));
    }
};

QTEST_MAIN(TestWaves)
#include "tst_waves.moc"
