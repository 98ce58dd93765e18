#include "mdb_file.h"

#include "jet_date.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>
#include <vector>

#include <mdbtools.h>

namespace jet {

JetError::JetError(Kind kind, const QString& text) : std::runtime_error(text.toStdString()), m_kind(kind), m_text(text)
{}

namespace {

constexpr int kHeaderSize = 21;
// Text is bound into buffers of this size; a memo that fills one is refused, never cut short.
constexpr size_t kBindSize = 256 * 1024;

// Jet 3 pages are 2 KiB, Jet 4 and ACE pages 4 KiB; the version byte is at offset 0x14.
QByteArray readHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kHeaderSize);
}

bool isJetHeader(const QByteArray& header)
{
    if (header.size() < kHeaderSize)
        return false;
    static const QByteArray magic("\x00\x01\x00\x00", 4);
    if (!header.startsWith(magic))
        return false;
    const QByteArray format = header.mid(4, 16);
    return format == QByteArray("Standard Jet DB\0", 16) || format == QByteArray("Standard ACE DB\0", 16);
}

ColumnType columnType(int code)
{
    switch (code) {
    case MDB_BOOL:
        return ColumnType::Boolean;
    case MDB_BYTE:
        return ColumnType::Byte;
    case MDB_INT:
        return ColumnType::Integer;
    case MDB_LONGINT:
        return ColumnType::Long;
    case MDB_MONEY:
        return ColumnType::Currency;
    case MDB_FLOAT:
        return ColumnType::Single;
    case MDB_DOUBLE:
        return ColumnType::Double;
    case MDB_DATETIME:
        return ColumnType::DateTime;
    case MDB_TEXT:
        return ColumnType::Text;
    case MDB_MEMO:
        return ColumnType::Memo;
    case MDB_BINARY:
        return ColumnType::Binary;
    default:
        return ColumnType::Other;
    }
}

// Columns whose value libmdb renders as text into a bound buffer; the others are read from the
// row's bytes.
bool readAsText(ColumnType type)
{
    return type == ColumnType::Text || type == ColumnType::Memo || type == ColumnType::Boolean ||
           type == ColumnType::Other;
}

struct TableDefHolder
{
    MdbTableDef* def = nullptr;
    ~TableDefHolder()
    {
        if (def)
            mdb_free_tabledef(def);
    }
};

} // namespace

bool isJetFile(const QString& path)
{
    return isJetHeader(readHeader(path));
}

struct MdbFile::Impl
{
    MdbHandle* mdb = nullptr;
    QString path;
    int version = 3;
    QStringList tables;

    MdbCatalogEntry* entry(const QString& table) const
    {
        const QByteArray name = table.toUtf8();
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (e->object_type == MDB_TABLE && name == e->object_name && !mdb_is_system_table(e))
                return e;
        }
        throw JetError(JetError::Kind::NoSuchTable, QStringLiteral("no table \"") + table + QStringLiteral("\""));
    }

    void readTable(const QString& table, TableDefHolder& holder) const
    {
        holder.def = mdb_read_table(entry(table));
        if (!holder.def || !mdb_read_columns(holder.def))
            throw JetError(JetError::Kind::Damaged,
                           QStringLiteral("table \"") + table + QStringLiteral("\" cannot be read"));
    }
};

MdbFile::MdbFile(const QString& path) : d(std::make_unique<Impl>())
{
    d->path = path;
    const QByteArray header = readHeader(path);
    if (!isJetHeader(header))
        throw JetError(JetError::Kind::NotJet, path + QStringLiteral(" is not a Jet database file"));
    const int pageSize = header.at(0x14) == 0 ? 2048 : 4096;
    d->version = header.at(0x14) == 0 ? 3 : 4;
    const qint64 size = QFileInfo(path).size();
    if (size < 2 * pageSize || size % pageSize != 0)
        throw JetError(JetError::Kind::Damaged, path + QStringLiteral(" is truncated"));

    d->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!d->mdb)
        throw JetError(JetError::Kind::Damaged, path + QStringLiteral(" cannot be opened"));
    mdb_set_bind_size(d->mdb, kBindSize);
    mdb_set_boolean_fmt_numbers(d->mdb);
    if (!mdb_read_catalog(d->mdb, MDB_TABLE) || d->mdb->num_catalog == 0) {
        mdb_close(d->mdb);
        d->mdb = nullptr;
        throw JetError(JetError::Kind::Damaged, path + QStringLiteral(": the list of tables cannot be read"));
    }
    for (unsigned i = 0; i < d->mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d->mdb->catalog, i));
        // Hidden and system objects carry high flag bits (0x80000000, 0x2 ...); user tables 0.
        if (e->object_type == MDB_TABLE && !mdb_is_system_table(e))
            d->tables << QString::fromUtf8(e->object_name);
    }
}

MdbFile::~MdbFile()
{
    if (d->mdb)
        mdb_close(d->mdb);
}

int MdbFile::jetVersion() const
{
    return d->version;
}

QStringList MdbFile::tableNames() const
{
    return d->tables;
}

QList<Column> MdbFile::columns(const QString& table) const
{
    TableDefHolder holder;
    d->readTable(table, holder);
    QList<Column> result;
    for (unsigned i = 0; i < holder.def->num_cols; ++i) {
        auto* c = static_cast<MdbColumn*>(g_ptr_array_index(holder.def->columns, i));
        result << Column{QString::fromUtf8(c->name), columnType(c->col_type), c->col_size};
    }
    return result;
}

QList<Row> MdbFile::rows(const QString& table) const
{
    TableDefHolder holder;
    d->readTable(table, holder);
    MdbTableDef* def = holder.def;
    const unsigned count = def->num_cols;
    std::vector<ColumnType> types(count);
    std::vector<std::vector<char>> buffers(count);
    std::vector<int> lengths(count, 0);
    for (unsigned i = 0; i < count; ++i) {
        auto* c = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
        types[i] = columnType(c->col_type);
        // OLE objects (pictures, documents) are not read: their value is Null.
        if (c->col_type == MDB_OLE)
            types[i] = ColumnType::Binary;
        else if (readAsText(types[i])) {
            buffers[i].assign(kBindSize, '\0');
            mdb_bind_column(def, static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);
        }
    }

    QList<Row> result;
    result.reserve(static_cast<qsizetype>(def->num_rows));
    mdb_rewind_table(def);
    const unsigned char* page = d->mdb->pg_buf;
    while (mdb_fetch_row(def)) {
        Row row;
        row.reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            auto* c = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
            const int start = c->cur_value_start;
            const int length = c->cur_value_len;
            const ColumnType type = types[i];
            if (type == ColumnType::Boolean) {
                row << QVariant(buffers[i][0] == '1');
                continue;
            }
            if (length == 0 || (!readAsText(type) && (start < 0 || start + length > MDB_PGSIZE))) {
                row << QVariant();
                continue;
            }
            switch (type) {
            case ColumnType::Byte:
                row << QVariant(qint64(page[start]));
                break;
            case ColumnType::Integer:
                row << QVariant(qint64(qFromLittleEndian<qint16>(page + start)));
                break;
            case ColumnType::Long:
                row << QVariant(qint64(qFromLittleEndian<qint32>(page + start)));
                break;
            case ColumnType::Currency:
                row << QVariant(double(qFromLittleEndian<qint64>(page + start)) / 10000.0);
                break;
            case ColumnType::Single:
                row << QVariant(double(qFromLittleEndian<float>(page + start)));
                break;
            case ColumnType::Double:
                row << QVariant(qFromLittleEndian<double>(page + start));
                break;
            case ColumnType::DateTime:
                row << QVariant(dateFromJet(qFromLittleEndian<double>(page + start)));
                break;
            case ColumnType::Binary:
                if (c->col_type == MDB_OLE)
                    row << QVariant();
                else
                    row << QVariant(QByteArray(reinterpret_cast<const char*>(page + start), length));
                break;
            default: {
                const int textLength = lengths[i];
                if (static_cast<size_t>(textLength) >= kBindSize - 4)
                    throw JetError(JetError::Kind::TooLong,
                                   QStringLiteral("a text in column \"") + QString::fromUtf8(c->name) +
                                       QStringLiteral("\" of table \"") + table + QStringLiteral("\" is too long"));
                const QString text = QString::fromUtf8(buffers[i].data(), textLength);
                row << (text.isEmpty() ? QVariant() : QVariant(text));
            }
            }
        }
        result << row;
    }
    if (static_cast<unsigned>(result.size()) != def->num_rows)
        throw JetError(JetError::Kind::Damaged, QStringLiteral("table \"") + table + QStringLiteral("\" holds ") +
                                                    QString::number(def->num_rows) + QStringLiteral(" rows; ") +
                                                    QString::number(result.size()) + QStringLiteral(" could be read"));
    return result;
}

} // namespace jet
