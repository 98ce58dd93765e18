#include "letter_attachments.h"

#include "app/core/run_time_error.h"
#include "platform/db/db_error.h"
#include "registers/entry_form.h"
#include "registers/register_data.h"

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

AttachmentsScope attachmentsScope(const EntryForm& form, const QString& letterWord)
{
    AttachmentsScope s;
    s.db = form.database();
    s.yearTable = form.table();
    s.user = form.session().context().userFullName;
    const bool adding = form.mode() == EntryMode::Adding;
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

    if (form.session().context().readOnly || s.db.isReadOnly())
        s.whyNoChanges = kReadOnlyMessage;
    else if (adding)
        s.whyNoChanges = QStringLiteral("Công văn đang nạp chưa được ghi đĩa: hãy bấm \"Ghi đĩa\", rồi \"Sửa\" để "
                                        "đính kèm tệp.");
    else if (s.letterId <= 0)
        s.whyNoChanges = QStringLiteral("Chưa có công văn nào để đính kèm tệp.");
    else if (form.mode() != EntryMode::Editing)
        s.whyNoChanges = QStringLiteral("Đang xem công văn: muốn thêm hoặc xoá tệp đính kèm, hãy bấm \"Sửa\" trước.");
    return s;
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
    QObject::connect(button, &QPushButton::clicked, &form, [&form, letterWord] { openAttachments(form, letterWord); });
    new DropTarget(form, letterWord);
}

} // namespace registers
