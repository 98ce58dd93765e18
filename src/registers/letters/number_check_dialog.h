#pragma once

// The dialog "Kiểm tra số đăng ký" of both letters lists: the list of what checkRegisterNumbers
// (number_check.h) finds in the year table the list shows (numbers missing, numbers given twice,
// dates running backwards), one row each with the letter's date and summary. A double-click on a
// row that names a letter moves the list to that letter and closes the dialog. "In" prints the
// list (kiemtraso.rpt) and "Xuất ra Excel" saves it as the other lists are saved; both are
// disabled when nothing was found.

#include "number_check.h"

#include "registers/register_session.h"

#include "platform/ui/form_base.h"

#include "platform/report/report_control.h"

#include <QHash>
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

    // What the last "In" and "Xuất ra Excel" came to (the file written, "" when none).
    const report::ReportResult& lastPrint() const { return m_lastPrint; }
    const QString& lastExport() const { return m_lastExport; }

    void grdsaisot_DblClick(int row);
    void cmdin_Click();        // the findings through kiemtraso.rpt, to the preview window
    void cmdxuatexcel_Click(); // the findings as a spreadsheet file the user names
    void cmddong_Click();

    report::ReportControl CrystalReport1;

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
    QList<NumberFinding> m_findings;    // one per row of the table
    QHash<qint64, QString> m_summaries; // the letters' summaries, by id
    report::ReportResult m_lastPrint;
    QString m_lastExport;
};

// Shows the dialog for list (its table and visit), modally; the list's button calls it.
void checkRegisterNumbersFrom(LettersListForm& list, bool incoming);

} // namespace registers
