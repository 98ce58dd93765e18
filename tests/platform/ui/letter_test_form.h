#pragma once

// A small entry form built only for the toolkit's tests, in the way the register forms use the
// toolkit: a data control on a year table, bound boxes, a grid marking rows for printing, a
// drop-down list of letter types on a second data control, key preview and a status label.

#include "platform/db/database.h"
#include "platform/ui/check_box.h"
#include "platform/ui/data_combo.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"

#include <QLabel>
#include <QStringList>

namespace uitest {

class LetterTestForm : public ui::FormBase
{
    Q_OBJECT

public:
    LetterTestForm(const db::Database& letters, const QString& table);

    ui::DataControl* Data1;
    ui::DataControl* Dataloai;
    ui::TextBox* mstt;
    ui::TextBox* mng_den;
    ui::TextBox* mnoigui;
    ui::TextBox* mloai;
    ui::TextBox* mtt_ndung;
    ui::CheckBox* Checkdaxuly;
    ui::Grid* DBGrid1;
    ui::DataCombo* DBComboloai;
    QLabel* lbltrangthai;

    // "xem" viewing, "nap" adding, "sua" editing.
    QString trangthai;
    // What the handlers saw, in order: "validate:<action>", "reposition:<pos>/<count>",
    // "error:<number>", "dblclick", "click:<area>".
    QStringList events;
    QStringList errorTexts;

    void cmdAdd_Click();
    void cmdsua_Click();
    bool cmdUpdate_Click();
    QList<ui::TextBox*> dataBoxes() const;

    void Data1_Validate(int& action, int& save);

protected:
    void Form_Load() override;
    void Form_KeyUp(int& keyCode, int shift) override;

private:
    void Data1_Reposition();
    void Data1_Error(int dataErr, const QString& description, int& response);
    void DBGrid1_DblClick();
    void DBComboloai_Click(int area);
    void returnToView();
    void setEditing(bool editing);
};

} // namespace uitest
