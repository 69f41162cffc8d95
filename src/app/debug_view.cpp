#include "app/debug_view.h"

#include <utility>

void DebugView::setSavedText(const QString &text)
{
    if (isVisible()) {
        m_unshownText.reset();
        setPlainText(text);
    } else {
        m_unshownText = text;
    }
}

void DebugView::showEvent(QShowEvent *event)
{
    if (m_unshownText)
        setPlainText(*std::exchange(m_unshownText, std::nullopt));
    QPlainTextEdit::showEvent(event);
}
