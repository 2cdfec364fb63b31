#include "batch/failure_report.h"

#include <string_view>

#include "shell/app_paths.h"
#include "text/code_page.h"
#include "toolkit/services.h"

namespace {

constexpr std::size_t kLinesShown = 5;
constexpr std::size_t kShownLineBytes = 60;
constexpr char kCaption[] = "信息：";

// Characters no file name may hold: here, or on the other platform the files may travel to.
bool CannotBeAFileName(std::string_view line) {
    constexpr std::string_view kForbidden = kPathSeparator == '\\' ? "/:*?\"<>|" : "/";
    for (char c : line)
        if (kForbidden.find(c) != std::string_view::npos || (c >= 0 && c < 0x20)) return true;
    return false;
}

// The start of a long line, cut at a character boundary.
std::string Shortened(const std::string& line) {
    if (line.size() <= kShownLineBytes) return services::FromSystem8Bit(line);
    const CodePage codePage = SystemCodePage();
    std::size_t end = 0;
    while (end < line.size()) {
        const std::size_t next = end + CharacterLength(line, end, codePage);
        if (next > kShownLineBytes) break;
        end = next;
    }
    return services::FromSystem8Bit(line.substr(0, end)) + "…";
}

}  // namespace

void FailureReport::Add(std::size_t number, const std::string& line, std::string reason) {
    failures_.push_back({number, line, std::move(reason)});
}

std::string FailureReport::Text() const {
    std::string text = "有 " + std::to_string(failures_.size()) + " 行内容未能生成图片：\r\n";
    for (std::size_t i = 0; i < failures_.size() && i < kLinesShown; ++i) {
        const FailedLine& failure = failures_[i];
        text += "\r\n第 " + std::to_string(failure.number) + " 行“" + Shortened(failure.line) +
                "”：" + failure.reason;
    }
    if (failures_.size() > kLinesShown) text += "\r\n……";
    return text;
}

void FailureReport::ShowIfAny() const {
    if (!Empty()) ShowFailure(Text());
}

std::string SingleFailureText(const std::string& text, const std::string& reason) {
    return "内容未能生成图片：\r\n\r\n“" + Shortened(text) + "”：" + reason;
}

void ShowFailure(const std::string& text) {
    services::ShowMessage(kCaption, text, services::MessageButtons::Ok);
}

std::string FailureReason(const std::string& folder, const std::string& line, SymbolFit fit) {
    if (fit == SymbolFit::DoesNotEncode) return "内容太长，超出所选版本和纠错级别的容量";
    if (fit == SymbolFit::TooSmall) return "图像大小太小，放不下完整的二维码";
    if (!services::IsFolder(folder.empty() ? std::string(1, kPathSeparator) : folder))
        return "保存位置不存在或不是文件夹";
    if (CannotBeAFileName(line)) return "内容含有不能用作文件名的字符";
    return "无法写入文件（没有写入权限、磁盘已满或同名文件夹已存在）";
}
