#pragma once
// The result rows of a batch run, one per structure (a data block of a CIF
// file), as JSON lines or CSV, and the rows of an earlier run read back.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tools/shape_descriptors.h"

namespace habitopia::cli {

enum class BatchStatus { Ok, Incomplete, Refused };
const char* BatchStatusName(BatchStatus status);

struct BatchRow {
  std::size_t index = 0;  // position of the file in the sorted list of all inputs
  std::string file;
  std::string block;
  std::string databaseCode;
  std::string formula;
  int spaceGroupNumber = 0;
  std::string hermannMauguin;
  std::string hall;
  std::string axesChange;  // how the axes were changed for the point group, empty when not
  int pointGroup = 0;
  BatchStatus status = BatchStatus::Refused;
  std::string message;
  std::optional<ShapeDescriptors> descriptors;  // with the predicted forms
};

enum class BatchFormat { JsonLines, Csv };
// By the output's extension: ".csv" (any case) is CSV, anything else JSON lines.
BatchFormat BatchFormatOf(const std::string& path);

// The header line of a CSV file (with its line end); empty for JSON lines.
std::string BatchHeader(BatchFormat format);
// One row as a line with its line end.
std::string FormatBatchRow(const BatchRow& row, BatchFormat format);

// The rows of an earlier output: each whole line after the header, with the
// index and file it names. A last line without its line end (an interrupted
// write) is left out and counted in `partialBytes`.
struct StoredRow {
  std::size_t index = 0;
  std::string file;
  std::string line;        // with its line end
  std::size_t offset = 0;  // where the line starts in the file
};
struct StoredRows {
  std::vector<StoredRow> rows;
  std::size_t wholeBytes = 0;  // the length of the file up to its last whole line
  bool ok = true;
  std::string error;
};
StoredRows ReadBatchRows(const std::string& path, BatchFormat format);

}  // namespace habitopia::cli
