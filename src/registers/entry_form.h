#pragma once

// The entry form of a register (IncomingEntryForm, OutgoingEntryForm): one record at a time in three modes,
// viewing, adding and editing (EntryMode), shown in the status label. The base holds everything the entry forms
// share; a register's form gives its names, texts and lists in an EntryConfig and overrides the
// few steps that really differ (the defaults of a new record, its own F5 keys, the numbering).

#include "form_support.h"
#include "pick_grids.h"
#include "register_session.h"

#include "datafiles/replication_sql.h"
#include "platform/db/database.h"
#include "platform/ui/check_box.h"
#include "platform/ui/data_combo.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace registers {

struct RequiredBox
{
    ui::TextBox* box = nullptr;     // mng_den
    QString label;                  // "Ngày đến", as the missing-field message lists it
    QString firstLabel = QString(); // the wording when it heads the list ("" for label)
};

// A pick grid of the entry form and the reference list it shows (columns "Tên đơn vị" tendonvi
// and "Chữ tắt" chutat unless given).
struct EntryPick
{
    PickList pick;
    ReferenceList list;
    QString sql;
    QList<GridColumn> columns;
};

// The guide of the letter entry forms: the keys F4, F5, F6, PgUp, PgDn and the position box.
QString entryGuide();

// The controls the entry and list forms have under the same names; those a form lacks stay null.
struct EntryControls
{
    QLabel* status = nullptr;        // lbltrangthai: the mode it shows
    QPushButton* save = nullptr;     // cmdUpdate
    QPushButton* close = nullptr;    // cmdclose
    QPushButton* add = nullptr;      // cmdAdd
    ui::TextBox* position = nullptr; // mrecnum: "3/12", a position typed and Enter moves there
    QPushButton* search = nullptr;   // Cmdtracuu
    QLabel* guide = nullptr;         // Label5
    QPushButton* print = nullptr;    // Cmdin: prints by date when the register has a printCaller
    ui::TextBox* number = nullptr;   // mstt: the register number
};

// What every entry form (letters, plans, schedule) has.
template <class Ui> EntryControls entryControls(const Ui& ui)
{
    return {ui.lbltrangthai, ui.cmdUpdate, ui.cmdclose, ui.cmdAdd, ui.mrecnum, ui.Cmdtracuu};
}

// A letters entry form: the entry controls, the guide, print by date and the register number.
template <class Ui> EntryControls letterEntryControls(const Ui& ui)
{
    EntryControls c = entryControls(ui);
    c.guide = ui.Label5;
    c.print = ui.Cmdin;
    c.number = ui.mstt;
    return c;
}

struct EntryConfig
{
    Register which = Register::Incoming;
    EntryControls controls;
    // Boxes whose field is not the box's name without its leading "m" (txtban shows "Tendonvi").
    QHash<const QWidget*, QString> boxFields;
    QPushButton* editButton = nullptr; // cmdsua
    QString cancelEditCaption = QStringLiteral("Huỷ sửa");
    // "&Huỷ nạp" makes "&Nạp mới" cancel the record being added; "" keeps the letters' way (a
    // second press saves it and starts the next).
    QString cancelAddCaption;
    // The delete button and its texts; none for a register without one.
    QPushButton* deleteButton = nullptr;
    QString deleteQuestion; // "" deletes at once
    QString deleteWhileAdding;
    // Buttons enabled only while viewing (cmdGrid, cmdclose).
    QList<QPushButton*> viewOnlyButtons;
    // The column naming who last saved a record. With the rights string "CB" a user may change
    // and delete only records last saved by himself or by nobody; "" for no such rule.
    QString ownerField;
    QString searchWhileEditing = QStringLiteral("Bạn phải nạp, sửa xong mới có thể tìm kiếm được !");
    QString dataErrorPrefix = QStringLiteral("Lỗi dữ liệu : ");
    QString viewStatus; // "Xem công văn đến"
    QString addStatus;  // "Nạp công văn đến"
    QString editStatus; // "sửa công văn đang xem"
    // The bound boxes; each shows the field named like it without its leading "m".
    QList<ui::TextBox*> dataBoxes;
    // The boxes unlocked while adding or editing.
    QList<ui::TextBox*> editableBoxes;
    ui::CheckBox* checkBox = nullptr; // Checkdaxuly, or none
    // Further check boxes, bound to their boxFields column and usable only while adding or editing.
    QList<ui::CheckBox*> checkBoxes;
    // The further check boxes are usable while viewing too, on a record the user may change (the
    // rights rule of ownerField).
    bool checkBoxesFollowRights = false;
    bool f5FillsToday = false; // F5 in a date box puts today's date (else it steps the date)
    QList<RequiredBox> required;
    // The required boxes are checked only when one of these changed (none for always); a change in
    // another box alone is written without the check.
    QList<ui::TextBox*> checkedWhenChanged;
    QWidget* requiredFocus = nullptr; // where the focus goes after the missing-field message
    // Fields whose values are remembered for F6 and the defaults of a new record.
    QStringList rememberedFields;
    QString numberField = QStringLiteral("stt"); // "" for a register without numbers
    QWidget* homeBox = nullptr;                  // the box most commands leave the focus in (mcd_dang)
    QWidget* editFocus = nullptr;                // where editing starts (mso_cv)
    QWidget* positionFocus = nullptr;            // where Enter in the position box sends the focus
    // Date boxes; each has a companion column, its field + "chuan", written on every save.
    QList<ui::TextBox*> dateBoxes;
    QString invalidDateMessage;
    QList<AbbreviationRule> abbreviations;
    QList<EntryPick> picks;
    QPushButton* renumberButton = nullptr; // cmdsuasocvden
    QString searchForm;                    // "frmtracuucvden"
    bool searchStartsAtNumber = false;     // the search opens with the cursor in its number box
    QString printCaller;                   // "frmcvden": the name DatePrintDialog is told
    QString printDateField;                // "ng_den": the current letter's date given to DatePrintDialog
    // What the backup mirrors of the register at closing (nullptr for no backup).
    const datafiles::LetterRegister* backup = nullptr;
    QString guide = entryGuide(); // the text of the guide label
    // The position box mrecnum is locked while adding or editing (the plan and schedule forms).
    bool lockPositionWhileEditing = false;
    // Return to view also runs in view mode (re-reads the record, focus home).
    bool alwaysReturnToView = false;
};

enum class EntryMode
{
    Viewing,
    Adding,
    Editing,
};

class EntryForm : public ui::FormBase, public SessionMember
{
    Q_OBJECT

public:
    explicit EntryForm(QWidget* parent = nullptr);
    // Silences the controls first (ui::silenceControls); the pick grids too.
    ~EntryForm() override;

    // Binds Data1 to table of the letters file (dynaset, table order), the pick grids to their
    // reference lists, moves to the last record and puts the form in the viewing mode; then the
    // form is shown without waiting.
    // source, when given, is the statement Data1 shows instead of the whole table.
    void open(const QString& table, const QString& source = QString());

    ui::DataControl* Data1 = nullptr;
    PickGrids* pickGrids() const { return m_picks; }
    QString table() const { return m_table; }
    const EntryConfig& config() const { return m_config; }
    EntryMode mode() const { return m_mode; }
    bool editing() const;

    // The handlers, public so that tests and the other forms can drive them.
    void cmdAdd_Click();
    void Cmdsua_Click();
    void cmdUpdate_Click();
    void cmdsuaso_Click();
    void Cmdtracuu_Click();
    void cmdin_Click();
    void cmdclose_Click();
    void cmdDelete_Click();
    ui::ValidateResult Data1_Validate(ui::DataAction action, bool changed);
    // Moves to the record whose id is id (the list form hands the current record back).
    void showRecord(long long id);
    // The form comes back after a form it opened has finished, on the record id.
    virtual void returnTo(long long id);
    // Whether the logged-in user may change or delete the current record (the "CB" rule).
    bool mayChangeCurrent() const;
    db::Database& database() const { return session().database(); }
    // The field box shows: its boxFields entry, else its name without the leading "m".
    QString fieldOf(const QWidget* box) const;

signals:
    // A record was written by a save (added is true for a new one), after recordWritten().
    void recordSaved(bool added);
    // The form entered mode (viewing, adding or editing).
    void modeChanged(registers::EntryMode mode);

protected:
    // Wires the controls config names; the register's form calls it after setupUi.
    void attachControls(EntryConfig config);

    // Makes the letter-type list behind combo (Dataloai, "select * from loaicv order by matt",
    // bound when the form loads); its clicks come to DBComboloai_Click.
    ui::DataControl* attachLetterTypes(ui::DataCombo* combo);
    virtual void DBComboloai_Click(int area) { Q_UNUSED(area) }

    // The defaults of a new record, after addNew (remembered values are filled).
    virtual void fillNewRecord() {}
    // F5 in a box that is neither a date box nor a pick-grid box while editing; true when handled.
    virtual bool functionKey5(QWidget* box, int shift)
    {
        Q_UNUSED(box)
        Q_UNUSED(shift)
        return false;
    }
    // Called once editing has started.
    virtual void editStarted() {}
    // Called when open() has chosen the table, before the controls are bound to it: a form whose
    // boxes show columns an older file may lack fits its configuration to the table here.
    virtual void tableChosen() {}
    // True when the register number of the letter being added was typed, not proposed: a
    // number taken meanwhile is then kept as typed.
    virtual bool numberTypedByHand() const { return m_numberTyped; }
    // A Jet condition limiting which records share a register number ("" for all of the year).
    virtual QString numberScope(const db::Recordset& rs) const
    {
        Q_UNUSED(rs)
        return QString();
    }

    // A date the date rule accepted in box that the register still refuses (a plan ending before
    // it starts): the form has told the user and put the focus back in box, whose typed text
    // stays. False for a date the register takes.
    virtual bool dateRefused(const ui::TextBox* box, const QString& date)
    {
        Q_UNUSED(box)
        Q_UNUSED(date)
        return false;
    }

    // Writes the record being added or edited (the letters' save procedure unless overridden).
    virtual void writeRecord(db::Recordset& rs) { writeLetterRecord(rs); }

    // Asked on every save that runs the required-box check, once the boxes are filled: false
    // (the user declined) writes nothing and keeps the form in its mode with the typed values.
    virtual bool saveConfirmed() { return true; }
    // Called before the current record is deleted, while it is still current.
    virtual void aboutToDelete() {}
    // Called after a record was written or deleted.
    virtual void recordWritten() {}

    // Where the form goes when it has closed: it tells its visit it has finished (as the entry
    // form unless overridden).
    virtual void afterClose();

    SessionPtr makeOwnSession() const override;
    void joined(RegisterSession& session) override;

    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;

    int rememberedNumber() const { return m_rememberedNumber; }
    QString remembered(const QString& field) const;
    void setMode(EntryMode mode);
    void returnToView();
    void focusBox(QWidget* box);
    db::Recordset recordset() const { return Data1->recordset(); }

    EntryConfig m_config;

private:
    void Data1_Reposition();
    ui::ErrorResponse Data1_Error(int dataErr, const QString& description);
    void mrecnum_KeyUp(int keyCode, int shift);
    void boxLostFocus(ui::TextBox* box);
    void writeLetterRecord(db::Recordset& rs);
    void applyRights();
    bool requiredFilled();
    bool needsChecks() const;
    bool datesAccepted();
    bool saveRecord();
    void rememberFrom(const db::Recordset& rs);
    void lockBoxes(bool locked);
    bool refuseReadOnly();
    void setButtons(bool viewing);

    QString m_table;
    PickGrids* m_picks;
    ui::DataControl* m_types = nullptr;
    int m_rememberedNumber = 0;
    QStringList m_remembered;
    bool m_quiet = false;       // the form moves Data1 itself: Validate does nothing
    bool m_numberTyped = false; // "Số mới" was used for the letter being added
    QString m_numberNote;
    EntryMode m_mode = EntryMode::Viewing;
};

} // namespace registers
