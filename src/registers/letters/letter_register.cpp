#include "letter_register.h"

#include "registers/entry_form.h"
#include "registers/letters_list_form.h"
#include "registers/search_form.h"

#include "frmincv.h"

#include "app/core/module1.h"
#include "app/gui/form_commands.h"

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
    app::registerFormOpener(r.entryButton, [r, visit](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        auto* entry = form<EntryForm>(r.entryForm);
        entry->setSession(visit(request, Start::Entry));
        entry->open(entry->session().yearTable());
    });
    // The main window has cleared the marks of the year.
    app::registerFormOpener(r.listButton, [r, visit](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        auto* list = form<LettersListForm>(r.listForm);
        list->setSession(visit(request, Start::List));
        const QString table = list->session().yearTable();
        list->open(table, table, false);
    });
    app::registerFormOpener(r.searchButton, [r, visit](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        auto* search = form<SearchForm>(r.searchForm);
        search->setSession(visit(request, Start::Search));
        search->openWithValueLists(request.lookups);
    });
}

} // namespace registers
