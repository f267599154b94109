// Checks the language files the program ships: every text the program looks
// up is there in every language, nothing is defined twice, and a template
// carries exactly the placeholders its caller fills in.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "text/language.h"

namespace quorlin::text {
namespace {

namespace fs = std::filesystem;
using platform::IniEntry;
using platform::IniFile;

// Texts of the windows, prompts and tooltips.
const char* const kWindowTextKeys[] = {
    "MAIN_CAPTION",
    "MAIN_HELP_PROMPT",
    "MAIN_MINIMIZE_PROMPT",
    "MAIN_MENU_PROMPT",
    "MAIN_CLOSE_PROMPT",
    "MAIN_APPLY_PROMPT",
    "MAIN_PROMPT_DEFAULT",
    "MAIN_PROMPT_INPORT",
    "MAIN_NO_DEVICE_PROMPT",
    "MAIN_SWITCH_FUNCTION_TEXT",
    "MAIN_SWITCH_COLOR_TEXT",
    "KEYBOARD_TRAY_DESC",
    "IDS_TrayTip_Keyboard",
    "PROFILE_1",
    "PROFILE_2",
    "PROFILE_3",
    "PROFILE_MACRO",
    "PROFILE_MACRO1",
    "PROFILE_DEFAULT",
    "PROFILE_DEFAULT1",
    "PROFILE_OK",
    "PROFILE_CANCLE",
    "PROFILE_APPLY",
    "ENGINSH_6",
    "GERMAN_7",
    "MENU_1",
    "MENU_2",
    "MENU_3",
    "MENU_4",
    "MENU_11",
    "MENU_22",
    "MENU_33",
    "LANG_ABOUT_TITLE",
    "GUANYU_JIESHAO",
    "GUANYU_BANQUAN",
    "LANG_ABOUT_OK",
    "UNKNOWN_KEY",
    "KEY_PROMPT_SET",
    "KEY_PROMPT_SINGLE",
    "KEY_PROMPT_MACRO",
    "KEY_PROMPT_MEDIA",
    "KEY_PROMPT_FUNCTION",
    "COMPOSITE_PROMPT_OSK",
    "SINGLE_KEY",
    "MULTI_MEDIA",
    "FUNCTION_KEY",
    "MACRO_SETTING",
    "SINGLE_STATIC",
    "MACRO_NAME_SETTING",
    "KEY_SETTING_TISHI",
    "MACRO_EDIT_TISHI",
    "MEDIA_EDIT_TISHI",
    "FUNCTION_TISHI",
    "MACRO_CYCLES",
    "RECORD_DELAY",
    "IDS_MACRO_KB_KEY",
    "IDS_MACRO_MOU_KEY",
    "MACRO_KEYS_TISHI",
    "MACRO_ACTION_TISHI",
    "MACRO_DELAY_MS",
    "A_TOP",
    "A_TOP1",
    "A_UP",
    "A_DOWN",
    "A_DOWN1",
    "A_BOTTOM",
    "A_RECORD",
    "A_RECORD1",
    "A_RECORD3",
    "A_DELETE",
    "A_CLEAR",
    "MACRO_OK",
    "MACRO_CANCLE",
    "MACRO_ACTION_RECORD",
    "MACRO_ACTION_STOP_RECORD",
    "MACRO_ACTION_RECORD_DELAY",
    "MACRO_ACTION_CLEAR_CONFIRM",
    "MACRO_ACTION_ERR_DELAY_MAX",
    "MACRO_ACTION_ERR_MODIFY",
    "MACRO_ERR_MAX",
    "MACRO_NEW_PREFIX",
    "MACRO_DELETE_CONFIRM_OF_KEYS",
    "EXTRA_MACRO_TOO_LONG",
    "EXTRA_PROFILE_SPACE_TIGHT",
    "DEFAULT_PROFILE_NAME",
    "PROFILE_TIP",
    "PROFILE_NEW",
    "PROFILE_SELECT_PROMPT",
    "PROFILE_SEELCT_PROMPT2",
    "PROFILE_LOAD_PROMPT",
    "PROFILE_FORMAT_ERROR",
    "MAIN_DEFAULT_MATRIX_PROMPT",
    "PORTUGUESE_8",
};

// The names of the keys, media and functions of the key catalogue.
const char* const kKeyNameKeys[] = {
    "IDS_KEYBOARD_0",
    "IDS_KEYBOARD_1",
    "IDS_KEYBOARD_2",
    "IDS_KEYBOARD_3",
    "IDS_KEYBOARD_4",
    "IDS_KEYBOARD_5",
    "IDS_KEYBOARD_6",
    "IDS_KEYBOARD_7",
    "IDS_KEYBOARD_8",
    "IDS_KEYBOARD_9",
    "IDS_KEYBOARD_A",
    "IDS_KEYBOARD_AID1",
    "IDS_KEYBOARD_APP",
    "IDS_KEYBOARD_AV",
    "IDS_KEYBOARD_B",
    "IDS_KEYBOARD_BREAK",
    "IDS_KEYBOARD_BS",
    "IDS_KEYBOARD_C",
    "IDS_KEYBOARD_CAPS",
    "IDS_KEYBOARD_CHG",
    "IDS_KEYBOARD_COMMA",
    "IDS_KEYBOARD_D",
    "IDS_KEYBOARD_DELETE",
    "IDS_KEYBOARD_DOWN",
    "IDS_KEYBOARD_E",
    "IDS_KEYBOARD_END",
    "IDS_KEYBOARD_ENTER",
    "IDS_KEYBOARD_EQU",
    "IDS_KEYBOARD_ESC",
    "IDS_KEYBOARD_F",
    "IDS_KEYBOARD_F1",
    "IDS_KEYBOARD_F10",
    "IDS_KEYBOARD_F11",
    "IDS_KEYBOARD_F12",
    "IDS_KEYBOARD_F2",
    "IDS_KEYBOARD_F3",
    "IDS_KEYBOARD_F4",
    "IDS_KEYBOARD_F5",
    "IDS_KEYBOARD_F6",
    "IDS_KEYBOARD_F7",
    "IDS_KEYBOARD_F8",
    "IDS_KEYBOARD_F9",
    "IDS_KEYBOARD_FUNC_CALENDAR",
    "IDS_KEYBOARD_FUNC_COPY",
    "IDS_KEYBOARD_FUNC_CUT",
    "IDS_KEYBOARD_FUNC_EXCEL",
    "IDS_KEYBOARD_FUNC_MAXI",
    "IDS_KEYBOARD_FUNC_MINI",
    "IDS_KEYBOARD_FUNC_PASTE",
    "IDS_KEYBOARD_FUNC_POWERPOINT",
    "IDS_KEYBOARD_FUNC_WORD",
    "IDS_KEYBOARD_FUNC_ZOOMIN",
    "IDS_KEYBOARD_FUNC_ZOOMOUT",
    "IDS_KEYBOARD_G",
    "IDS_KEYBOARD_H",
    "IDS_KEYBOARD_HOME",
    "IDS_KEYBOARD_I",
    "IDS_KEYBOARD_INSERT",
    "IDS_KEYBOARD_J",
    "IDS_KEYBOARD_K",
    "IDS_KEYBOARD_K107",
    "IDS_KEYBOARD_K14",
    "IDS_KEYBOARD_K45",
    "IDS_KEYBOARD_K56",
    "IDS_KEYBOARD_KL",
    "IDS_KEYBOARD_KR",
    "IDS_KEYBOARD_L",
    "IDS_KEYBOARD_LALT",
    "IDS_KEYBOARD_LCTRL",
    "IDS_KEYBOARD_LEFT",
    "IDS_KEYBOARD_LSHIFT",
    "IDS_KEYBOARD_LWIN",
    "IDS_KEYBOARD_M",
    "IDS_KEYBOARD_MINUS",
    "IDS_KEYBOARD_MOU_DBCLICK",
    "IDS_KEYBOARD_MOU_LEFT",
    "IDS_KEYBOARD_MOU_MIDDLE",
    "IDS_KEYBOARD_MOU_PANLEFT",
    "IDS_KEYBOARD_MOU_PANRIGHT",
    "IDS_KEYBOARD_MOU_RIGHT",
    "IDS_KEYBOARD_N",
    "IDS_KEYBOARD_NUM",
    "IDS_KEYBOARD_N_CHG",
    "IDS_KEYBOARD_O",
    "IDS_KEYBOARD_P",
    "IDS_KEYBOARD_PAGE_DOWN",
    "IDS_KEYBOARD_PAGE_UP",
    "IDS_KEYBOARD_PAUSE",
    "IDS_KEYBOARD_PER",
    "IDS_KEYBOARD_POWER",
    "IDS_KEYBOARD_PRINT",
    "IDS_KEYBOARD_Q",
    "IDS_KEYBOARD_QUOT",
    "IDS_KEYBOARD_R",
    "IDS_KEYBOARD_RALT",
    "IDS_KEYBOARD_RCTRL",
    "IDS_KEYBOARD_RIGHT",
    "IDS_KEYBOARD_ROLL_DOWN",
    "IDS_KEYBOARD_ROLL_UP",
    "IDS_KEYBOARD_ROMA",
    "IDS_KEYBOARD_RSHIFT",
    "IDS_KEYBOARD_RWIN",
    "IDS_KEYBOARD_S",
    "IDS_KEYBOARD_SB1",
    "IDS_KEYBOARD_SB2",
    "IDS_KEYBOARD_SCROLL",
    "IDS_KEYBOARD_SEM",
    "IDS_KEYBOARD_SLEEP",
    "IDS_KEYBOARD_SPACE",
    "IDS_KEYBOARD_SYSREQ",
    "IDS_KEYBOARD_S_0",
    "IDS_KEYBOARD_S_1",
    "IDS_KEYBOARD_S_2",
    "IDS_KEYBOARD_S_3",
    "IDS_KEYBOARD_S_4",
    "IDS_KEYBOARD_S_5",
    "IDS_KEYBOARD_S_6",
    "IDS_KEYBOARD_S_7",
    "IDS_KEYBOARD_S_8",
    "IDS_KEYBOARD_S_9",
    "IDS_KEYBOARD_S_AST",
    "IDS_KEYBOARD_S_DEL",
    "IDS_KEYBOARD_S_ENTER",
    "IDS_KEYBOARD_S_MINUS",
    "IDS_KEYBOARD_S_PLUS",
    "IDS_KEYBOARD_S_VIR",
    "IDS_KEYBOARD_T",
    "IDS_KEYBOARD_TAB",
    "IDS_KEYBOARD_U",
    "IDS_KEYBOARD_UP",
    "IDS_KEYBOARD_V",
    "IDS_KEYBOARD_VIR",
    "IDS_KEYBOARD_W",
    "IDS_KEYBOARD_WAKE",
    "IDS_KEYBOARD_X",
    "IDS_KEYBOARD_Y",
    "IDS_KEYBOARD_Z",
    "MEDIA_CALC_17",
    "MEDIA_MAIL_18",
    "MEDIA_MUTE_8",
    "MEDIA_MY_PC_16",
    "MEDIA_Next_TRACK_5",
    "MEDIA_PALYER_1",
    "MEDIA_PALY_PAUSE_2",
    "MEDIA_PREV_TRACK_4",
    "MEDIA_STOP_PALY_3",
    "MEDIA_V_ADD_7",
    "MEDIA_V_LOW_6",
    "MEDIA_WWW_BACK_12",
    "MEDIA_WWW_FAVORITE_14",
    "MEDIA_WWW_FORWARD_13",
    "MEDIA_WWW_HOME_9",
    "MEDIA_WWW_REFRESH_10",
    "MEDIA_WWW_SEARCH_15",
    "MEDIA_WWW_STOP_11",
};

const char* const kLightKeys[] = {"Usb",   "Deng",   "Light", "FX",  "Speed",
                                  "Color", "JColor", "DC",    "Tool"};

// Templates and the placeholders their callers fill, in order: 'd' an
// integer, 's' a text. Every other text must have none.
const std::map<std::string, std::string> kTemplates = {
    {"UNKNOWN_KEY", "d"},
    {"MACRO_ERR_MAX", "d"},
    {"MACRO_ACTION_ERR_DELAY_MAX", "d"},
    {"PROFILE_FORMAT_ERROR", "s"},
    {"PROFILE_NEW_FAILED", "s"},
    {"MAIN_UPDATER_WINDOWS_ONLY", "s"},
    {"MAIN_FIRMWARE_VERSION", "s"},
    {"MAIN_KEYBOARD_BUSY", "s"},
    {"MAIN_START_AT_LOGIN_FAILED", "s"},
    {"MAIN_HOST_COPY_NOT_SAVED", "s"},
    {"MAIN_LANGUAGE_NOT_SAVED", "s"},
    {"MAIN_LANGUAGE_FILE_UNREADABLE", "ss"},
    {"MAIN_FRAMES_SENT", "d"},
    {"MAIN_HELP_NOT_OPENED", "s"},
    {"MAIN_BACKUP_DONE", "s"},
    {"MAIN_RESTORE_DONE", "s"},
    {"KEY_SETTING_FOR", "s"},
    {"ABOUT_PROGRAM_VERSION", "s"},
    {"Summary", "sd"},
};

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return s;
}

// 'd' for an integer placeholder, 's' for "%s", '?' for any other '%'
// sequence that printf would take as a conversion.
std::string Placeholders(const std::string& value) {
  std::string found;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '%') continue;
    if (i + 1 < value.size() && value[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < value.size() &&
           std::string_view("-+ #0123456789.lh").find(value[j]) != std::string_view::npos)
      ++j;
    const char c = j < value.size() ? value[j] : '\0';
    found += std::string_view("diuxX").find(c) != std::string_view::npos ? 'd'
             : c == 's'                                                  ? 's'
                                                                         : '?';
    i = j;
  }
  return found;
}

struct Required {
  std::string section;
  std::string key;
};

std::vector<Required> RequiredKeys() {
  std::vector<Required> keys;
  for (const char* k : kWindowTextKeys) keys.push_back({"TEXT", k});
  for (const char* k : kKeyNameKeys) keys.push_back({"TEXT", k});
  for (int i = 1; i <= 11; ++i) keys.push_back({"TEXT", "FUNC_KEY_DESC" + std::to_string(i)});
  for (const char* k : kLightKeys) keys.push_back({"LIGHT", k});
  for (int mode = 1; mode <= 20; ++mode) keys.push_back({"MODE", std::to_string(mode)});
  return keys;
}

class ShippedLanguageFileTest : public testing::TestWithParam<LanguageEntry> {
 protected:
  void SetUp() override {
    std::string error;
    path_ = fs::path(QUORLIN_DATA_DIR) / std::string(GetParam().file_name);
    ASSERT_EQ(IniFile::Load(path_, &ini_, &error), platform::ReadStatus::kOk) << error;
  }
  fs::path path_;
  IniFile ini_;
};

TEST_P(ShippedLanguageFileTest, IsPlainUtf8) {
  EXPECT_EQ(ini_.encoding(), platform::IniEncoding::kUtf8);
}

TEST_P(ShippedLanguageFileTest, HasEveryRequiredTextShortEnoughToShowWhole) {
  for (const Required& r : RequiredKeys()) {
    const std::optional<std::string> value = ini_.Find(r.section, r.key);
    ASSERT_TRUE(value.has_value()) << path_ << ": [" << r.section << "] " << r.key;
    EXPECT_FALSE(value->empty()) << path_ << ": " << r.key;
    EXPECT_EQ(platform::CutToUtf16Units(*value, platform::kLookupBufferSize - 1), *value)
        << path_ << ": " << r.key << " is longer than a lookup returns";
  }
}

TEST_P(ShippedLanguageFileTest, DefinesNothingTwiceAndNothingOutsideASection) {
  std::set<std::string> seen;
  for (const IniEntry& e : ini_.Entries()) {
    EXPECT_TRUE(e.in_section) << path_ << ":" << e.line << " " << e.key;
    EXPECT_TRUE(seen.insert(Upper(e.section) + "/" + Upper(e.key)).second)
        << path_ << ":" << e.line << " defines " << e.key << " again";
  }
}

TEST_P(ShippedLanguageFileTest, TemplatesCarryExactlyTheirPlaceholders) {
  for (const IniEntry& e : ini_.Entries()) {
    const auto it = kTemplates.find(e.key);
    const std::string expected = it == kTemplates.end() ? "" : it->second;
    EXPECT_EQ(Placeholders(e.value), expected) << path_ << ":" << e.line << " " << e.key;
  }
}

TEST_P(ShippedLanguageFileTest, TextsThatBecomeNamesOrPathsFitTheirUse) {
  // The record-delay option is stored under this text as its entry name.
  const std::string entry = ini_.Find("TEXT", "MACRO_ACTION_RECORD_DELAY").value_or("");
  EXPECT_TRUE(IniFile().SetString("PROFILES", entry, "1")) << entry;
  // The new-profile name is appended directly to the data folder.
  EXPECT_EQ(ini_.Find("TEXT", "PROFILE_NEW").value_or("").substr(0, 1), "/");
  // Prefixes that other text follows directly keep their final blank.
  EXPECT_EQ(ini_.Find("TEXT", "MACRO_NEW_PREFIX").value_or("").back(), ' ');
  EXPECT_EQ(ini_.Find("TEXT", "PROFILE_TIP").value_or("").back(), ' ');
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageFileTest, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<LanguageEntry>& p) {
                           return std::string(p.param.file_name.substr(0, 8));
                         });

TEST(ShippedLanguageFilesTest, AllLanguagesHaveTheSameKeysAndPlaceholders) {
  std::map<std::string, std::map<std::string, std::string>> by_key;  // key -> file -> placeholders
  for (const LanguageEntry& language : kLanguages) {
    IniFile ini;
    ASSERT_EQ(
        IniFile::Load(fs::path(QUORLIN_DATA_DIR) / std::string(language.file_name), &ini, nullptr),
        platform::ReadStatus::kOk);
    for (const IniEntry& e : ini.Entries()) {
      by_key[Upper(e.section) + "/" + e.key][std::string(language.file_name)] =
          Placeholders(e.value);
    }
  }
  for (const auto& [key, files] : by_key) {
    EXPECT_EQ(files.size(), kLanguages.size()) << key << " is missing in some language";
    for (const auto& [file, placeholders] : files) {
      EXPECT_EQ(placeholders, files.begin()->second) << key << " in " << file;
    }
  }
}

TEST(ShippedLanguageFilesTest, RecordDelayEntryIsTheSameInEveryLanguage) {
  std::set<std::string> names;
  for (const LanguageEntry& language : kLanguages) {
    names.insert(LangText(QUORLIN_DATA_DIR, "MACRO_ACTION_RECORD_DELAY",
                          FindLanguage(language.id).value_or(0)));
  }
  EXPECT_EQ(names.size(), 1u);
}

}  // namespace
}  // namespace quorlin::text
