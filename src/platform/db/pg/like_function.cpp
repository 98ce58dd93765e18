#include "like_function.h"

#include "server_connection.h"

namespace db::pg {

namespace {

// A character as it stands in a regular expression: letters and digits as they are, anything else
// behind a backslash (which, in the server's regular expressions, makes it itself).
const char* const EscapeFunction = R"sql(
create or replace function selvaro_like_char(c text) returns text
language sql immutable strict parallel safe as $f$
    select case when c ~ '^[[:alnum:]]$' then c else '\' || c end
$f$)sql";

const char* const RegexFunction = R"sql(
create or replace function selvaro_like_regex(pattern text) returns text
language plpgsql immutable strict parallel safe as $f$
declare
    result text := '';
    i int := 1;
    n int := char_length(pattern);
    c text;
    closing int;
    list text;
    k int;
    bracket text;
begin
    while i <= n loop
        c := substr(pattern, i, 1);
        if c = '*' then
            result := result || '.*';
        elsif c = '?' then
            result := result || '.';
        elsif c = '#' then
            result := result || '[0-9]';
        elsif c = '[' then
            closing := strpos(substr(pattern, i + 1), ']');
            if closing = 0 then
                result := result || '\[';  -- an unclosed bracket is itself
            else
                list := substr(pattern, i + 1, closing - 1);
                i := i + closing;
                if list <> '' then
                    bracket := '[';
                    if char_length(list) > 1 and substr(list, 1, 1) = '!' then
                        bracket := '[^';
                        list := substr(list, 2);
                    end if;
                    k := 1;
                    while k <= char_length(list) loop
                        if k + 2 <= char_length(list) and substr(list, k + 1, 1) = '-' then
                            bracket := bracket || selvaro_like_char(substr(list, k, 1)) || '-'
                                || selvaro_like_char(substr(list, k + 2, 1));
                            k := k + 3;
                        else
                            bracket := bracket || selvaro_like_char(substr(list, k, 1));
                            k := k + 1;
                        end if;
                    end loop;
                    result := result || bracket || ']';
                end if;
            end if;
        else
            result := result || selvaro_like_char(c);
        end if;
        i := i + 1;
    end loop;
    return '^(?:' || result || ')$';
end
$f$)sql";

// Not declared strict (a null still gives null): the server then inlines these into the statement,
// and the pattern's expression, a constant there, is turned into its regular expression once
// instead of once a row.
const char* const MatchesFunction = R"sql(
create or replace function selvaro_like_matches(t text, pattern text) returns boolean
language sql immutable parallel safe as $f$
    select t ~ selvaro_like_regex(pattern)
$f$)sql";

// A pattern of only * and ? as the server's own LIKE pattern (its % _ and \ taken literally);
// null for one with # or a [list], which needs the regular expression.
const char* const SimpleFunction = R"sql(
create or replace function selvaro_like_simple(pattern text) returns text
language sql immutable strict parallel safe as $f$
    select case when strpos(pattern, '[') = 0 and strpos(pattern, '#') = 0 then
        replace(replace(replace(replace(replace(pattern, '\', '\\'), '%', '\%'), '_', '\_'), '*', '%'), '?', '_')
    end
$f$)sql";

// The server's LIKE matches a simple pattern two to three times faster than a regular
// expression; with a constant pattern the choice is made once, when the statement is planned.
const char* const LikeFunction = R"sql(
create or replace function selvaro_like(t text, pattern text) returns boolean
language sql immutable parallel safe as $f$
    select case when selvaro_like_simple(selvaro_fold(pattern)) is not null
        then (selvaro_fold(t) collate "C") like selvaro_like_simple(selvaro_fold(pattern))
        else selvaro_fold(t) ~ selvaro_like_regex(selvaro_fold(pattern))
    end
$f$)sql";

} // namespace

void installLike(ServerConnection& server)
{
    server.inTransaction([&] {
        for (const char* sql : {EscapeFunction, RegexFunction, MatchesFunction, SimpleFunction, LikeFunction})
            server.exec(QString::fromUtf8(sql));
    });
}

} // namespace db::pg
