#pragma once

// The print-by-date dialog of both letter registers: prints every letter whose date lies in a
// range, without marking. The caller tells its own form name and its visit before the dialog is
// loaded (setCaller): "frmcvden" or "frmgridcvden" print incoming letters by arrival date, any
// other name outgoing letters by letter date, from the working year's table of the visit's file.

#include "registers/date_print.h"
#include "registers/register_session.h"

#include "platform/report/report_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <memory>

namespace Ui {
class frmincv;
}

namespace registers {

// The old form frmincv.
class DatePrintDialog : public ui::FormBase, public DatePrintCaller
{
    Q_OBJECT

public:
    explicit DatePrintDialog(QWidget* parent = nullptr);
    ~DatePrintDialog() override;

    void setCaller(const QString& caller, SessionPtr visit) override;
    void proposeFirstDate(const QString& date) override;
    const Ui::frmincv& ui() const { return *m_ui; }
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
    // Tells message and remembers it as the one last shown.
    void tell(const QString& message);

    std::unique_ptr<Ui::frmincv> m_ui;
    QString m_caption;
    QString m_destination;
    bool m_incoming = true;
    QString m_caller;
    std::weak_ptr<RegisterSession> m_visit; // held by the caller's forms while the visit lasts
    QString m_lastTold;                     // the message this dialog showed last since it was loaded
};

// Registers the dialog with the register forms (form name "frmincv").
void registerDatePrintDialog();

} // namespace registers
