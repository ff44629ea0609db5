#include "cli/batch_rows.h"

#include <cctype>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/descriptor_report.h"
#include "cli/json_writer.h"
#include "core/numbers.h"

namespace habitopia::cli {

namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Number(Real v) { return FormatSignificant(v, 10); }

// The first two fields of a CSV line: the index and the file.
bool SplitCsvStart(const std::string& line, std::size_t& index, std::string& file) {
  const auto comma = line.find(',');
  long long n = 0;
  if (comma == std::string::npos || !ParseInteger(line.substr(0, comma), n) || n < 0) return false;
  index = static_cast<std::size_t>(n);
  std::size_t i = comma + 1;
  file.clear();
  if (i < line.size() && line[i] == '"') {
    for (++i; i < line.size(); ++i) {
      if (line[i] == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"') {
          file += '"';
          ++i;
        } else {
          return true;
        }
      } else {
        file += line[i];
      }
    }
    return false;
  }
  const auto end = line.find(',', i);
  file = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
  return true;
}

}  // namespace

const char* BatchStatusName(BatchStatus status) {
  switch (status) {
    case BatchStatus::Ok: return "ok";
    case BatchStatus::Incomplete: return "incomplete";
    case BatchStatus::Refused: break;
  }
  return "refused";
}

BatchFormat BatchFormatOf(const std::string& path) {
  std::string lower = path;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".csv") == 0
             ? BatchFormat::Csv
             : BatchFormat::JsonLines;
}

std::string BatchHeader(BatchFormat format) {
  if (format == BatchFormat::JsonLines) return {};
  return "index,file,block,database_code,formula,space_group_number,hermann_mauguin,hall,"
         "axes_change,point_group,status,message,forms,volume,surface,shape_factor,sphericity,"
         "length_l,length_m,length_s,zingg_class\n";
}

std::string FormatBatchRow(const BatchRow& row, BatchFormat format) {
  const ShapeDescriptors* d = row.descriptors ? &*row.descriptors : nullptr;
  if (format == BatchFormat::Csv) {
    std::string forms;
    if (d)
      for (const FormDescriptor& form : d->forms)
        forms += (forms.empty() ? "" : ";") + ("{" + form.indices + "} " + Number(form.distance) +
                                               " " + Number(form.areaFraction));
    std::vector<std::string> fields = {
        std::to_string(row.index),
        row.file,
        row.block,
        row.databaseCode,
        row.formula,
        row.spaceGroupNumber ? std::to_string(row.spaceGroupNumber) : std::string(),
        row.hermannMauguin,
        row.hall,
        row.axesChange,
        row.pointGroup ? std::to_string(row.pointGroup) : "",
        BatchStatusName(row.status),
        row.message,
        forms};
    const bool closed = d && d->closed;
    for (Real v : {closed ? d->volume : 0, closed ? d->surface : 0, closed ? d->shapeFactor : 0,
                   closed ? d->sphericity : 0, closed ? d->lengths[0] : 0,
                   closed ? d->lengths[1] : 0, closed ? d->lengths[2] : 0})
      fields.push_back(closed ? Number(v) : std::string());
    fields.push_back(closed ? d->zinggClass : std::string());
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + CsvField(fields[i]);
    return line + "\n";
  }
  JsonWriter json;
  json.BeginObject();
  json.Key("index");
  json.Integer(static_cast<long long>(row.index));
  json.Key("file");
  json.String(row.file);
  json.Key("block");
  json.String(row.block);
  if (!row.databaseCode.empty()) {
    json.Key("database_code");
    json.String(row.databaseCode);
  }
  if (!row.formula.empty()) {
    json.Key("formula");
    json.String(row.formula);
  }
  if (row.spaceGroupNumber || !row.hermannMauguin.empty() || !row.hall.empty()) {
    json.Key("space_group");
    json.BeginObject();
    json.Key("number");
    json.Integer(row.spaceGroupNumber);
    json.Key("hermann_mauguin");
    json.String(row.hermannMauguin);
    json.Key("hall");
    json.String(row.hall);
    json.Key("axes_change");
    json.String(row.axesChange);
    json.EndObject();
  }
  if (row.pointGroup) {
    json.Key("point_group");
    json.Integer(row.pointGroup);
  }
  json.Key("status");
  json.String(BatchStatusName(row.status));
  if (!row.message.empty()) {
    json.Key("message");
    json.String(row.message);
  }
  if (d) {
    json.Key("descriptors");
    WriteDescriptorsJson(*d, "model units", json);
  }
  json.EndObject();
  return json.Text() + "\n";
}

StoredRows ReadBatchRows(const std::string& path, BatchFormat format) {
  StoredRows stored;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    stored.ok = false;
    stored.error = "cannot read " + path;
    return stored;
  }
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  std::size_t start = 0;
  bool header = format == BatchFormat::Csv;
  while (start < all.size()) {
    const auto end = all.find('\n', start);
    if (end == std::string::npos) break;  // an interrupted last line
    const std::string line = all.substr(start, end + 1 - start);
    const std::size_t offset = start;
    start = end + 1;
    stored.wholeBytes = start;
    if (header) {
      header = false;
      continue;
    }
    StoredRow row;
    row.line = line;
    row.offset = offset;
    bool ok = false;
    if (format == BatchFormat::Csv) {
      ok = SplitCsvStart(line, row.index, row.file);
    } else {
      const nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
      if (parsed.is_object() && parsed.contains("index") && parsed["index"].is_number_unsigned() &&
          parsed.contains("file") && parsed["file"].is_string()) {
        row.index = parsed["index"].get<std::size_t>();
        row.file = parsed["file"].get<std::string>();
        ok = true;
      }
    }
    if (!ok) {
      stored.ok = false;
      stored.error = path + ": a line that is no result row: " + line.substr(0, 80);
      return stored;
    }
    stored.rows.push_back(std::move(row));
  }
  return stored;
}

}  // namespace habitopia::cli
