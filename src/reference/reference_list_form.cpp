#include "reference_list_form.h"

#include "platform/ui/label_names.h"
#include "reference_rules.h"
#include "ui_frmchutat.h"
#include "ui_frmdonvi.h"
#include "ui_frmloaicv.h"

#include "app/core/messenger.h"
#include "app/gui/window_placement.h"
#include "datafiles/forms/list_export.h"
#include "platform/db/sql_quote.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/status_style.h"

namespace reference {
namespace {

const QString kXem = QStringLiteral("xem");
const QString kNap = QStringLiteral("nap");
const QString kSua = QStringLiteral("sua");

// Lays form out from Ui; the generated class holds only pointers to the form's children.
template <typename Ui, typename NameBoxes> std::function<ListControls(QDialog*)> layout(NameBoxes nameBoxes)
{
    return [nameBoxes](QDialog* form) {
        Ui ui;
        ui.setupUi(form);
        const auto [name, bound] = nameBoxes(ui);
        return listControls(ui, name, bound);
    };
}

} // namespace

ListConfig unitsConfig()
{
    return {QStringLiteral("tendonvi"),
            QStringLiteral("Tên đơn vị"),
            QStringLiteral("Xem tên đơn vị"),
            QStringLiteral("Nạp tên đơn vị"),
            QStringLiteral("Sửa tên đơn vị"),
            QStringLiteral("Phải điền nội dung ở cả ô chữ tắt và ô tên đơn vị, không được để ô trắng !"),
            layout<Ui::frmdonvi>([](const Ui::frmdonvi& ui) {
                return std::pair{ui.mtendonvi, ui.txttendonvi};
            })};
}

ListConfig letterTypesConfig()
{
    return {QStringLiteral("loai"),
            QStringLiteral("Loại công văn"),
            QStringLiteral("Xem loại công văn"),
            QStringLiteral("Nạp chữ tắt"),
            QStringLiteral("Sửa loại công văn"),
            QStringLiteral("Phải điền nội dung ở cả ô chữ tắt và ô loại công văn, không được để ô trắng !"),
            layout<Ui::frmloaicv>([](const Ui::frmloaicv& ui) {
                return std::pair{ui.mloai, ui.txtloai};
            })};
}

ListConfig abbreviationsConfig()
{
    return {QStringLiteral("chudu"),
            QStringLiteral("Nội dung đầy đủ"),
            QStringLiteral("Xem chữ tắt"),
            QStringLiteral("Nạp chữ tắt"),
            QStringLiteral("Sửa chữ tắt"),
            QStringLiteral("Phải điền nội dung ở cả ô chữ tắt và ô chữ đủ, không được để ô trắng !"),
            layout<Ui::frmchutat>([](const Ui::frmchutat& ui) {
                return std::pair{ui.mchudu, ui.txtchudu};
            })};
}

ReferenceListForm::ReferenceListForm(ListConfig config, QWidget* parent)
    : ui::FormBase(parent), m_config(std::move(config))
{
    m_controls = m_config.setupUi(this);
    const ListControls& c = m_controls;
    Data1 = c.Data1;
    DBGrid1 = c.DBGrid1;
    mname = c.mname;
    mchutat = c.mchutat;
    lbltrangthai = c.lbltrangthai;
    txtname = c.txtname;
    txtchutat = c.txtchutat;
    txtid = c.txtid;
    txtmatt = c.txtmatt;

    mname->setMaxLength(100);
    mchutat->setMaxLength(20);
    txtmatt->setMaxLength(150);
    txtname->bind(Data1, m_config.nameColumn);
    txtchutat->bind(Data1, QStringLiteral("chutat"));
    txtid->bind(Data1, QStringLiteral("ID"));
    txtmatt->bind(Data1, QStringLiteral("matt"));
    for (ui::TextBox* hidden : {txtname, txtchutat, txtid, txtmatt})
        hidden->hide();
    DBGrid1->setDataSource(Data1);
    DBGrid1->addColumn(m_config.nameCaption, m_config.nameColumn, 420);
    DBGrid1->addColumn(QStringLiteral("Chữ tắt"), QStringLiteral("chutat"), 140);
    Data1->setRecordsetType(db::RecordsetType::Dynaset);
    ui::nameControlsFromLabels(this);

    Data1->setValidateHandler([this](ui::DataAction action, bool changed) { return Data1_Validate(action, changed); });
    connect(Data1, &ui::DataControl::Reposition, this, &ReferenceListForm::Data1_Reposition);
    Data1->setErrorHandler([this](int number, const QString& description) { return Data1_Error(number, description); });
    const QList<std::pair<QPushButton*, void (ReferenceListForm::*)()>> buttons = {
        {c.cmdAdd, &ReferenceListForm::cmdAdd_Click},
        {c.Cmdsua, &ReferenceListForm::Cmdsua_Click},
        {c.cmdUpdate, &ReferenceListForm::cmdUpdate_Click},
        {c.cmdDelete, &ReferenceListForm::cmdDelete_Click},
        {c.cmdclose, &ReferenceListForm::cmdclose_Click}};
    for (const auto& [button, handler] : buttons) {
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
    }
    datafiles::connectExportButton(c.cmdxuatexcel, DBGrid1, {});
}

void ReferenceListForm::setStatus(const QString& text, bool editing)
{
    lbltrangthai->setText(text);
    ui::setStatusStyle(lbltrangthai, editing ? ui::StatusStyle::Editing : ui::StatusStyle::Viewing);
}

void ReferenceListForm::Form_Load()
{
    setMode(kXem);
    m_dangghi.clear();
    m_loitrung.clear();
}

void ReferenceListForm::prepare(const app::FormRequest& request)
{
    ui::HourglassPointer hourglass;
    load();
    Data1->setDatabase(request.database());
    Data1->setRecordSource(request.recordSource);
    if (Data1->refresh() && Data1->recordset().recordCount() > 0)
        Data1->moveLast();
    returnToView();
    if (!request.title.isEmpty()) {
        setWindowTitle(request.title);
        setStatus(request.title, false);
    }
}

void ReferenceListForm::openFor(const app::FormRequest& request)
{
    prepare(request);
    app::centreWindow(this);
    showModal();
}

void ReferenceListForm::returnToView()
{
    setMode(kXem);
    m_dangghi.clear();
    setStatus(m_config.viewStatus, false);
    const bool current = Data1->hasCurrentRecord();
    mname->setText(current ? txtname->text() : QString());
    mchutat->setText(current ? txtchutat->text() : QString());
    mname->setLocked(true);
    mchutat->setLocked(true);
    mname->setFocus();
}

void ReferenceListForm::Data1_Reposition()
{
    ui::setDefaultPointer();
    const db::Recordset rs = Data1->recordset();
    const int count = rs.isNull() ? 0 : rs.recordCount();
    const bool current = Data1->hasCurrentRecord();
    Data1->setCaption(current ? QString::number(rs.absolutePosition() + 1) + QLatin1Char('/') + QString::number(count)
                              : QStringLiteral("0/") + QString::number(count));
    if (mode() != kNap && mode() != kSua) {
        mname->setText(current ? txtname->text() : QString());
        mchutat->setText(current ? txtchutat->text() : QString());
    }
}

void ReferenceListForm::Cmdsua_Click()
{
    if (mode() != kNap && mode() != kSua && Data1->hasCurrentRecord()) {
        mname->setLocked(false);
        mchutat->setLocked(false);
        setMode(kSua);
        setStatus(m_config.editStatus, true);
    }
    mname->setFocus();
}

void ReferenceListForm::cmdAdd_Click()
{
    if (mode() == kSua) {
        m_loitrung.clear();
        leaveEditCheck();
    } else if (mode() == kNap) {
        m_loitrung.clear();
        update();
    }
    if (m_loitrung == QLatin1String("yes"))
        return;
    mname->setLocked(false);
    mchutat->setLocked(false);
    setMode(kNap);
    setStatus(m_config.addStatus, true);
    mname->setText(QString());
    mchutat->setText(QString());
    mname->setFocus();
}

void ReferenceListForm::cmdUpdate_Click()
{
    m_loitrung.clear();
    update();
}

void ReferenceListForm::update()
{
    const bool editing = mode() == kSua;
    if (!editing && mode() != kNap)
        return;
    const QString name = mname->text().trimmed();
    const QString abbreviation = mchutat->text().trimmed();
    if (name.isEmpty() || abbreviation.isEmpty()) {
        if (editing) {
            app::tell(m_config.emptyMessage);
            m_loitrung = QStringLiteral("yes"); // the form stays in editing
            mname->setFocus();
        } else {
            Data1->cancelUpdate();
            returnToView(); // an empty new entry is abandoned
        }
        return;
    }

    m_dangghi = QStringLiteral("yes");
    db::Recordset rs = Data1->recordset();
    QString returnTo;
    if (editing)
        returnTo = QStringLiteral("id = ") + txtid->text();
    const bool searchDuplicate = !editing || abbreviation != txtchutat->text();
    if (searchDuplicate && !rs.isNull() && rs.recordCount() > 0) {
        // Searched on a clone so that the current row stays; an edited row is not its own duplicate.
        db::Recordset other = rs.clone();
        QString criterion = QStringLiteral("chutat = ") + db::quoteLiteral(abbreviation);
        if (editing)
            criterion += QStringLiteral(" and id <> ") + txtid->text();
        other.findFirst(criterion);
        if (!other.noMatch()) {
            app::tell(duplicateAbbreviationMessage(other.value(QStringLiteral("chutat")).toString(),
                                                   other.value(m_config.nameColumn).toString()));
            m_loitrung = QStringLiteral("yes");
            mchutat->setFocus();
            mchutat->setText(abbreviation);
            mchutat->selectAll();
            m_dangghi.clear();
            return;
        }
    }

    if (!editing && !Data1->addNew()) {
        m_loitrung = QStringLiteral("yes");
        m_dangghi.clear();
        return;
    }
    txtname->setText(name);
    txtchutat->setText(abbreviation);
    txtmatt->setText(listSortKey(name));
    if (!Data1->updateRecord()) {
        // The engine refused the row (its message has been shown): the typed values stay.
        Data1->cancelUpdate();
        m_loitrung = QStringLiteral("yes");
        m_dangghi.clear();
        mname->setFocus();
        return;
    }
    if (!editing) {
        Data1->setBookmark(Data1->recordset().lastModified());
        returnTo = QStringLiteral("id = ") + txtid->text();
    }
    Data1->refresh();
    Data1->findFirst(returnTo);
    returnToView();
}

void ReferenceListForm::cmdDelete_Click()
{
    if (mode() == kNap || mode() == kSua) {
        app::tell(QStringLiteral("Bạn phải nạp hoặc sửa xong mới xoá được !"));
        return;
    }
    if (Data1->hasCurrentRecord() && Data1->deleteRecord()) {
        Data1->moveNext();
        if (Data1->recordset().eof() && Data1->recordset().recordCount() > 0)
            Data1->moveLast();
        Data1_Reposition();
    }
    mname->setFocus();
}

void ReferenceListForm::leaveEditCheck()
{
    Data1_Validate(ui::DataAction::Bookmark, false);
}

// The form writes its rows itself: the data control never writes them.
ui::ValidateResult ReferenceListForm::Data1_Validate(ui::DataAction action, bool changed)
{
    Q_UNUSED(action)
    Q_UNUSED(changed)
    if (m_dangghi == QLatin1String("yes") || (mode() != kNap && mode() != kSua))
        return ui::ValidateResult::DontSave;
    bool saveIt = false;
    if (mode() == kSua) {
        if (mname->text() != txtname->text() || mchutat->text() != txtchutat->text())
            saveIt = app::ask(QStringLiteral("Có lưu những nội dung vừa sửa không ?"));
    } else if (!mname->text().trimmed().isEmpty() && !mchutat->text().trimmed().isEmpty()) {
        saveIt = app::ask(QStringLiteral("Có lưu nội dung đang nạp không ?"));
    }
    if (!saveIt) {
        if (mode() == kNap)
            Data1->cancelUpdate();
        returnToView();
        return ui::ValidateResult::DontSave;
    }
    update();
    // A refused save keeps the form on the entry: the move (or close) waits.
    if (mode() == kNap || mode() == kSua)
        return ui::ValidateResult::Cancel;
    return ui::ValidateResult::DontSave;
}

ui::ErrorResponse ReferenceListForm::Data1_Error(int dataErr, const QString& description)
{
    Q_UNUSED(dataErr)
    app::tell(QStringLiteral("Lỗi dữ liệu:") + description);
    return ui::ErrorResponse::Handled;
}

void ReferenceListForm::cmdclose_Click()
{
    if (mode() == kNap || mode() == kSua) {
        m_loitrung.clear();
        leaveEditCheck();
        if (m_loitrung == QLatin1String("yes")) {
            mname->setFocus();
            return;
        }
    }
    unload();
}

ui::UnloadResult ReferenceListForm::Form_Unload()
{
    // The close box while adding or editing: the leave-edit check runs (unless the data control's
    // Validate has run it); a refused save keeps the form open.
    if (mode() == kNap || mode() == kSua) {
        m_loitrung.clear();
        leaveEditCheck();
        if (mode() == kNap || mode() == kSua)
            return ui::UnloadResult::Stay;
    }
    ui::setDefaultPointer();
    return ui::UnloadResult::Unload;
}

void ReferenceListForm::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    switch (keyCode) {
    case ui::key::Up:
    case ui::key::Down:
        // In an edit box the arrows move nothing: an entry with one box still empty stays as
        // typed (Esc, on purpose, drops it).
        if (mode() == kNap && mname->text().trimmed().isEmpty() != mchutat->text().trimmed().isEmpty())
            break;
        leaveEditCheck();
        break;
    case ui::key::Escape:
        leaveEditCheck();
        break;
    case ui::key::F4:
        if (auto* box = qobject_cast<ui::TextBox*>(activeControl()); box && !box->isLocked())
            box->setText(QString());
        break;
    default:
        break;
    }
}

} // namespace reference
