#include "keys/pick_list.h"

#include "keys/catalogue_table.h"
#include "keys/key_catalogue.h"

namespace quorlin::keys {
namespace {

constexpr int LowestIndexOnRow(int row) {
  if (row < 0 || row >= kNoPickListRow) return -1;
  for (int index = 0; index < kCatalogueSize; ++index) {
    if (detail::kCatalogue[static_cast<std::size_t>(index)].pick_list_row == row) return index;
  }
  return -1;
}

constexpr bool PickListMatchesCatalogue() {
  for (std::size_t row = 0; row < kPickList.size(); ++row) {
    if (KeyCodeFromIndex(LowestIndexOnRow(static_cast<int>(row))) != kPickList[row]) return false;
  }
  return true;
}

static_assert(PickListMatchesCatalogue(), "the Pick list and the catalogue's rows disagree");

}  // namespace

KeyCode PickListCode(int row) {
  const int index = LowestIndexOnRow(row);
  return index >= 0 ? KeyCodeFromIndex(index) : kNoKey;
}

uint16_t PickListRow(KeyCode code) {
  const CatalogueEntry* entry = CatalogueEntryOf(code);
  return entry != nullptr ? entry->pick_list_row : kNoPickListRow;
}

std::string PickListName(int row, const text::TextSource& texts) {
  const int index = LowestIndexOnRow(row);
  if (index < 0) return {};
  const std::string_view key = detail::kCatalogue[static_cast<std::size_t>(index)].resource_key;
  return key.empty() ? std::string() : texts.Text(key);
}

}  // namespace quorlin::keys
