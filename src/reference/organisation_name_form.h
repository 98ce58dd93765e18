#pragma once

// The old form frmtendonvi. The organisation-name form: the name of the organisation using the program and of
// its direct superior body, the first row of the table tendonvi, which the report headings print.
// Closing the form (its button or close box) saves both names; a refused save keeps the form
// open with what was typed. An empty table shows empty boxes and saves nothing.

#include "app/gui/form_commands.h"
#include "platform/db/database.h"
#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <memory>

namespace Ui {
class frmtendonvi;
}

namespace reference {

class OrganisationNameForm : public ui::FormBase
{
    Q_OBJECT

public:
    explicit OrganisationNameForm(QWidget* parent = nullptr);
    ~OrganisationNameForm() override;
    // The form's controls, for its tests.
    const Ui::frmtendonvi& ui() const { return *m_ui; }

    // Loads the names from the request's data file (the reference file beside the letters file).
    void prepare(const app::FormRequest& request);
    void openFor(const app::FormRequest& request);

    ui::TextBox* Txttendonvi = nullptr;
    ui::TextBox* Txttencaptren = nullptr;

protected:
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    std::unique_ptr<Ui::frmtendonvi> m_ui;
    db::Database m_db;
};

} // namespace reference
