#pragma once

#include "app/core/messenger.h"
#include "message_layout.h"

#include "platform/ui/form_base.h"

class QLabel;
class QPushButton;

namespace app {

// The old form frmtbao. The message dialog through which every message and yes/no question of
// the program passes,
// and the program's real Messenger (start-up installs one with setMessenger()).
//
// show(text, mode) keeps the text and the mode word ("ok", "yesno" in any letter case, or another
// word for a notice) as the dialog's own state, shows the dialog and returns its answer.
//
// Contracts:
// - answer is cleared when the dialog loads and set by the buttons: cmdok "ok", cmdyes "yes",
//   cmdno "no". Closing the window (close box or Esc) answers "no" in a "yesno" dialog and "ok"
//   in an "ok" dialog.
// - The dialog sizes itself to the text (fitMessage) at the screen's logical DPI; a text that
//   starts with "(căn trái)" in any letter case is shown left-aligned without those 10
//   characters (message() loses them too). CR LF and CR line breaks are shown as line breaks.
// - In an "ok" dialog Ctrl+End (acting when the first of the two keys is released) toggles between the message and the
// last run-time error
//   ("Lỗi " + number + " (" + description + ")."), see lastError().
// - A notice (any other mode word) is shown without waiting, already painted, with no buttons;
//   show() returns "" at once and closeNotice() removes it.
class MessageDialog : public ui::FormBase, public Messenger
{
    Q_OBJECT

public:
    explicit MessageDialog(QWidget* parent = nullptr);

    using QWidget::show;
    // Messenger: keeps the text and mode word, loads and shows the dialog; for "ok" and
    // "yesno" waits for the answer and returns it.
    QString show(const QString& thongbao, const QString& kieuthongbao) override;
    void closeNotice() override;

    QLabel* Label1;
    QPushButton* cmdyes;
    QPushButton* cmdok;
    QPushButton* cmdno;

    // The text shown (without a "(căn trái)" prefix; the error text while the error view shows),
    // the mode word, and the answer of the last message ("" until a button or closing gives one).
    const QString& message() const { return m_message; }
    const QString& messageKind() const { return m_kind; }
    const QString& answer() const { return m_answer; }
    // The message kept while the error view shows (empty otherwise).
    QString savedMessage() const { return m_saved; }
    // The layout chosen by the last load, in twips.
    const MessageLayout& layoutTwips() const { return m_layout; }
    // Conversions at the screen's logical DPI.
    int pixelsX(double twips) const;
    int pixelsY(double twips) const;
    double twipsY(int pixels) const;

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    ui::KeyResult Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    void giveAnswer(const QString& traloi);
    void toggleErrorView();
    void showLabelText(const QString& text);
    double labelHeightTwips(const QString& text, double widthTwips) const;
    void applyLayout();
    double dpiX() const;
    double dpiY() const;

    QString m_message;
    QString m_kind;
    QString m_answer;
    QString m_saved;
    MessageLayout m_layout;
    bool m_ctrlEndDown = false; // Ctrl+End pressed, neither key released yet
};

} // namespace app
