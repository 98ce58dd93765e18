#pragma once

#include <QString>

namespace app {

// How every part of the program shows a message or asks a yes/no question. The message dialog
// MessageDialog is the real implementation; tests install a scripted responder. Code without widgets
// (replication, data-file procedures) talks to the user only through this interface.
class Messenger
{
public:
    virtual ~Messenger() = default;

    // kieuthongbao "ok" or "yesno" (any letter case): shows thongbao, waits and returns the
    // answer ("ok", "yes" or "no"). Any other mode word (the backup uses "tbao") shows a
    // notice without waiting, painted at once, and returns "" — closeNotice() removes it.
    virtual QString show(const QString& thongbao, const QString& kieuthongbao) = 0;
    virtual void closeNotice() = 0;
};

// The messenger in use. Until one is installed, messages go to a fallback that writes them to
// standard error and answers "ok" to a message and "no" to a question: with nobody to ask, no
// question is answered "yes" on the user's behalf.
Messenger& messenger();
// Installs m (not owned; nullptr restores the fallback). Returns the previous one.
Messenger* setMessenger(Messenger* m);

} // namespace app

namespace app {

// Shows text in mode through messenger() and returns the answer.
QString showMessage(const QString& text, const QString& mode);
// A message in mode "ok".
void tell(const QString& text);
// A question in mode "yesno". False only when the answer is "no": callers treat every other
// answer as yes.
bool ask(const QString& text);

} // namespace app
