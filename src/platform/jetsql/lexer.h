#pragma once

#include <QList>
#include <QString>

// The tokenizer of the Jet dialect: the first step of translating a statement or a criterion.
namespace jetsql {

struct Token
{
    enum class Kind
    {
        Word,   // a name or a keyword, as written (letters, digits, "_"; not starting with a digit)
        Name,   // a [bracketed] name; text holds what stands between the brackets
        String, // 'text' or "text"; text holds the value, doubled quotes made single
        Number, // 12, 1.5, .5, 2E3
        Date,   // #...#; text holds what stands between the hashes
        Symbol, // an operator or punctuation: = <> < > <= >= + - * / \ & ^ ( ) , . ! ;
        End,    // after the last token
    };

    Kind kind = Kind::End;
    QString text;
    qsizetype position = 0; // of the token's first character in the statement

    // True for a Word equal to `keyword` in any letter case.
    bool isWord(const char* keyword) const;
    bool isSymbol(const char* symbol) const;
};

// Splits a Jet statement into tokens, ending with one End token. Blanks, tabs and line breaks
// separate tokens and are dropped. Raises SyntaxError naming the statement for an
// unterminated string, [name] or #date#, and for a character that starts no token.
QList<Token> tokenize(const QString& statement);

// Text for error messages: the statement, cut to a readable length.
QString quoteStatement(const QString& statement);

} // namespace jetsql
