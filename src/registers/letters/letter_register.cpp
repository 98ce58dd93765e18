#include "letter_register.h"

#include "registers/entry_form.h"
#include "registers/letters_list_form.h"
#include "registers/register_opener.h"
#include "registers/search_form.h"

#include "frmincv.h"

#include "app/core/module1.h"
#include "app/gui/register_catalog.h"

namespace registers {

void registerLetterRegister(const LetterRegister& r)
{
    registerDatePrintDialog();
    addForm(r.entryForm, r.makeEntry);
    addForm(r.listForm, r.makeList);
    addForm(r.searchForm, r.makeSearch);

    const auto opener = [&r](Start start, const QString& formName, auto show) {
        return openerOf(r.which, start, formName, r.yearTable, std::function(show));
    };
    app::RegisterDescriptor d;
    d.frameTitle = r.frameTitle;
    d.dataFile = app::DataFile::Letters;
    d.entry = {r.entryButton, r.entryCaption,
               opener(Start::Entry, r.entryForm,
                      [](EntryForm& f, const app::FormRequest&) { f.open(f.session().yearTable()); })};
    // The list opens with no letter marked for printing; a read-only run leaves the marks as they are.
    d.list = {r.listButton, r.listCaption,
              opener(Start::List, r.listForm, [](LettersListForm& f, const app::FormRequest&) {
                  const QString table = f.session().yearTable();
                  if (!f.session().context().readOnly)
                      f.session().database().execute(QStringLiteral("UPDATE ") + table +
                                                     QStringLiteral(" SET chonin = '' where [chonin]= 'X' ;"));
                  f.open(table, table, false);
              })};
    d.search = {r.searchButton, r.searchCaption,
                opener(Start::Search, r.searchForm,
                       [](SearchForm& f, const app::FormRequest&) { f.openWithValueLists(f.yearValueLists()); })};
    app::addRegister(std::move(d));
}

} // namespace registers
