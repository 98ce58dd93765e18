#pragma once

#include "platform/db/field_def.h"
#include "server_connection.h"

#include <QDateTime>
#include <QVariant>

// Values of the layer's fields as they cross to and from a server.
namespace db::pg::fieldvalue {

// A date held as a QDateTime or as the text of one ("yyyy-MM-dd", "yyyy-MM-dd HH:mm:ss" or ISO);
// a day alone is its midnight.
QDateTime dateOf(const QVariant& value);

// A value as the server takes it for a field of type.
QVariant toServer(const QVariant& value, FieldType type);

// A value the server gave for a field of type, as the layer gives it on a data file: a Yes/No as
// bool, a number as int (qlonglong when it does not fit) or double, a date as QDateTime, a text
// as QString.
QVariant fromServer(const QVariant& value, FieldType type);

// The field a result column of a type the server names would be, made from nothing else: as the
// layer reads a column without a declared type on a data file, a text of 255 characters unless the
// type says otherwise.
FieldDef fieldOfType(const ServerConnection::ResultColumn& column);

} // namespace db::pg::fieldvalue
