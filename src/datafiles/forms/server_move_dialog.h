#pragma once

#include "platform/ui/form_base.h"

#include <functional>
#include <memory>

namespace Ui {
class frmmaychu;
}

namespace datafiles {

// The dialog frmmaychu: moves the office's data between this program folder and a database
// server, as `--move-to-server` and `--move-from-server` do. A folder running on its files copies
// them to the server typed in "Máy chủ dữ liệu"; a folder running on a server writes the server's
// data back into files of its data folder. "&Chuyển" asks first, then lists each table as it
// is copied, with its rows and checksum. A refused move is told and changes nothing. After a move
// the files of this run are only read until the program starts again (on the server, or on the
// files brought back): nothing typed meanwhile can go where the office will not find it.
// "Đó&ng", Esc and the close box change nothing.
class ServerMoveDialog : public ui::FormBase
{
    Q_OBJECT

public:
    // refreshWindow: the main window shows the run read-only after a move.
    explicit ServerMoveDialog(std::function<void()> refreshWindow, QWidget* parent = nullptr);
    ~ServerMoveDialog() override;

    void cmdchuyen_Click();
    void cmddong_Click();

protected:
    void Form_Load() override;

private:
    bool toServer() const;

    std::unique_ptr<Ui::frmmaychu> m_ui;
    std::function<void()> m_refreshWindow;
};

} // namespace datafiles
