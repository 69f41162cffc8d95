#pragma once

#include "app/common_dialog.h"

#include <QQueue>
#include <QStringList>

// Dialogs answered ahead of time by a test. An answer that was not queued counts as a cancel,
// and every question asked is recorded, as is where each file dialog started.
class ScriptedDialogs : public CommonDialog
{
public:
    QQueue<std::optional<QString>> openAnswers;
    QQueue<std::optional<QString>> saveAnswers;
    QQueue<std::optional<QString>> pictureAnswers;
    QQueue<std::optional<quint32>> colourAnswers;
    QQueue<bool> yesNoAnswers;
    QQueue<SaveChangesAnswer> saveChangesAnswers;
    QQueue<bool> recoverAnswers;
    QStringList questions;
    QStringList errors;
    int openCount = 0;
    int saveCount = 0;
    int pictureCount = 0;
    int colourCount = 0;
    QString lastOpenFolder;
    QString lastSuggestedSave;
    QString lastPictureFolder;
    std::optional<quint32> lastColourStart;

    std::optional<QString> showOpen(QWidget *, const QString &startFolder) override
    {
        ++openCount;
        lastOpenFolder = startFolder;
        return openAnswers.isEmpty() ? std::nullopt : openAnswers.dequeue();
    }
    std::optional<QString> showSave(QWidget *, const QString &suggestedPath) override
    {
        ++saveCount;
        lastSuggestedSave = suggestedPath;
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
    }
    std::optional<QString> showOpenPicture(QWidget *, const QString &startFolder) override
    {
        ++pictureCount;
        lastPictureFolder = startFolder;
        return pictureAnswers.isEmpty() ? std::nullopt : pictureAnswers.dequeue();
    }
    std::optional<quint32> showColor(QWidget *, quint32 initial) override
    {
        ++colourCount;
        lastColourStart = initial;
        return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.dequeue();
    }
    bool askYesNo(QWidget *, const QString &, const QString &question) override
    {
        questions << question;
        return !yesNoAnswers.isEmpty() && yesNoAnswers.dequeue();
    }
    SaveChangesAnswer askSaveChanges(QWidget *, const QString &, const QString &question) override
    {
        questions << question;
        return saveChangesAnswers.isEmpty() ? SaveChangesAnswer::Cancel
                                            : saveChangesAnswers.dequeue();
    }
    bool askRecover(QWidget *, const QString &, const QString &question) override
    {
        questions << question;
        return !recoverAnswers.isEmpty() && recoverAnswers.dequeue();
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
