#include <string_view>

#include "FuzzTargets.h"
#include "Scratch.h"
#include "io/CsvCodec.h"
#include "io/CsvProductImporter.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"
#include "model/OptimizationModel.h"
#include "model/Validation.h"

namespace quelmora::fuzz {

namespace {

// Rows written back with CsvQuote must parse to the same fields, but for the
// apostrophe CsvQuote puts in front of formula-like text.
void CheckRequoting(std::string_view text, char separator) {
  std::vector<TCsvRow> rows;
  try {
    rows = ParseCsv(text, separator);
  } catch (const Exception&) {
    return;
  }
  std::string written;
  for (const TCsvRow& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) written += separator;
      written += CsvQuote(row[i]);
    }
    written += "\r\n";
  }
  std::vector<TCsvRow> again;
  try {
    again = ParseCsv(written, separator);
  } catch (const Exception& e) {
    throw TPropertyViolation("quoted rows do not parse: " + e.Message());
  }
  if (again.size() != rows.size()) throw TPropertyViolation("quoted rows changed in number");
  for (size_t r = 0; r < rows.size(); ++r) {
    if (again[r].size() != rows[r].size()) throw TPropertyViolation("a quoted row changed");
    for (size_t i = 0; i < rows[r].size(); ++i) {
      const std::string& field = rows[r][i];
      const bool marked = !field.empty() && std::string_view("\t\r+-=@").find(field.front()) !=
                                                std::string_view::npos;
      if (again[r][i] != (marked ? "'" + field : field))
        throw TPropertyViolation("a quoted field changed");
    }
  }
}

}  // namespace

int FuzzCsvImport(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  CheckRequoting(text, ';');
  CheckRequoting(text, ',');

  const std::string path = WriteScratchFile("products.csv", Data, Size);
  std::vector<TProduct> products;
  try {
    products = TCsvProductImporter().ImportFile(path);
  } catch (const Exception&) {
    return 0;
  }
  // A header alone imports nothing, which is no project of its own.
  if (products.empty()) return 0;
  // Imported products are valid and keep their names through a project file.
  TProjectData project;
  project.Settings = DefaultSettings();
  for (size_t i = 0; i < products.size(); ++i) {
    if (products[i].Id != static_cast<int32_t>(i + 1))
      throw TPropertyViolation("Ids not 1, 2, ...");
    project.Products.push_back(products[i]);
  }
  const std::string copy = ScratchFolder() + "/imported.json";
  try {
    ValidateProject(project.Products, project.Settings);
    SaveProject(copy, project);
    const TProjectData loaded = LoadProject(copy);
    if (loaded.Products.size() != products.size())
      throw TPropertyViolation("imported products were lost in the project file");
    for (size_t i = 0; i < products.size(); ++i)
      if (loaded.Products[i].Name != products[i].Name)
        throw TPropertyViolation("an imported name changed in the project file");
  } catch (const Exception& e) {
    throw TPropertyViolation("imported products cannot be kept in a project: " + e.Message());
  }
  return 0;
}

}  // namespace quelmora::fuzz
