// SPDX-License-Identifier: MIT
#include "app/HeadlessSession.h"

#include "platform/SoundPlayer.h"

#include <cstdio>

namespace {
constexpr const char *settingsVariable = "CARDENZA_CONFIG_DIR";
}

HeadlessSession::HeadlessSession()
    : previousSettingsPath(qgetenv(settingsVariable)), hadSettingsPath(qEnvironmentVariableIsSet(settingsVariable))
{
    if (ready())
        qputenv(settingsVariable, settings.path().toLocal8Bit());
    Dialogs::setAnswerer(&HeadlessSession::answer);
    SoundPlayer::setRecorder([](const QString &, bool) {});
}

HeadlessSession::~HeadlessSession()
{
    SoundPlayer::setRecorder({});
    Dialogs::setAnswerer({});
    if (!ready())
        return;
    if (hadSettingsPath)
        qputenv(settingsVariable, previousSettingsPath);
    else
        qunsetenv(settingsVariable);
}

int HeadlessSession::refuse() const
{
    std::fprintf(stderr, "Cannot make a temporary settings folder (%s); nothing was done.\n",
                 qPrintable(settings.errorString()));
    return 1;
}

int HeadlessSession::answer(const Dialogs::Record &record)
{
    if (record.kind == QLatin1String("message"))
        std::fprintf(stderr, "%s\n", qPrintable(record.text));
    return Dialogs::Ok;
}
