#pragma once

#include "platform/ui/form_base.h"

#include <QStringList>

class QComboBox;
class QPushButton;

namespace app {

class StartupWindow;

// The old form frmnamlamviec. The working-year dialog: lists the years that have letter tables in the letters file,
// newest first, and lets the user pick one or type a new one. Enter confirms the year shown (as
// "&Kết thúc" does); Esc closes the dialog and changes nothing.
class WorkingYearDialog : public ui::FormBase
{
    Q_OBJECT

public:
    // window: the main window whose labels are refreshed after a change (may be nullptr).
    explicit WorkingYearDialog(StartupWindow* window, QWidget* parent = nullptr);

    // Shows the dialog modal and returns when it has closed.
    static void run(StartupWindow* window, QWidget* parent);

    // The years offered: each year once, newest first, from the tables of letters named
    // "cvden????" or "cvdi????" (gathered through the scratch table bophan of scratch).
    QStringList years() const;

    // The button "&Kết thúc":
    // - with a damaged template (templateDamaged) the dialog closes and tells that no table can be
    //   made; nothing changes;
    // - a text that is not a four-digit year, or a year 50 or more away from the clock's year,
    //   closes the dialog with "Cần chọn lại số năm cho đúng"; nothing changes;
    // - otherwise the year becomes workingYear, its four tables are made when missing, the
    //   settings file is written and the main window's labels are refreshed. When the tables
    //   cannot be made the program ends after the message;
    // - in a read-only run (readOnly) nothing is made or written: a year whose four tables are
    //   there becomes workingYear for this run; another year is told and the year stays.
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    ui::KeyResult Form_KeyDown(int keyCode, int shift) override;

private:
    void chooseYearReadOnly(const QString& year);

    StartupWindow* m_window;
    QComboBox* Combonamlamviec = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace app
