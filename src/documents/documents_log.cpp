#include "documents_log.h"

namespace documents {

Q_LOGGING_CATEGORY(lcDocuments, "selvaro.documents")

} // namespace documents
