#pragma once

// The old forms frmdonvi, frmloaicv and frmchutat. The list form of the reference lists: a grid of the list, the name
// and abbreviation the user types into the edit boxes, and the buttons to add, edit, delete,
// save and close. The same class serves the units and correspondents (frmdonvi), the letter
// types (frmloaicv) and the abbreviations (frmchutat); ListConfig holds what differs.
//
// Modes (mode()): "xem" viewing, "nap" adding, "sua" editing. The edit boxes are
// locked while viewing. Saving checks that both boxes are filled, then that no other row of the
// list uses the abbreviation (a quick save when only the name of an edited row changed), stores
// the name, the abbreviation and the sort key matt of the name cut to 150 characters, and shows
// the saved row in the re-sorted list. A refused save keeps the mode and what was typed.

#include "app/gui/form_commands.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"

#include <QLabel>
#include <QPushButton>
#include <functional>

namespace reference {

// The controls of a reference list, under the names the three layouts give them.
struct ListControls
{
    ui::DataControl* Data1 = nullptr;
    ui::Grid* DBGrid1 = nullptr;
    QLabel* lbltrangthai = nullptr;
    ui::TextBox* mname = nullptr;   // the edit box of the name: mtendonvi, mloai or mchudu
    ui::TextBox* mchutat = nullptr; // the edit box of the abbreviation
    ui::TextBox* txtname = nullptr; // the hidden box bound to the name: txttendonvi, txtloai or txtchudu
    ui::TextBox* txtchutat = nullptr;
    ui::TextBox* txtid = nullptr;
    ui::TextBox* txtmatt = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* Cmdsua = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdclose = nullptr;
    QPushButton* cmdxuatexcel = nullptr; // "Xuất ra Excel"
};

// The controls every layout has under the same names, and the name boxes it gives.
template <class Ui> ListControls listControls(const Ui& ui, ui::TextBox* name, ui::TextBox* boundName)
{
    return {ui.Data1,   ui.DBGrid1, ui.lbltrangthai, name,         ui.mchutat,   boundName,   ui.txtchutat,   ui.txtid,
            ui.txtmatt, ui.cmdAdd,  ui.Cmdsua,       ui.cmdUpdate, ui.cmdDelete, ui.cmdclose, ui.cmdxuatexcel};
}

struct ListConfig
{
    QString nameColumn;  // "tendonvi": the column the name is bound to
    QString nameCaption; // "Tên đơn vị": the grid's column caption
    QString viewStatus;  // "Xem tên đơn vị"
    QString addStatus;   // "Nạp tên đơn vị"
    QString editStatus;  // "Sửa tên đơn vị"
    QString emptyMessage;
    std::function<ListControls(QDialog*)> setupUi; // lays the form out from its .ui file, gives its controls
};

// The configurations of the four lists.
ListConfig unitsConfig();         // frmdonvi: donvi, and noigui for the correspondents
ListConfig letterTypesConfig();   // frmloaicv: loaicv
ListConfig abbreviationsConfig(); // frmchutat: chutat

class ReferenceListForm : public ui::FormBase
{
    Q_OBJECT

public:
    explicit ReferenceListForm(ListConfig config, QWidget* parent = nullptr);

    // Loads the form on the request's data file and record source, at the last row; a title
    // given by the request becomes the window title and the first status text.
    void prepare(const app::FormRequest& request);
    // prepare(), then shown modal; returns when the form has closed.
    void openFor(const app::FormRequest& request);

    // "xem" viewing, "nap" adding or "sua" editing; empty before the form is first loaded.
    QString mode() const { return m_mode; }

    void cmdAdd_Click();
    void Cmdsua_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdclose_Click();

    const ListControls& controls() const { return m_controls; }
    // The controls the form's code and tests use most (as in controls()).
    ui::DataControl* Data1 = nullptr;
    ui::Grid* DBGrid1 = nullptr;
    ui::TextBox* mname = nullptr; // mtendonvi, mloai or mchudu
    ui::TextBox* mchutat = nullptr;
    QLabel* lbltrangthai = nullptr;

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    ui::ValidateResult Data1_Validate(ui::DataAction action, bool changed);
    void Data1_Reposition();
    ui::ErrorResponse Data1_Error(int dataErr, const QString& description);
    void returnToView();
    void leaveEditCheck();
    void update();
    void setStatus(const QString& text, bool editing);
    void setMode(const QString& mode) { m_mode = mode; }

    ListConfig m_config;
    ListControls m_controls;
    ui::TextBox* txtname = nullptr; // txttendonvi, txtloai or txtchudu
    ui::TextBox* txtchutat = nullptr;
    ui::TextBox* txtid = nullptr;
    ui::TextBox* txtmatt = nullptr;
    QString m_mode;
    QString m_dangghi;  // "yes" while the update routine runs
    QString m_loitrung; // "yes" after a refused duplicate
};

} // namespace reference
