// SPDX-License-Identifier: MIT
// The common game window's options: checkable items bound to settings keys, pairs
// of items choosing one setting with their lock, and command items.
#include "games/GameForm.h"

#include "shell/Profile.h"

#include <QAction>
#include <QMenu>

// ---- options ------------------------------------------------------------------

QAction *TGameForm::addCheckItem(const QString &name, const QString &caption)
{
    if (!optionSeparator) {
        optionSeparator = new QAction(this);
        optionSeparator->setSeparator(true);
        PopupMenu1->insertAction(NewGame1, optionSeparator);
    }
    QAction *item = addMenuItem(name, caption, QKeySequence(), {}, optionSeparator);
    item->setCheckable(true);
    optionItems.append(item);
    return item;
}

QAction *TGameForm::AddOption(const QString &itemName, const QString &caption, const QString &key,
                              bool defaultValue, bool *member)
{
    QAction *item = addCheckItem(itemName, caption);
    options.append({item, key, defaultValue, member});
    connect(item, &QAction::triggered, this, [this, item, key, member] {
        if (DragUnderWay()) {
            item->setChecked(*member);
            return;
        }
        *member = item->isChecked();
        WriteOption(key, *member);
    });
    return item;
}

TGameForm::Choice TGameForm::AddChoice(const QString &trueName, const QString &trueCaption, const QString &falseName,
                                       const QString &falseCaption, const QString &key, bool defaultValue,
                                       bool *member, bool lockable)
{
    const Choice items{addCheckItem(trueName, trueCaption), addCheckItem(falseName, falseCaption)};
    *member = defaultValue;
    choices.append({items, key, member, lockable});
    const int index = int(choices.size()) - 1;
    for (const bool value : {true, false})
        connect(value ? items.whenTrue : items.whenFalse, &QAction::triggered, this, [this, index, value] {
            ChoiceGroup &group = choices[index];
            choose(group, DragUnderWay() ? *group.member : value, !DragUnderWay());
        });
    choose(choices[index], defaultValue, false);
    return items;
}

void TGameForm::choose(ChoiceGroup &group, bool value, bool write)
{
    *group.member = value;
    group.items.whenTrue->setChecked(value);
    group.items.whenFalse->setChecked(!value);
    if (write)
        WriteOption(group.key, value);
}

void TGameForm::readOptions()
{
    for (const OptionBinding &option : std::as_const(options)) {
        *option.member = ReadOption(option.key, option.defaultValue);
        option.item->setChecked(*option.member);
    }
    for (ChoiceGroup &group : choices)
        choose(group, ReadOption(group.key, *group.member), false);
}

void TGameForm::LockChoices()
{
    for (const ChoiceGroup &group : std::as_const(choices))
        if (group.lockable)
            (*group.member ? group.items.whenFalse : group.items.whenTrue)->setEnabled(false);
}

void TGameForm::UnlockOptions()
{
    for (const ChoiceGroup &group : std::as_const(choices)) {
        group.items.whenTrue->setEnabled(true);
        group.items.whenFalse->setEnabled(true);
    }
}

QAction *TGameForm::AddCommand(const QString &name, const QString &caption, std::function<void()> handler)
{
    return addMenuItem(name, caption, QKeySequence(), std::move(handler), Preferences1);
}

bool TGameForm::ReadOption(const QString &key, bool defaultValue) { return Profile1->ReadBool(key, defaultValue); }

void TGameForm::WriteOption(const QString &key, bool value) { Profile1->WriteBool(key, value); }
