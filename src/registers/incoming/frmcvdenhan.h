#pragma once

// The list "Công văn đến hạn, quá hạn": the incoming letters not yet handled whose deadline has
// passed or comes within three days, ordered by deadline, printed and exported.

#include "registers/program_context.h"

#include "platform/db/database.h"
#include "platform/report/report_control.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"

#include <QDate>
#include <memory>

namespace Ui {
class frmcvdenhan;
}

namespace registers {

// The stored query of the letters file the printout reads.
inline const QString kDueLettersQuery = QStringLiteral("Qrcvdenhan");

// The old-style name frmcvdenhan. Opened from the main window's "Công văn đến" frame; closing
// brings the main window back.
class DueLettersForm : public ui::FormBase
{
    Q_OBJECT

public:
    explicit DueLettersForm(QWidget* parent = nullptr);
    ~DueLettersForm() override;

    const Ui::frmcvdenhan& ui() const { return *m_ui; }

    // Shows the due letters of every year table of letters on today (the program's clock).
    void open(const db::Database& letters, const ProgramContext& context);

    void cmdin_Click();

    ui::DataControl* Data1 = nullptr;

protected:
    ui::UnloadResult Form_Unload() override;

private:
    std::unique_ptr<Ui::frmcvdenhan> m_ui;
    db::Database m_letters;
    ProgramContext m_context;
    QDate m_today;
    report::ReportControl CrystalReport1;
};

} // namespace registers
