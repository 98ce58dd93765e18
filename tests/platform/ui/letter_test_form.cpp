#include "letter_test_form.h"

#include "app/messenger.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "platform/ui/status_style.h"

#include <QGridLayout>

namespace uitest {
namespace {

ui::TextBox* box(const QString& name, const QString& field, ui::DataControl* data, bool multiLine = false)
{
    auto* b = new ui::TextBox(nullptr, multiLine);
    b->setObjectName(name);
    b->bind(data, field);
    return b;
}

} // namespace

LetterTestForm::LetterTestForm(const db::Database& letters, const QString& table)
{
    setObjectName(QStringLiteral("frmtestcvden"));
    Data1 = new ui::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Dataloai = new ui::DataControl(this);
    Dataloai->setObjectName(QStringLiteral("Dataloai"));
    Dataloai->hide();

    mstt = box(QStringLiteral("mstt"), QStringLiteral("stt"), Data1);
    mng_den = box(QStringLiteral("mng_den"), QStringLiteral("ng_den"), Data1);
    mnoigui = box(QStringLiteral("mnoigui"), QStringLiteral("noigui"), Data1);
    mloai = box(QStringLiteral("mloai"), QStringLiteral("loai"), Data1);
    mtt_ndung = box(QStringLiteral("mtt_ndung"), QStringLiteral("tt_ndung"), Data1, true);
    Checkdaxuly = new ui::CheckBox(QStringLiteral("Đã xử lý xong"));
    Checkdaxuly->setObjectName(QStringLiteral("Checkdaxuly"));
    Checkdaxuly->bind(Data1, QStringLiteral("da_xuli"));
    DBGrid1 = new ui::Grid;
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->addColumn(QStringLiteral("In"), QStringLiteral("chonin"), 30);
    DBGrid1->addColumn(QStringLiteral("Ngày đến"), QStringLiteral("ng_den"), 90);
    DBGrid1->addColumn(QStringLiteral("Nơi gửi"), QStringLiteral("noigui"), 200);
    DBGrid1->setDataSource(Data1);
    DBComboloai = new ui::DataCombo;
    DBComboloai->setObjectName(QStringLiteral("DBComboloai"));
    DBComboloai->setRowSource(Dataloai);
    DBComboloai->setListField(QStringLiteral("loai"));
    DBComboloai->setBoundColumn(QStringLiteral("ID"));
    lbltrangthai = new QLabel;
    lbltrangthai->setObjectName(QStringLiteral("lbltrangthai"));

    auto* layout = new QGridLayout(this);
    int row = 0;
    layout->addWidget(lbltrangthai, row++, 0, 1, 2);
    for (ui::TextBox* b : dataBoxes())
        layout->addWidget(b, row++, 1);
    layout->addWidget(DBComboloai, row++, 1);
    layout->addWidget(Checkdaxuly, row++, 1);
    layout->addWidget(DBGrid1, row++, 0, 1, 2);
    layout->addWidget(Data1, row++, 0, 1, 2);

    connect(Data1, &ui::DataControl::Validate, this, &LetterTestForm::Data1_Validate);
    connect(Data1, &ui::DataControl::Reposition, this, &LetterTestForm::Data1_Reposition);
    connect(Data1, &ui::DataControl::Error, this, &LetterTestForm::Data1_Error);
    connect(DBGrid1, &ui::Grid::DblClick, this, &LetterTestForm::DBGrid1_DblClick);
    connect(DBComboloai, &ui::DataCombo::Click, this, &LetterTestForm::DBComboloai_Click);

    Data1->setDatabase(letters);
    Data1->setRecordSource(table);
    Dataloai->setDatabase(letters);
    Dataloai->setRecordSource(QStringLiteral("select * from loaicv order by matt"));
    Dataloai->setRecordsetType(db::RecordsetType::Snapshot);
}

QList<ui::TextBox*> LetterTestForm::dataBoxes() const
{
    return {mstt, mng_den, mnoigui, mloai, mtt_ndung};
}

void LetterTestForm::Form_Load()
{
    trangthai = QStringLiteral("xem");
    setEditing(false);
    Dataloai->refresh();
    Data1->refresh();
}

void LetterTestForm::setEditing(bool editing)
{
    for (ui::TextBox* b : dataBoxes())
        b->setLocked(!editing);
    Checkdaxuly->setEnabled(editing);
    lbltrangthai->setText(editing ? QStringLiteral("Nạp công văn đến") : QStringLiteral("Xem công văn đến"));
    ui::setStatusStyle(lbltrangthai, editing ? ui::StatusStyle::Editing : ui::StatusStyle::Viewing);
}

void LetterTestForm::cmdAdd_Click()
{
    const int count = Data1->recordset().recordCount();
    if (!Data1->addNew())
        return;
    mstt->setText(QStringLiteral(" %1").arg(count + 1));
    trangthai = QStringLiteral("nap");
    setEditing(true);
    mnoigui->setFocus();
}

void LetterTestForm::cmdsua_Click()
{
    if (trangthai != QLatin1String("xem") || !Data1->hasCurrentRecord())
        return;
    trangthai = QStringLiteral("sua");
    setEditing(true);
}

bool LetterTestForm::cmdUpdate_Click()
{
    const bool adding = trangthai == QLatin1String("nap");
    if (!Data1->updateRecord())
        return false; // the error was shown; the mode and the typed values stay
    returnToView();
    if (adding)
        Data1->setBookmark(Data1->recordset().lastModified());
    return true;
}

void LetterTestForm::returnToView()
{
    trangthai = QStringLiteral("xem");
    setEditing(false);
}

void LetterTestForm::Data1_Validate(int& action, int& save)
{
    Q_UNUSED(save)
    events << QStringLiteral("validate:%1").arg(action);
    if (trangthai == QLatin1String("xem"))
        return;
    const bool pendingAdd = trangthai == QLatin1String("nap");
    if (pendingAdd || Data1->anyChanged()) {
        const QString question = pendingAdd ? QStringLiteral("Có lưu giữ bản ghi đang nạp không ?")
                                            : QStringLiteral("Có lưu giữ những sửa đổi vừa thực hiện không ?");
        if (app::messenger().show(question, QStringLiteral("yesno")) != QLatin1String("no")) {
            if (!cmdUpdate_Click())
                action = ui::action::Cancel; // the record could not be written: stay on it
            return;
        }
        Data1->cancelUpdate();
    }
    returnToView();
}

void LetterTestForm::Data1_Reposition()
{
    const db::Recordset rs = Data1->recordset();
    const QString caption = QStringLiteral("%1/%2").arg(rs.absolutePosition() + 1).arg(rs.recordCount());
    Data1->setCaption(caption);
    events << QStringLiteral("reposition:") + caption;
}

void LetterTestForm::Data1_Error(int dataErr, const QString& description, int& response)
{
    events << QStringLiteral("error:%1").arg(dataErr);
    errorTexts << description;
    ui::msgBox(QStringLiteral("Lỗi dữ liệu : ") + description);
    response = ui::response::Continue;
}

void LetterTestForm::DBGrid1_DblClick()
{
    events << QStringLiteral("dblclick");
    db::Recordset rs = Data1->recordset();
    rs.edit();
    const bool marked = rs.value(QStringLiteral("chonin")).toString() == QLatin1String("X");
    rs.setValue(QStringLiteral("chonin"), marked ? QString() : QStringLiteral("X"));
    rs.update();
    DBGrid1->refresh();
}

void LetterTestForm::DBComboloai_Click(int area)
{
    events << QStringLiteral("click:%1").arg(area);
    if (area == ui::area::List && trangthai != QLatin1String("xem")) {
        mloai->setText(DBComboloai->text());
        mnoigui->setFocus();
    }
}

void LetterTestForm::Form_KeyUp(int& keyCode, int shift)
{
    Q_UNUSED(shift)
    const db::Recordset rs = Data1->recordset();
    if (rs.isNull())
        return;
    const int p = rs.absolutePosition();
    switch (keyCode) {
    case ui::key::PageUp: {
        int action = ui::action::MovePrevious, save = 1;
        Data1_Validate(action, save);
        if (trangthai == QLatin1String("xem") && p >= 1 && p < rs.recordCount())
            Data1->movePrevious();
        break;
    }
    case ui::key::PageDown: {
        int action = ui::action::MoveNext, save = 1;
        Data1_Validate(action, save);
        if (trangthai == QLatin1String("xem") && p >= 0 && p + 1 < rs.recordCount())
            Data1->moveNext();
        break;
    }
    case ui::key::Escape:
        if (trangthai != QLatin1String("xem")) {
            int action = 1, save = 1;
            Data1_Validate(action, save);
        }
        break;
    default:
        break;
    }
}

} // namespace uitest
