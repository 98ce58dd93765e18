#pragma once

// The work-plan search: criteria on the plan table of any year of the plans file, the urgent and
// finished flags; the hits are kept as the stored query Qrtracuu and shown in the plan list.

#include "registers/register_session.h"

#include "platform/ui/data_combo.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <memory>

namespace Ui {
class frmtracuukh;
}

namespace registers {

// The old form frmtracuukh.
class PlansSearchForm : public ui::FormBase, public SessionMember
{
    Q_OBJECT

public:
    explicit PlansSearchForm(QWidget* parent = nullptr);
    ~PlansSearchForm() override;

    // Shows the form with the years of the plans file; its visit tells who opened it.
    void open();

    ui::TextBox* box(const QString& name) const { return control<ui::TextBox>(name); }
    QCheckBox* check(const QString& name) const { return control<QCheckBox>(name); }
    QComboBox* yearList() const;

    void cmdtracuu_Click();
    void cmdxoa_Click();
    void cmdclose_Click();

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;
    SessionPtr makeOwnSession() const override;
    void joined(RegisterSession& session) override;

private:
    void bindYearLists();
    bool search();
    void dateLeft(const QString& name);
    void idLeft();

    ui::DataControl* Datadonvi = nullptr;
    ui::DataControl* Databophan = nullptr;
    ui::DataControl* Dataloai = nullptr;
    std::unique_ptr<Ui::frmtracuukh> m_ui;
};

} // namespace registers
