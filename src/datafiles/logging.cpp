#include "logging.h"

namespace datafiles {

Q_LOGGING_CATEGORY(lcDatafiles, "selvaro.datafiles")

} // namespace datafiles
