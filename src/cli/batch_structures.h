#pragma once
// One structure file of a batch: each data block that states a cell and a
// symmetry is a structure; its habit is predicted (or its Wulff shape built) and
// measured as "predict --cif" and "info --descriptors" do.

#include <optional>
#include <string>
#include <vector>

#include "cli/batch_rows.h"
#include "cli/batch_runner.h"

namespace habitopia::cli {

struct BatchSettings {
  int hklMax = 2;
  std::string wulffTable;   // a table file; empty for the BFDH prediction
  std::string modelFolder;  // where each structure's model is kept; empty for none
  std::string wulffText;    // the table's text, read by PrepareBatchSettings
};

// Reads the Wulff table and makes the model folder; a message when it cannot.
std::optional<std::string> PrepareBatchSettings(BatchSettings& settings);

// The rows of one file. Never throws for bad input: a file that cannot be read
// or holds no structure gives one refused row saying why.
std::vector<BatchRow> PredictStructures(const BatchItem& item, const BatchSettings& settings);

}  // namespace habitopia::cli
