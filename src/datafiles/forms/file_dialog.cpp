#include "file_dialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>

namespace datafiles {
namespace {

FileChooser g_chooser;

// Qt's own dialog (where no desktop dialog stands in): its places and columns wide enough for
// "Máy tính này", sizes, kinds and dates.
void widenColumns(QFileDialog& dialog)
{
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        splitter->setSizes({150, dialog.width() - 150});
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        const int widths[] = {240, 90, 130, 150};
        for (int column = 0; column < 4 && column < header->count(); ++column)
            header->resizeSection(column, widths[column]);
    }
}

} // namespace

FileChooser fileChooser(QWidget* parent)
{
    if (g_chooser)
        return g_chooser;
    QPointer<QWidget> owner(parent);
    return [owner](const OpenFileRequest& request) {
        QFileDialog dialog(owner, request.title, request.folder, request.filters.join(QStringLiteral(";;")));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (request.chooseFolder) {
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly);
        } else {
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.selectNameFilter(request.filters.value(0));
        }
        // Wide enough for long names and the columns, within a 1024x768 screen.
        const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        const QSize room = screen ? screen->availableGeometry().size() - QSize(40, 80) : QSize(820, 520);
        dialog.resize(qMin(820, room.width()), qMin(520, room.height()));
        widenColumns(dialog);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
}

FileChooser setFileChooser(FileChooser chooser)
{
    FileChooser previous = std::move(g_chooser);
    g_chooser = std::move(chooser);
    return previous;
}

} // namespace datafiles
