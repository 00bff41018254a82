// SPDX-License-Identifier: MIT
#include "platform/Dialogs.h"

#include <QDialog>
#include <QMessageBox>

namespace {
Dialogs::Answerer answerer;
QList<Dialogs::Record> records;

// The program's title, which every message box bears.
QString applicationCaption() { return QStringLiteral("Cardenza!"); }

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Error: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Information: break;
    }
    return QMessageBox::Information;
}
}  // namespace

namespace Dialogs {

int message(QWidget *parent, const QString &text, Icon icon, Buttons buttons)
{
    Record record{QStringLiteral("message"), applicationCaption(), text, icon, buttons, nullptr};
    records.append(record);
    if (answerer)
        return answerer(record);
    QMessageBox box(boxIcon(icon), record.caption, text,
                    buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    parent);
    return box.exec() == QMessageBox::Ok ? Ok : Cancel;
}

bool confirm(QWidget *parent, const QString &text)
{
    return message(parent, text, Icon::Question, Buttons::OkCancel) == Ok;
}

int execModal(QDialog *dialog)
{
    Record record{QStringLiteral("modal"), dialog->windowTitle(), QString(), Icon::Information, Buttons::Ok, dialog};
    records.append(record);
    if (answerer) {
        const int result = answerer(record);
        dialog->done(result);
        return result;
    }
    return dialog->exec();
}

void setAnswerer(Answerer value) { answerer = std::move(value); }
bool hasAnswerer() { return static_cast<bool>(answerer); }
const QList<Record> &history() { return records; }
void clearHistory() { records.clear(); }

}  // namespace Dialogs
