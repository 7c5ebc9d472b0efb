#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// The log texts of a backup pass.
inline constexpr std::string_view kScanStartText = "正在扫描目标文件夹…";
inline constexpr std::string_view kNothingUpdatedText = "目标文件没有更新！";

std::string UpdatedSummaryText(std::int64_t count, std::int64_t bytes);
std::string CopyFailureText(std::string_view path, std::string_view reason);
std::string FolderFailureText(std::string_view path, std::string_view reason);
std::string FailedCopiesText(std::int64_t count);
std::string InvalidSourceText(std::string_view entry);
std::string InvalidDestinationText(std::string_view destination);

}  // namespace tarnwick
