// SPDX-License-Identifier: MIT
#include "shell/Background.h"
#include "shell/Preferences.h"

TablePreferences CurrentTablePreferences()
{
    TablePreferences preferences;
    if (!PreferencesDlg)
        return preferences;
    preferences.BackgroundIndex = PreferencesDlg->BackgroundIndex;
    preferences.GradientIndex = PreferencesDlg->GradientIndex;
    preferences.BackgroundColor = PreferencesDlg->BackgroundColor;
    preferences.GradientStartColor = PreferencesDlg->GradientStartColor;
    preferences.GradientEndColor = PreferencesDlg->GradientEndColor;
    preferences.Picture = PreferencesDlg->GetBackgroundBitmap();
    return preferences;
}

void ApplyTableBackground(QWidget *window, TzBackground *background, const QList<TCardPileView *> &views)
{
    ApplyTableBackground(window, background, views, CurrentTablePreferences());
}
