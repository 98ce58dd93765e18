#include "entry_form.h"

#include "form_registry.h"
#include "form_support.h"
#include "register_data.h"
#include "register_opener.h"
#include "search_form.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "app/gui/form_commands.h"
#include "common/abbreviation.h"
#include "common/clock.h"
#include "common/date_field.h"
#include "common/dates.h"
#include "datafiles/letter_save.h"
#include "datafiles/replication.h"
#include "platform/db/db_error.h"
#include "platform/ui/grid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "platform/ui/silence.h"
#include "platform/ui/status_style.h"

namespace registers {
namespace {

const QString kEditCaption = QStringLiteral("&Sửa");

// Guards a flag for the lifetime of the object.
struct Quiet
{
    explicit Quiet(bool& flag) : m_flag(flag), m_was(flag) { flag = true; }
    ~Quiet() { m_flag = m_was; }
    bool& m_flag;
    bool m_was;
};

} // namespace

QString entryGuide()
{
    return QStringLiteral("F4 : xoá cả ô      F5: Chọn theo danh sách    ") +
           QStringLiteral("     F5 và Shift-F5 : tăng giảm ô ngày     F6 : Sao chép nội dung trang trước") +
           QStringLiteral("     PgUp : Về trang trước      PgDn : đến trang sau") +
           QStringLiteral("     Nạp số trực tiếp vào ô vị trí CV hiện tại ");
}

QString EntryForm::fieldOf(const QWidget* box) const
{
    return m_config.boxFields.value(box, box->objectName().mid(1));
}

EntryForm::EntryForm(QWidget* parent) : ui::FormBase(parent)
{
    Data1 = new ui::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->hide();
    Data1->setRecordWriter([this](db::Recordset& rs) { writeRecord(rs); });
    Data1->setValidateHandler([this](ui::DataAction action, bool changed) { return Data1_Validate(action, changed); });
    connect(Data1, &ui::DataControl::Reposition, this, &EntryForm::Data1_Reposition);
    Data1->setErrorHandler([this](int number, const QString& description) { return Data1_Error(number, description); });
    m_picks = new PickGrids(this);
}

EntryForm::~EntryForm()
{
    ui::silenceControls(this);
}

void EntryForm::attachControls(EntryConfig config)
{
    m_config = std::move(config);
    const EntryControls& c = m_config.controls;
    for (ui::TextBox* b : std::as_const(m_config.dataBoxes))
        b->bind(Data1, fieldOf(b));
    if (m_config.checkBox)
        m_config.checkBox->bind(Data1, QStringLiteral("da_xuli"));
    for (ui::CheckBox* check : std::as_const(m_config.checkBoxes))
        check->bind(Data1, fieldOf(check));
    c.status->setAccessibleDescription(QStringLiteral("Trạng thái")); // its name is the mode it shows
    if (c.position) {
        c.position->setSelectAllOnFocus(true);
        connect(c.position, &ui::TextBox::KeyUp, this, &EntryForm::mrecnum_KeyUp);
    }
    for (const EntryPick& p : m_config.picks)
        m_picks->add(p.pick);
    // Every data box reports leaving: dates, completion and the register number act on it.
    for (ui::TextBox* b : std::as_const(m_config.dataBoxes))
        connect(b, &ui::TextBox::LostFocus, this, [this, b] { boxLostFocus(b); });
    const QList<QPair<QPushButton*, void (EntryForm::*)()>> buttons = {
        {c.add, &EntryForm::cmdAdd_Click},
        {m_config.editButton, &EntryForm::Cmdsua_Click},
        {m_config.deleteButton, &EntryForm::cmdDelete_Click},
        {c.save, &EntryForm::cmdUpdate_Click},
        {m_config.renumberButton, &EntryForm::cmdsuaso_Click},
        {c.search, &EntryForm::Cmdtracuu_Click},
        // Print by date, for a register that has it (a list form's own print button prints its marks).
        {m_config.printCaller.isEmpty() ? nullptr : c.print, &EntryForm::cmdin_Click},
        {c.close, &EntryForm::cmdclose_Click}};
    for (const auto& [button, handler] : buttons) {
        if (button)
            connect(button, &QPushButton::clicked, this, handler);
    }
    nameControlsFromLabels(this);
}

void EntryForm::open(const QString& table, const QString& source)
{
    m_table = table;
    tableChosen();
    load();
    const ProgramContext& m = session().context();
    for (const EntryPick& p : m_config.picks) {
        const db::Database& db = p.list == ReferenceList::Units ? m.scheduleReference : m.lettersReference;
        const QList<GridColumn> columns =
            p.columns.isEmpty() ? QList<GridColumn>{{QStringLiteral("Tên đơn vị"), QStringLiteral("tendonvi")},
                                                    {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}}
                                : p.columns;
        m_picks->setSource(p.pick.grid, db, p.sql, columns);
    }
    {
        Quiet quiet(m_quiet);
        Data1->setDatabase(database());
        Data1->setRecordSource(source.isEmpty() ? table : source);
        Data1->setRecordsetType(db::RecordsetType::Dynaset);
        if (Data1->refresh() && Data1->recordset().recordCount() > 0)
            Data1->moveLast();
    }
    m_mode = EntryMode::Viewing;
    Data1_Reposition();
    showModeless();
    focusBox(m_config.homeBox);
}

bool EntryForm::editing() const
{
    return m_mode != EntryMode::Viewing;
}

ui::DataControl* EntryForm::attachLetterTypes(ui::DataCombo* combo)
{
    m_types = new ui::DataControl(this);
    m_types->setObjectName(QStringLiteral("Dataloai"));
    m_types->setRecordsetType(db::RecordsetType::Snapshot);
    m_types->hide();
    combo->setRowSource(m_types);
    combo->setListField(QStringLiteral("loai"));
    combo->setEditable(false);
    connect(combo, &ui::DataCombo::Click, this, &EntryForm::DBComboloai_Click);
    return m_types;
}

void EntryForm::Form_Load()
{
    lockBoxes(true);
    setButtons(true); // viewing: nothing to write, no number to renew
    setMode(EntryMode::Viewing);
    if (QLabel* guide = m_config.controls.guide)
        guide->setText(m_config.guide);
    if (m_types) {
        m_types->setDatabase(session().context().lettersReference);
        m_types->setRecordSource(QStringLiteral("select * from loaicv order by matt"));
        m_types->refresh();
    }
}

void EntryForm::setMode(EntryMode mode)
{
    m_mode = mode;
    const bool viewing = mode == EntryMode::Viewing;
    if (m_config.controls.position && m_config.lockPositionWhileEditing)
        m_config.controls.position->setLocked(!viewing);
    QLabel* status = m_config.controls.status;
    QString text = viewing ? m_config.viewStatus : mode == EntryMode::Adding ? m_config.addStatus : m_config.editStatus;
    if (viewing && !m_numberNote.isEmpty())
        text += QStringLiteral(" - ") + m_numberNote;
    status->setText(text);
    ui::setStatusStyle(status, viewing ? ui::StatusStyle::Viewing : ui::StatusStyle::Editing);
    emit modeChanged(mode);
}

void EntryForm::lockBoxes(bool locked)
{
    for (ui::TextBox* b : std::as_const(m_config.dataBoxes))
        b->setLocked(locked || !m_config.editableBoxes.contains(b));
    if (m_config.checkBox)
        m_config.checkBox->setEnabled(!locked);
    for (ui::CheckBox* c : std::as_const(m_config.checkBoxes))
        c->setEnabled(!locked);
}

void EntryForm::setButtons(bool viewing)
{
    const auto enable = [](QPushButton* b, bool on) {
        if (b)
            b->setEnabled(on);
    };
    const EntryControls& c = m_config.controls;
    enable(c.save, !viewing);
    enable(m_config.renumberButton, !viewing);
    enable(c.search, viewing);
    enable(c.print, viewing);
    for (QPushButton* b : std::as_const(m_config.viewOnlyButtons))
        enable(b, viewing);
    if (!viewing)
        enable(m_config.deleteButton, false);
}

void EntryForm::focusBox(QWidget* box)
{
    if (box && isVisible())
        box->setFocus();
}

QString EntryForm::remembered(const QString& field) const
{
    const int i = m_config.rememberedFields.indexOf(field);
    return i >= 0 && i < m_remembered.size() ? m_remembered.at(i) : QString();
}

void EntryForm::rememberFrom(const db::Recordset& rs)
{
    m_remembered.clear();
    if (rs.isNull() || rs.bof() || rs.eof()) {
        m_rememberedNumber = 0;
        for (int i = 0; i < m_config.rememberedFields.size(); ++i)
            m_remembered << QString();
        return;
    }
    m_rememberedNumber = m_config.numberField.isEmpty() ? 0 : rs.value(m_config.numberField).toInt();
    for (const QString& f : m_config.rememberedFields)
        m_remembered << rs.value(f).toString();
}

bool EntryForm::refuseReadOnly()
{
    return refuseWhenReadOnly(database(), m_table);
}

bool EntryForm::requiredFilled()
{
    QString missing;
    for (const RequiredBox& r : m_config.required) {
        if (r.box->text().trimmed().isEmpty())
            missing +=
                missing.isEmpty() ? (r.firstLabel.isEmpty() ? r.label : r.firstLabel) : QStringLiteral(", ") + r.label;
    }
    if (missing.isEmpty())
        return true;
    app::tell(QStringLiteral("Cần phải điền đủ nội dung các ô :") + QChar(13) + missing);
    focusBox(m_config.requiredFocus);
    return false;
}

// Every save goes through the letters' save procedure: one transaction, replication flags set.
// A new letter whose proposed number was taken meanwhile by another letter of the year gets the
// next free number (a number typed through "Số mới" is kept as typed).
void EntryForm::writeLetterRecord(db::Recordset& rs)
{
    for (const ui::TextBox* b : std::as_const(m_config.dateBoxes))
        rs.setValue(fieldOf(b) + QStringLiteral("chuan"), common::normaliseDate(b->text()));
    const bool renumber = rs.editMode() == db::EditMode::AddNew && !numberTypedByHand();
    QString note;
    datafiles::saveLetter(database(), rs, [&](db::Recordset& row) {
        if (!renumber || row.value(m_config.numberField).isNull())
            return;
        const int proposed = row.value(m_config.numberField).toInt();
        const int number = nextFreeNumber(database(), m_table, m_config.numberField, proposed, numberScope(row));
        if (number != proposed) {
            row.setValue(m_config.numberField, number);
            note = QStringLiteral("số ") + QString::number(proposed) +
                   QStringLiteral(" đã có công văn khác dùng, công văn vừa ghi nhận số ") + QString::number(number);
        }
    });
    m_numberNote = note;
}

bool EntryForm::needsChecks() const
{
    if (m_config.checkedWhenChanged.isEmpty())
        return true;
    for (const ui::TextBox* b : m_config.checkedWhenChanged) {
        if (b->dataChanged())
            return true;
    }
    return false;
}

// Every date box again before a save: the box may not have been left (a click on "Ghi đĩa"
// whose focus change brought no leave, a shortcut), and nothing that is not a date is written.
bool EntryForm::datesAccepted()
{
    for (ui::TextBox* b : std::as_const(m_config.dateBoxes)) {
        if (b->isLocked())
            continue;
        const QString typed = b->text();
        if (!recheckDateBox(*b, m_config.invalidDateMessage))
            return false;
        if (!b->text().trimmed().isEmpty() && dateRefused(b, b->text())) {
            b->setText(typed); // refused as typed
            return false;
        }
    }
    return true;
}

bool EntryForm::saveRecord()
{
    if (!datesAccepted())
        return false;
    if (needsChecks() && (!requiredFilled() || !saveConfirmed()))
        return false;
    const bool added = mode() == EntryMode::Adding;
    if (!Data1->updateRecord())
        return false; // a refused write was shown by Data1_Error; the values stay
    recordWritten();
    emit recordSaved(added);
    return true;
}

void EntryForm::cmdAdd_Click()
{
    QPushButton* add = m_config.controls.add;
    if (!m_config.cancelAddCaption.isEmpty() && mode() == EntryMode::Adding) {
        Data1->cancelUpdate();
        returnToView();
        return;
    }
    if (mode() != EntryMode::Adding && refuseReadOnly())
        return;
    if (mode() == EntryMode::Editing) {
        Data1_Validate(ui::DataAction::AddNew, true);
        if (mode() != EntryMode::Viewing)
            return; // the changes could not be written
    }
    const db::Recordset rs0 = recordset();
    if (rs0.isNull())
        return;
    if (mode() == EntryMode::Adding && (rs0.editMode() == db::EditMode::AddNew || Data1->anyChanged())) {
        if (!saveRecord())
            return;
        Data1_Reposition();
    }
    {
        Quiet quiet(m_quiet);
        db::Recordset rs = recordset();
        if (rs.recordCount() == 0) {
            rememberFrom(db::Recordset());
        } else {
            Data1->moveLast();
            rememberFrom(recordset());
        }
        if (!Data1->addNew())
            return;
    }
    m_numberTyped = false;
    m_numberNote.clear();
    setMode(EntryMode::Adding);
    fillNewRecord();
    lockBoxes(false);
    setButtons(false);
    if (QPushButton* b = m_config.editButton)
        b->setEnabled(false);
    if (add) {
        add->setEnabled(true);
        if (!m_config.cancelAddCaption.isEmpty())
            add->setText(m_config.cancelAddCaption);
    }
    focusBox(m_config.homeBox);
}

void EntryForm::Cmdsua_Click()
{
    QPushButton* sua = m_config.editButton;
    if (sua && sua->text() == m_config.cancelEditCaption) {
        Data1->cancelUpdate();
        returnToView();
        return;
    }
    if (mode() == EntryMode::Adding) {
        app::tell(QStringLiteral("Bạn phải nạp xong mới sửa được !"));
        focusBox(m_config.homeBox);
        return;
    }
    db::Recordset rs = recordset();
    if (mode() == EntryMode::Viewing && !rs.isNull() && rs.recordCount() > 0 && Data1->hasCurrentRecord()) {
        if (!mayChangeCurrent() || refuseReadOnly())
            return;
        {
            Quiet quiet(m_quiet);
            const int p = rs.absolutePosition();
            if (p >= 1) {
                db::Recordset previous = rs.clone();
                previous.setAbsolutePosition(p - 1);
                rememberFrom(previous);
            } else {
                rememberFrom(rs);
            }
        }
        lockBoxes(false);
        setButtons(false);
        if (sua)
            sua->setText(m_config.cancelEditCaption);
        if (QPushButton* b = m_config.controls.add)
            b->setEnabled(false);
        m_numberNote.clear();
        setMode(EntryMode::Editing);
        editStarted();
    }
    if (mode() != EntryMode::Adding)
        focusBox(m_config.editFocus);
}

void EntryForm::cmdUpdate_Click()
{
    if (mode() == EntryMode::Viewing) {
        returnToView();
        return;
    }
    const db::Recordset rs = recordset();
    if (!rs.isNull() && (rs.editMode() == db::EditMode::AddNew || Data1->anyChanged())) {
        if (!saveRecord())
            return;
    }
    returnToView();
}

void EntryForm::returnToView()
{
    if (mode() == EntryMode::Viewing && !m_config.alwaysReturnToView)
        return;
    lockBoxes(true);
    setButtons(true);
    setMode(EntryMode::Viewing);
    if (QPushButton* b = m_config.controls.add) {
        b->setText(QStringLiteral("&Nạp mới"));
        b->setEnabled(true);
    }
    if (QPushButton* b = m_config.editButton) {
        b->setText(kEditCaption);
        b->setEnabled(true);
    }
    if (ui::TextBox* number = m_config.controls.number; number && !m_config.editableBoxes.contains(number))
        number->setLocked(true);
    // The bound boxes show the record as stored (an addition that was dropped shows the current one).
    const db::Recordset rs = recordset();
    if (!rs.isNull() && rs.editMode() == db::EditMode::None)
        Data1->updateControls();
    Data1_Reposition();
    focusBox(m_config.homeBox);
}

ui::ValidateResult EntryForm::Data1_Validate(ui::DataAction action, bool changed)
{
    Q_UNUSED(action)
    Q_UNUSED(changed)
    if (m_quiet || !editing())
        return ui::ValidateResult::Save;
    const db::Recordset rs = recordset();
    if (!rs.isNull() && rs.editMode() == db::EditMode::AddNew) {
        if (app::ask(QStringLiteral("Có lưu giữ bản ghi đang nạp không ?"))) {
            cmdUpdate_Click();
            // not written: stay on the letter being added
            return editing() ? ui::ValidateResult::Cancel : ui::ValidateResult::DontSave;
        }
        Data1->cancelUpdate();
    } else if (Data1->anyChanged()) {
        if (app::ask(QStringLiteral("Có lưu giữ những sửa đổi vừa thực hiện không ?"))) {
            cmdUpdate_Click();
            return editing() ? ui::ValidateResult::Cancel : ui::ValidateResult::DontSave;
        }
        Data1->cancelUpdate();
    }
    returnToView();
    return ui::ValidateResult::DontSave;
}

bool EntryForm::mayChangeCurrent() const
{
    if (m_config.ownerField.isEmpty())
        return true;
    const ProgramContext& m = session().context();
    if (m.userRights != QLatin1String("CB") || !Data1->hasCurrentRecord())
        return true;
    try {
        const QString owner = recordset().value(m_config.ownerField).toString();
        return owner.isEmpty() || owner == m.userFullName;
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        return false; // unknown owner: refuse rather than let another user's record be changed
    }
}

// In viewing, correcting and deleting follow the rights rule; an empty register has nothing to change.
void EntryForm::applyRights()
{
    if (mode() != EntryMode::Viewing)
        return;
    const db::Recordset rs = recordset();
    const bool any = !rs.isNull() && Data1->hasCurrentRecord();
    const bool allowed = any && mayChangeCurrent();
    if (QPushButton* b = m_config.editButton)
        b->setEnabled(m_config.ownerField.isEmpty() ? b->isEnabled() : allowed);
    if (QPushButton* b = m_config.deleteButton)
        b->setEnabled(allowed);
    if (m_config.checkBoxesFollowRights) {
        for (ui::CheckBox* c : std::as_const(m_config.checkBoxes))
            c->setEnabled(allowed);
    }
}

void EntryForm::cmdDelete_Click()
{
    if (mode() == EntryMode::Adding) {
        app::tell(m_config.deleteWhileAdding);
        focusBox(m_config.homeBox);
        return;
    }
    if (mode() != EntryMode::Viewing || !Data1->hasCurrentRecord() || !mayChangeCurrent() || refuseReadOnly())
        return;
    if (m_config.deleteQuestion.isEmpty() || app::ask(m_config.deleteQuestion)) {
        Quiet quiet(m_quiet);
        aboutToDelete();
        if (Data1->deleteRecord()) {
            recordWritten();
            const db::Recordset rs = recordset();
            Data1->moveNext();
            if (!rs.isNull() && recordset().eof() && recordset().recordCount() > 0)
                Data1->moveLast();
        }
    }
    Data1_Reposition();
    focusBox(m_config.homeBox);
}

void EntryForm::Data1_Reposition()
{
    ui::setDefaultPointer();
    applyRights();
    ui::TextBox* position = m_config.controls.position;
    if (!position)
        return;
    try {
        const db::Recordset rs = recordset();
        if (rs.isNull())
            return;
        position->setText(QString::number(rs.absolutePosition() + 1) + QStringLiteral("/") +
                          QString::number(rs.recordCount()));
        position->setDataChanged(false);
    } catch (const db::DbError&) {
        // the position box shows what it showed
    }
}

ui::ErrorResponse EntryForm::Data1_Error(int dataErr, const QString& description)
{
    Q_UNUSED(dataErr)
    ui::msgBox(m_config.dataErrorPrefix + description);
    return ui::ErrorResponse::Handled;
}

void EntryForm::mrecnum_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    // A locked position box (a record being added or edited) never moves away from that record.
    ui::TextBox* position = m_config.controls.position;
    if (keyCode != ui::key::Enter || position->isLocked())
        return;
    if (recordset().isNull())
        return;
    if (!moveToTypedPosition(*Data1, position->text()))
        Data1_Reposition();
    focusBox(m_config.positionFocus);
}

void EntryForm::showRecord(long long id)
{
    if (id > 0)
        Data1->findFirst(QStringLiteral("id =") + QString::number(id));
    Data1_Reposition();
}

void EntryForm::cmdsuaso_Click()
{
    ui::TextBox* number = m_config.controls.number;
    if (!number || !editing())
        return;
    m_numberTyped = true;
    number->setLocked(false);
    number->setTabStop(true);
    ui::setBackColor(number, palette().color(QPalette::Base));
    number->setFocus();
}

void EntryForm::boxLostFocus(ui::TextBox* b)
{
    if (b == m_config.controls.number) {
        b->setLocked(true);
        b->setTabStop(false);
        ui::setBackColor(b, ui::colorFromNumber(0xC0C0C0));
    }
    if (b->isLocked())
        return;
    if (m_config.dateBoxes.contains(b) && !b->text().trimmed().isEmpty()) {
        const common::DateFieldResult r = common::leaveDateField(b->text());
        if (r.outcome == common::DateFieldResult::Outcome::Completed) {
            if (dateRefused(b, r.text))
                return;
            if (b->text() != r.text)
                b->setText(r.text);
        } else if (r.outcome == common::DateFieldResult::Outcome::Invalid) {
            app::tell(m_config.invalidDateMessage);
            b->setText(QString());
            b->setFocus();
            return;
        }
    }
    for (const AbbreviationRule& rule : m_config.abbreviations) {
        if (rule.box == b && !rule.leaveColumn.isEmpty())
            expandFrom(session().context(), *b, common::expandkey::LeaveField, rule.list, rule.leaveColumn);
    }
}

void EntryForm::Form_KeyUp(int keyCode, int shift)
{
    QWidget* active = activeControl();
    // The focused data box, when the focus is in one.
    ui::TextBox* focus = qobject_cast<ui::TextBox*>(active);
    if (!m_config.dataBoxes.contains(focus))
        focus = nullptr;
    switch (keyCode) {
    case ui::key::Escape: {
        if (ui::TextBox* gridBox = m_picks->visibleBox()) {
            if (isVisible())
                gridBox->setFocus();
        } else if (editing()) {
            Data1_Validate(ui::DataAction::None, true);
        }
        return;
    }
    case ui::key::F4:
        if (editing() && focus && !focus->isLocked())
            focus->setText(QString());
        return;
    case ui::key::F5:
        if (!editing())
            return;
        if (focus && m_config.dateBoxes.contains(focus)) {
            ui::TextBox* b = focus;
            if (m_config.f5FillsToday) {
                b->setText(common::dateToText(common::clock().today()));
                return;
            }
            const QString stepped = common::stepDateField(b->text(), shift == ui::shift::Shift ? -1 : 1);
            if (!stepped.isEmpty())
                b->setText(stepped);
        } else if (!m_picks->showFor(active)) {
            functionKey5(active, shift);
        }
        return;
    case ui::key::F6:
        if (editing() && focus && m_config.editableBoxes.contains(focus) &&
            m_config.rememberedFields.contains(fieldOf(focus)))
            focus->setText(remembered(fieldOf(focus)));
        return;
    case ui::key::PageUp:
    case ui::key::PageDown: {
        // A grid pages through its rows itself (its move runs the leave-edit check): moving again
        // here would land a row past its page.
        if (qobject_cast<ui::Grid*>(activeControl()))
            return;
        Data1_Validate(keyCode == ui::key::PageUp ? ui::DataAction::MovePrevious : ui::DataAction::MoveNext, true);
        const db::Recordset rs = recordset();
        if (mode() != EntryMode::Viewing || rs.isNull())
            return;
        const int p = rs.absolutePosition();
        if (keyCode == ui::key::PageUp && p >= 1 && p < rs.recordCount())
            Data1->movePrevious();
        else if (keyCode == ui::key::PageDown && p >= 0 && p + 1 < rs.recordCount())
            Data1->moveNext();
        return;
    }
    default:
        break;
    }
    for (const AbbreviationRule& rule : m_config.abbreviations) {
        if (active && rule.box == active && !rule.keyColumn.isEmpty()) {
            expandFrom(session().context(), *rule.box, keyCode, rule.list, rule.keyColumn);
            return;
        }
    }
}

void EntryForm::Cmdtracuu_Click()
{
    if (mode() != EntryMode::Viewing) {
        app::tell(m_config.searchWhileEditing);
        focusBox(m_config.homeBox);
        return;
    }
    session().setCurrentId(Data1->hasCurrentRecord() ? recordset().value(QStringLiteral("id")).toLongLong() : 0);
    focusBox(m_config.homeBox);
    auto* search = dynamic_cast<SearchForm*>(form(m_config.searchForm));
    if (!search) {
        app::tell(app::kNotAvailable);
        return;
    }
    hide();
    search->setSession(sharedSession());
    if (m_config.searchStartsAtNumber)
        search->open();
    else
        search->openFromEntry();
}

void EntryForm::cmdin_Click()
{
    const QString date = Data1->hasCurrentRecord() ? recordset().value(m_config.printDateField).toString() : QString();
    ui::FormBase* dialog = datePrintDialog(m_config.printCaller, sharedSession(), date);
    if (!dialog)
        return;
    focusBox(m_config.homeBox);
    dialog->showModal();
}

void EntryForm::cmdclose_Click()
{
    unload();
}

ui::UnloadResult EntryForm::Form_Unload()
{
    if (editing()) {
        Data1_Validate(ui::DataAction::Unload, true);
        if (editing()) {
            return ui::UnloadResult::Stay; // the letter could not be written: stay
        }
    }
    focusBox(m_config.homeBox);
    if (m_config.backup) {
        ui::HourglassPointer hourglass;
        datafiles::replicate(m_table, *m_config.backup);
    }
    ui::setDefaultPointer();
    afterClose();
    return ui::UnloadResult::Unload;
}

void EntryForm::afterClose()
{
    session().finished(FormRole::Entry);
}

void EntryForm::returnTo(long long id)
{
    showRecord(id);
    showModeless();
}

SessionPtr EntryForm::makeOwnSession() const
{
    return programSession(m_config.which, Start::Entry, m_table);
}

void EntryForm::joined(RegisterSession& session)
{
    session.setReturn(FormRole::Entry, this, [this](long long id) { returnTo(id); });
}

} // namespace registers
