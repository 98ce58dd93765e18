#pragma once

// A letters file for the toolkit's tests: a copy of the template file with a year table
// cvden2024 made from the template table cvdenmau and filled with numbered letters.

#include "template_file.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace uitest {

class LetterFile : public test::TemplateCopy
{
public:
    // rows letters numbered 1..rows: stt i, ng_den "dd/01/2024", noigui "Sở Nội vụ <i>",
    // tt_ndung "Về việc số <i>", da_xuli true for even i, chonin "".
    explicit LetterFile(int rows = 5);

    static QString noigui(int i);

    static QString table() { return u"cvden2024"_s; }
    // One field of the letter with register number stt, read through a fresh recordset.
    QVariant stored(int stt, const QString& field);
    int count();
};

} // namespace uitest
