#pragma once

#include <QPlainTextEdit>
#include <QString>

#include <optional>

// The debug view (Debug on the menu bar): the text of the last save. Laying out a page's text
// takes longer than assembling it, so a save only hands the text over, and the view lays it out
// once it is on screen.
class DebugView : public QPlainTextEdit
{
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Shows the text at once when the view is on screen, or else when it is next shown.
    void setSavedText(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::optional<QString> m_unshownText;
};
