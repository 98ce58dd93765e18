#pragma once

#include "bound_control.h"
#include "data_control.h" // bind() takes the data control

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace ui {

// A text box, bound to a field of a data control or unbound (the forms' txt and m boxes).
//
// Contracts:
// - The changed flag (dataChanged()) is set by every change of the text, typed or set by code;
//   see BoundControl for who clears it.
// - A locked box takes the focus and lets its text be selected and copied, but not changed by
//   typing; setText() still changes it.
// - maxLength() > 0 limits the text to that many characters, typed, pasted or set by code
//   (longer texts are cut); 0 means no limit.
// - A single-line box never holds a line break (a pasted one becomes a blank). A multi-line box
//   keeps line breaks as "\n" ("\r\n" and "\r" set by code become "\n"); Tab moves the focus.
// - With select-all on focus, every gain of focus selects the whole text.
// - The focus proxy is the inner editor; hasFocus() and setFocus() work on the box itself.
class TextBox : public QWidget, public BoundControl
{
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr, bool multiLine = false);

    QString text() const;
    void setText(const QString& text);

    bool isLocked() const;
    void setLocked(bool locked);
    int maxLength() const;
    void setMaxLength(int length);
    bool isMultiLine() const { return m_multi != nullptr; }
    void setSelectAllOnFocus(bool on) { m_selectAllOnFocus = on; }
    bool selectAllOnFocus() const { return m_selectAllOnFocus; }
    // Whether Tab stops at this box.
    void setTabStop(bool on);
    bool tabStop() const;

    // Selection and cursor, zero-based in characters (SelStart / SelLength / SelText).
    int selStart() const;
    int selLength() const;
    QString selText() const;
    // Moves the cursor to start and clears the selection (a start past the end goes to the end).
    void setSelStart(int start);
    // Selects length characters from selStart() (cut at the end of the text).
    void setSelLength(int length);
    void selectAll();

    // BoundControl
    void showFieldValue(const QVariant& value) override;
    QVariant fieldValue() const override;
    QWidget* asWidget() override { return this; }

    // The inner editor that holds the focus and receives the keys.
    QWidget* editor() const;

signals:
    void Change();
    void GotFocus();
    void LostFocus();
    // Key release in the box (after the form's key preview). Auto-repeat is not reported.
    void KeyUp(int keyCode, int shift);
    void KeyDown(int keyCode, int shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTextChanged();

    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_multi = nullptr;
    int m_maxLength = 0;
    bool m_selectAllOnFocus = false;
    bool m_adjusting = false;
};

} // namespace ui
