#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

// The file and colour dialogs and the questions the program asks. The window talks to them only
// through this interface, so that a test can answer them ahead of time. Every dialog reports a
// cancel as an empty result: no caller acts on a name or a colour the user did not choose.
class CommonDialog
{
public:
    enum class SaveChangesAnswer
    {
        Save,
        Discard,
        Cancel
    };

    virtual ~CommonDialog() = default;

    // The file types offered, written as display text and pattern pairs separated by "|".
    void setFilter(const QString &filter) { m_filter = filter; }
    QString filter() const { return m_filter; }

    // A page file to open, the dialog starting in the folder given (the desktop's choice when
    // empty).
    virtual std::optional<QString> showOpen(QWidget *parent, const QString &startFolder) = 0;
    // Where to save the page, the dialog starting with the folder and name of the path given.
    virtual std::optional<QString> showSave(QWidget *parent, const QString &suggestedPath) = 0;
    // A picture file of any format the program reads.
    virtual std::optional<QString> showOpenPicture(QWidget *parent, const QString &startFolder) = 0;
    // A colour, the dialog starting from the colour value given.
    virtual std::optional<quint32> showColor(QWidget *parent, quint32 initial) = 0;
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &question) = 0;
    // Save, Discard or Cancel, Save being the default.
    virtual SaveChangesAnswer askSaveChanges(QWidget *parent, const QString &title,
                                             const QString &question) = 0;
    // Recover (the default) or Discard: true for Recover.
    virtual bool askRecover(QWidget *parent, const QString &title, const QString &question) = 0;
    virtual void showError(QWidget *parent, const QString &title, const QString &message) = 0;

private:
    QString m_filter;
};

// The real dialogs of the desktop.
class DesktopDialogs : public CommonDialog
{
public:
    std::optional<QString> showOpen(QWidget *parent, const QString &startFolder) override;
    std::optional<QString> showSave(QWidget *parent, const QString &suggestedPath) override;
    std::optional<QString> showOpenPicture(QWidget *parent, const QString &startFolder) override;
    std::optional<quint32> showColor(QWidget *parent, quint32 initial) override;
    bool askYesNo(QWidget *parent, const QString &title, const QString &question) override;
    SaveChangesAnswer askSaveChanges(QWidget *parent, const QString &title,
                                     const QString &question) override;
    bool askRecover(QWidget *parent, const QString &title, const QString &question) override;
    void showError(QWidget *parent, const QString &title, const QString &message) override;
};

// "QV Internet Files (*.qvif)|*.qvif" in the form Qt's file dialogs take: "QV Internet Files
// (*.qvif)". Pairs become entries separated by ";;".
QString qtFileFilter(const QString &filter);

// "Pictures (*.png *.jpg ...)": every format the program's picture reader knows.
QString pictureFileFilter();
