#pragma once

// The print-by-date dialog of both letter registers: prints every letter whose date lies in a
// range, without marking. The caller writes its own form name into message before showing the
// dialog: "frmcvden" or "frmgridcvden" print incoming letters by arrival date, any other name
// outgoing letters by letter date.

#include "platform/report/report_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <memory>

namespace Ui {
class frmincv;
}

namespace registers {

// The old form frmincv.
class DatePrintDialog : public ui::FormBase
{
    Q_OBJECT

public:
    explicit DatePrintDialog(QWidget* parent = nullptr);
    ~DatePrintDialog() override;

    bool incoming() const { return m_incoming; }
    report::ReportControl CrystalReport1;

    void cmdok_Click();
    void cmdxemin_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    void leaveDate(ui::TextBox* box, const QString& message);
    bool checkDate(ui::TextBox* box, const QString& message);

    std::unique_ptr<Ui::frmincv> m_ui;
    QString m_caption;
    QString m_destination;
    bool m_incoming = true;
};

// Registers the dialog with the register forms (form name "frmincv").
void registerDatePrintDialog();

} // namespace registers
