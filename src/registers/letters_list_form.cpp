#include "letters_list_form.h"

#include "form_registry.h"
#include "form_support.h"
#include "register_data.h"
#include "register_opener.h"
#include "register_print.h"
#include "registers_log.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/dates.h"
#include "platform/db/db_error.h"
#include "platform/ui/check_box.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "platform/ui/status_style.h"

#include <QCloseEvent>
#include <QLabel>

namespace registers {

LettersListForm::LettersListForm(LettersListConfig config, QWidget* parent)
    : ui::FormBase(parent), Data1(new ui::DataControl(this)), m_config(std::move(config)),
      m_marks(m_config, Data1, *this)
{
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->hide();
    connect(Data1, &ui::DataControl::Reposition, this, &LettersListForm::Data1_Reposition);
    Data1->setErrorHandler([this](int number, const QString& description) { return Data1_Error(number, description); });
}

void LettersListForm::attachControls()
{
    for (const QString& name : m_config.boundBoxes) {
        if (auto* b = control<ui::TextBox>(name)) {
            b->bind(Data1, name.mid(1));
            b->setLocked(true); // corrections are made in the entry form
        }
    }
    if (auto* check = control<ui::CheckBox>(m_config.checkBox)) {
        check->bind(Data1, QStringLiteral("da_xuli"));
        check->setEnabled(false);
    }
    DBGrid1 = control<ui::Grid>(QStringLiteral("DBGrid1"));
    if (DBGrid1) {
        for (const auto& [caption, field] : m_config.gridColumns)
            DBGrid1->addColumn(caption, field, field == QLatin1String("chonin") ? 30 : 110);
        DBGrid1->setDataSource(Data1);
        connect(DBGrid1, &ui::Grid::DblClick, this, &LettersListForm::DBGrid1_DblClick);
        DBGrid1->setDoubleClickKeys({Qt::Key_Space}); // Space marks or unmarks the row
        setAccessibleCaption(DBGrid1, QStringLiteral("Danh sách công văn"));
    }
    if (auto* status = control<QLabel>(QStringLiteral("lbltrangthai"))) {
        ui::setStatusStyle(status, ui::StatusStyle::Viewing);
        status->setAccessibleDescription(QStringLiteral("Trạng thái")); // its name is what it shows
    }
    m_recnum = control<ui::TextBox>(QStringLiteral("mrecnum"));
    if (m_recnum) {
        m_recnum->setSelectAllOnFocus(true);
        connect(m_recnum, &ui::TextBox::KeyUp, this, [this](int keyCode, int) {
            if (keyCode != ui::key::Enter || !Data1->hasRecordset())
                return;
            if (!moveToTypedPosition(*Data1, m_recnum->text()))
                Data1_Reposition();
            if (DBGrid1)
                DBGrid1->setFocus();
        });
    }
    const QList<QPair<QString, void (LettersListForm::*)()>> buttons = {
        {QStringLiteral("Cmdchontat"), &LettersListForm::Cmdchontat_Click},
        {QStringLiteral("Cmdhuychon"), &LettersListForm::Cmdhuychon_Click},
        {m_config.printButton, &LettersListForm::Cmdin_Click},
        {QStringLiteral("Cmdincvtheongay"), &LettersListForm::Cmdincvtheongay_Click},
        {QStringLiteral("cmdclose"), &LettersListForm::cmdclose_Click}};
    for (const auto& [name, handler] : buttons) {
        if (auto* b = control<QPushButton>(name))
            connect(b, &QPushButton::clicked, this, handler);
    }
    nameControlsFromLabels(this);
}

void LettersListForm::Form_Load()
{
    if (auto* guide = control<QLabel>(QStringLiteral("Lblhuongdan")))
        guide->setText(QStringLiteral("Nháy đúp vào đầu dòng định in ở bảng trên để chọn ") +
                       QStringLiteral("in (có dấu X) hoặc huỷ chọn dòng đó (bỏ dấu X)"));
}

void LettersListForm::open(const QString& table, const QString& source, bool fromSearch)
{
    m_table = table;
    load();
    Data1->setDatabase(session().database());
    Data1->setRecordSource(source);
    Data1->setRecordsetType(db::RecordsetType::Dynaset);
    if (Data1->refresh() && Data1->recordset().recordCount() > 0) {
        Data1->moveLast();
        if (fromSearch)
            Data1->moveFirst();
    }
    Data1_Reposition();
    showModeless();
    if (DBGrid1)
        DBGrid1->setFocus();
}

void LettersListForm::Data1_Reposition()
{
    ui::setDefaultPointer();
    if (!m_recnum || !Data1->hasRecordset())
        return;
    const db::Recordset rs = Data1->recordset();
    m_recnum->setText(rs.recordCount() == 0 ? QStringLiteral("0/0")
                                            : QString::number(rs.absolutePosition() + 1) + QStringLiteral("/") +
                                                  QString::number(rs.recordCount()));
}

ui::ErrorResponse LettersListForm::Data1_Error(int dataErr, const QString& description)
{
    Q_UNUSED(dataErr)
    ui::msgBox(QStringLiteral("Lỗi dữ liệu : ") + description);
    return ui::ErrorResponse::Handled;
}

void LettersListForm::DBGrid1_DblClick()
{
    m_marks.toggle(m_table);
}

void LettersListForm::rememberPosition()
{
    session().setCurrentId(Data1->hasCurrentRecord() ? Data1->recordset().value(QStringLiteral("id")).toLongLong() : 0);
    if (DBGrid1)
        DBGrid1->setFocus();
}

void LettersListForm::marksRan(bool ran)
{
    if (ran)
        Data1_Reposition();
    if (DBGrid1)
        DBGrid1->setFocus();
}

void LettersListForm::Cmdchontat_Click()
{
    rememberPosition();
    // The hits of a search begun at the main window are marked; otherwise the whole year.
    const RegisterSession& s = session();
    const bool hits = s.start() == Start::Search && !s.lastSearch().isEmpty();
    marksRan(m_marks.markAll(m_table, hits ? s.lastSearch().where : QString(), s.currentId()));
}

void LettersListForm::Cmdhuychon_Click()
{
    rememberPosition();
    marksRan(m_marks.clearAll(m_table, session().currentId()));
}

void LettersListForm::Cmdin_Click()
{
    QString margin;
    if (auto* txtle = control<ui::TextBox>(QStringLiteral("txtle")))
        margin = txtle->text();
    if (DBGrid1)
        DBGrid1->setFocus();
    m_marks.print(CrystalReport1, geometry(), margin);
}

void LettersListForm::Cmdincvtheongay_Click()
{
    const QString date =
        Data1->hasCurrentRecord() ? Data1->recordset().value(m_config.printDateField).toString() : QString();
    ui::FormBase* dialog = datePrintDialog(m_config.printCaller, sharedSession(), date);
    if (!dialog)
        return;
    if (DBGrid1)
        DBGrid1->setFocus();
    dialog->showModal();
}

void LettersListForm::cmdclose_Click()
{
    rememberPosition();
    session().finished(FormRole::List);
    hide();
}

SessionPtr LettersListForm::makeOwnSession() const
{
    return programSession(m_config.which, Start::List, m_table);
}

void LettersListForm::closeEvent(QCloseEvent* event)
{
    event->ignore(); // hidden, not unloaded, as by "Kết thúc"
    cmdclose_Click();
}

} // namespace registers
