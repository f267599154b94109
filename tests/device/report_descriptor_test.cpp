#include "device/report_descriptor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#ifdef QUORLIN_HAVE_HIDAPI
#include "device/hidapi_backend.h"
#endif

namespace quorlin::device {
namespace {

using Bytes = std::vector<uint8_t>;
using Usages = std::vector<uint16_t>;

// clang-format off
// The boot keyboard of the HID class definition, appendix B.1.
const Bytes kBootKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // Generic Desktop, Keyboard, Collection (Application)
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,  //   Key codes, Usage Min/Max (E0..E7)
    0x15, 0x00, 0x25, 0x01,              //   Logical 0..1
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  //   8 x 1 bit, Input (Data, Var, Abs): modifiers
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,  //   1 x 8 bits, Input (Const): reserved byte
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08,  //   5 x 1 bit, LEDs
    0x19, 0x01, 0x29, 0x05, 0x91, 0x02,  //   Usage Min/Max (1..5), Output (Data, Var, Abs)
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,  //   1 x 3 bits, Output (Const): padding
    0x95, 0x06, 0x75, 0x08,              //   6 x 8 bits
    0x15, 0x00, 0x25, 0x65,              //   Logical 0..101
    0x05, 0x07, 0x19, 0x00, 0x29, 0x65,  //   Key codes, Usage Min/Max (0..101)
    0x81, 0x00,                          //   Input (Data, Array): key array
    0xC0,
};

// The boot mouse of appendix B.2: nested collections, a usage list, signed values.
const Bytes kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop, Mouse, Collection (Application)
    0x09, 0x01, 0xA1, 0x00,              //   Pointer, Collection (Physical)
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03,  //     Buttons 1..3
    0x15, 0x00, 0x25, 0x01,
    0x95, 0x03, 0x75, 0x01, 0x81, 0x02,  //     3 x 1 bit, Input (Data, Var, Abs)
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01,  //     5 bits padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31,  //     X, Y
    0x15, 0x81, 0x25, 0x7F,              //     Logical -127..127
    0x75, 0x08, 0x95, 0x02, 0x81, 0x06,  //     2 x 8 bits, Input (Data, Var, Rel)
    0xC0, 0xC0,
};

// A media-key interface as keyboards ship it: report ID 3, one 16-bit
// consumer usage as an array.
const Bytes kConsumerControl = {
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,  // Consumer, Consumer Control, Collection (Application)
    0x85, 0x03,                          //   Report ID (3)
    0x19, 0x00, 0x2A, 0x3C, 0x02,        //   Usage Min/Max (0..0x23C)
    0x15, 0x00, 0x26, 0x3C, 0x02,        //   Logical 0..0x23C
    0x95, 0x01, 0x75, 0x10,              //   1 x 16 bits
    0x81, 0x00,                          //   Input (Data, Array, Abs)
    0xC0,
};

// The keyboard's command interface: vendor page 0xFF1C, usage 0x92, report
// ID 4, 63 data bytes each way.
const Bytes kVendorCollection = {
    0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01,  // Usage Page (0xFF1C), Usage (0x92), Collection
    0x85, 0x04,                                //   Report ID (4)
    0x15, 0x00, 0x26, 0xFF, 0x00,              //   Logical 0..255
    0x75, 0x08, 0x95, 0x3F,                    //   63 x 8 bits
    0x09, 0x01, 0x81, 0x02,                    //   Usage (1), Input (Data, Var, Abs)
    0x09, 0x02, 0x91, 0x02,                    //   Usage (2), Output (Data, Var, Abs)
    0xC0,
};

// The keyboard's event interface as it shares a node with the vendor one:
// report ID 3, one 16-bit usage reaching the keyboard's event codes.
const Bytes kKeyboardConsumer = {
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,
    0x85, 0x03,
    0x15, 0x00, 0x26, 0xFF, 0x3F,        //   Logical 0..0x3FFF
    0x19, 0x00, 0x2A, 0xFF, 0x3F,        //   Usage Min/Max (0..0x3FFF)
    0x75, 0x10, 0x95, 0x01, 0x81, 0x00,
    0xC0,
};
// clang-format on

Bytes Concat(const Bytes& a, const Bytes& b) {
  Bytes out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

ReportDescriptor MustParse(const Bytes& bytes) {
  std::string error;
  std::optional<ReportDescriptor> d = ParseReportDescriptor(bytes, &error);
  EXPECT_TRUE(d.has_value()) << error;
  return d.value_or(ReportDescriptor{});
}

// What a test expects of one field; usage_max 0 means "same as usage_min".
struct FieldShape {
  uint16_t usage_page;
  uint16_t usage_min;
  uint16_t usage_max;
  bool is_array;
  bool is_button;
  bool is_constant;
  uint32_t bit_offset;
  uint32_t bit_size;
  uint32_t report_count;
};

void ExpectFields(const std::vector<ReportField>& fields, const std::vector<FieldShape>& want) {
  ASSERT_EQ(fields.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("field " + std::to_string(i));
    const ReportField& f = fields[i];
    const FieldShape& w = want[i];
    EXPECT_EQ(f.usage_page, w.usage_page);
    EXPECT_EQ(f.usage_min, w.usage_min);
    EXPECT_EQ(f.usage_max, w.usage_max == 0 ? w.usage_min : w.usage_max);
    EXPECT_EQ(f.is_array, w.is_array);
    EXPECT_EQ(f.is_button, w.is_button);
    EXPECT_EQ(f.is_constant, w.is_constant);
    EXPECT_EQ(f.bit_offset, w.bit_offset);
    EXPECT_EQ(f.bit_size, w.bit_size);
    EXPECT_EQ(f.report_count, w.report_count);
  }
}

TEST(ReportDescriptor, BootKeyboardLayout) {
  const ReportDescriptor d = MustParse(kBootKeyboard);
  EXPECT_FALSE(d.uses_report_ids);
  ASSERT_EQ(d.collections.size(), 1u);
  const TopLevelCollection& c = d.collections[0];
  EXPECT_EQ(c.usage_page, 0x01);
  EXPECT_EQ(c.usage, 0x06);
  // The report-ID byte is counted although the keyboard numbers no reports.
  EXPECT_EQ(c.input_report_length, 9);
  EXPECT_EQ(c.output_report_length, 2);
  EXPECT_EQ(c.feature_report_length, 0);
  EXPECT_TRUE(c.report_ids.empty());
  ExpectFields(c.inputs, {
                             {0x07, 0xE0, 0xE7, false, true, false, 0, 1, 8},
                             {0x07, 0, 0, true, true, true, 8, 8, 1},
                             {0x07, 0x00, 0x65, true, true, false, 16, 8, 6},
                         });
  ExpectFields(c.outputs, {
                              {0x08, 0x01, 0x05, false, true, false, 0, 1, 5},
                              {0x08, 0, 0, true, true, true, 5, 3, 1},
                          });
}

TEST(ReportDescriptor, BootMouseNestedCollectionsAndUsageList) {
  const ReportDescriptor d = MustParse(kBootMouse);
  ASSERT_EQ(d.collections.size(), 1u);  // the physical collection is not top level
  const TopLevelCollection& c = d.collections[0];
  EXPECT_EQ(c.usage, 0x02);
  EXPECT_EQ(c.input_report_length, 4);
  ExpectFields(c.inputs, {
                             {0x09, 0x01, 0x03, false, true, false, 0, 1, 3},
                             {0x09, 0, 0, true, true, true, 3, 5, 1},
                             {0x01, 0x30, 0x31, false, false, false, 8, 8, 2},
                         });
  EXPECT_EQ(c.inputs[2].usages, (Usages{0x30, 0x31}));
  EXPECT_EQ(c.inputs[2].logical_min, -127);
  EXPECT_EQ(c.inputs[2].logical_max, 127);
}

TEST(ReportDescriptor, ConsumerControlArray) {
  const ReportDescriptor d = MustParse(kConsumerControl);
  EXPECT_TRUE(d.uses_report_ids);
  ASSERT_EQ(d.collections.size(), 1u);
  const TopLevelCollection& c = d.collections[0];
  EXPECT_EQ(c.usage_page, 0x0C);
  EXPECT_EQ(c.usage, 0x01);
  EXPECT_EQ(c.input_report_length, 3);
  EXPECT_EQ(c.output_report_length, 0);
  EXPECT_EQ(c.report_ids, Bytes{3});
  ExpectFields(c.inputs, {{0x0C, 0x00, 0x23C, true, true, false, 0, 16, 1}});
  EXPECT_EQ(c.inputs[0].report_id, 3);
  EXPECT_EQ(c.inputs[0].logical_max, 0x23C);
}

TEST(ReportDescriptor, VendorCollectionHas64ByteReports) {
  const ReportDescriptor d = MustParse(kVendorCollection);
  ASSERT_EQ(d.collections.size(), 1u);
  const TopLevelCollection& c = d.collections[0];
  EXPECT_EQ(c.usage_page, 0xFF1C);
  EXPECT_EQ(c.usage, 0x92);
  EXPECT_EQ(c.input_report_length, 64);
  EXPECT_EQ(c.output_report_length, 64);
  EXPECT_EQ(c.report_ids, Bytes{4});
  ASSERT_EQ(c.inputs.size(), 1u);
  ASSERT_EQ(c.outputs.size(), 1u);
  EXPECT_EQ(c.inputs[0].report_id, 4);
  // A one-byte "Logical Maximum (255)" is read unsigned, as devices mean it.
  EXPECT_EQ(c.inputs[0].logical_max, 255);
  EXPECT_FALSE(c.inputs[0].is_button);
}

TEST(ReportDescriptor, TwoTopLevelCollectionsOnOneNode) {
  const ReportDescriptor d = MustParse(Concat(kVendorCollection, kKeyboardConsumer));
  EXPECT_TRUE(d.uses_report_ids);
  ASSERT_EQ(d.collections.size(), 2u);
  const TopLevelCollection& vendor = d.collections[0];
  const TopLevelCollection& consumer = d.collections[1];
  EXPECT_EQ(vendor.usage_page, 0xFF1C);
  EXPECT_EQ(vendor.input_report_length, 64);
  EXPECT_EQ(vendor.output_report_length, 64);
  EXPECT_EQ(vendor.report_ids, Bytes{4});
  EXPECT_EQ(consumer.usage_page, 0x0C);
  EXPECT_EQ(consumer.usage, 0x01);
  EXPECT_EQ(consumer.input_report_length, 3);
  EXPECT_EQ(consumer.output_report_length, 0);
  EXPECT_EQ(consumer.report_ids, Bytes{3});
  ASSERT_EQ(consumer.inputs.size(), 1u);
  // Bit offsets count per report ID: report 3 starts afresh after report 4.
  EXPECT_EQ(consumer.inputs[0].bit_offset, 0u);
}

TEST(ReportDescriptor, BitOffsetsAndLengthsPerReportId) {
  // clang-format off
  const Bytes bytes = {
      0x05, 0x01, 0x09, 0x80, 0xA1, 0x01,  // System Control
      0x85, 0x01, 0x75, 0x08, 0x95, 0x01, 0x09, 0x81, 0x81, 0x02,  // ID 1: 1 byte
      0x85, 0x02, 0x75, 0x10, 0x95, 0x01, 0x09, 0x82, 0x81, 0x02,  // ID 2: 2 bytes
      0x85, 0x01, 0x75, 0x08, 0x95, 0x02, 0x09, 0x83, 0x81, 0x02,  // ID 1 again: 2 more
      0x85, 0x02, 0x75, 0x08, 0x95, 0x01, 0x09, 0x84, 0xB1, 0x02,  // ID 2 feature: 1 byte
      0xC0,
  };
  // clang-format on
  const ReportDescriptor d = MustParse(bytes);
  ASSERT_EQ(d.collections.size(), 1u);
  const TopLevelCollection& c = d.collections[0];
  ASSERT_EQ(c.inputs.size(), 3u);
  EXPECT_EQ(c.inputs[0].bit_offset, 0u);
  EXPECT_EQ(c.inputs[1].bit_offset, 0u);
  EXPECT_EQ(c.inputs[2].report_id, 1);
  EXPECT_EQ(c.inputs[2].bit_offset, 8u);
  EXPECT_EQ(c.input_report_length, 4);    // ID 1: 3 data bytes + ID
  EXPECT_EQ(c.feature_report_length, 2);  // input bits do not move feature offsets
  EXPECT_EQ(c.features[0].bit_offset, 0u);
  EXPECT_EQ(c.report_ids, (Bytes{1, 2}));
}

TEST(ReportDescriptor, GlobalStateAndItemForms) {
  struct Case {
    const char* name;
    Bytes bytes;
    uint16_t page;
    uint16_t usage;
    uint16_t input_length;
  };
  // clang-format off
  const Case cases[] = {
      {"push keeps the page across a pop",
       {0x05, 0x0C, 0xA4, 0x05, 0x01, 0xB4, 0x09, 0x01, 0xA1, 0x01,
        0x75, 0x08, 0x95, 0x02, 0x81, 0x03, 0xC0},
       0x0C, 0x01, 3},
      {"long item is skipped",
       {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,
        0x75, 0x08, 0x95, 0x01, 0x81, 0x03, 0xC0},
       0x01, 0x06, 2},
      {"extended usage names its own page",
       {0x05, 0x01, 0x0B, 0x01, 0x00, 0x0C, 0x00, 0xA1, 0x01, 0xC0},
       0x0C, 0x01, 0},
      {"zero padding after the last item",
       {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xC0, 0x00, 0x00},
       0x01, 0x06, 0},
      {"report size and count of zero declare nothing",
       {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x00, 0x95, 0x08, 0x81, 0x02, 0xC0},
       0x01, 0x06, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ReportDescriptor d = MustParse(c.bytes);
    ASSERT_EQ(d.collections.size(), 1u);
    EXPECT_EQ(d.collections[0].usage_page, c.page);
    EXPECT_EQ(d.collections[0].usage, c.usage);
    EXPECT_EQ(d.collections[0].input_report_length, c.input_length);
  }
}

TEST(ReportDescriptor, MixedExtendedPagesSplitAVariableItem) {
  // clang-format off
  const Bytes bytes = {
      0x05, 0x01, 0x09, 0x00, 0xA1, 0x01,
      0x0B, 0x81, 0x00, 0x01, 0x00,  // Usage (Generic Desktop: System Power Down)
      0x0B, 0xE9, 0x00, 0x0C, 0x00,  // Usage (Consumer: Volume Up)
      0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02,
      0x95, 0x05, 0x81, 0x03,
      0xC0,
  };
  // clang-format on
  const ReportDescriptor d = MustParse(bytes);
  ASSERT_EQ(d.collections.size(), 1u);
  // The last usage covers the slots left over.
  ExpectFields(d.collections[0].inputs, {
                                            {0x01, 0x81, 0, false, true, false, 0, 1, 1},
                                            {0x0C, 0xE9, 0, false, true, false, 1, 1, 2},
                                            {0x01, 0, 0, false, true, true, 3, 1, 5},
                                        });
  const Bytes report = {0x06};  // bits 1 and 2: both Volume Up slots
  EXPECT_EQ(GetUsages(d.collections[0].inputs[1], report, false), (Usages{0xE9, 0xE9}));
  EXPECT_EQ(GetUsages(d.collections[0].inputs[0], report, false), Usages{});
}

TEST(ReportDescriptor, RejectsMalformedInput) {
  struct Case {
    const char* name;
    Bytes bytes;
    const char* error;
  };
  const Bytes open_keyboard = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01};
  // clang-format off
  const Case cases[] = {
      {"item without its data byte", {0x05}, "truncated item at byte 0"},
      {"two-byte item cut after one", {0x05, 0x01, 0x06, 0x1C}, "truncated item at byte 2"},
      {"four-byte item cut", Concat(open_keyboard, {0x97, 0xFF, 0xFF}), "truncated item at byte 6"},
      {"long item cut", {0xFE, 0x05, 0x00, 0x01}, "truncated long item"},
      {"End Collection first", {0xC0}, "End Collection without Collection"},
      {"one End Collection too many",
       Concat(open_keyboard, {0xC0, 0xC0}), "End Collection without Collection at byte 7"},
      {"collection never closed", open_keyboard, "1 left open"},
      {"huge report count",
       Concat(open_keyboard, {0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0xC0}),
       "longer than 4096 bytes"},
      {"count times size overflows 32 bits",
       Concat(open_keyboard, {0x75, 0x20, 0x97, 0x00, 0x00, 0x00, 0x08, 0x81, 0x02, 0xC0}),
       "longer than"},
      {"huge report size",
       Concat(open_keyboard, {0x77, 0x00, 0x00, 0x01, 0x00, 0x95, 0x01, 0x81, 0x02, 0xC0}),
       "report size 65536 too large"},
      {"report ID 0", Concat(open_keyboard, {0x85, 0x00, 0xC0}), "invalid report ID 0"},
      {"report ID beyond a byte",
       Concat(open_keyboard, {0x86, 0x00, 0x01, 0xC0}), "invalid report ID 256"},
      {"Pop without Push", {0xB4}, "Pop without Push"},
      {"Input before any collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02},
       "outside any collection"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(ParseReportDescriptor(c.bytes, &error).has_value());
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

TEST(ReportDescriptor, SizeLimitsSitAtTheBoundary) {
  const Bytes open = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08};
  // 4096 data bytes is the largest report accepted; one more bit is refused.
  const Bytes largest = Concat(open, {0x96, 0x00, 0x10, 0x81, 0x02, 0xC0});
  const ReportDescriptor d = MustParse(largest);
  ASSERT_EQ(d.collections.size(), 1u);
  EXPECT_EQ(d.collections[0].input_report_length, 4097);
  const Bytes one_more =
      Concat(open, {0x96, 0x00, 0x10, 0x81, 0x02, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0});
  EXPECT_FALSE(ParseReportDescriptor(one_more).has_value());

  // Collections nested past any real device are refused, not recursed into.
  Bytes deep;
  for (int i = 0; i < 65; ++i) deep.insert(deep.end(), {0xA1, 0x00});
  for (int i = 0; i < 65; ++i) deep.push_back(0xC0);
  std::string error;
  EXPECT_FALSE(ParseReportDescriptor(deep, &error).has_value());
  EXPECT_NE(error.find("nested too deep"), std::string::npos) << error;
}

TEST(ReportDescriptor, GetUsagesOfBitmapAndArray) {
  const ReportDescriptor d = MustParse(kBootKeyboard);
  const std::vector<ReportField>& in = d.collections[0].inputs;
  struct Case {
    const char* name;
    Bytes report;
    Usages modifiers;
    Usages keys;
  };
  const Case cases[] = {
      {"nothing pressed", {0, 0, 0, 0, 0, 0, 0, 0}, {}, {}},
      {"left shift + right alt, A and B",
       {0x42, 0, 0x04, 0x05, 0, 0, 0, 0},
       {0xE1, 0xE6},
       {0x04, 0x05}},
      {"zeros between keys are empty slots", {0, 0, 0, 0x1E, 0, 0x1F, 0, 0}, {}, {0x1E, 0x1F}},
      {"values past the logical maximum name nothing",
       {0, 0, 0x66, 0xFF, 0x65, 0, 0, 0},
       {},
       {0x65}},
      {"all modifiers",
       {0xFF, 0, 0, 0, 0, 0, 0, 0},
       {0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GetUsages(in[0], c.report, false), c.modifiers);
    EXPECT_EQ(GetUsages(in[2], c.report, false), c.keys);
    EXPECT_EQ(GetUsages(in[1], c.report, false), Usages{});  // padding reports nothing
  }
  // A report one byte short of the key array cannot be decoded.
  EXPECT_EQ(GetUsages(in[2], Bytes(7, 0), false), std::nullopt);
  EXPECT_EQ(GetUsages(in[0], Bytes{}, false), std::nullopt);
}

TEST(ReportDescriptor, GetUsagesOfEventReports) {
  const ReportDescriptor d = MustParse(Concat(kVendorCollection, kKeyboardConsumer));
  const ReportField& event = d.collections[1].inputs[0];
  struct Case {
    const char* name;
    Bytes report;
    std::optional<Usages> usages;
  };
  const Case cases[] = {
      {"lighting changed", {0x03, 0x01, 0x04}, Usages{0x0401}},
      {"alternate icon", {0x03, 0x11, 0x18}, Usages{0x1811}},
      {"no usage", {0x03, 0x00, 0x00}, Usages{}},
      {"beyond the logical range", {0x03, 0x00, 0x40}, Usages{}},
      {"a vendor reply on the shared node", {0x04, 0x01, 0x04}, std::nullopt},
      {"cut short", {0x03, 0x01}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GetUsages(event, c.report, true), c.usages);
  }
}

TEST(ReportDescriptor, ArrayWithUsageListMapsByIndex) {
  // clang-format off
  const Bytes bytes = {
      0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,
      0x09, 0xB5, 0x09, 0xB6, 0x09, 0xCD,  // Next, Previous, Play/Pause
      0x15, 0x01, 0x25, 0x03, 0x75, 0x02, 0x95, 0x02, 0x81, 0x00,
      0x75, 0x04, 0x95, 0x01, 0x81, 0x03,
      0xC0,
  };
  // clang-format on
  const ReportDescriptor d = MustParse(bytes);
  const ReportField& f = d.collections[0].inputs[0];
  EXPECT_FALSE(f.is_range);
  EXPECT_EQ(f.usages, (Usages{0xB5, 0xB6, 0xCD}));
  // Slot 0 holds 3 (Play/Pause), slot 1 holds 0 (below the logical minimum).
  EXPECT_EQ(GetUsages(f, Bytes{0x03}, false), Usages{0xCD});
  EXPECT_EQ(GetUsages(f, Bytes{0x09}, false), (Usages{0xB5, 0xB6}));
}

TEST(ReportDescriptor, ValuesRawAndScaled) {
  const ReportDescriptor d = MustParse(kBootMouse);
  const ReportField& xy = d.collections[0].inputs[2];
  const Bytes report = {0x01, 0x05, 0xFB};  // button 1, X +5, Y -5
  EXPECT_EQ(GetUsageValue(xy, report, false, 0), 5u);
  EXPECT_EQ(GetUsageValue(xy, report, false, 1), 0xFBu);
  EXPECT_EQ(GetScaledUsageValue(xy, report, false, 1), -5);
  EXPECT_EQ(GetScaledUsageValue(xy, Bytes{0, 0, 0x80}, false, 1), std::nullopt);  // -128: null
  EXPECT_EQ(GetUsageValue(xy, report, false, 2), std::nullopt);
  EXPECT_EQ(GetUsages(d.collections[0].inputs[0], report, false), Usages{0x01});

  // A physical range rescales: 0..255 logical onto 0..1000.
  // clang-format off
  const Bytes scaled = {
      0x05, 0x01, 0x09, 0x04, 0xA1, 0x01, 0x09, 0x32,
      0x15, 0x00, 0x26, 0xFF, 0x00, 0x35, 0x00, 0x46, 0xE8, 0x03,
      0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0,
  };
  // clang-format on
  const ReportDescriptor z = MustParse(scaled);
  const ReportField& zf = z.collections[0].inputs[0];
  EXPECT_EQ(GetScaledUsageValue(zf, Bytes{0xFF}, false), 1000);
  EXPECT_EQ(GetScaledUsageValue(zf, Bytes{0x00}, false), 0);
  EXPECT_EQ(GetScaledUsageValue(zf, Bytes{0x80}, false), 501);
}

#ifdef QUORLIN_HAVE_HIDAPI
TEST(HidapiBackend, CollectionPathsRoundTrip) {
  struct Case {
    std::string path;
    std::string node;
    int index;
  };
  const Case cases[] = {
      {"/dev/hidraw3&col01", "/dev/hidraw3", 0},
      {"/dev/hidraw3&col02", "/dev/hidraw3", 1},
      {"/dev/hidraw12&col110", "/dev/hidraw12", 109},
      {"/dev/hidraw3", "/dev/hidraw3", 0},
      {"/dev/hidraw3&col", "/dev/hidraw3&col", 0},
      {"/dev/hidraw3&col00", "/dev/hidraw3&col00", 0},
      {"/dev/hidraw3&colx1", "/dev/hidraw3&colx1", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const CollectionPath split = SplitCollectionPath(c.path);
    EXPECT_EQ(split.node, c.node);
    EXPECT_EQ(split.index, c.index);
  }
  EXPECT_EQ(MakeCollectionPath("/dev/hidraw3", 0), "/dev/hidraw3&col01");
  EXPECT_EQ(MakeCollectionPath("/dev/hidraw3", 10), "/dev/hidraw3&col11");
}

TEST(HidapiBackend, EnumeratesAndOpensNothingMissing) {
  const std::unique_ptr<HidBackend> backend = MakeHidapiBackend();
  std::vector<HidInterfaceInfo> list;
  EXPECT_TRUE(backend->Enumerate(list));
  for (const HidInterfaceInfo& info : list) {
    EXPECT_NE(info.path.find("&col"), std::string::npos) << info.path;
  }
  OpenError error = OpenError::kNone;
  EXPECT_EQ(backend->Open("/dev/hidraw-none&col01", {}, error), nullptr);
  EXPECT_EQ(error, OpenError::kNotFound);
  EXPECT_FALSE(backend->StillPresent("/dev/hidraw-none&col01"));
}

TEST(HidapiBackend, WakeReleasesAWaiterAndIsKeptWhenNobodyWaits) {
  using namespace std::chrono;
  const std::unique_ptr<HidBackend> backend = MakeHidapiBackend();
  // A wake given before the wait starts is not lost.
  backend->WakeWaiters();
  const auto start = steady_clock::now();
  EXPECT_FALSE(backend->WaitForChange(60'000));
  std::thread waker([&] {
    std::this_thread::sleep_for(milliseconds(50));
    backend->WakeWaiters();
  });
  EXPECT_FALSE(backend->WaitForChange(60'000));
  waker.join();
  // Far below the 60 s the waits would take unreleased.
  EXPECT_LT(steady_clock::now() - start, seconds(30));
}
#endif

}  // namespace
}  // namespace quorlin::device
