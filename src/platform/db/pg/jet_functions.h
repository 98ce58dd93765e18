#pragma once

namespace db::pg {

class ServerConnection;

// Installs the functions the Jet SQL compiler's server target calls, in the connection's current
// schema and in one transaction: jet_left, jet_right, jet_mid, jet_len, jet_trim, jet_ltrim,
// jet_rtrim, jet_ucase, jet_lcase, jet_nz, jet_val, jet_cstr, jet_format, jet_iif, and the
// operators jet_plus ("+") and jet_power ("^"). Each gives what the function of the same name on
// our SQLite connections (jetsql/functions.cpp) gives for the same values, errors included (a
// negative length, Mid from 0, a word added to a number).
//
// Arguments come with the server's types, so a value is first made the text our SQLite
// connections hold for it (selvaro_jet_text): a Yes/No field "1" or "0", a date "yyyy-mm-dd" at
// midnight and "yyyy-mm-dd hh:mm:ss" otherwise, a number as the server writes it (2.0 is "2", where
// SQLite writes "2.0"). Overloads take every type the columns have; a literal ('x') or NULL whose
// type the call leaves open is read as text, so Nz(NULL, 5) and IIf(c, 'a', 5) give the text "5"
// where our SQLite connections give the number, and Nz of one value always gives a text. jet_plus
// also adds a number of days to a date, which our SQLite connections refuse, and takes no Yes/No
// value. A text where a length or a power is wanted is refused (as the old engine refused a word
// there), where our SQLite connections read a word as 0. Lengths count characters: one beyond
// U+FFFF is one here and two on our SQLite connections (registers hold none). UCase and LCase are
// the server's upper() and lower() under caseMappingCollation(), which agree with ours on every
// Vietnamese letter; a letter whose capital is two letters (ß) stays itself here.
void installJetFunctions(ServerConnection& server);

} // namespace db::pg
