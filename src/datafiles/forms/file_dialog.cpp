#include "file_dialog.h"

#include <QFileDialog>
#include <QPointer>

namespace datafiles {
namespace {

FileChooser g_chooser;

} // namespace

FileChooser fileChooser(QWidget* parent)
{
    if (g_chooser)
        return g_chooser;
    QPointer<QWidget> owner(parent);
    return [owner](const OpenFileRequest& request) {
        QString selected = request.filters.value(0);
        return QFileDialog::getOpenFileName(owner, request.title, request.folder,
                                            request.filters.join(QStringLiteral(";;")), &selected);
    };
}

FileChooser setFileChooser(FileChooser chooser)
{
    FileChooser previous = std::move(g_chooser);
    g_chooser = std::move(chooser);
    return previous;
}

} // namespace datafiles
