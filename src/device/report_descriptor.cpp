#include "device/report_descriptor.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace quorlin::device {
namespace {

// Limits for outside data. Real keyboards stay far below all of them; they
// only keep a hostile descriptor from costing unbounded memory or time.
constexpr std::size_t kMaxDescriptorBytes = 65535;  // the HID descriptor length is 16-bit
constexpr uint32_t kMaxReportDataBytes = 4096;      // per report ID and kind, ID byte excluded
constexpr uint32_t kMaxReportBits = kMaxReportDataBytes * 8;
constexpr uint32_t kMaxReportSize = 256;          // bits of one slot
constexpr std::size_t kMaxUsageEntries = 1024;    // usage items before one Main item
constexpr std::size_t kMaxUsagesPerField = 4096;  // expanded usage list of one field
constexpr std::size_t kMaxFields = 4096;
constexpr std::size_t kMaxTopLevelCollections = 256;
constexpr int kMaxCollectionDepth = 64;
constexpr std::size_t kMaxGlobalStack = 32;

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

namespace main_tag {
constexpr uint8_t kInput = 8;
constexpr uint8_t kOutput = 9;
constexpr uint8_t kCollection = 10;
constexpr uint8_t kFeature = 11;
constexpr uint8_t kEndCollection = 12;
}  // namespace main_tag

namespace global_tag {
constexpr uint8_t kUsagePage = 0;
constexpr uint8_t kLogicalMin = 1;
constexpr uint8_t kLogicalMax = 2;
constexpr uint8_t kPhysicalMin = 3;
constexpr uint8_t kPhysicalMax = 4;
constexpr uint8_t kReportSize = 7;
constexpr uint8_t kReportId = 8;
constexpr uint8_t kReportCount = 9;
constexpr uint8_t kPush = 10;
constexpr uint8_t kPop = 11;
}  // namespace global_tag

namespace local_tag {
constexpr uint8_t kUsage = 0;
constexpr uint8_t kUsageMin = 1;
constexpr uint8_t kUsageMax = 2;
constexpr uint8_t kDelimiter = 10;
}  // namespace local_tag

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint8_t kFlagConstant = 0x01;
constexpr uint8_t kFlagVariable = 0x02;

enum ReportKind : std::size_t { kInputKind = 0, kOutputKind = 1, kFeatureKind = 2, kKindCount = 3 };

struct Item {
  uint8_t type = 0;
  uint8_t tag = 0;
  uint8_t size = 0;  // data bytes: 0, 1, 2 or 4
  uint32_t data = 0;
};

int32_t SignExtend(uint32_t data, uint8_t size) {
  switch (size) {
    case 1:
      return static_cast<int8_t>(data);
    case 2:
      return static_cast<int16_t>(data);
    case 4:
      return static_cast<int32_t>(data);
    default:
      return 0;
  }
}

// A Logical/Physical bound as written: whether it is signed depends on the
// matching minimum, which may come later, so interpretation waits for the
// Main item.
struct RawBound {
  uint32_t data = 0;
  uint8_t size = 0;
};

struct GlobalState {
  uint16_t usage_page = 0;
  RawBound logical_min, logical_max, physical_min, physical_max;
  uint32_t report_size = 0;
  uint32_t report_count = 0;
  uint8_t report_id = 0;
};

// One Usage, or one Usage Minimum/Maximum pair. The page is taken from the
// item itself for 4-byte (extended) usages, otherwise from the Usage Page in
// force at the Main item.
struct UsageEntry {
  bool has_page = false;
  uint16_t page = 0;
  uint16_t min = 0;
  uint16_t max = 0;
  bool is_range = false;
};

struct LocalState {
  std::vector<UsageEntry> usages;
  bool have_min = false;
  Item pending_min;
  int delimiter_depth = 0;
  int delimiter_branch = 0;  // usages after the first of a delimited set are aliases
};

UsageEntry EntryFromItem(const Item& item) {
  UsageEntry entry;
  entry.min = entry.max = static_cast<uint16_t>(item.data & 0xFFFF);
  if (item.size == 4) {
    entry.has_page = true;
    entry.page = static_cast<uint16_t>(item.data >> 16);
  }
  return entry;
}

struct Bounds {
  int32_t logical_min = 0;
  int32_t logical_max = 0;
  int32_t physical_min = 0;
  int32_t physical_max = 0;
};

// Maximums are unsigned unless their minimum is negative, which reads the
// common "Logical Maximum (255)" written in one byte the way devices mean it.
int32_t ResolveMax(const RawBound& max, int32_t min) {
  if (min < 0) return SignExtend(max.data, max.size);
  return static_cast<int32_t>(std::min<uint32_t>(max.data, std::numeric_limits<int32_t>::max()));
}

Bounds ResolveBounds(const GlobalState& g) {
  Bounds b;
  b.logical_min = SignExtend(g.logical_min.data, g.logical_min.size);
  b.logical_max = ResolveMax(g.logical_max, b.logical_min);
  b.physical_min = SignExtend(g.physical_min.data, g.physical_min.size);
  b.physical_max = ResolveMax(g.physical_max, b.physical_min);
  return b;
}

uint32_t EntryLength(const UsageEntry& e) {
  return e.max >= e.min ? static_cast<uint32_t>(e.max - e.min) + 1 : 1;
}

// Appends the usages of `entries` in order, stopping at `limit`.
void ExpandUsages(std::span<const UsageEntry> entries, std::size_t limit,
                  std::vector<uint16_t>& out) {
  for (const UsageEntry& e : entries) {
    for (uint32_t i = 0; i < EntryLength(e); ++i) {
      if (out.size() >= limit) return;
      out.push_back(static_cast<uint16_t>(e.min + i));
    }
  }
}

void SetUsageList(ReportField& field, std::span<const UsageEntry> entries, std::size_t limit) {
  if (entries.size() == 1 && entries[0].is_range) {
    field.is_range = true;
    field.usage_min = entries[0].min;
    field.usage_max = entries[0].max;
    return;
  }
  ExpandUsages(entries, limit, field.usages);
  if (field.usages.empty()) return;
  auto [lo, hi] = std::minmax_element(field.usages.begin(), field.usages.end());
  field.usage_min = *lo;
  field.usage_max = *hi;
}

struct OpenCollection {
  std::size_t top_level_index = 0;
};

class Parser {
 public:
  explicit Parser(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::optional<ReportDescriptor> Run(std::string& error);

 private:
  bool Fail(std::string text) {
    error_ = std::move(text) + " at byte " + std::to_string(item_offset_);
    return false;
  }

  bool NextItem(Item& item, bool& done);
  bool HandleMain(const Item& item);
  bool HandleGlobal(const Item& item);
  bool HandleLocal(const Item& item);
  bool OpenCollectionItem();
  bool CloseCollectionItem();
  bool AddReportFields(ReportKind kind, uint8_t flags);
  void AddArrayField(ReportField base, std::span<const UsageEntry> entries,
                     std::vector<ReportField>& out);
  void AddVariableFields(ReportField base, std::span<const UsageEntry> entries,
                         std::vector<ReportField>& out);
  std::vector<UsageEntry> ResolvedUsages() const;
  void ComputeLengths();

  std::span<const uint8_t> bytes_;
  std::size_t pos_ = 0;
  std::size_t item_offset_ = 0;
  std::string error_;
  GlobalState global_;
  std::vector<GlobalState> global_stack_;
  LocalState local_;
  std::vector<OpenCollection> open_;
  std::size_t field_count_ = 0;
  std::array<std::array<uint32_t, 256>, kKindCount> bits_used_{};
  ReportDescriptor result_;
};

bool Parser::NextItem(Item& item, bool& done) {
  done = pos_ >= bytes_.size();
  if (done) return true;
  item_offset_ = pos_;
  const uint8_t prefix = bytes_[pos_];
  if (prefix == kLongItemPrefix) {
    // Long items carry no meaning for any defined tag; skip them whole.
    if (bytes_.size() - pos_ < 3) return Fail("truncated long item");
    const std::size_t length = bytes_[pos_ + 1];
    if (bytes_.size() - pos_ - 3 < length) return Fail("truncated long item");
    item = Item{kReserved, 0xF, 0, 0};
    pos_ += 3 + length;
    return true;
  }
  static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
  item.size = kSizes[prefix & 0x3];
  item.type = static_cast<uint8_t>((prefix >> 2) & 0x3);
  item.tag = static_cast<uint8_t>(prefix >> 4);
  if (bytes_.size() - pos_ - 1 < item.size) return Fail("truncated item");
  item.data = 0;
  for (uint8_t i = 0; i < item.size; ++i) {
    item.data |= static_cast<uint32_t>(bytes_[pos_ + 1 + i]) << (8 * i);
  }
  pos_ += 1 + item.size;
  return true;
}

std::optional<ReportDescriptor> Parser::Run(std::string& error) {
  if (bytes_.size() > kMaxDescriptorBytes) {
    error = "report descriptor longer than 65535 bytes";
    return std::nullopt;
  }
  bool ok = true;
  while (ok) {
    Item item;
    bool done = false;
    if (!NextItem(item, done)) {
      ok = false;
      break;
    }
    if (done) break;
    switch (item.type) {
      case kMain:
        ok = HandleMain(item);
        break;
      case kGlobal:
        ok = HandleGlobal(item);
        break;
      case kLocal:
        ok = HandleLocal(item);
        break;
      default:
        break;  // reserved item types are skipped
    }
  }
  if (ok && !open_.empty()) {
    item_offset_ = bytes_.size();
    ok = Fail("unbalanced collections: " + std::to_string(open_.size()) + " left open");
  }
  if (!ok) {
    error = error_;
    return std::nullopt;
  }
  ComputeLengths();
  return std::move(result_);
}

bool Parser::HandleGlobal(const Item& item) {
  switch (item.tag) {
    case global_tag::kUsagePage:
      global_.usage_page = static_cast<uint16_t>(item.data & 0xFFFF);
      return true;
    case global_tag::kLogicalMin:
      global_.logical_min = {item.data, item.size};
      return true;
    case global_tag::kLogicalMax:
      global_.logical_max = {item.data, item.size};
      return true;
    case global_tag::kPhysicalMin:
      global_.physical_min = {item.data, item.size};
      return true;
    case global_tag::kPhysicalMax:
      global_.physical_max = {item.data, item.size};
      return true;
    case global_tag::kReportSize:
      global_.report_size = item.data;
      return true;
    case global_tag::kReportCount:
      global_.report_count = item.data;
      return true;
    case global_tag::kReportId:
      if (item.data == 0 || item.data > 255) {
        return Fail("invalid report ID " + std::to_string(item.data));
      }
      global_.report_id = static_cast<uint8_t>(item.data);
      result_.uses_report_ids = true;
      return true;
    case global_tag::kPush:
      if (global_stack_.size() >= kMaxGlobalStack) return Fail("Push nested too deep");
      global_stack_.push_back(global_);
      return true;
    case global_tag::kPop:
      if (global_stack_.empty()) return Fail("Pop without Push");
      global_ = global_stack_.back();
      global_stack_.pop_back();
      return true;
    default:
      return true;  // unit, unit exponent and reserved tags do not affect layout
  }
}

bool Parser::HandleLocal(const Item& item) {
  if (item.tag == local_tag::kDelimiter) {
    if (item.data == 1) {
      ++local_.delimiter_depth;
      local_.delimiter_branch = 0;
    } else if (local_.delimiter_depth > 0) {
      --local_.delimiter_depth;
    }
    return true;
  }
  if (item.tag != local_tag::kUsage && item.tag != local_tag::kUsageMin &&
      item.tag != local_tag::kUsageMax) {
    return true;  // designators and strings do not affect layout
  }
  // Only the first usage (or range) of a delimited set counts; the rest name
  // the same control again.
  if (local_.delimiter_depth > 0) {
    if (local_.delimiter_branch > 0) return true;
    if (item.tag != local_tag::kUsageMin) ++local_.delimiter_branch;
  }
  if (local_.usages.size() >= kMaxUsageEntries) return Fail("too many usages for one item");
  switch (item.tag) {
    case local_tag::kUsage:
      local_.usages.push_back(EntryFromItem(item));
      break;
    case local_tag::kUsageMin:
      local_.pending_min = item;
      local_.have_min = true;
      break;
    default: {
      // A maximum without a minimum, or one below it, names nothing usable.
      if (!local_.have_min) break;
      UsageEntry entry = EntryFromItem(local_.pending_min);
      const UsageEntry max = EntryFromItem(item);
      local_.have_min = false;
      if (max.min < entry.min) break;
      entry.max = max.min;
      entry.is_range = true;
      local_.usages.push_back(entry);
      break;
    }
  }
  return true;
}

std::vector<UsageEntry> Parser::ResolvedUsages() const {
  std::vector<UsageEntry> entries = local_.usages;
  for (UsageEntry& e : entries) {
    if (!e.has_page) e.page = global_.usage_page;
    e.has_page = true;
  }
  return entries;
}

bool Parser::HandleMain(const Item& item) {
  bool ok = true;
  switch (item.tag) {
    case main_tag::kCollection:
      ok = OpenCollectionItem();
      break;
    case main_tag::kEndCollection:
      ok = CloseCollectionItem();
      break;
    case main_tag::kInput:
      ok = AddReportFields(kInputKind, static_cast<uint8_t>(item.data));
      break;
    case main_tag::kOutput:
      ok = AddReportFields(kOutputKind, static_cast<uint8_t>(item.data));
      break;
    case main_tag::kFeature:
      ok = AddReportFields(kFeatureKind, static_cast<uint8_t>(item.data));
      break;
    default:
      break;  // reserved Main tags (zero padding at the end of some descriptors)
  }
  local_ = LocalState{};
  return ok;
}

bool Parser::OpenCollectionItem() {
  if (static_cast<int>(open_.size()) >= kMaxCollectionDepth) {
    return Fail("collections nested too deep");
  }
  OpenCollection c;
  if (open_.empty()) {
    if (result_.collections.size() >= kMaxTopLevelCollections) {
      return Fail("too many top-level collections");
    }
    TopLevelCollection top;
    const std::vector<UsageEntry> usages = ResolvedUsages();
    top.usage_page = usages.empty() ? global_.usage_page : usages.front().page;
    top.usage = usages.empty() ? 0 : usages.front().min;
    c.top_level_index = result_.collections.size();
    result_.collections.push_back(std::move(top));
  } else {
    c.top_level_index = open_.back().top_level_index;
  }
  open_.push_back(c);
  return true;
}

bool Parser::CloseCollectionItem() {
  if (open_.empty()) return Fail("End Collection without Collection");
  open_.pop_back();
  return true;
}

bool Parser::AddReportFields(ReportKind kind, uint8_t flags) {
  if (open_.empty()) return Fail("Input, Output or Feature item outside any collection");
  const uint64_t bits = uint64_t{global_.report_size} * global_.report_count;
  if (bits == 0) return true;  // declares nothing
  if (global_.report_size > kMaxReportSize) {
    return Fail("report size " + std::to_string(global_.report_size) + " too large");
  }
  uint32_t& used = bits_used_[kind][global_.report_id];
  if (bits > kMaxReportBits - used) {
    return Fail("report " + std::to_string(global_.report_id) + " longer than " +
                std::to_string(kMaxReportDataBytes) + " bytes");
  }
  const Bounds b = ResolveBounds(global_);
  ReportField base;
  base.report_id = global_.report_id;
  base.usage_page = global_.usage_page;
  base.is_array = (flags & kFlagVariable) == 0;
  base.is_constant = (flags & kFlagConstant) != 0;
  base.is_button = base.is_array || global_.report_size == 1;
  base.bit_offset = used;
  base.bit_size = global_.report_size;
  base.report_count = global_.report_count;
  base.logical_min = b.logical_min;
  base.logical_max = b.logical_max;
  base.physical_min = b.physical_min;
  base.physical_max = b.physical_max;

  TopLevelCollection& top = result_.collections[open_.back().top_level_index];
  std::vector<ReportField>& out =
      kind == kInputKind ? top.inputs : (kind == kOutputKind ? top.outputs : top.features);
  const std::size_t before = out.size();
  const std::vector<UsageEntry> entries = ResolvedUsages();
  if (base.is_array) {
    AddArrayField(std::move(base), entries, out);
  } else {
    AddVariableFields(std::move(base), entries, out);
  }
  field_count_ += out.size() - before;
  if (field_count_ > kMaxFields) return Fail("too many report fields");
  used += static_cast<uint32_t>(bits);
  if (result_.uses_report_ids) {
    auto it = std::lower_bound(top.report_ids.begin(), top.report_ids.end(), global_.report_id);
    if (it == top.report_ids.end() || *it != global_.report_id) {
      top.report_ids.insert(it, global_.report_id);
    }
  }
  return true;
}

// An array's slots hold indexes into its usage list. Mixed usage pages in
// one array are not split: the array reports under the page of its first
// usage.
void Parser::AddArrayField(ReportField base, std::span<const UsageEntry> entries,
                           std::vector<ReportField>& out) {
  if (!entries.empty()) base.usage_page = entries.front().page;
  SetUsageList(base, entries, kMaxUsagesPerField);
  out.push_back(std::move(base));
}

// Variable slots take the usages in order, the last usage repeating when
// there are more slots than usages. Runs of usages on different pages (only
// possible with extended usages) become separate fields.
void Parser::AddVariableFields(ReportField base, std::span<const UsageEntry> entries,
                               std::vector<ReportField>& out) {
  if (entries.empty()) {
    out.push_back(std::move(base));
    return;
  }
  const uint32_t count = base.report_count;
  uint32_t slot = 0;
  std::size_t i = 0;
  while (i < entries.size() && slot < count) {
    std::size_t end = i + 1;
    uint64_t length = EntryLength(entries[i]);
    while (end < entries.size() && entries[end].page == entries[i].page) {
      length += EntryLength(entries[end]);
      ++end;
    }
    const uint32_t remaining = count - slot;
    const uint32_t slots = end == entries.size()
                               ? remaining
                               : static_cast<uint32_t>(std::min<uint64_t>(length, remaining));
    ReportField field = base;
    field.usage_page = entries[i].page;
    field.bit_offset = base.bit_offset + slot * base.bit_size;
    field.report_count = slots;
    SetUsageList(field, entries.subspan(i, end - i),
                 std::min<std::size_t>(slots, kMaxUsagesPerField));
    out.push_back(std::move(field));
    slot += slots;
    i = end;
  }
}

uint16_t ByteLength(uint32_t bits) {
  return static_cast<uint16_t>((bits + 7) / 8 + 1);
}

void Parser::ComputeLengths() {
  for (TopLevelCollection& top : result_.collections) {
    const std::array<const std::vector<ReportField>*, kKindCount> fields = {
        &top.inputs, &top.outputs, &top.features};
    const std::array<uint16_t*, kKindCount> lengths = {
        &top.input_report_length, &top.output_report_length, &top.feature_report_length};
    for (std::size_t kind = 0; kind < kKindCount; ++kind) {
      for (const ReportField& f : *fields[kind]) {
        *lengths[kind] = std::max(*lengths[kind], ByteLength(bits_used_[kind][f.report_id]));
      }
    }
  }
}

// The bytes after the report ID that the field's slots cover, or nothing
// when the report is for another ID or too short.
std::optional<std::span<const uint8_t>> FieldData(const ReportField& field,
                                                  std::span<const uint8_t> report,
                                                  bool uses_report_ids) {
  if (uses_report_ids) {
    if (report.empty() || report[0] != field.report_id) return std::nullopt;
    report = report.subspan(1);
  }
  const uint64_t end_bit =
      uint64_t{field.bit_offset} + uint64_t{field.bit_size} * field.report_count;
  if ((end_bit + 7) / 8 > report.size()) return std::nullopt;
  return report;
}

// Little-endian bit order, as HID lays out fields; size at most 32.
uint32_t ExtractBits(std::span<const uint8_t> data, uint64_t bit_offset, uint32_t size) {
  const std::size_t first = static_cast<std::size_t>(bit_offset / 8);
  const uint32_t shift = static_cast<uint32_t>(bit_offset % 8);
  const std::size_t count = (shift + size + 7) / 8;
  uint64_t acc = 0;
  for (std::size_t k = 0; k < count; ++k) acc |= uint64_t{data[first + k]} << (8 * k);
  acc >>= shift;
  if (size < 32) acc &= (uint64_t{1} << size) - 1;
  return static_cast<uint32_t>(acc);
}

int64_t SignedSlotValue(const ReportField& field, uint32_t raw) {
  if (field.logical_min >= 0 || field.bit_size >= 32) {
    return field.logical_min < 0 ? int64_t{static_cast<int32_t>(raw)} : int64_t{raw};
  }
  const uint32_t sign = uint32_t{1} << (field.bit_size - 1);
  return (raw & sign) ? int64_t{raw} - (int64_t{1} << field.bit_size) : int64_t{raw};
}

// The usage of variable slot `slot`: the list in order, the last one
// repeating.
uint16_t VariableSlotUsage(const ReportField& field, uint32_t slot) {
  if (field.is_range) {
    const uint32_t usage = uint32_t{field.usage_min} + slot;
    return static_cast<uint16_t>(std::min<uint32_t>(usage, field.usage_max));
  }
  if (field.usages.empty()) return 0;
  return field.usages[std::min<std::size_t>(slot, field.usages.size() - 1)];
}

// The usage an array slot's value names, 0 for none. Value 0 is the empty
// slot of a key array whatever the logical minimum says.
uint16_t ArrayValueUsage(const ReportField& field, int64_t value) {
  if (value == 0 || value < field.logical_min || value > field.logical_max) return 0;
  const uint64_t index = static_cast<uint64_t>(value - field.logical_min);
  if (field.is_range) {
    if (index > uint64_t{field.usage_max} - field.usage_min) return 0;
    return static_cast<uint16_t>(field.usage_min + index);
  }
  return index < field.usages.size() ? field.usages[index] : 0;
}

bool SlotReadable(const ReportField& field) {
  return field.bit_size >= 1 && field.bit_size <= 32;
}

}  // namespace

std::optional<ReportDescriptor> ParseReportDescriptor(std::span<const uint8_t> bytes,
                                                      std::string* error) {
  std::string text;
  Parser parser(bytes);
  std::optional<ReportDescriptor> result = parser.Run(text);
  if (!result && error) *error = std::move(text);
  return result;
}

std::optional<std::vector<uint16_t>> GetUsages(const ReportField& field,
                                               std::span<const uint8_t> report,
                                               bool uses_report_ids) {
  const std::optional<std::span<const uint8_t>> data = FieldData(field, report, uses_report_ids);
  if (!data) return std::nullopt;
  std::vector<uint16_t> usages;
  if (!field.is_button || !SlotReadable(field)) return usages;
  for (uint32_t slot = 0; slot < field.report_count; ++slot) {
    const uint64_t bit = uint64_t{field.bit_offset} + uint64_t{slot} * field.bit_size;
    const uint32_t raw = ExtractBits(*data, bit, field.bit_size);
    uint16_t usage = 0;
    if (field.is_array) {
      usage = ArrayValueUsage(field, SignedSlotValue(field, raw));
    } else if (raw != 0) {
      usage = VariableSlotUsage(field, slot);
    }
    if (usage != 0) usages.push_back(usage);
  }
  return usages;
}

std::optional<uint32_t> GetUsageValue(const ReportField& field, std::span<const uint8_t> report,
                                      bool uses_report_ids, uint32_t index) {
  if (index >= field.report_count || !SlotReadable(field)) return std::nullopt;
  const std::optional<std::span<const uint8_t>> data = FieldData(field, report, uses_report_ids);
  if (!data) return std::nullopt;
  const uint64_t bit = uint64_t{field.bit_offset} + uint64_t{index} * field.bit_size;
  return ExtractBits(*data, bit, field.bit_size);
}

std::optional<int32_t> GetScaledUsageValue(const ReportField& field,
                                           std::span<const uint8_t> report, bool uses_report_ids,
                                           uint32_t index) {
  const std::optional<uint32_t> raw = GetUsageValue(field, report, uses_report_ids, index);
  if (!raw) return std::nullopt;
  const int64_t value = SignedSlotValue(field, *raw);
  const int64_t lmin = field.logical_min;
  const int64_t lmax = field.logical_max;
  if (lmax <= lmin || value < lmin || value > lmax) return std::nullopt;  // null state
  int64_t pmin = field.physical_min;
  int64_t pmax = field.physical_max;
  if (pmin == 0 && pmax == 0) {
    pmin = lmin;  // no physical range given: physical equals logical
    pmax = lmax;
  }
  if (pmax <= pmin) return std::nullopt;
  // Both spans fit in 33 bits, so the product needs a wider type than int64
  // only in extreme cases; long double keeps those exact enough.
  const int64_t num = value - lmin;
  const int64_t pspan = pmax - pmin;
  const int64_t lspan = lmax - lmin;
  int64_t scaled = 0;
  if (num <= std::numeric_limits<int64_t>::max() / pspan) {
    scaled = pmin + num * pspan / lspan;
  } else {
    scaled = pmin + static_cast<int64_t>(static_cast<long double>(num) * pspan / lspan);
  }
  scaled = std::clamp<int64_t>(scaled, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(scaled);
}

}  // namespace quorlin::device
