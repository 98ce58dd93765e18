// make_template <output>: builds the template file (normally data/vemogoc.mdb) from which the
// program creates every other data file. Run by the build; see docs/template.md.
#include "platform/db/db_error.h"
#include "template_builder.h"

#include <QString>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_template <output file, e.g. data/vemogoc.mdb>\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    try {
        tmpl::buildTemplate(output);
    } catch (const db::DbError& e) {
        std::fprintf(stderr, "make_template: %s: error %d: %s\n", argv[1], e.number(),
                     e.description().toLocal8Bit().constData());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_template: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
