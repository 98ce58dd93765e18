#include "like_pattern.h"

namespace jetsql {

namespace {

// One single-character element of a pattern, starting at pattern[pos]. Sets `length` to the
// number of pattern code units it spans. Returns whether `c` matches it.
bool matchOne(QStringView pattern, qsizetype pos, QChar c, qsizetype& length)
{
    const QChar p = pattern[pos];
    if (p == u'?') {
        length = 1;
        return true;
    }
    if (p == u'#') {
        length = 1;
        return c >= u'0' && c <= u'9';
    }
    if (p == u'[') {
        const qsizetype close = pattern.indexOf(u']', pos + 1);
        if (close >= 0) {
            length = close - pos + 1;
            qsizetype i = pos + 1;
            bool negate = false;
            if (i < close && pattern[i] == u'!' && close - i > 1) {
                negate = true;
                ++i;
            }
            bool found = false;
            while (i < close) {
                const QChar first = pattern[i];
                if (i + 2 < close && pattern[i + 1] == u'-') {
                    const QChar last = pattern[i + 2];
                    if (c >= first && c <= last)
                        found = true;
                    i += 3;
                } else {
                    if (c == first)
                        found = true;
                    ++i;
                }
            }
            return found != negate;
        }
    }
    length = 1;
    return c == p;
}

// Skips empty lists "[]", which consume nothing.
qsizetype skipEmptyLists(QStringView pattern, qsizetype pos)
{
    while (pos + 1 < pattern.size() && pattern[pos] == u'[' && pattern[pos + 1] == u']')
        pos += 2;
    return pos;
}

bool isWildcard(QChar c)
{
    return c == u'*' || c == u'?' || c == u'#' || c == u'[';
}

// The commonest patterns, "*words*", "words*", "*words" and "words" with no other wildcard in
// the words, answered by a plain search; -1 for any other pattern.
int literalMatch(QStringView text, QStringView pattern)
{
    const bool leading = !pattern.isEmpty() && pattern.front() == u'*';
    const bool trailing = pattern.size() > qsizetype(leading) && pattern.back() == u'*';
    const QStringView words = pattern.mid(qsizetype(leading), pattern.size() - leading - trailing);
    if (words.isEmpty())
        return -1;
    for (const QChar c : words) {
        if (isWildcard(c))
            return -1;
    }
    if (leading && trailing)
        return text.contains(words) ? 1 : 0;
    if (leading)
        return text.endsWith(words) ? 1 : 0;
    if (trailing)
        return text.startsWith(words) ? 1 : 0;
    return text == words ? 1 : 0;
}

} // namespace

bool likeMatch(QStringView text, QStringView pattern)
{
    if (const int literal = literalMatch(text, pattern); literal >= 0)
        return literal == 1;

    qsizetype t = 0;
    qsizetype p = 0;
    // Where to resume after the last "*" seen: the pattern just after it, and the text position
    // it has consumed up to. Resuming from the latest star only is enough because every other
    // element matches exactly one character.
    qsizetype starPattern = -1;
    qsizetype starText = 0;

    while (true) {
        p = skipEmptyLists(pattern, p);
        if (p < pattern.size() && pattern[p] == u'*') {
            while (p < pattern.size() &&
                   (pattern[p] == u'*' || (pattern[p] == u'[' && p + 1 < pattern.size() && pattern[p + 1] == u']')))
                p += pattern[p] == u'*' ? 1 : 2;
            if (p == pattern.size())
                return true; // a trailing star takes the rest
            starPattern = p;
            starText = t;
            continue;
        }
        if (t == text.size() && p == pattern.size())
            return true;
        if (t < text.size() && p < pattern.size()) {
            qsizetype length = 1;
            if (matchOne(pattern, p, text[t], length)) {
                ++t;
                p += length;
                continue;
            }
        }
        // Mismatch: let the last star take one more character, or fail.
        if (starPattern < 0 || starText >= text.size())
            return false;
        ++starText;
        t = starText;
        p = starPattern;
    }
}

} // namespace jetsql
