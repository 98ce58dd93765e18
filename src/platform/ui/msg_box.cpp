#include "msg_box.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace ui {
namespace {

MsgBoxHandler& handler()
{
    static MsgBoxHandler h;
    return h;
}

QMessageBox::Icon iconOf(int buttons)
{
    switch (buttons & 0x70) {
    case msgbox::Critical:
        return QMessageBox::Critical;
    case msgbox::Question:
        return QMessageBox::Question;
    case msgbox::Exclamation:
        return QMessageBox::Warning;
    case msgbox::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler h)
{
    return std::exchange(handler(), std::move(h));
}

int msgBox(const QString& prompt, int buttons, const QString& title)
{
    if (handler())
        return handler()(prompt, buttons, title);

    QMessageBox box(iconOf(buttons), title.isEmpty() ? QApplication::applicationName() : title, prompt,
                    QMessageBox::NoButton, QApplication::activeWindow());
    switch (buttons & 0x07) {
    case msgbox::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case msgbox::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case msgbox::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return msgbox::Yes;
    case QMessageBox::No:
        return msgbox::No;
    case QMessageBox::Cancel:
        return msgbox::Cancel;
    default:
        return msgbox::Ok;
    }
}

} // namespace ui
