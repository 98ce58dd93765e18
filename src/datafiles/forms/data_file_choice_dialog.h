#pragma once

#include "datafiles/data_file_choice.h"
#include "platform/ui/form_base.h"

#include <memory>

namespace Ui {
class frmchondulieu;
}

namespace datafiles {

// The old form frmchondulieu. The dialog that chooses another letters, plans-and-schedule or backup file (lenhchon
// "chonfiledulieucongvan", "chonfiledulieulich", "chonfiledulieubackup"). It shows the file in
// use and the files used before; the user double-clicks one (or presses Enter on it), browses for
// another with "&Tìm file mới" or types a name, and "&Chấp nhận" checks and switches through
// acceptChosenFile(). A refused file leaves the dialog open with the name as typed; a switch
// closes it. "&Không chọn", Esc and the close box change nothing.
class DataFileChoiceDialog : public ui::FormBase
{
    Q_OBJECT

public:
    DataFileChoiceDialog(DataFileRole role, ChoiceHooks hooks, QWidget* parent = nullptr);
    ~DataFileChoiceDialog() override;

    // Shows the dialog of the command word lenhchon modally and returns when it has closed; an
    // unknown word shows nothing.
    static void run(const QString& lenhchon, const ChoiceHooks& hooks, QWidget* parent);

    void cmdchon_Click();
    void cmdchapnhan_Click();
    void cmdhuychon_Click();
    void List1_DblClick();

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::frmchondulieu> m_ui;
    DataFileRole m_role;
    ChoiceHooks m_hooks;
};

} // namespace datafiles
