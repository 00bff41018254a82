// SPDX-License-Identifier: MIT
#include "shell/Profile.h"

#include "platform/IniFile.h"

#include <optional>

namespace {

// An integer in decimal form, or nothing.
std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int integerOrBoolean(const QString &text)
{
    return parseInteger(text).value_or(ProfileTextIsTrue(text) ? 1 : 0);
}

}  // namespace

bool ProfileTextIsTrue(const QString &text)
{
    return text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0
        || text == QLatin1String("1");
}

TProfile::TProfile(QObject *owner)
    : QObject(owner)
{
}

TProfile::TProfile(const QString &fileName, const QString &section,
                   const QString &defaultText, QObject *owner)
    : QObject(owner)
    , DefaultText(defaultText)
    , FileName(fileName)
    , Section(section)
{
}

bool TProfile::namesSet() const
{
    return !Section.isEmpty() && !Entry.isEmpty() && !FileName.isEmpty();
}

QString TProfile::Text() const
{
    if (!namesSet())
        return QString();
    return IniFile::read(FileName, Section, Entry, DefaultText);
}

void TProfile::SetText(const QString &text)
{
    if (namesSet())
        IniFile::write(FileName, Section, Entry, text);
}

bool TProfile::State() const
{
    return ProfileTextIsTrue(Text());
}

void TProfile::SetState(bool state)
{
    SetText(state ? QStringLiteral("True") : QStringLiteral("False"));
}

int TProfile::Value() const
{
    return integerOrBoolean(Text());
}

void TProfile::SetValue(int value)
{
    SetText(QString::number(value));
}

QString TProfile::ReadText(const QString &key)
{
    Entry = key;
    return Text();
}

bool TProfile::ReadBool(const QString &key, bool defaultValue)
{
    const QString text = ReadText(key);
    return text == DefaultText ? defaultValue : ProfileTextIsTrue(text);
}

int TProfile::ReadInt(const QString &key, int defaultValue)
{
    const QString text = ReadText(key);
    return text == DefaultText ? defaultValue : integerOrBoolean(text);
}

void TProfile::WriteText(const QString &key, const QString &text)
{
    Entry = key;
    SetText(text);
}

void TProfile::WriteBool(const QString &key, bool value)
{
    Entry = key;
    SetState(value);
}

void TProfile::WriteInt(const QString &key, int value)
{
    Entry = key;
    SetValue(value);
}
