#pragma once

// The dialog "In sổ đăng ký" of both letters lists: asks which part of the year's register to
// print as a register book (the whole year, or from one register number to another), the volume
// number for the cover and, for outgoing letters, one letter type or all; then prints the book
// (register_book.h) to the preview window or the printer.

#include "register_book.h"

#include "registers/register_session.h"

#include "platform/report/report_control.h"
#include "platform/ui/form_base.h"

#include <memory>

namespace Ui {
class frmsodangky;
}

namespace registers {

class LettersListForm;

class RegisterBookDialog : public ui::FormBase
{
    Q_OBJECT

public:
    explicit RegisterBookDialog(QWidget* parent = nullptr);
    ~RegisterBookDialog() override;

    // Called before the dialog is shown: which register, the year table the list shows, the
    // list's visit (its letters file and the program's files) and the list's place on screen.
    void prepare(bool incoming, const QString& table, SessionPtr visit, const QRect& callerGeometry);

    const Ui::frmsodangky& ui() const { return *m_ui; }
    // What the last print came to (the refusal told, the report's result).
    const BookOutcome& lastOutcome() const { return m_outcome; }
    report::ReportControl CrystalReport1;

    void cmdok_Click();
    void cmdxemin_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;

private:
    void print(report::Destination destination);
    void offerRange(); // the letter types and the largest register number of the table

    std::unique_ptr<Ui::frmsodangky> m_ui;
    QString m_caption;
    bool m_incoming = true;
    QString m_table;
    std::weak_ptr<RegisterSession> m_visit; // held by the list while the visit lasts
    QRect m_callerGeometry;
    BookOutcome m_outcome;
};

// Shows the dialog for list (its table and visit), modally; the list's button calls it.
void printRegisterBookFrom(LettersListForm& list, bool incoming);

} // namespace registers
