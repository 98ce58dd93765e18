#pragma once

// The registers of the program as the main window knows them: a frame of three buttons each, the
// data file the register works on and the openers of its forms. The registers live in a layer
// above this one; each describes itself and is added at start-up (main.cpp), before the main
// window is made: the window builds its frames once, in the order the registers were added.

#include "form_commands.h"

#include <QList>
#include <QString>

namespace app {

// One button of a register's frame.
struct RegisterCommand
{
    QString name;    // the button's object name: "cmdnapcvden", "Cmdxemcvden", ...
    QString caption; // "Nạp, sửa, in CV đến", ...
    FormOpener open; // opens the form, throws when it cannot; none: not part of this build
};

struct RegisterDescriptor
{
    QString frameTitle;                 // "Công văn đến"
    DataFile dataFile = DataFile::None; // Letters or Schedule: checked before any form opens
    RegisterCommand entry;              // enter and correct records
    RegisterCommand list;               // view the list (or the week)
    RegisterCommand search;             // search
    QList<RegisterCommand> more;        // further buttons under those three ("Công văn đến hạn, quá hạn")
    // The frame shows under its buttons how many incoming letters are overdue or due soon.
    bool showsDueCounts = false;

    QList<const RegisterCommand*> commands() const
    {
        QList<const RegisterCommand*> all{&entry, &list, &search};
        for (const RegisterCommand& c : more)
            all << &c;
        return all;
    }
};

// Adds a register, or replaces the one with the same frame title; its commands become form
// openers (openForm runs them).
void addRegister(RegisterDescriptor descriptor);
// The registers in the order they were added.
const QList<RegisterDescriptor>& registerDescriptors();
// Forgets every register and its openers (tests).
void forgetRegisters();
// The register that has a command named name (any letter case), and the command; nullptr when
// none has.
const RegisterDescriptor* findRegister(const QString& command, const RegisterCommand** found = nullptr);

// Runs a register command as its button does: tells the user when the register's data file in
// state cannot be found or the command's form is not part of this build, and otherwise opens the
// form (the caller hides the main window). A failure while opening is recorded and told.
// Returns true when the form opened.
bool runRegisterCommand(const Module1& state, const QString& command, QWidget* mainWindow);

// "Không tìm thấy file dữ liệu <path> !" ... : the register's data file cannot be found.
QString dataFileMissingMessage(const QString& path);

} // namespace app
