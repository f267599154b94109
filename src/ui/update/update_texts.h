#pragma once
// The update dialog's messages: fixed texts, the same in every language,
// not entries of the language files. The blank at the end of the first
// three belongs to the text.

#include <string_view>

namespace quorlin::ui::update_texts {

inline constexpr std::string_view kChooseUpdateFile = "请选择正确的更新文件! ";
inline constexpr std::string_view kNoBootMode = "无法进入Boot模式! ";
inline constexpr std::string_view kCannotStart = "无法执行更新文件! ";
inline constexpr std::string_view kBackupDone = "备份成功!";
inline constexpr std::string_view kBackupFailed = "备份失败,请重新备份!";

// The file chooser of Open.
inline constexpr std::string_view kUpdaterFilterLabel = "MyType Files (*.exe)";
inline constexpr std::string_view kUpdaterPattern = "*.exe";

}  // namespace quorlin::ui::update_texts
