#include "letter_attachments.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "documents/text_indexer.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "registers/entry_form.h"
#include "registers/program_context.h"
#include "registers/register_data.h"
#include "registers/register_session.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSet>

namespace registers {
namespace {

// Sweeps the store of a letters file once per run, the first time its attachments are shown:
// files left by copies whose row never committed.
void sweepOnce(db::Database& db)
{
    static QSet<QString> swept;
    if (swept.contains(db.path()))
        return;
    swept.insert(db.path());
    try {
        datafiles::sweepAttachments(db, datafiles::AttachmentStore::besideLettersFile(db.path()),
                                    QDateTime::currentDateTime());
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
    }
}

// The files held for the letter being added on its form, attached to it once it is saved.
class PendingHolder : public QObject
{
    Q_OBJECT

public:
    explicit PendingHolder(EntryForm& form) : QObject(&form), m_form(form)
    {
        connect(&form, &EntryForm::recordSaved, this, [this](bool added) {
            if (added)
                attach();
            m_files.clear();
        });
        // Adding abandoned (cancelled, the form closed without saving): nothing was copied, nothing
        // stays. A save refused by a check keeps the mode, and the files with it.
        connect(&form, &EntryForm::modeChanged, this, [this](EntryMode mode) {
            if (mode != EntryMode::Adding)
                m_files.clear();
        });
    }

    static PendingHolder& of(EntryForm& form)
    {
        auto* holder = form.findChild<PendingHolder*>(QString(), Qt::FindDirectChildrenOnly);
        return holder ? *holder : *new PendingHolder(form);
    }

    datafiles::PendingAttachments& files() { return m_files; }

private:
    void attach()
    {
        if (m_files.isEmpty())
            return;
        int attached = 0;
        QStringList told;
        db::Database db = m_form.database();
        {
            ui::HourglassPointer wait;
            long long id = 0;
            try {
                // The row just written: the form's current record may have moved since.
                db::Recordset rs = m_form.Data1->recordset().clone();
                rs.setBookmark(m_form.Data1->recordset().lastModified());
                id = rs.value(QStringLiteral("id")).toLongLong();
            } catch (const db::DbError& e) {
                app::recordRunTimeError(e);
                app::tell(QStringLiteral("Công văn đã được ghi đĩa nhưng không đọc lại được để đính kèm tệp: ") +
                          e.description());
                return;
            }
            told = m_files.attachAll(db, datafiles::AttachmentStore::besideLettersFile(db.path()), m_form.table(), id,
                                     &attached);
        }
        for (const QString& message : std::as_const(told))
            app::tell(message);
        if (documents::TextIndexer* reader = documents::programIndexer(); reader && attached > 0)
            reader->queueFrom(db); // the new files' words become searchable in the background
    }

    EntryForm& m_form;
    datafiles::PendingAttachments m_files;
};

// Files dropped on the entry form or any of its controls go to its attachments panel.
class DropTarget : public QObject
{
public:
    DropTarget(EntryForm& form, QString letterWord) : QObject(&form), m_form(form), m_letterWord(std::move(letterWord))
    {
        form.setAcceptDrops(true);
        form.installEventFilter(this);
        // A file dropped on a box goes to the letter too, not into the box as its path.
        const auto children = form.findChildren<QWidget*>();
        for (QWidget* child : children)
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        Q_UNUSED(watched)
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* e = static_cast<QDragMoveEvent*>(event);
            if (localFiles(e->mimeData()->urls()).isEmpty())
                return false;
            e->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* e = static_cast<QDropEvent*>(event);
            const QStringList files = localFiles(e->mimeData()->urls());
            if (files.isEmpty())
                return false;
            e->acceptProposedAction();
            openAttachments(m_form, m_letterWord, files);
            return true;
        }
        return false;
    }

private:
    EntryForm& m_form;
    QString m_letterWord;
};

} // namespace

AttachmentsScope attachmentsScope(EntryForm& form, const QString& letterWord)
{
    AttachmentsScope s;
    s.db = form.database();
    s.yearTable = form.table();
    s.user = form.session().context().userFullName;
    const bool adding = form.mode() == EntryMode::Adding;
    if (adding)
        s.pending = &pendingAttachments(form);
    if (!adding && form.Data1->hasCurrentRecord()) {
        try {
            s.letterId = form.Data1->recordset().value(QStringLiteral("id")).toLongLong();
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e);
        }
    }
    const ui::TextBox* number = form.config().controls.number;
    if (adding)
        s.letterTitle = letterWord + QStringLiteral(" đang nạp (chưa ghi đĩa)");
    else if (s.letterId > 0)
        s.letterTitle = letterWord + QStringLiteral(" số ") + (number ? number->text().trimmed() : QString());
    else
        s.letterTitle = QStringLiteral("Chưa có công văn nào.");

    // A letter being added takes files too: they are held until it is saved.
    if (form.session().context().readOnly || s.db.isReadOnly())
        s.whyNoChanges = kReadOnlyMessage;
    else if (!adding && s.letterId <= 0)
        s.whyNoChanges = QStringLiteral("Chưa có công văn nào để đính kèm tệp.");
    else if (!adding && form.mode() != EntryMode::Editing)
        s.whyNoChanges = QStringLiteral("Đang xem công văn: muốn thêm hoặc xoá tệp đính kèm, hãy bấm \"Sửa\" trước.");
    return s;
}

datafiles::PendingAttachments& pendingAttachments(EntryForm& form)
{
    return PendingHolder::of(form).files();
}

AttachmentsDialog* openAttachments(EntryForm& form, const QString& letterWord, const QStringList& files)
{
    AttachmentsScope scope = attachmentsScope(form, letterWord);
    sweepOnce(scope.db);
    auto* panel = new AttachmentsDialog(std::move(scope), &form);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->open();
    panel->addFiles(files);
    return panel;
}

void attachLetterAttachments(EntryForm& form, QPushButton* button, const QString& letterWord)
{
    PendingHolder::of(form);
    QObject::connect(button, &QPushButton::clicked, &form, [&form, letterWord] { openAttachments(form, letterWord); });
    new DropTarget(form, letterWord);
}

} // namespace registers

#include "letter_attachments.moc"
