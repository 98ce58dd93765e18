#include "file_dialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>

namespace datafiles {
namespace {

FileChooser g_chooser;
FileChooser g_saveChooser;

// The extension of a filter such as "Excel (*.xlsx)": "xlsx".
QString suffixOfFilter(const QString& filter)
{
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0)
        return QString();
    const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), star);
    return filter.mid(star + 2, end < 0 ? -1 : end - star - 2);
}

QSize dialogSize(const QWidget* owner)
{
    // Wide enough for long names and the columns, within a 1024x768 screen.
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() - QSize(40, 80) : QSize(820, 520);
    return {qMin(820, room.width()), qMin(520, room.height())};
}

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
        dialog.resize(dialogSize(owner));
        widenColumns(dialog);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
}

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
        dialog.setDefaultSuffix(suffixOfFilter(request.filters.value(0)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOfFilter(filter)); });
        dialog.resize(dialogSize(owner));
        widenColumns(dialog);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
}

FileChooser setSaveFileChooser(FileChooser chooser)
{
    FileChooser previous = std::move(g_saveChooser);
    g_saveChooser = std::move(chooser);
    return previous;
}

FileChooser setFileChooser(FileChooser chooser)
{
    FileChooser previous = std::move(g_chooser);
    g_chooser = std::move(chooser);
    return previous;
}

} // namespace datafiles
