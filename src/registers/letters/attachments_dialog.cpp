#include "attachments_dialog.h"

#include "ui_frmtepdinhkem.h"

#include "documents/text_indexer.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "datafiles/attachment_checks.h"
#include "datafiles/forms/file_dialog.h"
#include "platform/db/db_error.h"
#include "platform/document/document_print.h"
#include "platform/document/document_viewer.h"
#include "platform/ui/hourglass.h"
#include "registers/register_data.h"

#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

namespace registers {
namespace {

DocumentOpener& opener()
{
    static DocumentOpener o;
    return o;
}

PrinterChooser& printerChooser()
{
    static PrinterChooser c;
    return c;
}

bool choosePrinter(QPrinter& printer, QWidget* parent)
{
    if (printerChooser())
        return printerChooser()(printer, parent);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("In tệp đính kèm"));
    return dialog.exec() == QDialog::Accepted;
}

QString lastFolder;

// Marks a file held for a letter being added, in place of the date it was attached.
const QString kPendingMark = QStringLiteral("(chưa ghi)");

} // namespace

bool openDocument(const QString& path)
{
    if (opener())
        return opener()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

PrinterChooser setPrinterChooser(PrinterChooser c)
{
    PrinterChooser previous = std::move(printerChooser());
    printerChooser() = std::move(c);
    return previous;
}

DocumentOpener setDocumentOpener(DocumentOpener o)
{
    DocumentOpener previous = std::move(opener());
    opener() = std::move(o);
    return previous;
}

QStringList localFiles(const QList<QUrl>& urls)
{
    QStringList files;
    for (const QUrl& u : urls) {
        if (u.isLocalFile())
            files << u.toLocalFile();
    }
    return files;
}

AttachmentsDialog::AttachmentsDialog(AttachmentsScope scope, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmtepdinhkem>()), m_scope(std::move(scope)),
      m_store(datafiles::AttachmentStore::besideLettersFile(m_scope.db.path()))
{
    m_ui->setupUi(this);
    m_ui->lblcongvan->setText(m_scope.letterTitle);
    QString guide = m_scope.whyNoChanges.isEmpty()
                        ? QStringLiteral("Thêm tệp bằng nút \"Thêm tệp…\" hoặc kéo tệp thả vào đây.")
                        : m_scope.whyNoChanges;
    if (m_scope.pending && m_scope.whyNoChanges.isEmpty())
        guide = QStringLiteral("Các tệp đánh dấu \"") + kPendingMark +
                QStringLiteral("\" sẽ được đính kèm khi công văn được ghi đĩa; bỏ qua công văn thì không tệp nào được "
                               "đính kèm. ") +
                guide;
    m_ui->lblhuongdan->setText(guide);
    QHeaderView* header = m_ui->lsttep->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setStretchLastSection(false);
    for (int column = 1; column < 4; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    connect(m_ui->cmdthem, &QPushButton::clicked, this, &AttachmentsDialog::cmdthem_Click);
    connect(m_ui->cmdxem, &QPushButton::clicked, this, &AttachmentsDialog::cmdxem_Click);
    connect(m_ui->cmdmo, &QPushButton::clicked, this, &AttachmentsDialog::cmdmo_Click);
    connect(m_ui->cmdluu, &QPushButton::clicked, this, &AttachmentsDialog::cmdluu_Click);
    connect(m_ui->cmdin, &QPushButton::clicked, this, &AttachmentsDialog::cmdin_Click);
    connect(m_ui->cmdxoa, &QPushButton::clicked, this, &AttachmentsDialog::cmdxoa_Click);
    connect(m_ui->cmddong, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->lsttep, &QTableWidget::itemSelectionChanged, this, &AttachmentsDialog::updateButtons);
    connect(m_ui->lsttep, &QTableWidget::itemActivated, this, &AttachmentsDialog::cmdxem_Click);
    reload();
}

AttachmentsDialog::~AttachmentsDialog() = default;

void AttachmentsDialog::reload(long long select, int selectRow)
{
    m_rows.clear();
    if (m_scope.pending) {
        for (const datafiles::PendingAttachment& p : m_scope.pending->files()) {
            datafiles::Attachment a;
            a.yearTable = m_scope.yearTable;
            a.name = p.name;
            a.hash = p.hash;
            a.size = p.size;
            a.type = datafiles::attachmentType(p.name);
            a.addedBy = p.addedBy;
            a.addedAt = p.addedAt;
            m_rows << a;
        }
    } else if (m_scope.letterId > 0) {
        try {
            m_rows = datafiles::attachmentsOf(m_scope.db, m_scope.yearTable, m_scope.letterId);
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e);
            app::tell(QStringLiteral("Không đọc được danh sách tệp đính kèm: ") + e.description());
        }
    }
    QTableWidget* list = m_ui->lsttep;
    list->setRowCount(0);
    list->setRowCount(static_cast<int>(m_rows.size()));
    int selected = m_rows.isEmpty() ? -1 : 0;
    for (int row = 0; row < m_rows.size(); ++row) {
        const datafiles::Attachment& a = m_rows.at(row);
        const QString when = m_scope.pending ? kPendingMark : a.addedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
        const QStringList cells = {a.name, datafiles::sizeText(a.size), when, a.addedBy};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            if (column == 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            list->setItem(row, column, item);
        }
        if (a.id != 0 && a.id == select)
            selected = row;
    }
    if (selectRow >= 0 && selectRow < m_rows.size())
        selected = selectRow;
    if (selected >= 0)
        list->selectRow(selected);
    updateButtons();
}

const datafiles::Attachment* AttachmentsDialog::current() const
{
    const int row = m_ui->lsttep->currentRow();
    return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
}

QString AttachmentsDialog::currentPath() const
{
    const int row = m_ui->lsttep->currentRow();
    if (m_scope.pending)
        return row >= 0 && row < m_scope.pending->files().size() ? m_scope.pending->files().at(row).path : QString();
    const datafiles::Attachment* a = current();
    return a ? m_store.pathOf(a->hash) : QString();
}

void AttachmentsDialog::updateButtons()
{
    const bool any = current() != nullptr;
    const bool changes = m_scope.whyNoChanges.isEmpty();
    m_ui->cmdthem->setEnabled(changes);
    m_ui->cmdxoa->setEnabled(changes && any);
    m_ui->cmdxem->setEnabled(any);
    m_ui->cmdmo->setEnabled(any);
    m_ui->cmdluu->setEnabled(any);
    m_ui->cmdin->setEnabled(any);
    setAcceptDrops(changes);
}

bool AttachmentsDialog::mayChange()
{
    if (!m_scope.whyNoChanges.isEmpty()) {
        app::tell(m_scope.whyNoChanges);
        return false;
    }
    return !refuseWhenReadOnly(m_scope.db, m_scope.yearTable);
}

void AttachmentsDialog::addFiles(const QStringList& paths)
{
    if (paths.isEmpty() || !mayChange())
        return;
    if (m_scope.pending) {
        // A letter being added: the files are checked now and wait for its save.
        for (const QString& path : paths) {
            ui::HourglassPointer wait;
            try {
                m_scope.pending->add(path, m_scope.user, QDateTime::currentDateTime());
            } catch (const datafiles::AttachmentError& e) {
                app::tell(e.message());
            }
        }
        reload(0, static_cast<int>(m_scope.pending->files().size()) - 1);
        return;
    }
    long long added = 0;
    for (const QString& path : paths) {
        ui::HourglassPointer wait;
        try {
            added = datafiles::attachFile(m_scope.db, m_store, m_scope.yearTable, m_scope.letterId, path, m_scope.user,
                                          QDateTime::currentDateTime())
                        .id;
        } catch (const datafiles::AttachmentError& e) {
            app::tell(e.message());
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e);
            app::tell(QStringLiteral("Không ghi được tệp đính kèm \"") + QFileInfo(path).fileName() +
                      QStringLiteral("\" vào file dữ liệu: ") + e.description());
        }
    }
    if (documents::TextIndexer* reader = documents::programIndexer(); reader && added)
        reader->queueFrom(m_scope.db); // the new file's words become searchable in the background
    reload(added);
}

void AttachmentsDialog::cmdthem_Click()
{
    if (!mayChange())
        return;
    const datafiles::OpenFileRequest request{
        QStringLiteral("Chọn tệp đính kèm công văn"),
        lastFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : lastFolder,
        {QStringLiteral("Văn bản, ảnh quét (*.pdf *.png *.jpg *.jpeg *.tif *.tiff *.doc *.docx *.odt *.xls *.xlsx)"),
         QStringLiteral("Mọi tệp (*)")}};
    const QString path = datafiles::fileChooser(this)(request);
    if (path.isEmpty())
        return;
    lastFolder = QFileInfo(path).absolutePath();
    addFiles({path});
}

void AttachmentsDialog::cmdxem_Click()
{
    const datafiles::Attachment* a = current();
    if (!a)
        return;
    if (document::documentKind(a->name) == document::DocumentKind::Other) {
        cmdmo_Click();
        return;
    }
    try {
        ui::HourglassPointer wait;
        // The viewer reads the file where it is: a stored file never changes, a held one is the user's.
        document::DocumentViewer::open(currentPath(), a->name, this);
    } catch (const document::DocumentError& e) {
        app::tell(e.message());
    }
}

void AttachmentsDialog::cmdin_Click()
{
    const datafiles::Attachment* a = current();
    if (!a)
        return;
    if (document::documentKind(a->name) == document::DocumentKind::Other) {
        app::tell(QStringLiteral("Chương trình chỉ in được tệp PDF và ảnh (PNG, JPEG, TIFF). Hãy mở tệp \"") + a->name +
                  QStringLiteral("\" bằng nút \"Mở\" và in từ chương trình của máy."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(a->name);
    if (!choosePrinter(printer, this))
        return;
    try {
        ui::HourglassPointer wait;
        document::printDocument(printer, currentPath(), a->name);
    } catch (const document::DocumentError& e) {
        app::tell(e.message());
    }
}

void AttachmentsDialog::cmdmo_Click()
{
    const datafiles::Attachment* a = current();
    if (!a)
        return;
    try {
        const QString folder = QDir::tempPath() + QStringLiteral("/selvaro-tepdinhkem");
        // A held file is the user's own: opened where it was chosen.
        QString path = currentPath();
        if (!m_scope.pending)
            path = datafiles::copyForOpening(m_store, *a, folder);
        else if (!QFileInfo(path).isFile())
            throw datafiles::AttachmentError(datafiles::unreadableRefusal(path));
        if (!openDocument(path))
            app::tell(QStringLiteral("Không mở được tệp \"") + a->name +
                      QStringLiteral("\": máy chưa có chương trình mở loại tệp này. Hãy dùng \"Lưu thành…\"."));
    } catch (const datafiles::AttachmentError& e) {
        app::tell(e.message());
    }
}

void AttachmentsDialog::cmdluu_Click()
{
    const datafiles::Attachment* a = current();
    if (!a)
        return;
    const QString folder =
        lastFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : lastFolder;
    const QString suffix = QFileInfo(a->name).suffix();
    const datafiles::OpenFileRequest request{QStringLiteral("Lưu tệp đính kèm thành"),
                                             folder + QLatin1Char('/') + a->name,
                                             {suffix.isEmpty() ? QStringLiteral("Mọi tệp (*)")
                                                               : QStringLiteral("Tệp ") + suffix.toUpper() +
                                                                     QStringLiteral(" (*.") + suffix + QLatin1Char(')'),
                                              QStringLiteral("Mọi tệp (*)")}};
    const QString target = datafiles::saveFileChooser(this)(request);
    if (target.isEmpty())
        return;
    try {
        ui::HourglassPointer wait;
        if (m_scope.pending)
            datafiles::copyFileAs(currentPath(), target);
        else
            datafiles::saveAttachmentAs(m_store, *a, target);
        lastFolder = QFileInfo(target).absolutePath();
    } catch (const datafiles::AttachmentError& e) {
        app::tell(e.message());
    }
}

void AttachmentsDialog::cmdxoa_Click()
{
    const datafiles::Attachment* a = current();
    if (!a || !mayChange())
        return;
    if (!app::ask(QStringLiteral("Bạn có chắc chắn muốn xoá tệp \"") + a->name +
                  QStringLiteral("\" khỏi công văn này không ?")))
        return;
    if (m_scope.pending) {
        m_scope.pending->remove(m_ui->lsttep->currentRow()); // nothing was written for it
        reload();
        return;
    }
    try {
        datafiles::removeAttachment(m_scope.db, a->id);
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        app::tell(QStringLiteral("Không xoá được tệp đính kèm: ") + e.description());
    }
    reload();
}

void AttachmentsDialog::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void AttachmentsDialog::dropEvent(QDropEvent* event)
{
    const QStringList files = localFiles(event->mimeData()->urls());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    addFiles(files);
}

} // namespace registers
