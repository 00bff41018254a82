// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"
#include "support/Seams.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

const QString File = QStringLiteral("Solitaire.ini");
const QString None = QStringLiteral("None");
// Set in the environment of a copy of this program that plays a second player.
const char ChildRole[] = "CZ_INIFILE_CHILD";

QString configPath() { return IniFile::resolve(File); }

QString read(const QString &section, const QString &key)
{
    return IniFile::read(File, section, key, None);
}

bool isSubsequence(const QByteArrayList &part, const QByteArrayList &whole)
{
    qsizetype next = 0;
    for (const QByteArray &line : whole) {
        if (next < part.size() && line == part[next])
            ++next;
    }
    return next == part.size();
}

QByteArray noise(int size)
{
    QRandomGenerator random(20240611);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// Comment lines of 100 bytes each (the last one shorter), size bytes in all.
QByteArray commentLines(qsizetype size)
{
    QByteArray lines(size, ';');
    for (qsizetype end = 99; end < size; end += 100)
        lines[end] = '\n';
    lines.back() = '\n';
    return lines;
}

// The text in UTF-16 with its byte order mark.
QByteArray utf16(const QString &text, bool littleEndian)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
    }
    return bytes;
}

// The second copy of the program: writes count keys of its own; or takes the lock
// and dies without letting go of it, as a crashed copy would; or takes the lock and
// hangs; or reads and writes once and tells what came of it.
int runChild(const QByteArray &role)
{
    const QList<QByteArray> parts = role.split(':');
    if (parts.value(0) == "lock-and-die" || parts.value(0) == "lock-and-hang") {
        QLockFile lock(configPath() + QStringLiteral(".lock"));
        if (!lock.tryLock(1000))
            return 2;
        if (parts.value(0) == "lock-and-die")
            std::_Exit(0);
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        QThread::sleep(120);
        return 0;
    }
    if (parts.value(0) == "read-and-write") {
        const QString value = read(QStringLiteral("S"), QStringLiteral("k"));
        const bool written = IniFile::write(File, QStringLiteral("S"), QStringLiteral("k"),
                                            QStringLiteral("1"));
        std::printf("%s %s", qPrintable(value), written ? "written" : "refused");
        return 0;
    }
    const QString prefix = QString::fromUtf8(parts.value(1));
    const int count = parts.value(2).toInt();
    for (int i = 0; i < count; ++i) {
        if (!IniFile::write(File, QStringLiteral("Shared"), prefix + QString::number(i),
                            QString::number(i)))
            return 1;
    }
    return 0;
}

}  // namespace

class TestIniFile : public QObject
{
    Q_OBJECT
    std::optional<SettingsDirectory> settings;

    QByteArray fileBytes() const { return settings->read(File); }
    void setFileBytes(const QByteArray &bytes) const { QVERIFY(settings->write(File, bytes)); }

    // Starts a second copy of this program in the given role.
    static void startChild(QProcess &child, const QString &role)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(ChildRole, role);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
    }

private Q_SLOTS:
    void init() { settings.emplace(); }

    void location()
    {
        QCOMPARE(IniFile::resolve(File), settings->path() + "/Solitaire.ini");
        QCOMPARE(IniFile::resolve("/etc/other.ini"), QString("/etc/other.ini"));
        const QByteArray home = qgetenv("HOME");
        qunsetenv("CARDENZA_CONFIG_DIR");
        qputenv("XDG_CONFIG_HOME", "/srv/xdg");
        QCOMPARE(IniFile::configDirectory(), QString("/srv/xdg/Cardenza"));
        qputenv("XDG_CONFIG_HOME", "relative/ignored");
        qputenv("HOME", "/srv/player");
        QCOMPARE(IniFile::configDirectory(), QString("/srv/player/.config/Cardenza"));
        qputenv("HOME", home);
        qunsetenv("XDG_CONFIG_HOME");

        const QString nested = settings->path() + "/a/b";
        qputenv("CARDENZA_CONFIG_DIR", nested.toLocal8Bit());
        QVERIFY(IniFile::write(File, "S", "k", "v"));
        QVERIFY(QFile::exists(nested + "/Solitaire.ini"));
    }

    void namesIgnoreCaseAndValuesAreTrimmed()
    {
        QCOMPARE(read("Klondike", "Autoplay"), None);
        setFileBytes("[klondike]\n  autoPLAY \t=  True  \n");
        QCOMPARE(read("KLONDIKE", "Autoplay"), QString("True"));
        QCOMPARE(read("Klondike", "DrawThree"), None);
        QCOMPARE(read("Golf", "Autoplay"), None);
        QVERIFY(IniFile::write(File, "Klondike", "AUTOPLAY", "False"));
        QCOMPARE(fileBytes(), QByteArray("[klondike]\nautoPLAY=False\n"));
    }

    void writeChangesOnlyItsOwnLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");

        const QByteArray head = "; settings \xff\xfe not UTF-8\n\n[Klondike]\nDrawThree = True\n";
        const QByteArray tail = "  ; mine\nstray line\n\n[Golf]\nAutoplay=True\n";
        QTest::newRow("changed key") << head + "Autoplay=True\n" + tail << "klondike"
                                     << "AUTOPLAY" << head + "Autoplay=x\n" + tail;
        QTest::newRow("new key after the section's last key")
            << QByteArray("[A]\nk=1\n\n; B follows\n[B]\nk=1\n") << "A" << "n"
            << QByteArray("[A]\nk=1\nn=x\n\n; B follows\n[B]\nk=1\n");
        QTest::newRow("new section, no final newline")
            << QByteArray("[A]\nk=1") << "Spider" << "n" << QByteArray("[A]\nk=1\n[Spider]\nn=x\n");
        QTest::newRow("empty file") << QByteArray() << "S" << "n" << QByteArray("[S]\nn=x\n");
        QTest::newRow("key above every section is no key")
            << QByteArray("n=1\n") << "S" << "n" << QByteArray("n=1\n[S]\nn=x\n");
        QTest::newRow("CRLF, changed") << QByteArray("[A]\r\nk=1\r\n") << "A" << "K"
                                       << QByteArray("[A]\r\nk=x\r\n");
        QTest::newRow("CRLF, added") << QByteArray("[A]\r\nk=1") << "A" << "n"
                                     << QByteArray("[A]\r\nk=1\r\nn=x\r\n");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFk=1\n[A]\nk=1\n") << "A"
                                         << "k" << QByteArray("\xEF\xBB\xBFk=1\n[A]\nk=x\n");
        QTest::newRow("same value, line left alone") << QByteArray("[A]\n  k = x  \n") << "A"
                                                     << "k" << QByteArray("[A]\n  k = x  \n");
        QTest::newRow("section named twice")
            << QByteArray("[A]\nk=1\n[B]\n[a]\nn=1\n") << "A" << "n"
            << QByteArray("[A]\nk=1\n[B]\n[a]\nn=x\n");
    }

    void writeChangesOnlyItsOwnLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        setFileBytes(before);
        QVERIFY(IniFile::write(File, section, key, "x"));
        QCOMPARE(fileBytes(), after);
        QCOMPARE(read(section, key), QString("x"));
    }

    void valuesComeBackExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "True";
        QTest::newRow("empty") << "";
        QTest::newRow("spaces inside") << "/home/p/My Pictures/back.png";
        QTest::newRow("spaces around") << "  padded ";
        QTest::newRow("in quotes") << "\"quoted\"";
        QTest::newRow("one quote") << "\"";
        QTest::newRow("equals, semicolon") << "a=b;c [d]";
        QTest::newRow("not ASCII") << QString::fromUtf8("/home/p/Grüße/ピクチャ.png");
        QTest::newRow("path beyond 255") << "/home/p/" + QString(300, 'd') + "/table.png";
        QTest::newRow("longest") << QString(4095, 'x');
    }

    void valuesComeBackExactly()
    {
        QFETCH(QString, value);
        QVERIFY(IniFile::write(File, "Preferences", "BackgroundImage", value));
        QCOMPARE(read("Preferences", "BackgroundImage"), value);
    }

    void unsafeWritesAreRefused_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("value too long") << "S" << "k" << QString(4096, 'x');
        QTest::newRow("line break in value") << "S" << "k" << "a\n[Evil]\nk=1";
        QTest::newRow("NUL in value") << "S" << "k" << QString("a") + QChar(0) + "b";
        QTest::newRow("equals in key") << "S" << "k=1" << "v";
        QTest::newRow("bracket in section") << "S]x" << "k" << "v";
        QTest::newRow("empty key") << "S" << " " << "v";
        QTest::newRow("key too long") << "S" << QString(256, 'k') << "v";
    }

    void unsafeWritesAreRefused()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        setFileBytes("[S]\nk=old\n");
        QVERIFY(!IniFile::write(File, section, key, value));
        QCOMPARE(fileBytes(), QByteArray("[S]\nk=old\n"));
    }

    void damagedFilesReadAsAbsent_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("good");
        const QByteArray good = "[S]\nGood=yes\n";
        QTest::newRow("cut in a header") << good + "[Pre" << "yes";
        QTest::newRow("cut in a value") << good + "Other=Tr" << "yes";
        QTest::newRow("binary noise") << noise(8192) << "None";
        QTest::newRow("noise around") << noise(4096) + "\n" + good + noise(4096) << "yes";
        QTest::newRow("NUL bytes") << QByteArray("[S]\nBad=1\0\n\0\0\0\nGood=yes\n", 24) << "yes";
        QTest::newRow("NUL in header") << QByteArray("[S\0]\nGood=yes\n", 14) << "None";
        QTest::newRow("100000-character lines")
            << "[S]\nBad=" + QByteArray(100000, 'x') + "\n" + QByteArray(100000, '[')
                + "\nGood=yes\n" << "yes";
        QTest::newRow("not UTF-8") << good + "\xff\xfe\xc0=\x80\n" << "yes";
    }

    void damagedFilesReadAsAbsent()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, good);
        setFileBytes(content);
        QCOMPARE(read("S", "Good"), good);
        QCOMPARE(read("S", "Bad"), None);
        QVERIFY(IniFile::write(File, "S", "New", "1"));
        QCOMPARE(read("S", "New"), QString("1"));
        QByteArrayList before = content.split('\n');
        if (before.last().isEmpty())
            before.removeLast();
        const QByteArrayList after = fileBytes().split('\n');
        QVERIFY(isSubsequence(before, after));
        QVERIFY(after.size() <= before.size() + 3);
    }

    void writeReplacesTheFileWhole()
    {
        QVERIFY(IniFile::write(File, "S", "k", "1"));
        QVERIFY(QFile::setPermissions(configPath(), QFile::ReadOwner | QFile::WriteOwner
                                                      | QFile::ReadGroup));
        const ino_t before = inodeOf(configPath());
        QVERIFY(IniFile::write(File, "S", "k", "2"));
        QVERIFY(inodeOf(configPath()) != before);
        QCOMPARE(QFile::permissions(configPath()),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                     | QFile::ReadGroup);
        QCOMPARE(QDir(settings->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Solitaire.ini"});
    }

    void unwritablePlacesAreLeftAlone()
    {
        setFileBytes("[S]\nk=1\n");
        QVERIFY(QFile::setPermissions(configPath(), QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(!IniFile::write(File, "S", "k", "2"));
        QVERIFY(!IniFile::write(File, "S", "n", "2"));
        QCOMPARE(fileBytes(), QByteArray("[S]\nk=1\n"));
        QCOMPARE(read("S", "k"), QString("1"));

        QVERIFY(QFile::remove(configPath()));
        QVERIFY(QDir(settings->path()).mkdir(File));
        QCOMPARE(read("S", "k"), None);
        QVERIFY(!IniFile::write(File, "S", "k", "2"));

        QVERIFY(QFile(settings->path() + "/plain").open(QIODevice::WriteOnly));
        qputenv("CARDENZA_CONFIG_DIR", (settings->path() + "/plain/sub").toLocal8Bit());
        QVERIFY(!IniFile::write(File, "S", "k", "2"));

        if (::geteuid() == 0)
            QSKIP("the administrator may write into read-only directories");
        qputenv("CARDENZA_CONFIG_DIR", settings->path().toLocal8Bit());
        QVERIFY(QDir(settings->path()).rmdir(File));
        setFileBytes("[S]\nk=1\n");
        QVERIFY(QFile::setPermissions(settings->path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!IniFile::write(File, "S", "k", "2"));
        QVERIFY(QFile::setPermissions(settings->path(), QFile::ReadOwner | QFile::WriteOwner
                                                             | QFile::ExeOwner));
        QCOMPARE(fileBytes(), QByteArray("[S]\nk=1\n"));
    }

    // A FIFO (or anything but a regular file) under the file's name would block the
    // program at start-up: it reads as absent and is left alone.
    void fifoNeverBlocks()
    {
        const QByteArray name = QFile::encodeName(configPath());
        QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        QProcess child;
        startChild(child, "read-and-write");
        const bool finished = child.waitForFinished(60000);
        if (!finished) {
            child.kill();
            child.waitForFinished();
        }
        QVERIFY2(finished, "reading or writing the FIFO blocked");
        QCOMPARE(child.readAllStandardOutput(), QByteArray("None refused"));
        struct stat info {};
        QCOMPARE(::lstat(name.constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
    }

    void replacingKeepsOwnerAndMode()
    {
        if (::geteuid() != 0)
            QSKIP("only the administrator can give a file to another user");
        setFileBytes("[S]\nk=1\n");
        const QByteArray name = QFile::encodeName(configPath());
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        QVERIFY(IniFile::write(File, "S", "k", "2"));
        struct stat info {};
        QCOMPARE(::stat(name.constData(), &info), 0);
        QCOMPARE(info.st_uid, uid_t(65534));
        QCOMPARE(info.st_gid, gid_t(65534));
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QCOMPARE(fileBytes(), QByteArray("[S]\nk=2\n"));
    }

    // A write goes through a symbolic link to the file it names, creating that file
    // when it is not there yet; the link stays a link.
    void symbolicLinksAreWrittenThrough()
    {
        const QByteArray link = QFile::encodeName(configPath());
        QVERIFY(QDir(settings->path()).mkdir("store"));
        QCOMPARE(::symlink("store/real.ini", link.constData()), 0);
        QCOMPARE(read("S", "k"), None);
        QVERIFY(IniFile::write(File, "S", "k", "1"));
        QVERIFY(IniFile::write(File, "S", "n", "2"));
        QVERIFY(QFileInfo(configPath()).isSymLink());
        QCOMPARE(settings->read("store/real.ini"), QByteArray("[S]\nk=1\nn=2\n"));
        QCOMPARE(read("S", "k"), QString("1"));

        QVERIFY(QFile::remove(configPath()));
        QCOMPARE(::symlink("hop", link.constData()), 0);
        QCOMPARE(::symlink((settings->path() + "/store/real.ini").toLocal8Bit().constData(),
                           settings->filePath("hop").toLocal8Bit().constData()), 0);
        QVERIFY(IniFile::write(File, "S", "k", "3"));
        QVERIFY(QFileInfo(configPath()).isSymLink());
        QVERIFY(QFileInfo(settings->filePath("hop")).isSymLink());
        QCOMPARE(settings->read("store/real.ini"), QByteArray("[S]\nk=3\nn=2\n"));

        QVERIFY(QFile::remove(configPath()));
        QCOMPARE(::symlink("gone/real.ini", link.constData()), 0);
        QVERIFY(!IniFile::write(File, "S", "k", "4"));
        QVERIFY(QFileInfo(configPath()).isSymLink());

        QVERIFY(QFile::remove(configPath()));
        QCOMPARE(::symlink("Solitaire.ini", link.constData()), 0);
        QCOMPARE(read("S", "k"), None);
        QVERIFY(!IniFile::write(File, "S", "k", "5"));
        QVERIFY(QFileInfo(configPath()).isSymLink());
    }

    // The reader refuses a file past MaxFileSize; our own write must never make one.
    void writesNeverMakeTheFileTooLargeToRead()
    {
        const QByteArray head = "[S]\nk=1\n";
        const QByteArray content = head + commentLines(IniFile::MaxFileSize - 10 - head.size());
        setFileBytes(content);
        QVERIFY(!IniFile::write(File, "S", "long", QString(100, 'x')));
        QCOMPARE(fileBytes(), content);
        QVERIFY(IniFile::write(File, "S", "k", "2"));
        QCOMPARE(read("S", "k"), QString("2"));
        QCOMPARE(read("S", "long"), None);
    }

    void largeFileIsReadOncePerChange()
    {
        const QByteArray tail = "[S]\nk=1\n";
        setFileBytes(commentLines(IniFile::MaxFileSize - tail.size()) + tail);
        const int reads = IniFile::activity().fileReads;
        for (int i = 0; i < 100; ++i)
            QCOMPARE(read("S", "k"), QString("1"));
        QCOMPARE(IniFile::activity().fileReads, reads + 1);

        QVERIFY(!IniFile::write(File, "S", "n", "2"));  // would be too large
        QVERIFY(IniFile::write(File, "S", "k", "3"));
        QCOMPARE(read("S", "k"), QString("3"));
        QCOMPARE(IniFile::activity().fileReads, reads + 1);

        setFileBytes("[S]\nk=4\n");  // another program changes the file
        QCOMPARE(read("S", "k"), QString("4"));
        QCOMPARE(read("S", "k"), QString("4"));
        QCOMPARE(IniFile::activity().fileReads, reads + 2);
    }

    // A lock that never goes away costs one wait in this run at most; a lock that is
    // a directory is nobody's lock and costs none.
    void stuckLockCostsOneWaitAtMost()
    {
        const int waits = IniFile::activity().lockWaits;
        QVERIFY(QDir(settings->path()).mkdir(File + ".lock"));
        QVERIFY(!IniFile::write(File, "S", "k", "1"));
        QCOMPARE(read("S", "k"), None);
        QCOMPARE(IniFile::activity().lockWaits, waits);
        QVERIFY(QDir(settings->path()).rmdir(File + ".lock"));

        QProcess holder;
        startChild(holder, "lock-and-hang");
        QVERIFY(holder.waitForReadyRead());
        QCOMPARE(holder.readAllStandardOutput(), QByteArray("locked\n"));
        for (const QString value : {"1", "2", "3"})
            QVERIFY(!IniFile::write(File, "S", "k", value));
        QCOMPARE(read("S", "k"), None);
        QCOMPARE(IniFile::activity().lockWaits, waits + 1);
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QVERIFY(IniFile::write(File, "S", "k", "4"));
        QCOMPARE(read("S", "k"), QString("4"));
    }

    void otherEncodingsAndLineEndsAreKept_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("stored");  // "section.key=value" read before the write
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        const QString mine = QString::fromUtf8("; Grüße\r\n[S]\r\nk=1\r\nz=ü\r\n");
        QTest::newRow("UTF-16 LE, CR LF, changed")
            << utf16(mine, true) << QString::fromUtf8("S.z=ü") << "S" << "k"
            << utf16(QString(mine).replace("k=1", "k=x"), true);
        QTest::newRow("UTF-16 BE, LF, added") << utf16("[S]\nk=1\n", false) << "S.k=1" << "S"
                                              << "n" << utf16("[S]\nk=1\nn=x\n", false);
        QTest::newRow("UTF-16 LE, new section, no final line end")
            << utf16("[A]\r\nk=1", true) << "A.k=1" << "S" << "n"
            << utf16("[A]\r\nk=1\r\n[S]\r\nn=x\r\n", true);
        QTest::newRow("CR only, changed") << QByteArray("[S]\rk=1\rz=2\r") << "S.z=2" << "S"
                                          << "k" << QByteArray("[S]\rk=x\rz=2\r");
        QTest::newRow("CR only, added") << QByteArray("; me\r[S]\rk=1") << "S.k=1" << "S" << "n"
                                        << QByteArray("; me\r[S]\rk=1\rn=x\r");
    }

    void otherEncodingsAndLineEndsAreKept()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, stored);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        setFileBytes(before);
        const QString storedKey = stored.section('=', 0, 0);
        QCOMPARE(read(storedKey.section('.', 0, 0), storedKey.section('.', 1)),
                 stored.section('=', 1));
        QVERIFY(IniFile::write(File, section, key, "x"));
        QCOMPARE(fileBytes(), after);
        QCOMPARE(read(section, key), QString("x"));
    }

    void twoProcessesNeverLoseEachOthersKeys()
    {
        const int count = 200;
        QVERIFY(IniFile::write(File, "Shared", "Anchor", "here"));
        QList<QProcess *> writers;
        for (const char *prefix : {"A", "B"}) {
            auto *writer = new QProcess(this);
            startChild(*writer, QString("write:%1:%2").arg(prefix).arg(count));
            writers.append(writer);
        }
        int anchorMissing = 0;
        for (QProcess *writer : writers) {
            while (!writer->waitForFinished(1)) {
                if (read("Shared", "Anchor") != "here")
                    ++anchorMissing;
            }
            QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
            QCOMPARE(writer->exitCode(), 0);
        }
        QCOMPARE(anchorMissing, 0);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(read("Shared", QString("A%1").arg(i)), QString::number(i));
            QCOMPARE(read("Shared", QString("B%1").arg(i)), QString::number(i));
        }
    }

    void lockLeftByACrashedCopyDoesNotBlock()
    {
        QProcess crasher;
        startChild(crasher, "lock-and-die");
        QVERIFY(crasher.waitForFinished());
        QCOMPARE(crasher.exitCode(), 0);
        QVERIFY(QFile::exists(configPath() + ".lock"));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(IniFile::write(File, "S", "k", "1"));
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY(!QFile::exists(configPath() + ".lock"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QByteArray role = qgetenv(ChildRole);
    if (!role.isEmpty())
        return runChild(role);
    TestIniFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_inifile.moc"
