#pragma once

// The list form of a letters register (IncomingListForm, OutgoingListForm): the letters of the year or
// the hits of a search in a grid, marks ("X" in chonin) for printing, mark all, clear all, print
// the marked letters through the print table and the report, print by date. The form has no
// modes of its own; when it closes, its visit (RegisterSession) decides where the user goes back:
// the main window, the search form or the entry form. Bound boxes show the current letter and
// accept no typing.

#include "form_support.h"
#include "print_marks.h"
#include "register_session.h"

#include "platform/report/report_control.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/grid.h"

#include <QPushButton>

namespace registers {

struct LettersListConfig : MarkPrintConfig
{
    QStringList boundBoxes;                     // the boxes showing the current letter (field = name without "m")
    QString checkBox;                           // "Checkdaxuly" or ""
    QList<QPair<QString, QString>> gridColumns; // caption, field
    QString printCaller;                        // "frmgridcvden"
    QString printDateField;                     // "ng_den"
    Register which = Register::Incoming;
    QString printButton = QStringLiteral("Cmdin");
};

class LettersListForm : public ui::FormBase, public SessionMember
{
    Q_OBJECT

public:
    explicit LettersListForm(LettersListConfig config, QWidget* parent = nullptr);

    // Shows the records of source (a table name or a search statement) of the letters file's
    // table `table` (the year searched); fromSearch moves to the last and back to the first record.
    void open(const QString& table, const QString& source, bool fromSearch);

    ui::DataControl* Data1 = nullptr;
    ui::Grid* DBGrid1 = nullptr;
    report::ReportControl CrystalReport1;
    QString table() const { return m_table; }

    void DBGrid1_DblClick();
    void Cmdchontat_Click();
    void Cmdhuychon_Click();
    void Cmdin_Click();
    void Cmdincvtheongay_Click();
    void cmdclose_Click();

protected:
    void attachControls();
    void Form_Load() override;
    // The close box (and Alt+F4) does what "Kết thúc" does: the form the user came from comes back.
    void closeEvent(QCloseEvent* event) override;
    SessionPtr makeOwnSession() const override;
    const LettersListConfig m_config;

private:
    void Data1_Reposition();
    ui::ErrorResponse Data1_Error(int dataErr, const QString& description);
    void rememberPosition();
    void marksRan(bool ran);

    QString m_table;
    ui::TextBox* m_recnum = nullptr;
    PrintMarks m_marks;
};

} // namespace registers
