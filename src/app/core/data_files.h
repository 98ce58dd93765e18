#pragma once

// The data-file procedures of the shared module, for callers that use several of them
// (start-up, the working-year dialog, the data-file commands).
#include "data_paths.h"
#include "drive_description.h"
#include "file_presence.h"
#include "kiemtra_query.h"
#include "read_only.h"
#include "recent_files.h"
#include "reference_recordsets.h"
#include "settings_files.h"
#include "structure_check.h"
#include "table_copy.h"
#include "table_pattern.h"
#include "template_restore.h"
#include "year_tables.h"
