#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

// The file and colour dialogs and the one question the program asks. The window talks to them only
// through this interface, so that a test can answer them ahead of time. Every dialog reports a
// cancel as an empty result: no caller acts on a name or a colour the user did not choose.
class CommonDialog
{
public:
    virtual ~CommonDialog() = default;

    // The file types offered, written as display text and pattern pairs separated by "|".
    void setFilter(const QString &filter) { m_filter = filter; }
    QString filter() const { return m_filter; }

    virtual std::optional<QString> showOpen(QWidget *parent) = 0;
    virtual std::optional<QString> showSave(QWidget *parent) = 0;
    virtual std::optional<quint32> showColor(QWidget *parent) = 0;
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &question) = 0;
    virtual void showError(QWidget *parent, const QString &title, const QString &message) = 0;

private:
    QString m_filter;
};

// The real dialogs of the desktop.
class DesktopDialogs : public CommonDialog
{
public:
    std::optional<QString> showOpen(QWidget *parent) override;
    std::optional<QString> showSave(QWidget *parent) override;
    std::optional<quint32> showColor(QWidget *parent) override;
    bool askYesNo(QWidget *parent, const QString &title, const QString &question) override;
    void showError(QWidget *parent, const QString &title, const QString &message) override;

private:
    QColor m_lastColour = Qt::white;
};

// "QV Internet Files (*.qvif)|*.qvif" in the form Qt's file dialogs take: "QV Internet Files
// (*.qvif)". Pairs become entries separated by ";;".
QString qtFileFilter(const QString &filter);
