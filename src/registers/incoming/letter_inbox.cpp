#include "letter_inbox.h"

#include "ui_frmhopthu.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/dates.h"
#include "common/letter_heading.h"
#include "datafiles/attachment_checks.h"
#include "datafiles/attachments.h"
#include "datafiles/forms/file_dialog.h"
#include "documents/ocr_reader.h"
#include "documents/text_extraction.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "registers/entry_form.h"
#include "registers/letters/attachments_dialog.h"
#include "registers/letters/letter_attachments.h"
#include "registers/pick_grids.h"
#include "registers/program_context.h"
#include "registers/register_session.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>

namespace registers {
namespace {

// The heading is on the first page: only that page is read, by OCR when it has no text.
QString firstPageText(const QString& path)
{
    const documents::DocumentKind kind = documents::documentKind(datafiles::attachmentType(path));
    if (kind == documents::DocumentKind::None)
        return {};
    documents::ExtractionLimits limits;
    limits.maxPages = 1;
    limits.maxOcrPages = 1;
    limits.secondsPerFile = 60;
    documents::OcrReader ocr;
    return documents::extractText(path, kind, limits, ocr.ready() ? &ocr : nullptr, nullptr).text;
}

DocumentTextReader& textReader()
{
    static DocumentTextReader reader;
    return reader;
}

// The text of path for reading its heading; a reader that fails leaves the boxes to the
// secretary.
QString documentText(const QString& path)
{
    try {
        ui::HourglassPointer wait;
        return textReader() ? textReader()(path) : firstPageText(path);
    } catch (const std::exception& e) {
        app::recordRunTimeError(e);
        return {};
    }
}

QStringList correspondents(EntryForm& form)
{
    QStringList names;
    ui::DataControl* data = form.pickGrids()->dataControl(QStringLiteral("DBGridnoigui"));
    if (!data || !data->hasRecordset())
        return names;
    try {
        db::Recordset rs = data->recordset().clone();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            names << rs.value(QStringLiteral("tendonvi")).toString();
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e); // the sender is then left to the secretary
    }
    return names;
}

} // namespace

DocumentTextReader setDocumentTextReader(DocumentTextReader reader)
{
    DocumentTextReader previous = std::move(textReader());
    textReader() = std::move(reader);
    return previous;
}

InboxDialog::InboxDialog(QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), m_ui(std::make_unique<Ui::frmhopthu>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmhopthu"));
    QHeaderView* header = m_ui->lsttep->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setStretchLastSection(false);
    for (int column = 1; column < 3; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    connect(m_ui->cmdnap, &QPushButton::clicked, this, &InboxDialog::cmdnap_Click);
    connect(m_ui->cmdmo, &QPushButton::clicked, this, &InboxDialog::cmdmo_Click);
    connect(m_ui->cmdlammoi, &QPushButton::clicked, this, &InboxDialog::cmdlammoi_Click);
    connect(m_ui->cmdthumuc, &QPushButton::clicked, this, &InboxDialog::cmdthumuc_Click);
    connect(m_ui->cmddong, &QPushButton::clicked, this, [this] { unload(); });
    connect(m_ui->lsttep, &QTableWidget::itemActivated, this, &InboxDialog::cmdnap_Click);
    reload();
}

InboxDialog::~InboxDialog() = default;

void InboxDialog::reload()
{
    const QString folder = datafiles::inboxFolder();
    m_files = datafiles::inboxFiles(folder);
    if (folder.isEmpty())
        m_ui->lblthumuc->setText(
            QStringLiteral("Chưa chọn thư mục nhận văn bản: hãy bấm \"Chọn thư mục…\" và chọn thư mục máy quét hoặc "
                           "hệ thống văn bản điện tử ghi tệp vào."));
    else if (!QFileInfo(folder).isDir())
        m_ui->lblthumuc->setText(QStringLiteral("Không đọc được thư mục nhận văn bản ") +
                                 QDir::toNativeSeparators(folder) + QStringLiteral(": hãy chọn lại thư mục."));
    else
        m_ui->lblthumuc->setText(QStringLiteral("Thư mục nhận văn bản: ") + QDir::toNativeSeparators(folder) +
                                 (m_files.isEmpty() ? QStringLiteral(" (không có tệp nào chờ nạp)") : QString()));
    QTableWidget* list = m_ui->lsttep;
    list->setRowCount(0);
    list->setRowCount(static_cast<int>(m_files.size()));
    for (int row = 0; row < m_files.size(); ++row) {
        const datafiles::InboxFile& f = m_files.at(row);
        const QStringList cells = {f.name, datafiles::sizeText(f.size),
                                   f.modified.toString(QStringLiteral("dd/MM/yyyy HH:mm"))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            if (column == 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            list->setItem(row, column, item);
        }
    }
    if (!m_files.isEmpty())
        list->selectRow(0);
    m_ui->cmdnap->setEnabled(!m_files.isEmpty());
    m_ui->cmdmo->setEnabled(!m_files.isEmpty());
}

const datafiles::InboxFile* InboxDialog::current() const
{
    const int row = m_ui->lsttep->currentRow();
    return row >= 0 && row < m_files.size() ? &m_files.at(row) : nullptr;
}

void InboxDialog::cmdnap_Click()
{
    const datafiles::InboxFile* f = current();
    if (!f)
        return;
    if (!QFileInfo::exists(f->path)) {
        app::tell(QStringLiteral("Tệp \"") + f->name + QStringLiteral("\" không còn trong thư mục nhận văn bản."));
        reload();
        return;
    }
    m_chosen = f->path;
    hide();
}

void InboxDialog::cmdmo_Click()
{
    const datafiles::InboxFile* f = current();
    if (f && !openDocument(f->path))
        app::tell(QStringLiteral("Không mở được tệp \"") + f->name +
                  QStringLiteral("\": máy chưa có chương trình mở loại tệp này."));
}

void InboxDialog::cmdlammoi_Click()
{
    reload();
}

void InboxDialog::cmdthumuc_Click()
{
    const QString current = datafiles::inboxFolder();
    const datafiles::OpenFileRequest request{
        QStringLiteral("Chọn thư mục nhận văn bản"), current.isEmpty() ? QDir::homePath() : current, {}, true};
    const QString folder = datafiles::fileChooser(this)(request);
    if (folder.isEmpty())
        return;
    datafiles::setInboxFolder(folder);
    reload();
}

bool takeInFile(EntryForm& form, const TakeInBoxes& boxes, const QString& path)
{
    if (form.mode() != EntryMode::Viewing) {
        app::tell(QStringLiteral("Đang nạp hoặc sửa công văn: hãy ghi đĩa hoặc bỏ qua công văn đó trước khi nạp công "
                                 "văn từ tệp."));
        return false;
    }
    const QString refusal = datafiles::checkAttachment(path);
    if (!refusal.isEmpty()) {
        app::tell(refusal);
        return false;
    }
    const common::LetterHeading heading = common::readLetterHeading(documentText(path), correspondents(form));
    form.cmdAdd_Click();
    if (form.mode() != EntryMode::Adding)
        return false; // refused and told by the form (a read-only file, no rights)
    if (!heading.number.isEmpty())
        boxes.number->setText(heading.number);
    if (heading.date.isValid())
        boxes.date->setText(common::dateToText(heading.date));
    if (!heading.sender.isEmpty())
        boxes.sender->setText(heading.sender);
    // The file waits with any other chosen for this letter (the panel "Tệp đính kèm" lists it);
    // it leaves the inbox only once attached.
    try {
        pendingAttachments(form).add(
            path, form.session().context().userFullName, QDateTime::currentDateTime(),
            QStringLiteral(" Tệp vẫn nằm trong hộp văn bản đến; có thể đính kèm nó bằng nút \"Tệp đính kèm\"."),
            [path]() -> QString {
                try {
                    datafiles::moveTakenIn(path);
                } catch (const datafiles::AttachmentError& e) {
                    return e.message(); // attached already: only the inbox keeps a copy
                }
                return {};
            });
    } catch (const datafiles::AttachmentError& e) {
        app::tell(e.message()); // gone since it was chosen: the letter goes on without it
        return false;
    }
    return true;
}

void attachLetterInbox(EntryForm& form, QPushButton* button, const TakeInBoxes& boxes)
{
    // The button tells how many files wait, each time the form comes back to viewing.
    const auto count = [button] {
        const qsizetype waiting = datafiles::inboxFiles(datafiles::inboxFolder()).size();
        button->setText(waiting > 0 ? QStringLiteral("Hộp văn bản đến (") + QString::number(waiting) + QLatin1Char(')')
                                    : QStringLiteral("Hộp văn bản đến"));
    };
    QObject::connect(&form, &EntryForm::modeChanged, button, [count](EntryMode mode) {
        if (mode == EntryMode::Viewing)
            count();
    });
    QObject::connect(button, &QPushButton::clicked, &form, [&form, boxes, count] {
        InboxDialog inbox(&form);
        inbox.showModal();
        if (inbox.chosen().isEmpty() || !takeInFile(form, boxes, inbox.chosen()))
            count(); // the folder may have been chosen or changed meanwhile
    });
}

} // namespace registers
