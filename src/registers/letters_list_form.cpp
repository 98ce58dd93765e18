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
#include "documents/words_search.h"
#include "platform/db/db_error.h"
#include "platform/ui/check_box.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "platform/ui/status_style.h"

#include <QCloseEvent>
#include <QLabel>

namespace registers {

LettersListForm::LettersListForm(QWidget* parent)
    : ui::FormBase(parent), Data1(new ui::DataControl(this)), m_marks(m_config, Data1, *this)
{
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->hide();
    connect(Data1, &ui::DataControl::Reposition, this, &LettersListForm::Data1_Reposition);
    Data1->setErrorHandler([this](int number, const QString& description) { return Data1_Error(number, description); });
}

void LettersListForm::attachControls(LettersListConfig config)
{
    m_config = std::move(config);
    const LettersListControls& c = m_config.controls;
    for (ui::TextBox* b : std::as_const(m_config.boundBoxes)) {
        b->bind(Data1, b->objectName().mid(1));
        b->setLocked(true); // corrections are made in the entry form
    }
    if (ui::CheckBox* check = m_config.doneBox) {
        check->bind(Data1, QStringLiteral("da_xuli"));
        check->setEnabled(false);
    }
    DBGrid1 = c.grid;
    for (const auto& [caption, field] : m_config.gridColumns)
        DBGrid1->addColumn(caption, field, field == QLatin1String("chonin") ? 30 : 110);
    DBGrid1->setDataSource(Data1);
    connect(DBGrid1, &ui::Grid::DblClick, this, &LettersListForm::DBGrid1_DblClick);
    DBGrid1->setDoubleClickKeys({Qt::Key_Space}); // Space marks or unmarks the row
    setAccessibleCaption(DBGrid1, QStringLiteral("Danh sách công văn"));
    ui::setStatusStyle(c.status, ui::StatusStyle::Viewing);
    c.status->setAccessibleDescription(QStringLiteral("Trạng thái")); // its name is what it shows
    c.position->setSelectAllOnFocus(true);
    connect(c.position, &ui::TextBox::KeyUp, this, [this](int keyCode, int) {
        if (keyCode != ui::key::Enter || !Data1->hasRecordset())
            return;
        if (!moveToTypedPosition(*Data1, m_config.controls.position->text()))
            Data1_Reposition();
        DBGrid1->setFocus();
    });
    connect(c.markAll, &QPushButton::clicked, this, &LettersListForm::Cmdchontat_Click);
    connect(c.clearAll, &QPushButton::clicked, this, &LettersListForm::Cmdhuychon_Click);
    connect(c.print, &QPushButton::clicked, this, &LettersListForm::Cmdin_Click);
    connect(c.printByDate, &QPushButton::clicked, this, &LettersListForm::Cmdincvtheongay_Click);
    connect(c.close, &QPushButton::clicked, this, &LettersListForm::cmdclose_Click);
    nameControlsFromLabels(this);
}

void LettersListForm::Form_Load()
{
    m_config.controls.guide->setText(QStringLiteral("Nháy đúp vào đầu dòng định in ở bảng trên để chọn ") +
                                     QStringLiteral("in (có dấu X) hoặc huỷ chọn dòng đó (bỏ dấu X)"));
}

void LettersListForm::open(const QString& table, const QString& source, bool fromSearch)
{
    m_table = table;
    if (!fromSearch)
        m_words.clear();
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
    DBGrid1->setFocus();
}

void LettersListForm::Data1_Reposition()
{
    ui::setDefaultPointer();
    if (!Data1->hasRecordset())
        return;
    const db::Recordset rs = Data1->recordset();
    m_config.controls.position->setText(rs.recordCount() == 0
                                            ? QStringLiteral("0/0")
                                            : QString::number(rs.absolutePosition() + 1) + QStringLiteral("/") +
                                                  QString::number(rs.recordCount()));
    showExcerpt();
}

void LettersListForm::showExcerpt()
{
    QLabel* label = m_config.controls.excerpt;
    if (!label)
        return;
    QString text;
    if (!m_words.isEmpty() && Data1->hasCurrentRecord()) {
        try {
            const QString passage = documents::letterExcerpt(
                session().database(), m_table, Data1->recordset().value(QStringLiteral("id")).toLongLong(), m_words);
            text = passage.isEmpty() ? QStringLiteral("Văn bản đính kèm của công văn này không còn các từ đã tìm.")
                                     : QStringLiteral("Trong văn bản đính kèm: ") + passage;
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e);
            text = QStringLiteral("Không đọc được chỉ mục nội dung văn bản.");
        }
    }
    label->setText(text);
    label->setVisible(!m_words.isEmpty());
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
    DBGrid1->setFocus();
}

void LettersListForm::marksRan(bool ran)
{
    if (ran)
        Data1_Reposition();
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
    const QString margin = m_config.controls.margin->text();
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
