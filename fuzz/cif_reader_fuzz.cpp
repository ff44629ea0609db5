// The CIF reader (gemmi's parser and the symmetry lookup) on arbitrary bytes, under both decimal
// separators, for the file's default block and for a named one.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/cell_check.h"
#include "files/cif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace habitopia;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const bool comma : {false, true}) {
    for (const std::string_view block : {std::string_view(), std::string_view("b")}) {
      const CifImport import = ImportCifText(text, comma, block);
      // Values that make no real cell are never passed on.
      if (import.CellComplete() && FindCellFault(import.CellValues())) std::abort();
      import.MissingItemsMessage();
      import.ModelFaceRows();
      // The point group comes from the space group when there is one.
      if (import.spaceGroup && import.pointGroup != import.spaceGroup->pointGroup) std::abort();
      if (import.CellComplete() && import.spaceGroup) import.ModelCell();
    }
  }
  return 0;
}
