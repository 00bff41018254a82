// SPDX-License-Identifier: MIT
#pragma once
#include <QObject>
#include <QString>

// One value of the settings file at a time: set Entry, then read or write Text,
// State or Value. Nothing is cached; every read and write goes to the file. The
// default text "None" stands for an absent key.
class TProfile : public QObject
{
    Q_OBJECT
public:
    explicit TProfile(QObject *owner = nullptr);
    TProfile(const QString &fileName, const QString &section, const QString &defaultText,
             QObject *owner = nullptr);

    QString DefaultText;
    QString Entry;
    QString FileName = QStringLiteral("WIN.INI");
    QString Section;

    QString Text() const;
    void SetText(const QString &text);
    bool State() const;
    void SetState(bool state);
    int Value() const;
    void SetValue(int value);

    // Shorthands for the missing-key convention: the stored value of key, or the
    // given default when the key is absent (its text is DefaultText).
    bool ReadBool(const QString &key, bool defaultValue);
    int ReadInt(const QString &key, int defaultValue);
    void WriteBool(const QString &key, bool value);
    void WriteInt(const QString &key, int value);
    void WriteText(const QString &key, const QString &text);
    QString ReadText(const QString &key);

private:
    bool namesSet() const;
};

// True for "TRUE" or "YES" in any letter case, or exactly "1".
bool ProfileTextIsTrue(const QString &text);
