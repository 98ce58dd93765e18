#include "frmcvdenhan.h"

#include "ui_frmcvdenhan.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"
#include "registers/register_print.h"

#include "app/core/due_letters.h"
#include "app/core/messenger.h"
#include "app/core/read_only_mode.h"
#include "app/core/run_time_error.h"
#include "common/clock.h"
#include "common/dates.h"
#include "common/due_dates.h"
#include "datafiles/forms/list_export.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/silence.h"

#include <QStyledItemDelegate>

namespace registers {
namespace {

const QString kOverdue = common::dueText(common::Due::Overdue);

// Overdue rows stand out in colour; their first column says "Quá hạn" too, for whoever does not
// see the colour (a screen reader, a grey printout).
class DueRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.sibling(index.row(), 0).data().toString() != kOverdue)
            return;
        option->backgroundBrush = QColor(0xff, 0xd6, 0xd6);
        option->palette.setColor(QPalette::Text, QColor(0x8b, 0, 0));
        option->font.setBold(true);
    }
};

} // namespace

DueLettersForm::DueLettersForm(QWidget* parent) : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmcvdenhan>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmcvdenhan"));
    Data1 = new ui::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->setRecordsetType(db::RecordsetType::Snapshot);
    Data1->hide();
    ui::Grid* grid = m_ui->DBGrid1;
    grid->setDataSource(Data1);
    struct Column
    {
        QString caption, field;
        int width;
    };
    const QList<Column> columns = {{QStringLiteral("Tình trạng"), QStringLiteral("tinhtrang"), 100},
                                   {QStringLiteral("Hạn xử lý"), QStringLiteral("hanxl"), 90},
                                   {QStringLiteral("Số đến"), QStringLiteral("stt"), 60},
                                   {QStringLiteral("Ngày đến"), QStringLiteral("ng_den"), 90},
                                   {QStringLiteral("Nơi gửi"), QStringLiteral("noigui"), 130},
                                   {QStringLiteral("Số CV"), QStringLiteral("so_cv"), 90},
                                   {QStringLiteral("Trích yếu"), QStringLiteral("tt_ndung"), 200},
                                   {QStringLiteral("Người xử lý"), QStringLiteral("nguoixl"), 130}};
    for (const Column& c : columns)
        grid->addColumn(c.caption, c.field, c.width);
    grid->setItemDelegate(new DueRowDelegate(grid));
    connect(m_ui->Cmdin, &QPushButton::clicked, this, &DueLettersForm::cmdin_Click);
    connect(m_ui->cmdclose, &QPushButton::clicked, this, [this] { unload(); });
    datafiles::connectExportButton(m_ui->cmdxuatexcel, grid, {QStringLiteral("congvandenhan"), {}});
    nameControlsFromLabels(this);
}

DueLettersForm::~DueLettersForm()
{
    ui::silenceControls(this);
}

void DueLettersForm::open(const db::Database& letters, const ProgramContext& context)
{
    m_letters = letters;
    m_context = context;
    m_today = common::clock().today();
    load();
    QString sql;
    try {
        sql = app::dueListSql(app::dueYearTables(m_letters), m_today);
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
    }
    m_ui->lbltieude->setText(QStringLiteral("Công văn đến hạn, quá hạn ngày ") + common::dateToText(m_today));
    Data1->setDatabase(m_letters);
    if (!sql.isEmpty()) {
        Data1->setRecordSource(sql);
        Data1->refresh();
    }
    showModeless();
    m_ui->DBGrid1->setFocus();
}

// The printout reads the list through a stored query of the letters file, written again for
// today's list before each print.
void DueLettersForm::cmdin_Click()
{
    const db::Recordset rs = Data1->recordset();
    if (rs.isNull() || rs.recordCount() == 0) {
        app::tell(QStringLiteral("Không có công văn nào đến hạn hoặc quá hạn xử lý !"));
        return;
    }
    if (app::refuseWhenReadOnly(m_context.readOnly || m_letters.isReadOnly()))
        return;
    try {
        ui::HourglassPointer hourglass;
        const QString sql = Data1->recordSource();
        if (m_letters.queryNames().contains(kDueLettersQuery, Qt::CaseInsensitive))
            m_letters.setQuerySql(kDueLettersQuery, sql);
        else
            m_letters.createQueryDef(kDueLettersQuery, sql);
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        app::tell(QStringLiteral("Gặp lỗi khi đang chuẩn bị in danh sách công văn đến hạn, quá hạn !"));
        return;
    }
    const report::Destination destination = app::ask(QStringLiteral("Có muốn xem trước khi in không ?"))
                                                ? report::Destination::Window
                                                : report::Destination::Printer;
    const report::ReportResult result = printReport(
        m_context, CrystalReport1, destination, QStringLiteral("brcvdenhan.rpt"), geometry(), m_ui->txtle->text(),
        QString(), &m_letters, {{QStringLiteral("ngayin"), common::dateToText(m_today)}});
    if (!result.ok())
        app::tell(result.message);
}

ui::UnloadResult DueLettersForm::Form_Unload()
{
    showMainWindow();
    return ui::UnloadResult::Unload;
}

} // namespace registers
