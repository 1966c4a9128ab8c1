#pragma once
// Reading a pool file into the open pool.
#include <istream>

#include "core/pool_file_fields.h"
#include "core/pool_file_host.h"
#include "core/pool_state.h"

namespace qb {

// Reads the file at PoolFilePath into the open pool. True when the pool is
// loaded. Otherwise DialogCancelled is set, the user has been told why, and
// the pool is empty with no file name.
bool OpenPoolFile(PoolState& s, PoolFileServices& svc);

// OpenPoolFile once the file is open: the header, the version questions,
// the records, the set-up of the bracket.
bool ReadPoolFile(PoolState& s, std::istream& in, PoolFileServices& svc);

// The records after the header, versions "2001.1", "2000.0" and "2.0": a bad
// record gives one load-error message and reading goes on; the list is then
// shown, and Cancel there clears the pool. DialogCancelled is set when the
// load is abandoned.
void ReadPoolRecords(PoolState& s, FieldReader& r, PoolFileServices& svc);
// The same for version "1.0", whose records are shorter; a bad record there
// abandons the load.
void ReadPoolRecordsV1(PoolState& s, FieldReader& r, PoolFileServices& svc);

}  // namespace qb
