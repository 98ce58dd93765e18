#include "text_box.h"

#include "field_value.h"
#include "key_codes.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {
namespace {

QString normalisedBreaks(QString text, bool multiLine)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    if (!multiLine)
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

TextBox::TextBox(QWidget* parent, bool multiLine) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* inner = nullptr;
    if (multiLine) {
        m_multi = new QPlainTextEdit(this);
        m_multi->setTabChangesFocus(true);
        m_multi->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        connect(m_multi, &QPlainTextEdit::textChanged, this, &TextBox::onTextChanged);
        inner = m_multi;
    } else {
        m_line = new QLineEdit(this);
        connect(m_line, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
        inner = m_line;
    }
    layout->addWidget(inner);
    setFocusProxy(inner);
    setFocusPolicy(inner->focusPolicy());
    inner->installEventFilter(this);
}

QWidget* TextBox::editor() const
{
    if (m_multi)
        return m_multi;
    return m_line;
}

QString TextBox::text() const
{
    if (m_multi)
        return m_multi->toPlainText();
    return m_line->text();
}

void TextBox::setText(const QString& text)
{
    const QString t = normalisedBreaks(text, isMultiLine());
    if (m_multi) {
        if (t != m_multi->toPlainText())
            m_multi->setPlainText(m_maxLength > 0 ? t.left(m_maxLength) : t);
        return;
    }
    m_line->setText(t);
}

void TextBox::onTextChanged()
{
    if (m_adjusting)
        return;
    if (m_multi && m_maxLength > 0) {
        const QString t = m_multi->toPlainText();
        if (t.size() > m_maxLength) {
            // Keep the first maxLength characters; the cursor stays where typing left it.
            const int pos = qMin(m_multi->textCursor().position(), m_maxLength);
            m_adjusting = true;
            m_multi->setPlainText(t.left(m_maxLength));
            QTextCursor c = m_multi->textCursor();
            c.setPosition(pos);
            m_multi->setTextCursor(c);
            m_adjusting = false;
        }
    }
    markChanged();
    emit Change();
}

bool TextBox::isLocked() const
{
    if (m_multi)
        return m_multi->isReadOnly();
    return m_line->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    if (m_multi)
        m_multi->setReadOnly(locked);
    else
        m_line->setReadOnly(locked);
}

int TextBox::maxLength() const
{
    return m_maxLength;
}

void TextBox::setMaxLength(int length)
{
    m_maxLength = qMax(0, length);
    if (m_line) {
        m_line->setMaxLength(m_maxLength > 0 ? m_maxLength : 32767);
    } else if (m_maxLength > 0 && m_multi->toPlainText().size() > m_maxLength) {
        m_multi->setPlainText(m_multi->toPlainText().left(m_maxLength));
    }
}

void TextBox::setTabStop(bool on)
{
    editor()->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    setFocusPolicy(editor()->focusPolicy());
}

bool TextBox::tabStop() const
{
    return (editor()->focusPolicy() & Qt::TabFocus) != 0;
}

int TextBox::selStart() const
{
    if (m_multi)
        return m_multi->textCursor().selectionStart();
    return m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
}

int TextBox::selLength() const
{
    if (m_multi) {
        const QTextCursor c = m_multi->textCursor();
        return c.selectionEnd() - c.selectionStart();
    }
    return m_line->hasSelectedText() ? m_line->selectedText().size() : 0;
}

QString TextBox::selText() const
{
    return text().mid(selStart(), selLength());
}

void TextBox::setSelStart(int start)
{
    const int pos = qBound(0, start, static_cast<int>(text().size()));
    if (m_multi) {
        QTextCursor c = m_multi->textCursor();
        c.setPosition(pos);
        m_multi->setTextCursor(c);
    } else {
        m_line->deselect();
        m_line->setCursorPosition(pos);
    }
}

void TextBox::setSelLength(int length)
{
    const int start = selStart();
    const int end = qBound(start, start + qMax(0, length), static_cast<int>(text().size()));
    if (m_multi) {
        QTextCursor c = m_multi->textCursor();
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        m_multi->setTextCursor(c);
    } else {
        m_line->setSelection(start, end - start);
    }
}

void TextBox::selectAll()
{
    if (m_multi)
        m_multi->selectAll();
    else
        m_line->selectAll();
}

void TextBox::showFieldValue(const QVariant& value)
{
    setText(displayText(value));
}

QVariant TextBox::fieldValue() const
{
    return text();
}

bool TextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editor())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto* fe = static_cast<QFocusEvent*>(event);
        if (fe->reason() == Qt::PopupFocusReason)
            break;
        if (m_selectAllOnFocus) {
            selectAll();
            // A click places the cursor after the focus arrives; select again once it has.
            QTimer::singleShot(0, this, [this] {
                if (hasFocus())
                    selectAll();
            });
        }
        emit GotFocus();
        break;
    }
    case QEvent::FocusOut: {
        const auto* fe = static_cast<QFocusEvent*>(event);
        if (fe->reason() != Qt::PopupFocusReason)
            emit LostFocus();
        break;
    }
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        emit KeyDown(keyCode(*ke), shiftState(ke->modifiers()));
        break;
    }
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->isAutoRepeat())
            break;
        emit KeyUp(keyCode(*ke), shiftState(ke->modifiers()));
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
