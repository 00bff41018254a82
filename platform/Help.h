// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

class QWidget;

// The help document "Cardenza.hlp" beside the executable (or, once installed, in
// share/cardenza next to the program's bin folder), shown in a viewer window at its
// contents page or at a numbered topic. A missing file gives a message box.
namespace Help {

QString filePath();
// Where the help file is for a program in that folder: beside it, else in
// ../share/cardenza; when neither exists, the place beside it.
QString filePathFor(const QString &programDirectory);
void setFilePath(const QString &path);  // tests and the launcher's start-up
void showContents(QWidget *parent);
void showTopic(QWidget *parent, int topic);
// The topic shown last (or -1 for contents), for tests.
int lastTopic();

}  // namespace Help
