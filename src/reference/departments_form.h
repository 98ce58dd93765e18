#pragma once

// The old form frmbophan. The departments form: departments (bophan) with the unit each belongs to, edited in
// the bound boxes directly. The unit is chosen from the drop-down list of units, which copies its
// name and identifier into the department row. The form keeps its own mode: "xem", "nap" or
// "sua"; closing and moving between rows wait until an addition or edit is saved or cancelled.
// Departments are not checked for duplicates; the last one left is never deleted, only emptied.

#include "app/gui/form_commands.h"
#include "platform/ui/data_combo.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"

#include <QLabel>
#include <QPushButton>
#include <memory>

namespace Ui {
class frmbophan;
}

namespace reference {

class DepartmentsForm : public ui::FormBase
{
    Q_OBJECT

public:
    explicit DepartmentsForm(QWidget* parent = nullptr);
    ~DepartmentsForm() override;
    // The form's controls, for its tests.
    const Ui::frmbophan& ui() const { return *m_ui; }

    // Loads the departments (request.recordSource) and the unit list (request.lookups[0]).
    void prepare(const app::FormRequest& request);
    void openFor(const app::FormRequest& request);

    void cmdAdd_Click();
    void cmdsua_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void DBCombodonvi_Click(int area);
    void txtphong_LostFocus();

    QString mode() const { return m_mode; }

    ui::DataControl* Data1 = nullptr;
    ui::DataControl* Datadonvi = nullptr;
    ui::DataCombo* DBCombodonvi = nullptr;
    ui::TextBox* txtdonvi = nullptr;
    ui::TextBox* txtdonviid = nullptr;
    ui::TextBox* txtphong = nullptr;
    ui::TextBox* txtmatt = nullptr;
    ui::TextBox* txtid = nullptr;
    QLabel* lbltrangthai = nullptr;

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    void viewState(const QString& mode);
    void Data1_Reposition();
    void keySortKey();

    std::unique_ptr<Ui::frmbophan> m_ui;
    QString m_mode;
    bool m_reminding = false; // the missing-unit reminder is showing
};

} // namespace reference
