#include "frmnamlamviec.h"

#include "app/core/data_files.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/run_time_error.h"
#include "common/clock.h"
#include "platform/db/sql_quote.h"
#include "platform/ui/key_codes.h"
#include "sub_main.h"
#include "window_placement.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace app {

WorkingYearDialog::WorkingYearDialog(StartupWindow* window, QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), m_window(window)
{
    setObjectName(QStringLiteral("frmnamlamviec"));
    setWindowTitle(QStringLiteral("Chọn năm làm việc"));
    auto* label = new QLabel(QStringLiteral("Năm làm việc hiện hành :"), this);
    Combonamlamviec = new QComboBox(this);
    Combonamlamviec->setObjectName(QStringLiteral("Combonamlamviec"));
    Combonamlamviec->setEditable(true);
    Combonamlamviec->setInsertPolicy(QComboBox::NoInsert);
    label->setBuddy(Combonamlamviec);
    cmdCancel = new QPushButton(QStringLiteral("&Kết thúc"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false); // Enter is the form's own key
    connect(cmdCancel, &QPushButton::clicked, this, &WorkingYearDialog::cmdCancel_Click);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(Combonamlamviec, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
}

void WorkingYearDialog::run(StartupWindow* window, QWidget* parent)
{
    WorkingYearDialog form(window, parent);
    centreWindow(&form, parent);
    form.showModal();
}

void WorkingYearDialog::Form_Load()
{
    Module1& m = module1();
    Combonamlamviec->clear();
    try {
        m.scratch.execute(QStringLiteral("DELETE * FROM bophan"));
        m.letters.refreshTableDefs();
        static const QRegularExpression yearTable(QStringLiteral("^(cvden|cvdi)(.{4})$"));
        for (const QString& table : m.letters.tableNames()) {
            const QRegularExpressionMatch match = yearTable.match(table.toLower());
            if (match.hasMatch())
                m.scratch.execute(QStringLiteral("INSERT INTO bophan (matt) VALUES (") +
                                  db::quoteLiteral(match.captured(2)) + QStringLiteral(")"));
        }
        db::Recordset rs = m.scratch.openRecordset(
            QStringLiteral("select distinct matt from bophan order by matt desc"), db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext())
            Combonamlamviec->addItem(rs.value(QStringLiteral("matt")).toString());
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        tell(QStringLiteral("Gặp lỗi khi đang tìm các năm có dữ liệu !"));
    }
    Combonamlamviec->setCurrentText(m.workingYear);
    ui::setInitialFocus(Combonamlamviec);
}

ui::KeyResult WorkingYearDialog::Form_KeyDown(int keyCode, int shift)
{
    Q_UNUSED(shift)
    if (keyCode == ui::key::Enter) {
        cmdCancel_Click();
        return ui::KeyResult::Consumed;
    }
    if (keyCode == ui::key::Escape) {
        unload();
        return ui::KeyResult::Consumed;
    }
    return ui::KeyResult::Pass;
}

QStringList WorkingYearDialog::years() const
{
    QStringList result;
    for (int i = 0; i < Combonamlamviec->count(); ++i)
        result << Combonamlamviec->itemText(i);
    return result;
}

void WorkingYearDialog::chooseYearReadOnly(const QString& year)
{
    Module1& m = module1();
    const QString previous = m.workingYear;
    m.workingYear = year;
    m.setYearTables();
    bool present = false;
    try {
        present = yearTablesPresent(m);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
    }
    if (!present) {
        m.workingYear = previous;
        m.setYearTables();
        tell(QStringLiteral("Chưa có dữ liệu năm ") + year +
             QStringLiteral("; ở chế độ chỉ đọc chương trình không tạo được bảng dữ liệu mới !"));
        return;
    }
    if (m_window)
        m_window->showDataLabels();
}

void WorkingYearDialog::cmdCancel_Click()
{
    Module1& m = module1();
    if (m.templateDamaged) {
        unload();
        tell(QStringLiteral("File dữ liệu gốc của chương trình ") + QDir::toNativeSeparators(m.templatePath) +
             QStringLiteral(" bị hỏng. Chương trình không tạo được bảng dữ liệu cho năm làm việc được chọn !") +
             QStringLiteral("\r") +
             QStringLiteral("Cần khôi phục file dữ liệu gốc hoặc cài đặt lại chương trình này !"));
        return;
    }
    const QString typed = Combonamlamviec->currentText().trimmed();
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    const int clockYear = common::clock().today().year();
    if (!fourDigits.match(typed).hasMatch() || std::abs(typed.toInt() - clockYear) >= 50) {
        unload();
        tell(QStringLiteral("Cần chọn lại số năm cho đúng"));
        return;
    }
    if (m.readOnly) {
        // Nothing can be created or written: a year is taken only when its tables are there.
        unload();
        chooseYearReadOnly(typed);
        return;
    }
    m.workingYear = typed;
    m.setYearTables();
    if (!createYearTables(m)) {
        unload();
        QCoreApplication::exit(1); // the tables of the working year cannot be made: the program ends
        return;
    }
    try {
        writeSysmem(m);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        tell(QStringLiteral("Gặp lỗi khi đang ghi file sysmem."));
    }
    if (m_window)
        m_window->showDataLabels();
    unload();
}

} // namespace app
