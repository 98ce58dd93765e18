#include "letter_register.h"

#include "registers/entry_form.h"
#include "registers/letters_list_form.h"
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

    // Each button begins a visit of the register on the letters file and the working year's table.
    const auto visit = [r](const app::FormRequest& request, Start start) {
        return std::make_shared<RegisterSession>(r.which, start, request.database(), app::module1().*r.yearTable);
    };
    app::RegisterDescriptor d;
    d.frameTitle = r.frameTitle;
    d.dataFile = app::DataFile::Letters;
    d.entry = {r.entryButton, r.entryCaption, [r, visit](const app::FormRequest& request, QWidget* main) {
                   setMainWindow(main);
                   auto* entry = form<EntryForm>(r.entryForm);
                   entry->setSession(visit(request, Start::Entry));
                   entry->open(entry->session().yearTable());
               }};
    // The list opens with no letter marked for printing; a read-only run leaves the marks as they are.
    d.list = {r.listButton, r.listCaption, [r, visit](const app::FormRequest& request, QWidget* main) {
                  SessionPtr session = visit(request, Start::List);
                  const QString table = session->yearTable();
                  if (!app::module1().readOnly)
                      session->database().execute(QStringLiteral("UPDATE ") + table +
                                                  QStringLiteral(" SET chonin = '' where [chonin]= 'X' ;"));
                  setMainWindow(main);
                  auto* list = form<LettersListForm>(r.listForm);
                  list->setSession(std::move(session));
                  list->open(table, table, false);
              }};
    d.search = {r.searchButton, r.searchCaption, [r, visit](const app::FormRequest& request, QWidget* main) {
                    setMainWindow(main);
                    auto* search = form<SearchForm>(r.searchForm);
                    search->setSession(visit(request, Start::Search));
                    search->openWithValueLists(search->yearValueLists());
                }};
    app::addRegister(std::move(d));
}

} // namespace registers
