#include "options/custom_colors.h"

#include <cstdio>
#include <cwchar>

namespace kiv {

std::vector<std::wstring> SystemCustomColorEntries(const std::function<std::uint32_t(int index)>& lookup) {
    // COLOR_ACTIVECAPTION, BTNFACE, WINDOW, HIGHLIGHT, APPWORKSPACE,
    // BACKGROUND, INFOBK, INACTIVECAPTION, CAPTIONTEXT, BTNTEXT, WINDOWTEXT,
    // HIGHLIGHTTEXT, INFOTEXT, GRAYTEXT, INACTIVECAPTIONTEXT.
    static constexpr int kSystemColors[] = {2, 15, 5, 13, 12, 1, 24, 3, 9, 18, 8, 14, 23, 17, 19};
    std::vector<std::wstring> entries;
    wchar_t letter = L'A';
    for (int index : kSystemColors) {
        wchar_t hex[16] = {};
        std::swprintf(hex, 16, L"%06X", static_cast<unsigned>(lookup(index)));
        entries.push_back(std::wstring(L"Color") + letter++ + L"=" + hex);
    }
    return entries;
}

std::array<std::uint32_t, kCustomColorSlots> CustomColorSlots(const std::vector<std::wstring>& entries) {
    std::array<std::uint32_t, kCustomColorSlots> slots;
    slots.fill(0x00FFFFFFu);
    for (const std::wstring& entry : entries) {
        if (entry.size() < 8 || entry.compare(0, 5, L"Color") != 0 || entry[6] != L'=') continue;
        const int slot = entry[5] - L'A';
        if (slot < 0 || slot >= kCustomColorSlots) continue;
        wchar_t* end = nullptr;
        const unsigned long value = std::wcstoul(entry.c_str() + 7, &end, 16);
        if (end != entry.c_str() + 7 && *end == L'\0' && value <= 0x00FFFFFFu) slots[static_cast<size_t>(slot)] = static_cast<std::uint32_t>(value);
    }
    return slots;
}

}  // namespace kiv
