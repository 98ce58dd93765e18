#include "register_catalog.h"

#include "app/core/data_files.h"
#include "app/core/file_presence.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/run_time_error.h"
#include "platform/ui/hourglass.h"

#include <QDir>

namespace app {
namespace {

QList<RegisterDescriptor>& catalog()
{
    static QList<RegisterDescriptor> registers;
    return registers;
}

} // namespace

void addRegister(RegisterDescriptor descriptor)
{
    for (const RegisterCommand* c : descriptor.commands()) {
        if (c->open) // a register may name a command whose form this build lacks
            registerFormOpener(c->name, c->open);
    }
    for (RegisterDescriptor& d : catalog()) {
        if (d.frameTitle == descriptor.frameTitle) {
            d = std::move(descriptor);
            return;
        }
    }
    catalog().append(std::move(descriptor));
}

const QList<RegisterDescriptor>& registerDescriptors()
{
    return catalog();
}

void forgetRegisters()
{
    catalog().clear();
    unregisterFormOpeners();
}

const RegisterDescriptor* findRegister(const QString& command, const RegisterCommand** found)
{
    for (const RegisterDescriptor& d : catalog()) {
        for (const RegisterCommand* c : d.commands()) {
            if (c->name.compare(command, Qt::CaseInsensitive) == 0) {
                if (found)
                    *found = c;
                return &d;
            }
        }
    }
    return nullptr;
}

bool runRegisterCommand(const Module1& state, const QString& command, QWidget* mainWindow)
{
    const RegisterCommand* c = nullptr;
    const RegisterDescriptor* d = findRegister(command, &c);
    if (!d)
        return false;
    ui::HourglassPointer hourglass;
    const QString path = state.path(d->dataFile);
    if (filePresence(path).isEmpty()) {
        tell(dataFileMissingMessage(path));
        return false;
    }
    if (!hasFormOpener(c->name)) {
        tell(kNotAvailable);
        return false;
    }
    FormRequest request;
    request.command = c->name;
    request.dataFile = d->dataFile;
    try {
        return openForm(request, mainWindow);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        tell(QStringLiteral("Gặp lỗi khi đang mở ") + c->caption + QStringLiteral(" !"));
        return false;
    }
}

QString dataFileMissingMessage(const QString& path)
{
    return QStringLiteral("Không tìm thấy file dữ liệu ") + QDir::toNativeSeparators(path) + QStringLiteral(" !") +
           QStringLiteral("\r") + QStringLiteral("Cần kiểm tra việc nối mạng và thư mục mạng chứa file này, ") +
           QStringLiteral("chạy lại chương trình hoặc chọn lại file dữ liệu !");
}

} // namespace app
