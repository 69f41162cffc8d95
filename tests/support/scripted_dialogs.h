#pragma once

#include "app/common_dialog.h"

#include <QQueue>
#include <QStringList>

// Dialogs answered ahead of time by a test. An answer that was not queued counts as a cancel,
// and every question asked is recorded.
class ScriptedDialogs : public CommonDialog
{
public:
    QQueue<std::optional<QString>> openAnswers;
    QQueue<std::optional<QString>> saveAnswers;
    QQueue<std::optional<quint32>> colourAnswers;
    QQueue<bool> yesNoAnswers;
    QStringList questions;
    QStringList errors;
    int openCount = 0;
    int saveCount = 0;
    int colourCount = 0;

    std::optional<QString> showOpen(QWidget *) override
    {
        ++openCount;
        return openAnswers.isEmpty() ? std::nullopt : openAnswers.dequeue();
    }
    std::optional<QString> showSave(QWidget *) override
    {
        ++saveCount;
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
    }
    std::optional<quint32> showColor(QWidget *) override
    {
        ++colourCount;
        return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.dequeue();
    }
    bool askYesNo(QWidget *, const QString &, const QString &question) override
    {
        questions << question;
        return !yesNoAnswers.isEmpty() && yesNoAnswers.dequeue();
    }
    void showError(QWidget *, const QString &, const QString &message) override
    {
        errors << message;
    }
};

// Installs scripted dialogs in a window and keeps a pointer to them for the test.
template <typename Window> ScriptedDialogs *scriptDialogs(Window &window)
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs *raw = dialogs.get();
    window.setCommonDialog(std::move(dialogs));
    return raw;
}
