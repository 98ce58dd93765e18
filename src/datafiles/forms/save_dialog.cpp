#include "save_dialog.h"

#include <QFileDialog>
#include <QPointer>

namespace datafiles {
namespace {

FileChooser g_saveChooser;

} // namespace

FileChooser saveFileChooser(QWidget* parent)
{
    if (g_saveChooser)
        return g_saveChooser;
    QPointer<QWidget> owner(parent);
    return [owner](const OpenFileRequest& request) {
        QFileDialog dialog(owner, request.title, request.folder, request.filters.join(QStringLiteral(";;")));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectNameFilter(request.filters.value(0));
        dialog.resize(820, 520);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
}

FileChooser setSaveFileChooser(FileChooser chooser)
{
    FileChooser previous = std::move(g_saveChooser);
    g_saveChooser = std::move(chooser);
    return previous;
}

} // namespace datafiles
