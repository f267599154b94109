#pragma once
// The record-delay option: 1 keeps the measured time between recorded
// events, 0 records every delay as 50 ms. It lives in the application
// settings, section "PROFILES", under the entry name the language file gives.

#include <cstdint>
#include <string>

#include "platform/settings_store.h"
#include "text/text_source.h"

namespace quorlin::macros {

inline constexpr uint32_t kFixedRecordedDelay = 50;

// The entry name: the "MACRO_ACTION_RECORD_DELAY" text. The shipped files
// give the same name in every language, so the option survives a change of
// language. A missing or empty text falls back to that name rather than
// writing an entry called "#Error".
std::string RecordDelayEntryName(const text::TextSource& texts);

// 0 or 1; anything stored other than "1" reads as 0.
int ReadRecordDelay(const platform::SettingsStore& store, const text::TextSource& texts);

// Stores `value` when it is 0 or 1, else 0, and returns what it stored.
int WriteRecordDelay(platform::SettingsStore& store, const text::TextSource& texts, int value);

// When the editor opens: a stored value other than 0 or 1 is rewritten as 0.
// Returns the value in force.
int NormaliseRecordDelay(platform::SettingsStore& store, const text::TextSource& texts);

// The delay a recorded event gets from the time measured since the last one.
uint32_t RecordedDelay(uint32_t measured_ms, int record_delay);

}  // namespace quorlin::macros
