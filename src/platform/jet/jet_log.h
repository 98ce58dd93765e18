#pragma once

#include <QLoggingCategory>

namespace jet {

// The Jet reader's log ("selvaro.jet"): what libmdb printed while the reader process read a file,
// and why a reader process was stopped. Its information lines are off unless asked for
// (QT_LOGGING_RULES="selvaro.jet.info=true"): the library's chatter never reaches the terminal.
Q_DECLARE_LOGGING_CATEGORY(lcJet)

} // namespace jet
