// selvaro-jet-reader: reads an old Jet file through libmdb in a process of its own, so that a
// damaged or hostile file that makes the library crash, loop or eat memory costs this process
// only. The program (jet::MdbFile) starts it once per request and reads frames from its standard
// output (reader_protocol.h); what libmdb prints goes to standard error, which the program logs.
//
//   selvaro-jet-reader [--memory-mb N] [--cpu-seconds N] tables  FILE
//   selvaro-jet-reader [--memory-mb N] [--cpu-seconds N] columns FILE TABLE
//   selvaro-jet-reader [--memory-mb N] [--cpu-seconds N] rows    FILE TABLE
//
// Exit code 0 after a Complete or Failure frame; 2 for a wrong command line.
#include "platform/jet/column_type.h"
#include "platform/jet/reader_protocol.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include <mdbtools.h>

namespace {

namespace p = jet::protocol;

using Type = jet::ColumnType;
using enum jet::ColumnType;

// Failure kinds as jet::JetError::Kind numbers them.
enum Kind : std::uint8_t
{
    NotJet,
    Damaged,
    NoSuchTable,
    TooLong,
};

// Text is bound into buffers of this size; a memo that fills one is refused, never cut short.
constexpr size_t kBindSize = 256 * 1024;

// The frames, gathered and written to the program's pipe.
class Out
{
public:
    explicit Out(int fd) : m_fd(fd) {}
    ~Out() { flush(); }

    void begin(p::Tag tag)
    {
        m_frame.clear();
        m_tag = tag;
    }
    void u8(std::uint8_t v) { m_frame.push_back(static_cast<char>(v)); }
    void u32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            u8(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void i64(std::int64_t v)
    {
        const auto u = static_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            u8(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    void f64(double v)
    {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        i64(static_cast<std::int64_t>(u));
    }
    void raw(const void* data, size_t size)
    {
        m_frame.insert(m_frame.end(), static_cast<const char*>(data), static_cast<const char*>(data) + size);
    }
    void text(std::string_view s)
    {
        u32(static_cast<std::uint32_t>(s.size()));
        raw(s.data(), s.size());
    }
    void end()
    {
        const auto size = static_cast<std::uint32_t>(m_frame.size());
        m_buffer.push_back(static_cast<char>(m_tag));
        for (int i = 0; i < 4; ++i)
            m_buffer.push_back(static_cast<char>(size >> (8 * i)));
        m_buffer.insert(m_buffer.end(), m_frame.begin(), m_frame.end());
        if (m_buffer.size() >= 64 * 1024)
            flush();
    }
    void flush()
    {
        size_t done = 0;
        while (done < m_buffer.size()) {
            const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                std::_Exit(3); // the program is gone
            done += static_cast<size_t>(n);
        }
        m_buffer.clear();
    }

    void failure(Kind kind, const std::string& text)
    {
        begin(p::Failure);
        u8(kind);
        raw(text.data(), text.size());
        end();
        flush();
    }
    void complete(std::uint32_t count)
    {
        begin(p::Complete);
        u32(count);
        end();
        flush();
    }

private:
    int m_fd;
    p::Tag m_tag = p::Failure;
    std::vector<char> m_frame;
    std::vector<char> m_buffer;
};

Type columnType(int code)
{
    switch (code) {
    case MDB_BOOL:
        return Boolean;
    case MDB_BYTE:
        return Byte;
    case MDB_INT:
        return Integer;
    case MDB_LONGINT:
        return Long;
    case MDB_MONEY:
        return Currency;
    case MDB_FLOAT:
        return Single;
    case MDB_DOUBLE:
        return Double;
    case MDB_DATETIME:
        return DateTime;
    case MDB_TEXT:
        return Text;
    case MDB_MEMO:
        return Memo;
    case MDB_BINARY:
        return Binary;
    default:
        return Other;
    }
}

// Columns whose value libmdb renders as text into a bound buffer; the others are read from the
// row's bytes.
bool readAsText(Type type)
{
    return type == Text || type == Memo || type == Boolean || type == Other;
}

// The bytes a fixed-width value of the type takes; 0 for the others.
int fixedWidth(Type type)
{
    switch (type) {
    case Byte:
        return 1;
    case Integer:
        return 2;
    case Long:
    case Single:
        return 4;
    case Currency:
    case Double:
    case DateTime:
        return 8;
    default:
        return 0;
    }
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

std::uint64_t readLe(const unsigned char* at, int size)
{
    std::uint64_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | at[i];
    return v;
}

class Reader
{
public:
    Reader(MdbHandle* mdb, Out& out) : m_mdb(mdb), m_out(out) {}

    // The user tables; Damaged when the catalog table holds rows that cannot be read (the names
    // found are sent first, so the program can say which were seen).
    void tables()
    {
        std::uint32_t count = 0;
        for (unsigned i = 0; i < m_mdb->num_catalog; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
            // Hidden and system objects carry high flag bits (0x80000000, 0x2 ...); user tables 0.
            if (e->object_type == MDB_TABLE && !mdb_is_system_table(e)) {
                m_out.begin(p::Table);
                m_out.raw(e->object_name, std::strlen(e->object_name));
                m_out.end();
                ++count;
            }
        }
        std::string why;
        if (!catalogWhole(why)) {
            m_out.failure(Damaged, why);
            return;
        }
        m_out.complete(count);
    }

    void columns(const char* table)
    {
        TableDefHolder holder;
        if (!readTable(table, holder))
            return;
        sendColumns(holder.def);
        m_out.complete(holder.def->num_cols);
    }

    void rows(const char* table)
    {
        TableDefHolder holder;
        if (!readTable(table, holder))
            return;
        MdbTableDef* def = holder.def;
        sendColumns(def);
        const unsigned count = def->num_cols;
        std::vector<Type> types(count);
        std::vector<std::vector<char>> buffers(count);
        std::vector<int> lengths(count, 0);
        for (unsigned i = 0; i < count; ++i) {
            auto* c = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
            types[i] = columnType(c->col_type);
            if (readAsText(types[i]) && c->col_type != MDB_OLE) {
                buffers[i].assign(kBindSize, '\0');
                mdb_bind_column(def, static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);
            }
        }
        const long pageSize = m_mdb->fmt->pg_size;
        const unsigned char* page = m_mdb->pg_buf;
        std::uint32_t read = 0;
        mdb_rewind_table(def);
        while (mdb_fetch_row(def)) {
            m_out.begin(p::Row);
            for (unsigned i = 0; i < count; ++i) {
                auto* c = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
                const std::string where = std::string("column \"") + c->name + "\" of table \"" + table + "\", row " +
                                          std::to_string(read + 1);
                const Type type = types[i];
                if (c->col_type == MDB_OLE) {
                    // OLE objects (pictures, documents) are not read: their value is Null.
                    m_out.u8(p::Null);
                    continue;
                }
                if (type == Boolean) {
                    m_out.u8(p::Bool);
                    m_out.u8(buffers[i][0] == '1');
                    continue;
                }
                if (readAsText(type)) {
                    const int length = lengths[i];
                    if (length < 0 || static_cast<size_t>(length) >= kBindSize - 4) {
                        m_out.failure(TooLong, "a text in " + where + " is too long");
                        return;
                    }
                    if (length == 0) {
                        m_out.u8(p::Null);
                    } else {
                        m_out.u8(p::Text);
                        m_out.text(std::string_view(buffers[i].data(), static_cast<size_t>(length)));
                    }
                    continue;
                }
                const int start = c->cur_value_start;
                const int length = c->cur_value_len;
                if (length == 0) {
                    m_out.u8(p::Null);
                    continue;
                }
                if (start < 0 || length < 0 || start + static_cast<long>(length) > pageSize) {
                    m_out.failure(Damaged, "the value of " + where + " lies outside its page");
                    return;
                }
                const int width = fixedWidth(type);
                if (width != 0 && length != width) {
                    m_out.failure(Damaged, "the value of " + where + " takes " + std::to_string(length) +
                                               " bytes; its type takes " + std::to_string(width));
                    return;
                }
                const unsigned char* at = page + start;
                switch (type) {
                case Byte:
                    m_out.u8(p::Integer);
                    m_out.i64(at[0]);
                    break;
                case Integer:
                    m_out.u8(p::Integer);
                    m_out.i64(static_cast<std::int16_t>(readLe(at, 2)));
                    break;
                case Long:
                    m_out.u8(p::Integer);
                    m_out.i64(static_cast<std::int32_t>(readLe(at, 4)));
                    break;
                case Currency:
                    m_out.u8(p::Currency);
                    m_out.i64(static_cast<std::int64_t>(readLe(at, 8)));
                    break;
                case Single: {
                    const auto bits = static_cast<std::uint32_t>(readLe(at, 4));
                    float f = 0;
                    std::memcpy(&f, &bits, sizeof f);
                    m_out.u8(p::Real);
                    m_out.f64(static_cast<double>(f));
                    break;
                }
                case Double:
                case DateTime: {
                    const std::uint64_t bits = readLe(at, 8);
                    double d = 0;
                    std::memcpy(&d, &bits, sizeof d);
                    m_out.u8(type == Double ? p::Real : p::Date);
                    m_out.f64(d);
                    break;
                }
                default: // Binary
                    m_out.u8(p::Bytes);
                    m_out.text(std::string_view(reinterpret_cast<const char*>(at), static_cast<size_t>(length)));
                }
            }
            m_out.end();
            ++read;
        }
        if (read != def->num_rows) {
            m_out.failure(Damaged, std::string("table \"") + table + "\" holds " + std::to_string(def->num_rows) +
                                       " rows; " + std::to_string(read) + " could be read");
            return;
        }
        m_out.complete(read);
    }

private:
    // Reads the catalog table again, row by row, as mdb_read_catalog does: a row it cannot fetch
    // ends libmdb's reading without a word, and the tables named after it would be left out.
    bool catalogWhole(std::string& why)
    {
        MdbCatalogEntry msysobj;
        std::memset(&msysobj, 0, sizeof msysobj);
        msysobj.mdb = m_mdb;
        msysobj.object_type = MDB_TABLE;
        msysobj.table_pg = 2;
        std::strcpy(msysobj.object_name, "MSysObjects");
        TableDefHolder holder;
        holder.def = mdb_read_table(&msysobj);
        if (!holder.def || !mdb_read_columns(holder.def)) {
            why = "the catalog table cannot be read";
            return false;
        }
        unsigned fetched = 0;
        mdb_rewind_table(holder.def);
        while (mdb_fetch_row(holder.def))
            ++fetched;
        if (fetched != holder.def->num_rows) {
            why = "the catalog holds " + std::to_string(holder.def->num_rows) + " rows; " + std::to_string(fetched) +
                  " could be read";
            return false;
        }
        return true;
    }

    bool readTable(const char* table, TableDefHolder& holder)
    {
        MdbCatalogEntry* found = nullptr;
        for (unsigned i = 0; i < m_mdb->num_catalog && !found; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
            if (e->object_type == MDB_TABLE && std::strcmp(table, e->object_name) == 0 && !mdb_is_system_table(e))
                found = e;
        }
        if (!found) {
            m_out.failure(NoSuchTable, std::string("no table \"") + table + "\"");
            return false;
        }
        holder.def = mdb_read_table(found);
        if (!holder.def || !mdb_read_columns(holder.def) || holder.def->num_cols > p::kMaxColumns) {
            m_out.failure(Damaged, std::string("table \"") + table + "\" cannot be read");
            return false;
        }
        return true;
    }

    void sendColumns(MdbTableDef* def)
    {
        for (unsigned i = 0; i < def->num_cols; ++i) {
            auto* c = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
            m_out.begin(p::Column);
            m_out.u8(static_cast<std::uint8_t>(columnType(c->col_type)));
            m_out.u32(static_cast<std::uint32_t>(c->col_size));
            m_out.raw(c->name, std::strlen(c->name));
            m_out.end();
        }
    }

    MdbHandle* m_mdb;
    Out& m_out;
};

void limit(int resource, rlim_t value)
{
    const rlimit r{value, value};
    if (setrlimit(resource, &r) != 0)
        std::fprintf(stderr, "selvaro-jet-reader: limit %d not set: %s\n", resource, std::strerror(errno));
}

int usage()
{
    std::fputs("usage: selvaro-jet-reader [--memory-mb N] [--cpu-seconds N] tables|columns|rows FILE [TABLE]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // The frames go to the pipe that was standard output; libmdb's printing goes to standard
    // error from here on.
    const int frames = dup(STDOUT_FILENO);
    if (frames < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 2;
    Out out(frames);

    int arg = 1;
    long memoryMb = 0;
    long cpuSeconds = 0;
    while (arg + 1 < argc && std::strncmp(argv[arg], "--", 2) == 0) {
        const std::string_view option = argv[arg];
        if (option == "--memory-mb")
            memoryMb = std::strtol(argv[arg + 1], nullptr, 10);
        else if (option == "--cpu-seconds")
            cpuSeconds = std::strtol(argv[arg + 1], nullptr, 10);
        else
            return usage();
        arg += 2;
    }
    limit(RLIMIT_CORE, 0); // a crash is expected of a damaged file: no core file
    if (memoryMb > 0)
        limit(RLIMIT_AS, static_cast<rlim_t>(memoryMb) * 1024 * 1024);
    if (cpuSeconds > 0)
        limit(RLIMIT_CPU, static_cast<rlim_t>(cpuSeconds));

    if (argc - arg < 2)
        return usage();
    const std::string_view command = argv[arg];
    const char* path = argv[arg + 1];
    const char* table = argc - arg >= 3 ? argv[arg + 2] : nullptr;
    if ((command != "tables" && !table) || (command != "tables" && command != "columns" && command != "rows"))
        return usage();

    MdbHandle* mdb = mdb_open(path, MDB_NOFLAGS);
    if (!mdb) {
        out.failure(Damaged, "the file cannot be opened");
        return 0;
    }
    mdb_set_bind_size(mdb, kBindSize);
    mdb_set_boolean_fmt_numbers(mdb);
    if (!mdb_read_catalog(mdb, MDB_TABLE) || mdb->num_catalog == 0) {
        out.failure(Damaged, "the list of tables cannot be read");
    } else {
        Reader reader(mdb, out);
        if (command == "tables")
            reader.tables();
        else if (command == "columns")
            reader.columns(table);
        else
            reader.rows(table);
    }
    out.flush();
    mdb_close(mdb);
    return 0;
}
