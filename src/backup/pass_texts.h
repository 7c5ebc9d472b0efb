#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// The log texts of a backup pass.
inline constexpr std::string_view kScanStartText = "正在扫描目标文件夹…";
inline constexpr std::string_view kNothingUpdatedText = "目标文件没有更新！";
inline constexpr std::string_view kChangedDuringCopyText = "文件在复制时被修改";

std::string UpdatedSummaryText(std::int64_t count, std::int64_t bytes);
std::string CopyFailureText(std::string_view path, std::string_view reason);
std::string FolderFailureText(std::string_view path, std::string_view reason);
std::string UnreadableFolderText(std::string_view path, std::string_view reason);
std::string UnreadableEntryText(std::string_view path, std::string_view reason);
std::string MissingSourceText(std::string_view path);
std::string FailedCopiesText(std::int64_t count);
std::string FailedFoldersText(std::int64_t count);
std::string InvalidSourceText(std::string_view entry);
std::string InvalidDestinationText(std::string_view destination);

}  // namespace tarnwick
