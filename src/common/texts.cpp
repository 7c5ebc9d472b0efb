#include "common/texts.h"

namespace tarnwick::texts {
namespace {

std::string Join(std::string_view a, std::string_view b, std::string_view c = {},
                 std::string_view d = {}, std::string_view e = {}) {
    std::string text;
    text.reserve(a.size() + b.size() + c.size() + d.size() + e.size());
    text.append(a).append(b).append(c).append(d).append(e);
    return text;
}

}  // namespace

std::string IntervalRangeCaption(int low, int high) {
    return Join("分钟(", std::to_string(low), "～", std::to_string(high), ")");
}

std::string UpdatedSummaryText(std::int64_t count, std::int64_t bytes) {
    return Join("更新了 ", std::to_string(count), " 个文件(", std::to_string(bytes), ")！");
}

std::string CopyFailureText(std::string_view path, std::string_view reason) {
    return Join("复制失败:", path, " (", reason, ")");
}

std::string FolderFailureText(std::string_view path, std::string_view reason) {
    return Join("无法创建文件夹:", path, " (", reason, ")");
}

std::string UnreadableFolderText(std::string_view path, std::string_view reason) {
    return Join("无法读取文件夹:", path, " (", reason, ")");
}

std::string UnreadableEntryText(std::string_view path, std::string_view reason) {
    return Join("无法读取:", path, " (", reason, ")");
}

std::string MissingSourceText(std::string_view path) {
    return Join("源文件夹不存在:", path);
}

std::string FailedCopiesText(std::int64_t count) {
    return Join("有 ", std::to_string(count), " 个文件复制失败！");
}

std::string FailedFoldersText(std::int64_t count) {
    return Join("有 ", std::to_string(count), " 个文件夹无法备份！");
}

std::string InvalidSourceText(std::string_view entry) {
    return Join("跳过无效的源文件夹:", entry);
}

std::string InvalidDestinationText(std::string_view destination) {
    return Join("存放备份的文件夹无效:", destination);
}

}  // namespace tarnwick::texts
