#pragma once

#include <QString>
#include <QStringView>

namespace jetsql {

// The pattern operator of the program's own code (the old language's Like), also used by the
// SQL like() of our connections after both sides are folded.
//
// Pattern elements:
//   *        any run of characters, also none
//   ?        exactly one character
//   #        exactly one digit 0-9
//   [abc]    one character of the list; a-z inside the list is a range (by code unit)
//   [!abc]   one character not in the list
//   []       matches nothing and consumes nothing (an empty list is a zero-length string)
// Any other character matches itself exactly: the comparison is case-sensitive, callers that
// want letter case ignored fold both sides first. Inside a list, "*", "?" and "#" are ordinary
// characters and "-" first or last in the list stands for itself. A "[" without a closing "]"
// is an ordinary character. The whole text must match the whole pattern.
//
// Works on UTF-16 code units; no state is kept between calls and no pattern is compiled, and a
// pattern with several "*" costs at most about text length times pattern length steps.
bool likeMatch(QStringView text, QStringView pattern);

// A pattern looked at once for matching many texts (like() over the rows of a table): the
// commonest patterns, "*words*", "words*", "*words" and "words" with no other wildcard in the
// words, are answered by a plain search; any other as likeMatch() answers it.
class LikePattern
{
public:
    explicit LikePattern(QString pattern);
    bool matches(QStringView text) const;

private:
    QString m_pattern;
    int m_kind;         // what the pattern is, as the file's classify() says
    qsizetype m_words;  // where its words begin
    qsizetype m_length; // and their length
};

} // namespace jetsql
