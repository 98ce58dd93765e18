#pragma once

// The work-plan search: criteria on the plan table of any year of the plans file, the urgent and
// finished flags; the hits are kept as the stored query Qrtracuu and shown in the plan list.

#include "registers/search_form.h"

#include "platform/ui/data_control.h"

#include <QCheckBox>
#include <memory>

namespace Ui {
class frmtracuukh;
}

namespace registers {

// The old form frmtracuukh.
class PlansSearchForm : public SearchForm
{
    Q_OBJECT

public:
    explicit PlansSearchForm(QWidget* parent = nullptr);
    ~PlansSearchForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmtracuukh& ui() const { return *m_ui; }

    void cmdtracuu_Click() { Cmdtracuu_Click(); }

protected:
    void Form_Load() override;
    void appendOwnCriteria(QString& condition, qint16& count) const override;
    void clearOwnCriteria() override;
    bool showHits(const QString& table, const QString& condition) override;

private:
    void bindYearLists();

    ui::DataControl* Datadonvi = nullptr;
    ui::DataControl* Databophan = nullptr;
    ui::DataControl* Dataloai = nullptr;
    std::unique_ptr<Ui::frmtracuukh> m_ui;
};

SearchConfig plansSearchConfig(const Ui::frmtracuukh& ui);

} // namespace registers
