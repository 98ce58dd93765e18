#include "jet_functions.h"

#include "server_connection.h"
#include "text_fold.h"

#include "platform/db/sql_quote.h"

#include <QStringList>
#include <span>
#include <utility>

namespace db::pg {

namespace {

// The text our SQLite connections hold for a value. A number goes through double precision, the
// server's preferred number type (12 is "12", 2.50 is "2.5"). Immutable as PostgreSQL holds its
// own number output to be.
const char* const TextFunctions[] = {
    R"sql(create or replace function selvaro_jet_text(v text) returns text
language sql immutable strict parallel safe as $f$ select v $f$)sql",
    R"sql(create or replace function selvaro_jet_text(v boolean) returns text
language sql immutable strict parallel safe as $f$ select case when v then '1' else '0' end $f$)sql",
    R"sql(create or replace function selvaro_jet_text(v timestamp) returns text
language sql immutable strict parallel safe as $f$
    select to_char(v, case when v::time = '00:00' then 'YYYY-MM-DD' else 'YYYY-MM-DD HH24:MI:SS' end)
$f$)sql",
    R"sql(create or replace function selvaro_jet_text(v double precision) returns text
language sql immutable strict parallel safe as $f$ select v::text $f$)sql",
    R"sql(create or replace function selvaro_jet_text(v anycompatiblenonarray) returns text
language sql immutable strict parallel safe as $f$ select v::text $f$)sql",
    // A text read as a number the way "+" reads it, blanks around it allowed (what QChar::isSpace
    // takes for one); NULL when it is none.
    R"sql(create or replace function selvaro_jet_number(t text) returns double precision
language sql immutable strict parallel safe as $f$
    select case when s ~ '^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$' then s::double precision end
    from (select btrim(t, E' \t\n\x0B\f\r\u0085\u00A0\u1680\u2000\u2001\u2002\u2003\u2004\u2005\u2006'
                          '\u2007\u2008\u2009\u200A\u2028\u2029\u202F\u205F\u3000') as s) as trimmed
$f$)sql",
    R"sql(create or replace function selvaro_jet_operand(t text) returns double precision
language plpgsql immutable strict parallel safe as $f$
declare
    n double precision := selvaro_jet_number(t);
begin
    if n is null then
        raise exception 'Data type mismatch in expression: text added to a number' using errcode = '22P02';
    end if;
    return n;
end
$f$)sql",
    // A count of characters as our SQLite connections take it: the whole part, negative refused.
    R"sql(create or replace function selvaro_jet_count(n double precision, what text) returns integer
language plpgsql immutable strict parallel safe as $f$
begin
    if trunc(n) < 0 then
        raise exception '%', what using errcode = '22023';
    end if;
    return least(trunc(n), 2147483647)::integer;
end
$f$)sql",
};

const char* const TextPartFunctions[] = {
    R"sql(create or replace function jet_left(t anycompatiblenonarray, n double precision) returns text
language plpgsql immutable strict parallel safe as $f$
begin
    return left(selvaro_jet_text(t), selvaro_jet_count(n, 'left(): negative length'));
end
$f$)sql",
    R"sql(create or replace function jet_right(t anycompatiblenonarray, n double precision) returns text
language plpgsql immutable strict parallel safe as $f$
begin
    return right(selvaro_jet_text(t), selvaro_jet_count(n, 'right(): negative length'));
end
$f$)sql",
    R"sql(create or replace function jet_mid(t anycompatiblenonarray, start double precision) returns text
language plpgsql immutable strict parallel safe as $f$
begin
    if trunc(start) < 1 then
        raise exception 'mid(): start before the first character' using errcode = '22023';
    end if;
    return substr(selvaro_jet_text(t), least(trunc(start), 2147483647)::integer);
end
$f$)sql",
    R"sql(create or replace function jet_mid(t anycompatiblenonarray, start double precision, length double precision)
returns text language plpgsql immutable strict parallel safe as $f$
begin
    if trunc(start) < 1 then
        raise exception 'mid(): start before the first character' using errcode = '22023';
    end if;
    return substr(selvaro_jet_text(t), least(trunc(start), 2147483647)::integer,
                  selvaro_jet_count(length, 'mid(): negative length'));
end
$f$)sql",
    R"sql(create or replace function jet_len(t anycompatiblenonarray) returns integer
language sql immutable strict parallel safe as $f$ select char_length(selvaro_jet_text(t)) $f$)sql",
    // Only spaces are removed, as the old engine did (tabs and line breaks stay).
    R"sql(create or replace function jet_trim(t anycompatiblenonarray) returns text
language sql immutable strict parallel safe as $f$ select btrim(selvaro_jet_text(t), ' ') $f$)sql",
    R"sql(create or replace function jet_ltrim(t anycompatiblenonarray) returns text
language sql immutable strict parallel safe as $f$ select ltrim(selvaro_jet_text(t), ' ') $f$)sql",
    R"sql(create or replace function jet_rtrim(t anycompatiblenonarray) returns text
language sql immutable strict parallel safe as $f$ select rtrim(selvaro_jet_text(t), ' ') $f$)sql",
    R"sql(create or replace function jet_cstr(v anycompatiblenonarray) returns text
language sql immutable strict parallel safe as $f$ select selvaro_jet_text(v) $f$)sql",
};

// Nz and IIf give one of two values. Two values of one kind (numbers, texts, dates) keep their
// common type; a text beside another kind makes the result a text, since a literal ('x') or NULL
// cannot be told from a text by its type. (text, text) is spelt out, or two text columns would
// match both mixed forms alike.
const char* const ChoiceFunctions[] = {
    R"sql(create or replace function jet_nz(v anycompatiblenonarray) returns text
language sql immutable parallel safe as $f$ select coalesce(selvaro_jet_text(v), '') $f$)sql",
    R"sql(create or replace function jet_nz(v anycompatible, otherwise anycompatible) returns anycompatible
language sql immutable parallel safe as $f$ select coalesce(v, otherwise) $f$)sql",
    R"sql(create or replace function jet_nz(v text, otherwise text) returns text
language sql immutable parallel safe as $f$ select coalesce(v, otherwise) $f$)sql",
    R"sql(create or replace function jet_nz(v text, otherwise anycompatiblenonarray) returns text
language sql immutable parallel safe as $f$ select coalesce(v, selvaro_jet_text(otherwise)) $f$)sql",
    R"sql(create or replace function jet_nz(v anycompatiblenonarray, otherwise text) returns text
language sql immutable parallel safe as $f$ select coalesce(selvaro_jet_text(v), otherwise) $f$)sql",
    R"sql(create or replace function jet_iif(c boolean, yes anycompatible, no anycompatible) returns anycompatible
language sql immutable parallel safe as $f$ select case when c then yes else no end $f$)sql",
    R"sql(create or replace function jet_iif(c boolean, yes text, no text) returns text
language sql immutable parallel safe as $f$ select case when c then yes else no end $f$)sql",
    R"sql(create or replace function jet_iif(c boolean, yes text, no anycompatiblenonarray) returns text
language sql immutable parallel safe as $f$ select case when c then yes else selvaro_jet_text(no) end $f$)sql",
    R"sql(create or replace function jet_iif(c boolean, yes anycompatiblenonarray, no text) returns text
language sql immutable parallel safe as $f$ select case when c then selvaro_jet_text(yes) else no end $f$)sql",
};

// "+" joins two texts and adds anything else, a text that reads as a number counting as it; a
// number of days added to a date moves it. "^" raises.
const char* const OperatorFunctions[] = {
    R"sql(create or replace function jet_plus(a text, b text) returns text
language sql immutable strict parallel safe as $f$ select a || b $f$)sql",
    R"sql(create or replace function jet_plus(a double precision, b double precision) returns double precision
language sql immutable strict parallel safe as $f$ select a + b $f$)sql",
    R"sql(create or replace function jet_plus(a text, b double precision) returns double precision
language sql immutable strict parallel safe as $f$ select selvaro_jet_operand(a) + b $f$)sql",
    R"sql(create or replace function jet_plus(a double precision, b text) returns double precision
language sql immutable strict parallel safe as $f$ select a + selvaro_jet_operand(b) $f$)sql",
    R"sql(create or replace function jet_plus(a timestamp, days double precision) returns timestamp
language sql immutable strict parallel safe as $f$ select a + days * interval '1 day' $f$)sql",
    R"sql(create or replace function jet_plus(days double precision, a timestamp) returns timestamp
language sql immutable strict parallel safe as $f$ select a + days * interval '1 day' $f$)sql",
    R"sql(create or replace function jet_power(a double precision, b double precision) returns double precision
language sql immutable strict parallel safe as $f$ select power(a, b) $f$)sql",
};

// Val: the number at the start of a text, blanks anywhere ignored, 0 when there is none; a number
// is itself.
const char* const ValFunctions[] = {
    R"sql(create or replace function jet_val(t text) returns double precision
language sql immutable strict parallel safe as $f$
    select case when m ~ '[0-9]' then m::double precision else 0 end
    from (select substring(translate(t, E' \t', '') from '^[+-]?[0-9]*(?:\.[0-9]*)?') as m) as part
$f$)sql",
    R"sql(create or replace function jet_val(n double precision) returns double precision
language sql immutable strict parallel safe as $f$ select n $f$)sql",
};

// Format: a number laid out by a pattern of 0 # , . (a digit always shown, a digit when needed,
// thousands grouped, the decimal point), a date by d dd m mm yy yyyy h hh n nn s ss (other
// characters as written); anything else, or no pattern, the value's text.
const char* const FormatFunctions[] = {
    // The exact value of a double, as QString::number rounds it (1.005 is 1.00499999...).
    R"sql(create or replace function selvaro_jet_exact(x double precision) returns numeric
language plpgsql immutable strict parallel safe as $f$
declare
    bits bigint := ('x' || encode(float8send(abs(x)), 'hex'))::bit(64)::bigint;
    biased integer := (bits >> 52)::integer;
    mantissa numeric := bits & 4503599627370495;
    shift integer := 1074;
    digits text;
begin
    if biased = 2047 then
        return abs(x)::numeric; -- not finite
    end if;
    if biased > 0 then
        mantissa := mantissa + 4503599627370496;
        shift := 1075 - biased;
    end if;
    if shift <= 0 then
        return trim_scale(mantissa * power(2::numeric, -shift));
    end if;
    -- mantissa / 2^shift = mantissa * 5^shift / 10^shift
    digits := trim_scale(mantissa * power(5::numeric, shift))::text;
    digits := repeat('0', shift + 1 - char_length(digits)) || digits;
    return (left(digits, -shift) || '.' || right(digits, shift))::numeric;
end
$f$)sql",
    R"sql(create or replace function selvaro_jet_format(v text, pattern text) returns text
language plpgsql immutable parallel safe as $f$
declare
    n double precision := selvaro_jet_number(v);
    dot integer;
    whole_pattern text;
    decimals integer;
    digits integer;
    laid text;
    whole text;
    result text := '';
    moment timestamp;
    i integer := 1;
    run integer;
    c text;
begin
    if v is null or pattern is null then
        return v;
    end if;
    if n is not null and pattern ~ '^[0#,.]*$' then
        dot := strpos(pattern, '.');
        whole_pattern := case when dot = 0 then pattern else left(pattern, dot - 1) end;
        decimals := case when dot = 0 then 0 else char_length(translate(substr(pattern, dot + 1), ',.', '')) end;
        digits := char_length(whole_pattern) - char_length(replace(whole_pattern, '0', ''));
        laid := round(selvaro_jet_exact(n), decimals)::text;
        whole := split_part(laid, '.', 1);
        if whole = '0' and digits = 0 then
            whole := '';
        end if;
        whole := lpad(whole, greatest(digits, char_length(whole)), '0');
        if strpos(whole_pattern, ',') > 0 then
            whole := reverse(regexp_replace(reverse(whole), '([0-9]{3})(?=[0-9])', '\1,', 'g'));
        end if;
        return case when n < 0 then '-' else '' end || whole
               || case when decimals > 0 then '.' || split_part(laid, '.', 2) else '' end;
    end if;
    if v !~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}(T[0-9]{2}:[0-9]{2}(:[0-9]{2})?| [0-9]{2}:[0-9]{2}:[0-9]{2})?$' then
        return v;
    end if;
    begin
        moment := v::timestamp;
    exception when datetime_field_overflow or invalid_datetime_format then
        return v; -- looks like a date but is none (2009-02-30)
    end;
    while i <= char_length(pattern) loop
        c := lower(substr(pattern, i, 1));
        run := 1;
        while i + run <= char_length(pattern) and lower(substr(pattern, i + run, 1)) = c loop
            run := run + 1;
        end loop;
        result := result || case
            when c = 'd' and run >= 2 then to_char(moment, 'DD')
            when c = 'd' then extract(day from moment)::integer::text
            when c = 'm' and run >= 2 then to_char(moment, 'MM')
            when c = 'm' then extract(month from moment)::integer::text
            when c = 'y' and run >= 3 then extract(year from moment)::integer::text
            when c = 'y' then lpad((extract(year from moment)::integer % 100)::text, 2, '0')
            when c = 'h' and run >= 2 then to_char(moment, 'HH24')
            when c = 'h' then extract(hour from moment)::integer::text
            when c = 'n' and run >= 2 then to_char(moment, 'MI')
            when c = 'n' then extract(minute from moment)::integer::text
            when c = 's' and run >= 2 then to_char(moment, 'SS')
            when c = 's' then extract(second from moment)::integer::text
            else substr(pattern, i, run) end;
        i := i + run;
    end loop;
    return result;
end
$f$)sql",
    R"sql(create or replace function jet_format(v anycompatiblenonarray) returns text
language sql immutable strict parallel safe as $f$ select selvaro_jet_text(v) $f$)sql",
    R"sql(create or replace function jet_format(v anycompatiblenonarray, pattern text) returns text
language sql immutable parallel safe as $f$ select selvaro_jet_format(selvaro_jet_text(v), pattern) $f$)sql",
    // A number for a pattern is its text: Format(7.6, 0) is "8".
    R"sql(create or replace function jet_format(v anycompatiblenonarray, pattern double precision) returns text
language sql immutable parallel safe as $f$
    select selvaro_jet_format(selvaro_jet_text(v), selvaro_jet_text(pattern))
$f$)sql",
};

// UCase and LCase under the collation that maps letters one at a time, as QString does.
QStringList caseFunctions(const QString& collation)
{
    QStringList sql;
    for (const auto& [name, mapping] : {std::pair{"jet_ucase", "upper"}, std::pair{"jet_lcase", "lower"}}) {
        sql << QStringLiteral("create or replace function ") + QLatin1String(name) +
                   QStringLiteral("(t anycompatiblenonarray) returns text "
                                  "language sql immutable strict parallel safe as $f$ select ") +
                   QLatin1String(mapping) + QStringLiteral("(selvaro_jet_text(t) collate ") + collation +
                   QStringLiteral(") $f$");
    }
    return sql;
}

} // namespace

void installJetFunctions(ServerConnection& server)
{
    const QString collation = quoteIdentifier(caseMappingCollation(server));
    server.inTransaction([&] {
        using Group = std::span<const char* const>;
        for (Group group : {Group(TextFunctions), Group(TextPartFunctions), Group(ChoiceFunctions),
                            Group(OperatorFunctions), Group(ValFunctions), Group(FormatFunctions)}) {
            for (const char* sql : group)
                server.exec(QString::fromUtf8(sql));
        }
        for (const QString& sql : caseFunctions(collation))
            server.exec(sql);
    });
}

} // namespace db::pg
