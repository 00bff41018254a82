// SPDX-License-Identifier: MIT
#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class QDialog;

// Every message box and every modal window of the program passes through here,
// so tests can answer them and read what the player would have seen.
namespace Dialogs {

enum class Icon { Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel };
enum Answer { Ok = 1, Cancel = 2 };

struct Record {
    QString kind;     // "message" or "modal"
    QString caption;  // window caption
    QString text;     // message text (empty for modal windows)
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    QWidget *window = nullptr;  // the modal window itself (kind "modal")
};

// Shows a message box; returns Ok or Cancel.
int message(QWidget *parent, const QString &text, Icon icon, Buttons buttons = Buttons::Ok);
// A confirmation with OK and Cancel; true when the player chose OK.
bool confirm(QWidget *parent, const QString &text);
// Shows a window modally and returns its result code.
int execModal(QDialog *dialog);

// Test seam: while an answerer is installed no box or window is shown; the answerer
// receives each record and returns the result (Ok/Cancel, or the dialog's code).
using Answerer = std::function<int(const Record &)>;
void setAnswerer(Answerer answerer);
bool hasAnswerer();
const QList<Record> &history();
void clearHistory();

}  // namespace Dialogs
