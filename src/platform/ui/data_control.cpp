#include "data_control.h"

#include "ui_log.h"

#include "bound_control.h"
#include "field_value.h"
#include "msg_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <utility>

namespace ui {
namespace {

// Number the old engine gave a value that does not fit its field's kind.
constexpr int kDataTypeConversionError = 3421;

QToolButton* arrowButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

DataControl::DataControl(QWidget* parent)
    : QWidget(parent), m_caption(new QLabel(this)), m_first(arrowButton(QStringLiteral("|◀"), this)),
      m_previous(arrowButton(QStringLiteral("◀"), this)), m_next(arrowButton(QStringLiteral("▶"), this)),
      m_last(arrowButton(QStringLiteral("▶|"), this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_first);
    layout->addWidget(m_previous);
    layout->addWidget(m_caption, 1);
    layout->addWidget(m_next);
    layout->addWidget(m_last);
    connect(m_first, &QToolButton::clicked, this, &DataControl::moveFirst);
    connect(m_previous, &QToolButton::clicked, this, &DataControl::movePrevious);
    connect(m_next, &QToolButton::clicked, this, &DataControl::moveNext);
    connect(m_last, &QToolButton::clicked, this, &DataControl::moveLast);
}

DataControl::~DataControl()
{
    for (BoundControl* control : std::as_const(m_controls))
        control->m_source = nullptr;
}

void DataControl::setDatabaseName(const QString& path)
{
    m_databaseName = path;
    m_externalDatabase = false;
}

QString DataControl::databaseName() const
{
    return m_externalDatabase ? m_db.path() : m_databaseName;
}

void DataControl::setConnectString(const QString& connect)
{
    m_connect = connect;
}

QString DataControl::connectString() const
{
    return m_connect;
}

void DataControl::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

bool DataControl::isReadOnly() const
{
    return m_readOnly;
}

void DataControl::setDatabase(const db::Database& database)
{
    m_db = database;
    m_externalDatabase = true;
}

db::Database DataControl::database() const
{
    return m_db;
}

void DataControl::setRecordSource(const QString& source)
{
    m_recordSource = source;
}

QString DataControl::recordSource() const
{
    return m_recordSource;
}

void DataControl::setRecordsetType(db::RecordsetType type)
{
    m_type = type;
}

db::RecordsetType DataControl::recordsetType() const
{
    return m_type;
}

db::Recordset DataControl::recordset() const
{
    return m_rs;
}

bool DataControl::hasRecordset() const
{
    return !m_rs.isNull();
}

bool DataControl::hasCurrentRecord() const
{
    if (m_rs.isNull())
        return false;
    try {
        if (m_rs.editMode() == db::EditMode::AddNew)
            return true;
        return !m_rs.bof() && !m_rs.eof() && m_rs.absolutePosition() >= 0;
    } catch (const db::DbError& e) {
        qCDebug(lcUi) << objectName() << "no current record:" << e.description();
        return false;
    }
}

void DataControl::setCaption(const QString& caption)
{
    m_caption->setText(caption);
}

QString DataControl::caption() const
{
    return m_caption->text();
}

// --- opening -------------------------------------------------------------------------------

bool DataControl::refresh()
{
    if (hasCurrentRecord() && !validate(DataAction::Close))
        return false;
    db::Recordset rs;
    try {
        if (m_recordSource.trimmed().isEmpty())
            throw db::DbError(db::errc::TableNotFound, QStringLiteral("The record source is empty."));
        if (!m_externalDatabase) {
            if (!m_db.isOpen() || m_db.path() != m_databaseName)
                m_db = db::Database::open(m_databaseName, m_connect,
                                          m_readOnly ? db::OpenMode::ReadOnly : db::OpenMode::SharedWrite);
        }
        rs = m_db.openRecordset(m_recordSource, m_type);
        if (!rs.bof() || !rs.eof())
            rs.moveFirst();
    } catch (const db::DbError& e) {
        raiseError(e);
        return false;
    }
    return openRecordset(rs);
}

bool DataControl::setRecordset(const db::Recordset& rs)
{
    if (hasCurrentRecord() && !validate(DataAction::Close))
        return false;
    db::Recordset cursor = rs; // a handle: moves the caller's cursor too, as intended
    try {
        if (!cursor.isNull() && cursor.absolutePosition() < 0 && (!cursor.bof() || !cursor.eof()))
            cursor.moveFirst();
    } catch (const db::DbError& e) {
        raiseError(e);
        return false;
    }
    return openRecordset(cursor);
}

bool DataControl::openRecordset(db::Recordset rs)
{
    m_rs = rs;
    m_pending = Pending::None;
    m_fields.clear();
    if (!m_rs.isNull()) {
        for (const QString& name : m_rs.fieldNames())
            m_fields.insert(name.toLower());
    }
    emit recordsetReplaced();
    checkBindings();
    showCurrentRecord();
    emit Reposition();
    return true;
}

bool DataControl::fieldKnown(const QString& field) const
{
    return m_fields.contains(field.toLower());
}

void DataControl::checkBindings()
{
    if (m_rs.isNull())
        return;
    for (BoundControl* control : std::as_const(m_controls)) {
        if (control->m_field.isEmpty() || fieldKnown(control->m_field))
            continue;
        try {
            m_rs.fieldDef(control->m_field); // the engine words the error
        } catch (const db::DbError& e) {
            raiseError(e);
            continue;
        }
        raiseError(db::DbError(db::errc::ItemNotFound,
                               QStringLiteral("Item not found in this collection: %1").arg(control->m_field)));
    }
}

// --- events --------------------------------------------------------------------------------

void DataControl::raiseError(const db::DbError& error)
{
    ErrorResponse answer = ErrorResponse::Display;
    if (m_errorHandler && !signalsBlocked())
        answer = m_errorHandler(error.number(), error.description());
    if (answer != ErrorResponse::Handled)
        msgBox(error.description(), msgbox::Exclamation, window()->windowTitle());
}

bool DataControl::anyChanged() const
{
    for (const BoundControl* control : m_controls) {
        if (control->m_changed && !control->m_field.isEmpty())
            return true;
    }
    return false;
}

bool DataControl::validate(DataAction act)
{
    ValidateResult answer = ValidateResult::Save;
    if (m_validateHandler && !signalsBlocked())
        answer = m_validateHandler(act, anyChanged());
    if (answer == ValidateResult::Cancel)
        return false;
    if (act == DataAction::Delete)
        return true;
    if (answer == ValidateResult::Save && anyChanged() && (hasCurrentRecord() || m_pending != Pending::None))
        return writeRecord();
    return true;
}

void DataControl::dropPending()
{
    try {
        if (!m_rs.isNull() && m_rs.editMode() != db::EditMode::None)
            m_rs.cancelUpdate();
    } catch (const db::DbError& e) {
        // nothing pending after all
        qCDebug(lcUi) << objectName() << "no pending edit to drop:" << e.description();
    }
    m_pending = Pending::None;
}

template <typename Move> bool DataControl::navigate(DataAction act, Move&& move)
{
    if (m_rs.isNull())
        return false;
    if (hasCurrentRecord() && !validate(act))
        return false;
    if (m_rs.isNull())
        return false;
    dropPending();
    try {
        if (!std::forward<Move>(move)())
            return true; // nothing moved (no match): no Reposition
    } catch (const db::DbError& e) {
        raiseError(e);
        return false;
    }
    showCurrentRecord();
    emit Reposition();
    return true;
}

// --- moves ---------------------------------------------------------------------------------

bool DataControl::moveFirst()
{
    return navigate(DataAction::MoveFirst, [this] {
        m_rs.moveFirst();
        return true;
    });
}

bool DataControl::moveLast()
{
    return navigate(DataAction::MoveLast, [this] {
        m_rs.moveLast();
        return true;
    });
}

bool DataControl::moveNext()
{
    return navigate(DataAction::MoveNext, [this] {
        if (m_rs.recordCount() == 0)
            return true;
        if (!m_rs.eof())
            m_rs.moveNext();
        if (m_rs.eof())
            m_rs.moveLast();
        return true;
    });
}

bool DataControl::movePrevious()
{
    return navigate(DataAction::MovePrevious, [this] {
        if (m_rs.recordCount() == 0)
            return true;
        if (!m_rs.bof())
            m_rs.movePrevious();
        if (m_rs.bof())
            m_rs.moveFirst();
        return true;
    });
}

bool DataControl::moveTo(int position)
{
    return navigate(DataAction::Bookmark, [this, position] {
        m_rs.setAbsolutePosition(position);
        return true;
    });
}

bool DataControl::setBookmark(const db::Bookmark& mark)
{
    return navigate(DataAction::Bookmark, [this, &mark] {
        m_rs.setBookmark(mark);
        return true;
    });
}

bool DataControl::findFirst(const QString& criterion)
{
    return navigate(DataAction::Find, [this, &criterion] {
        m_rs.findFirst(criterion);
        return !m_rs.noMatch();
    });
}

bool DataControl::findLast(const QString& criterion)
{
    return navigate(DataAction::Find, [this, &criterion] {
        m_rs.findLast(criterion);
        return !m_rs.noMatch();
    });
}

bool DataControl::findNext(const QString& criterion)
{
    return navigate(DataAction::Find, [this, &criterion] {
        m_rs.findNext(criterion);
        return !m_rs.noMatch();
    });
}

bool DataControl::findPrevious(const QString& criterion)
{
    return navigate(DataAction::Find, [this, &criterion] {
        m_rs.findPrevious(criterion);
        return !m_rs.noMatch();
    });
}

// --- editing -------------------------------------------------------------------------------

bool DataControl::addNew()
{
    if (m_rs.isNull())
        return false;
    if (hasCurrentRecord() && !validate(DataAction::AddNew))
        return false;
    dropPending();
    try {
        m_rs.addNew();
    } catch (const db::DbError& e) {
        raiseError(e);
        return false;
    }
    m_pending = Pending::AddNew;
    showCurrentRecord();
    return true;
}

bool DataControl::edit()
{
    if (m_rs.isNull())
        return false;
    try {
        if (m_rs.editMode() == db::EditMode::None)
            m_rs.edit();
    } catch (const db::DbError& e) {
        raiseError(e);
        return false;
    }
    if (m_pending == Pending::None)
        m_pending = Pending::Edit;
    return true;
}

bool DataControl::updateRecord()
{
    if (m_rs.isNull())
        return false;
    return writeRecord();
}

bool DataControl::writeRecord()
{
    try {
        if (m_pending == Pending::AddNew && m_rs.editMode() != db::EditMode::AddNew)
            m_rs.addNew(); // the layer dropped the addition after a refused write: start it again
        else if (m_rs.editMode() == db::EditMode::None)
            m_rs.edit();
        for (BoundControl* control : std::as_const(m_controls)) {
            if (!control->m_changed || control->m_field.isEmpty() || !fieldKnown(control->m_field))
                continue;
            const db::FieldDef def = m_rs.fieldDef(control->m_field);
            if (def.attributes & db::fieldattr::AutoIncrField)
                continue; // the engine owns the counter
            const QVariant value = control->fieldValue();
            QVariant stored;
            if (value.typeId() == QMetaType::Bool && def.type != db::FieldType::Text &&
                def.type != db::FieldType::Memo) {
                stored = def.type == db::FieldType::Boolean ? value : QVariant(value.toBool() ? -1 : 0);
            } else {
                bool ok = true;
                stored = storedValue(value.toString(), def, &ok);
                if (!ok)
                    throw db::DbError(kDataTypeConversionError,
                                      QStringLiteral("Data type conversion error: '%1' cannot be stored in field %2.")
                                          .arg(value.toString(), control->m_field));
            }
            m_rs.setValue(control->m_field, stored);
            if (control->m_shown)
                m_rs.expect(control->m_field, *control->m_shown);
        }
        if (m_writer)
            m_writer(m_rs);
        else
            m_rs.update();
    } catch (const db::DbError& e) {
        if (e.number() == db::errc::WriteConflict)
            tookInConflict();
        raiseError(e);
        return false;
    }
    m_pending = Pending::None;
    showCurrentRecord();
    emit dataChanged();
    return true;
}

// The user has been told what another user wrote: the typed values stay, and a save again
// writes over those values (only over them).
void DataControl::tookInConflict()
{
    for (BoundControl* control : std::as_const(m_controls)) {
        if (!control->m_shown)
            continue;
        try {
            control->m_shown = m_rs.storedValue(control->m_field);
        } catch (const db::DbError& e) {
            control->m_shown.reset();
            qCWarning(lcUi) << objectName() << control->m_field << "not read after a conflict:" << e.description();
        }
    }
}

bool DataControl::cancelUpdate()
{
    if (m_rs.isNull())
        return false;
    dropPending();
    showCurrentRecord();
    return true;
}

bool DataControl::deleteRecord()
{
    if (m_rs.isNull())
        return false;
    if (hasCurrentRecord() && !validate(DataAction::Delete))
        return false;
    dropPending();
    try {
        m_rs.deleteRecord();
    } catch (const db::DbError& e) {
        raiseError(e);
        return false;
    }
    for (BoundControl* control : std::as_const(m_controls))
        control->m_changed = false;
    emit dataChanged();
    return true;
}

void DataControl::notifyDataChanged()
{
    emit dataChanged();
}

// --- bound controls ------------------------------------------------------------------------

void DataControl::bind(BoundControl* control)
{
    if (!m_controls.contains(control))
        m_controls.append(control);
    if (m_rs.isNull() || control->m_field.isEmpty())
        return;
    if (!fieldKnown(control->m_field)) {
        checkBindings();
        return;
    }
    showRecordIn(control);
}

void DataControl::unbind(BoundControl* control)
{
    m_controls.removeAll(control);
}

void DataControl::updateControls()
{
    showCurrentRecord();
}

void DataControl::showRecordIn(BoundControl* control)
{
    if (control->m_field.isEmpty())
        return;
    QVariant value;
    control->m_shown.reset();
    if (hasCurrentRecord() && fieldKnown(control->m_field)) {
        try {
            value = m_rs.value(control->m_field);
            if (m_rs.editMode() == db::EditMode::None)
                control->m_shown = value;
        } catch (const db::DbError& e) {
            value = QVariant(); // a row deleted by another program reads as empty
            qCWarning(lcUi) << objectName() << control->m_field << "shown empty:" << e.description();
        }
    }
    control->showFieldValue(value);
    control->m_changed = false;
}

void DataControl::showCurrentRecord()
{
    const QList<BoundControl*> controls = m_controls; // a control may unbind while filled
    for (BoundControl* control : controls) {
        if (m_controls.contains(control))
            showRecordIn(control);
    }
}

} // namespace ui
