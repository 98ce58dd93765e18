#pragma once

#include <QLoggingCategory>

namespace documents {

// The log of the documents' text reading and words index ("selvaro.documents"): a document that
// cannot be read, an index that cannot be written.
Q_DECLARE_LOGGING_CATEGORY(lcDocuments)

} // namespace documents
