#pragma once

namespace reference {

// Makes the reference-list forms known to the main window's list menus: mnunapdonvi and
// mnunapnoigui (frmdonvi), mnunaploaicv (frmloaicv), mnunapchutat (frmchutat), mnunapbophan
// (DepartmentsForm), mnutendonvi (OrganisationNameForm) and mnunguoidung (UsersForm). Each opener makes a new
// instance of the form and shows it modal; the menu command has checked the rights and reopens
// the shared reference recordsets afterwards.
void registerReferenceForms();

} // namespace reference
