// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

class QWidget;

// The help document "Cardenza.hlp" beside the executable, shown in a viewer window
// at its contents page or at a numbered topic. A missing file gives a message box.
namespace Help {

QString filePath();
void setFilePath(const QString &path);  // tests and the launcher's start-up
void showContents(QWidget *parent);
void showTopic(QWidget *parent, int topic);
// The topic shown last (or -1 for contents), for tests.
int lastTopic();

}  // namespace Help
