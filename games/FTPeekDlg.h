// SPDX-License-Identifier: MIT
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class TCard;

// Shows the card the next stock click of Forty Thieves will turn up. It stays on
// top of the table without holding up play; its OK button only hides it.
class TFTPeekDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TFTPeekDlg(QWidget *owner = nullptr);

    QLabel *Label1;
    QLabel *Image1;
    QPushButton *OKBtn;
    TCard *PeekCard = nullptr;  // the card to show, not owned

    // Puts PeekCard's face into the picture, its corners cut off; with no card the
    // picture stays as it was.
    void DrawPeekCard();
    void OKBtnClick() { hide(); }

protected:
    void showEvent(QShowEvent *event) override;
};
