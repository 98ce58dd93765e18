#include "frmgridtuan.h"

#include "ui_frmgridtuan.h"

#include "schedule_record.h"
#include "week_publish.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"
#include "registers/register_opener.h"
#include "registers/register_print.h"

#include "datafiles/forms/file_dialog.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/abbreviation.h"
#include "common/clock.h"
#include "common/dates.h"
#include "datafiles/forms/list_export.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace registers {

WeekViewForm::WeekViewForm(QWidget* parent) : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmgridtuan>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmgridtuan"));
    Data1 = new ui::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->hide();
    Data1->setRecordsetType(db::RecordsetType::Dynaset);
    connect(Data1, &ui::DataControl::Reposition, this, &WeekViewForm::Data1_Reposition);
    // The engine's own text, through the message dialog; the view stays as it was.
    Data1->setErrorHandler([](int, const QString& description) {
        app::tell(description);
        return ui::ErrorResponse::Handled;
    });
    DBGrid1 = m_ui->DBGrid1;
    // Every column in sight: the day and the time as wide as they are written, the texts sharing
    // out what is left beside the row selector, frame and scroll bar, in these proportions.
    const QList<std::tuple<const char*, const char*, int>> columns = {
        {"Nội dung", "ndung", 376},    {"Địa điểm", "diadiem", 170},  {"Thành phần", "thanhphan", 190},
        {"Chuẩn bị", "nguoicbi", 120}, {"Chủ trì", "nguoictri", 120}, {"Ghi chú", "ghichu", 126}};
    const QFontMetrics metrics = DBGrid1->fontMetrics();
    const int day = metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + 14;
    const int time = metrics.horizontalAdvance(QStringLiteral("00h00")) + 14;
    DBGrid1->addColumn(QStringLiteral("Ngày"), QStringLiteral("ngay"), day);
    DBGrid1->addColumn(QStringLiteral("Giờ"), QStringLiteral("gio"), time);
    int total = 0;
    for (const auto& column : columns)
        total += std::get<2>(column);
    const int room = DBGrid1->width() - DBGrid1->verticalHeader()->width() - 2 * DBGrid1->frameWidth() -
                     DBGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2 - day - time;
    for (const auto& [caption, field, width] : columns)
        DBGrid1->addColumn(QString::fromUtf8(caption), QString::fromLatin1(field), width * room / total);
    DBGrid1->setDataSource(Data1);
    // A busy week stays legible: every row has room for two lines of a long text (sizing each row
    // to its text would lay out every cell of the week at each step).
    DBGrid1->setWordWrap(true);
    DBGrid1->verticalHeader()->setDefaultSectionSize(2 * DBGrid1->fontMetrics().lineSpacing() + 6);
    setAccessibleCaption(DBGrid1, QStringLiteral("Lịch làm việc trong tuần"));
    m_ui->Text1->bind(Data1, QStringLiteral("diadiem"));
    m_ui->Text2->bind(Data1, QStringLiteral("ndung"));
    for (ui::TextBox* b :
         std::initializer_list<ui::TextBox*>{m_ui->txtdautuan, m_ui->txtcuoituan, m_ui->Text1, m_ui->Text2})
        b->setLocked(true); // the week is shown, never edited here
    m_ui->Txtle->setText(QStringLiteral("10"));
    for (int month = 1; month <= 12; ++month)
        m_ui->List1->addItem(QStringLiteral("Tháng ") + QString::number(month));
    m_ui->List1->hide();
    setAccessibleCaption(m_ui->List1, QStringLiteral("Chọn tháng"));
    m_ui->lbltieude->setAccessibleDescription(QStringLiteral("Tiêu đề")); // its name is the week it shows
    connect(m_ui->List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_Click(m_ui->List1->row(item)); });
    connect(m_ui->List1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { List1_Click(m_ui->List1->row(item)); });
    connect(m_ui->cmdtruoc, &QPushButton::clicked, this, &WeekViewForm::cmdtruoc_Click);
    connect(m_ui->cmdsau, &QPushButton::clicked, this, &WeekViewForm::cmdsau_Click);
    connect(m_ui->cmdthang, &QPushButton::clicked, this, &WeekViewForm::cmdthang_Click);
    connect(m_ui->Cmdinlich, &QPushButton::clicked, this, &WeekViewForm::Cmdinlich_Click);
    connect(m_ui->cmdclose, &QPushButton::clicked, this, &WeekViewForm::cmdclose_Click);
    connect(m_ui->cmdxuatlichtuan, &QPushButton::clicked, this, &WeekViewForm::cmdxuatlichtuan_Click);
    datafiles::connectExportButton(m_ui->cmdxuatexcel, m_ui->DBGrid1, {});
    nameControlsFromLabels(this);
}

WeekViewForm::~WeekViewForm() = default;

void WeekViewForm::Form_Load()
{
    m_ui->List1->hide();
}

bool WeekViewForm::openWeek(const QDate& day)
{
    load();
    if (!showWeek(common::weekOf(day)))
        return false;
    showModeless();
    DBGrid1->setFocus();
    return true;
}

// The week's rows from the working year's table and, for the days of another year, that year's
// table when the file holds it.
bool WeekViewForm::showWeek(const common::Week& week)
{
    if (!week.monday.isValid())
        return false;
    RegisterSession& s = session();
    QStringList tables;
    try {
        tables = weekTables(s.database(), s.yearTable(), week);
    } catch (const db::DbError& e) {
        app::tell(e.description());
        return false;
    }
    Data1->setDatabase(s.database());
    Data1->setRecordSource(weekSource(tables, week));
    if (!Data1->refresh())
        return false; // told by the data control's error event
    m_week = week;
    m_tables = tables;
    m_ui->txtdautuan->setText(common::dateToText(week.monday));
    m_ui->txtcuoituan->setText(common::dateToText(week.sunday));
    m_ui->lbltieude->setText(QStringLiteral("Xem lịch làm việc trong tuần từ ") + m_ui->txtdautuan->text() +
                             QStringLiteral(" đến ") + m_ui->txtcuoituan->text());
    setWindowTitle(m_ui->lbltieude->text());
    Data1_Reposition();
    return true;
}

void WeekViewForm::step(int weeks)
{
    ui::HourglassPointer hourglass;
    showWeek(common::stepWeek(common::dateFromDisplay(m_ui->txtdautuan->text()), weeks));
}

void WeekViewForm::cmdtruoc_Click()
{
    step(-1);
}

void WeekViewForm::cmdsau_Click()
{
    step(1);
}

void WeekViewForm::cmdthang_Click()
{
    m_ui->List1->show();
    m_ui->List1->raise();
    m_ui->List1->setFocus();
}

void WeekViewForm::List1_Click(int row)
{
    ui::HourglassPointer hourglass;
    showWeek(common::weekOfMonth(row + 1, session().context().workingYear.trimmed().toInt()));
    m_ui->List1->hide();
    DBGrid1->setFocus();
}

void WeekViewForm::Data1_Reposition()
{
    if (!Data1->hasRecordset())
        return;
    const db::Recordset rs = Data1->recordset();
    Data1->setCaption(rs.recordCount() == 0 ? QStringLiteral("0/0")
                                            : QString::number(rs.absolutePosition() + 1) + QStringLiteral("/") +
                                                  QString::number(rs.recordCount()));
}

// Every row of the week is printed; marks are not consulted.
void WeekViewForm::Cmdinlich_Click()
{
    const ProgramContext& m = session().context();
    {
        ui::HourglassPointer hourglass;
        try {
            fillPrintTable(m, QStringLiteral("inlich"), session().database(), weekPrintFills(m_tables, m_week));
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e);
            app::tell(e.description());
            return;
        }
    }
    const report::Destination destination = app::ask(QStringLiteral("Có muốn xem trước khi in không ?"))
                                                ? report::Destination::Window
                                                : report::Destination::Printer;
    try {
        const report::ReportResult r = printReport(m, CrystalReport1, destination, QStringLiteral("brlichtuan.rpt"),
                                                   geometry(), m_ui->Txtle->text(), weekTitle(m_week));
        if (!r.ok())
            app::tell(r.message);
    } catch (const db::DbError& e) {
        app::tell(e.description());
    }
}

void WeekViewForm::cmdxuatlichtuan_Click()
{
    const QString published = publishFolder();
    datafiles::OpenFileRequest request;
    request.title = QStringLiteral("Chọn thư mục ghi lịch tuần");
    request.folder = published.isEmpty() ? QDir::homePath() : published;
    request.chooseFolder = true;
    const QString folder = datafiles::fileChooser(this)(request);
    if (folder.isEmpty())
        return;
    const ProgramContext& m = session().context();
    try {
        ui::HourglassPointer hourglass;
        db::Database names = m.lettersReference; // tendonvi lives beside the letters
        writeWeekFiles(folder, weekFiles(session().database(), session().yearTable(), m_week, pageHeading(names),
                                         common::clock().now()));
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        app::tell(e.description());
        return;
    } catch (const sys::FileError& e) {
        app::recordRunTimeError(e);
        app::tell(publishFailedMessage(folder, e.text()));
        return;
    }
    const QString written = QStringLiteral("Đã ghi lịch tuần vào thư mục ") + QDir::toNativeSeparators(folder) +
                            QStringLiteral(" (") + kWeekCalendarFile + QStringLiteral(", ") + kWeekPageFile +
                            QStringLiteral(").") + QChar(13);
    const bool isPublished =
        !published.isEmpty() && QFileInfo(published).canonicalFilePath() == QFileInfo(folder).canonicalFilePath();
    if (isPublished) {
        // Asked so that "no" (and nobody there to answer) leaves the publishing as it is.
        if (app::ask(written + QStringLiteral("Thư mục này đang được tự động ghi lại lịch tuần mỗi khi lịch làm việc "
                                              "thay đổi. Có muốn thôi tự động ghi lại vào thư mục này không ?")))
            setPublishFolder(QString());
    } else if (app::ask(written + QStringLiteral("Từ nay mỗi khi lịch làm việc thay đổi, có tự động ghi lại lịch "
                                                 "tuần vào thư mục này không ?"))) {
        setPublishFolder(folder);
    }
    DBGrid1->setFocus();
}

void WeekViewForm::cmdclose_Click()
{
    unload();
}

// Back to the entry form on the row current here (when the row belongs to the entry form's
// table), or to the main window; also when the window's close box closes the view.
ui::UnloadResult WeekViewForm::Form_Unload()
{
    RegisterSession& s = session();
    if (s.start() != Start::Week) {
        s.setCurrentId(0);
        if (Data1->hasCurrentRecord()) {
            const db::Recordset rs = Data1->recordset();
            const QString table = m_tables.size() == 1 ? m_tables.first() : rs.value(QStringLiteral("bang")).toString();
            if (table.compare(s.yearTable(), Qt::CaseInsensitive) == 0)
                s.setCurrentId(rs.value(QStringLiteral("ID")).toLongLong());
        }
    }
    s.finished(FormRole::Week);
    return ui::UnloadResult::Unload;
}

SessionPtr WeekViewForm::makeOwnSession() const
{
    return programSession(Register::Schedule, Start::Week);
}

void WeekViewForm::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    auto* b = qobject_cast<ui::TextBox*>(activeControl());
    if (!b || b->isLocked())
        return;
    if (keyCode == ui::key::F4)
        b->setText(QString());
    else
        expandFrom(session().context(), *b, keyCode, ReferenceList::Abbreviations, QStringLiteral("chudu"));
}

} // namespace registers
