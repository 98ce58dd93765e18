#include "like_pattern.h"

#include <algorithm>

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

enum Kind
{
    General,  // any other pattern
    Contains, // "*words*"
    Ends,     // "*words"
    Starts,   // "words*"
    Equals    // "words"
};

// The commonest patterns, "*words*", "words*", "*words" and "words" with no other wildcard in
// the words, are answered by a plain search; from and length get where the words lie.
Kind classify(QStringView pattern, qsizetype& from, qsizetype& length)
{
    const bool leading = !pattern.isEmpty() && pattern.front() == u'*';
    const bool trailing = pattern.size() > qsizetype(leading) && pattern.back() == u'*';
    from = qsizetype(leading);
    length = pattern.size() - leading - trailing;
    if (length == 0)
        return General;
    for (const QChar c : pattern.mid(from, length)) {
        if (isWildcard(c))
            return General;
    }
    return leading ? (trailing ? Contains : Ends) : (trailing ? Starts : Equals);
}

// Whether words occur in text: a scan for the first character, the rest compared where it is.
bool containsWords(QStringView text, QStringView words)
{
    const qsizetype n = words.size();
    if (n > text.size())
        return false;
    const char16_t* w = words.utf16();
    const char16_t* const last = text.utf16() + (text.size() - n);
    for (const char16_t* t = text.utf16(); t <= last; ++t) {
        if (*t == *w && std::equal(w + 1, w + n, t + 1))
            return true;
    }
    return false;
}

bool literalMatch(Kind kind, QStringView text, QStringView words)
{
    switch (kind) {
    case Contains:
        return containsWords(text, words);
    case Ends:
        return text.endsWith(words);
    case Starts:
        return text.startsWith(words);
    default:
        return text == words;
    }
}

bool generalMatch(QStringView text, QStringView pattern);

} // namespace

bool likeMatch(QStringView text, QStringView pattern)
{
    qsizetype from = 0;
    qsizetype length = 0;
    const Kind kind = classify(pattern, from, length);
    return kind == General ? generalMatch(text, pattern) : literalMatch(kind, text, pattern.mid(from, length));
}

LikePattern::LikePattern(QString pattern) : m_pattern(std::move(pattern)), m_words(0), m_length(0)
{
    m_kind = classify(m_pattern, m_words, m_length);
}

bool LikePattern::matches(QStringView text) const
{
    const QStringView pattern(m_pattern);
    return m_kind == General ? generalMatch(text, pattern)
                             : literalMatch(Kind(m_kind), text, pattern.mid(m_words, m_length));
}

namespace {

bool generalMatch(QStringView text, QStringView pattern)
{
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

} // namespace

} // namespace jetsql
