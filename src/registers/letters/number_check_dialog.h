#pragma once

// The dialog "Kiểm tra số đăng ký" of both letters lists: the list of what checkRegisterNumbers
// (number_check.h) finds in the year table the list shows (numbers missing, numbers given twice,
// dates running backwards), one row each with the letter's date and summary. A double-click on a
// row that names a letter moves the list to that letter and closes the dialog.

#include "number_check.h"

#include "registers/register_session.h"

#include "platform/ui/form_base.h"

#include <QPointer>

#include <memory>

namespace Ui {
class frmkiemtraso;
}

namespace registers {

class LettersListForm;

class NumberCheckDialog : public ui::FormBase
{
    Q_OBJECT

public:
    explicit NumberCheckDialog(QWidget* parent = nullptr);
    ~NumberCheckDialog() override;

    // Called before the dialog is shown: which register, the year table, the list's visit (its
    // letters file) and the list to move (may be null: the rows then move nothing).
    void prepare(bool incoming, const QString& table, SessionPtr visit, LettersListForm* list);

    const Ui::frmkiemtraso& ui() const { return *m_ui; }
    const QList<NumberFinding>& findings() const { return m_findings; }

    void grdsaisot_DblClick(int row);
    void cmddong_Click();

protected:
    void Form_Load() override;

private:
    void fill(); // runs the check and fills the table

    std::unique_ptr<Ui::frmkiemtraso> m_ui;
    QString m_caption;
    bool m_incoming = true;
    QString m_table;
    std::weak_ptr<RegisterSession> m_visit; // held by the list while the visit lasts
    QPointer<LettersListForm> m_list;
    QList<NumberFinding> m_findings; // one per row of the table
};

// Shows the dialog for list (its table and visit), modally; the list's button calls it.
void checkRegisterNumbersFrom(LettersListForm& list, bool incoming);

} // namespace registers
