#include "common/win32_text.h"

#include <windows.h>

#include "common/text_encoding.h"

namespace tarnwick {
namespace {

std::wstring ToWide(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string FromWide(std::wstring_view wide, UINT codePage, BOOL* lossy) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, lossy);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                        length, nullptr, lossy);
    return text;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    return ToWide(utf8, CP_UTF8);
}

std::string Narrow(std::wstring_view wide) {
    return FromWide(wide, CP_UTF8, nullptr);
}

std::string AnsiToUtf8(std::string_view ansi) {
    return Narrow(ToWide(ansi, CP_ACP));
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
    BOOL lossy = FALSE;
    std::string ansi = FromWide(Widen(utf8), CP_ACP, &lossy);
    if (lossy) {
        return std::nullopt;
    }
    return ansi;
}

std::string SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text =
        length > 0 ? std::wstring(buffer, length) : L"error " + std::to_wstring(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.')) {
        text.pop_back();
    }
    return Narrow(text);
}

}  // namespace tarnwick
