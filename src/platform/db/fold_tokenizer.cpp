#include "fold_tokenizer.h"

#include "db_error.h"
#include "statement.h"

#include "platform/jetsql/fold.h"

#include <QChar>
#include <QString>
#include <sqlite3.h>

namespace db {
namespace {

// Decodes the UTF-8 code point at s[i] into c and returns its length in bytes; a malformed byte
// is a character of its own that no word holds (c = 0).
int decode(const unsigned char* s, int length, int i, char32_t& c)
{
    const unsigned char b0 = s[i];
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    int extra = (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0) {
        c = 0;
        return 1;
    }
    char32_t v = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if (i + k >= length || (s[i + k] & 0xC0) != 0x80) {
            c = 0;
            return 1;
        }
        v = (v << 6) | (s[i + k] & 0x3F);
    }
    c = v;
    return extra + 1;
}

bool inWord(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (c == 0 || c > 0x10FFFF)
        return false;
    if (QChar::isLetterOrNumber(c))
        return true;
    const QChar::Category cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining;
}

// FTS5 asks for a tokenizer object; the fold needs no state, so every table shares this one.
char g_tokenizer;

int createTokenizer(void*, const char**, int, Fts5Tokenizer** out)
{
    *out = reinterpret_cast<Fts5Tokenizer*>(&g_tokenizer);
    return SQLITE_OK;
}

void deleteTokenizer(Fts5Tokenizer*) {}

using TokenCallback = int (*)(void*, int, const char*, int, int, int);

int handOver(void* context, TokenCallback token, const char* text, int start, int end, bool ascii, QByteArray& buffer)
{
    if (ascii) {
        buffer.resize(end - start);
        for (int k = start; k < end; ++k) {
            const char ch = text[k];
            buffer[k - start] = (ch >= 'A' && ch <= 'Z') ? char(ch + 32) : ch;
        }
    } else {
        buffer = jetsql::foldCase(QString::fromUtf8(text + start, end - start)).toUtf8();
    }
    return token(context, 0, buffer.constData(), int(buffer.size()), start, end);
}

int tokenize(Fts5Tokenizer*, void* context, int, const char* text, int length, TokenCallback token)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    QByteArray buffer;
    int start = -1;
    bool ascii = true;
    for (int i = 0; i < length;) {
        char32_t c = 0;
        const int n = decode(s, length, i, c);
        if (inWord(c)) {
            if (start < 0) {
                start = i;
                ascii = true;
            }
            ascii = ascii && c < 0x80;
        } else if (start >= 0) {
            if (const int rc = handOver(context, token, text, start, i, ascii, buffer); rc != SQLITE_OK)
                return rc;
            start = -1;
        }
        i += n;
    }
    if (start >= 0)
        return handOver(context, token, text, start, length, ascii, buffer);
    return SQLITE_OK;
}

fts5_api* ftsApi(sqlite3* connection)
{
    fts5_api* api = nullptr;
    Statement ask(connection, QStringLiteral("SELECT fts5(?1)"));
    sqlite3_bind_pointer(ask.handle(), 1, &api, "fts5_api_ptr", nullptr);
    ask.step();
    ask.reset();
    return api;
}

} // namespace

void installFoldTokenizer(sqlite3* connection)
{
    fts5_api* api = ftsApi(connection);
    if (!api)
        throw DbError(errc::EngineErrorBase + SQLITE_ERROR, QStringLiteral("SQLite has no FTS5"));
    static fts5_tokenizer tokenizer = {&createTokenizer, &deleteTokenizer, &tokenize};
    const int rc = api->xCreateTokenizer(api, kFoldTokenizer, nullptr, &tokenizer, nullptr);
    if (rc != SQLITE_OK)
        throw engineError(connection, rc, QStringLiteral("fts5 tokenizer"));
}

} // namespace db
