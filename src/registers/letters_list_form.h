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

#include <QLabel>
#include <QPushButton>

namespace ui {
class CheckBox;
}

namespace registers {

// The controls both lists have under the same names.
struct LettersListControls
{
    ui::Grid* grid = nullptr;        // DBGrid1
    QLabel* status = nullptr;        // lbltrangthai
    ui::TextBox* position = nullptr; // mrecnum: "3/12", a position typed and Enter moves there
    ui::TextBox* margin = nullptr;   // txtle: the print margin
    QLabel* guide = nullptr;         // Lblhuongdan
    QPushButton* markAll = nullptr;
    QPushButton* clearAll = nullptr;
    QPushButton* print = nullptr;
    QPushButton* printByDate = nullptr;
    QPushButton* close = nullptr;
    QLabel* excerpt = nullptr; // lbldoanvan: the words found in the current letter's documents
};

template <class Ui> LettersListControls lettersListControls(const Ui& ui)
{
    return {ui.DBGrid1,    ui.lbltrangthai, ui.mrecnum,         ui.txtle,    ui.Lblhuongdan, ui.Cmdchontat,
            ui.Cmdhuychon, ui.Cmdin,        ui.Cmdincvtheongay, ui.cmdclose, ui.lbldoanvan};
}

struct LettersListConfig : MarkPrintConfig
{
    LettersListControls controls;
    QList<ui::TextBox*> boundBoxes;             // the boxes showing the current letter (field = name without "m")
    ui::CheckBox* doneBox = nullptr;            // Checkdaxuly, or none
    QList<QPair<QString, QString>> gridColumns; // caption, field
    QString printCaller;                        // "frmgridcvden"
    QString printDateField;                     // "ng_den"
    Register which = Register::Incoming;
};

class LettersListForm : public ui::FormBase, public SessionMember
{
    Q_OBJECT

public:
    explicit LettersListForm(QWidget* parent = nullptr);

    // Shows the records of source (a table name or a search statement) of the letters file's
    // table `table` (the year searched); fromSearch moves to the last and back to the first record.
    void open(const QString& table, const QString& source, bool fromSearch);
    // The words a search by the documents' words looked for (set before open(); "" for none): the
    // list then shows, for the current letter, a passage of its document holding them. A list not
    // opened from a search shows none.
    void setSearchedWords(const QString& words) { m_words = words; }

    ui::DataControl* Data1 = nullptr;
    ui::Grid* DBGrid1 = nullptr;
    report::ReportControl CrystalReport1;
    QString table() const { return m_table; }
    const LettersListControls& controls() const { return m_config.controls; }

    void DBGrid1_DblClick();
    void Cmdchontat_Click();
    void Cmdhuychon_Click();
    void Cmdin_Click();
    void Cmdincvtheongay_Click();
    void cmdclose_Click();

protected:
    // Called by the list once its layout is made: binds and wires the controls config names.
    void attachControls(LettersListConfig config);
    void Form_Load() override;
    // The close box (and Alt+F4) does what "Kết thúc" does: the form the user came from comes back.
    void closeEvent(QCloseEvent* event) override;
    SessionPtr makeOwnSession() const override;
    LettersListConfig m_config;

private:
    void Data1_Reposition();
    ui::ErrorResponse Data1_Error(int dataErr, const QString& description);
    void rememberPosition();
    void marksRan(bool ran);
    void showExcerpt();

    QString m_table;
    QString m_words;
    PrintMarks m_marks;
};

} // namespace registers
