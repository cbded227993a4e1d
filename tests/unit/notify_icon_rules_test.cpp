#include "trayicon/notify_icon_rules.h"

#include <gtest/gtest.h>

#include "trayicon/date_icon.h"

namespace kiv {
namespace {

TEST(TrayCallbacks, EachCodeBecomesItsEventAndTheRestPassesOn) {
    const std::pair<std::intptr_t, TrayCallback> table[] = {
        {0x200, TrayCallback::MouseMove},      {0x201, TrayCallback::Click},
        {0x203, TrayCallback::DblClick},       {0x205, TrayCallback::PopupMenu},
        {0x402, TrayCallback::BalloonShow},    {0x403, TrayCallback::BalloonHide},
        {0x404, TrayCallback::BalloonTimeout}, {0x405, TrayCallback::BalloonClick},
        // Left button up, right button down and double click, middle button,
        // the newer shell's select and key-select, and a code with the icon's
        // identifier in its high word.
        {0x202, TrayCallback::PassOn},         {0x204, TrayCallback::PassOn},
        {0x206, TrayCallback::PassOn},         {0x207, TrayCallback::PassOn},
        {0x208, TrayCallback::PassOn},         {0x400, TrayCallback::PassOn},
        {0x401, TrayCallback::PassOn},         {0x406, TrayCallback::PassOn},
        {0x007B, TrayCallback::PassOn},        {0x10201, TrayCallback::PassOn},
        {0, TrayCallback::PassOn},             {-1, TrayCallback::PassOn},
    };
    for (const auto& [code, event] : table) EXPECT_EQ(ClassifyTrayCallback(code), event) << std::hex << code;
}

TEST(TrayCallbacks, TheRecordSizeFollowsTheSystemVersion) {
    struct Case {
        unsigned major, minor;
        NotifyIconDataLayout layout;
        std::size_t tip;
    };
    const Case cases[] = {
        {4, 0, NotifyIconDataLayout::Version1, 63}, {4, 90, NotifyIconDataLayout::Version1, 63},
        {5, 0, NotifyIconDataLayout::Version2, 127}, {5, 1, NotifyIconDataLayout::Full, 127},
        {5, 2, NotifyIconDataLayout::Full, 127},     {6, 0, NotifyIconDataLayout::Full, 127},
        {10, 0, NotifyIconDataLayout::Full, 127},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NotifyIconDataLayoutFor(c.major, c.minor), c.layout) << c.major << "." << c.minor;
        EXPECT_EQ(ToolTipLimit(c.major), c.tip) << c.major;
    }
}

TEST(TrayToolTip, LongTextsAreCutNeverRejected) {
    const std::wstring text(200, L'x');
    EXPECT_EQ(ClipToolTip(text, 10), std::wstring(127, L'x'));
    EXPECT_EQ(ClipToolTip(text, 4), std::wstring(63, L'x'));
    EXPECT_EQ(ClipToolTip(std::wstring(127, L'y'), 6), std::wstring(127, L'y'));
    EXPECT_EQ(ClipToolTip(L"", 6), L"");
    // A character made of two halves is dropped whole rather than split.
    std::wstring pair(126, L'z');
    pair += wchar_t(0xD83D);
    pair += wchar_t(0xDCC5);
    EXPECT_EQ(ClipToolTip(pair, 6), std::wstring(126, L'z'));
}

TEST(TrayToolTip, TheTitleComesFirstThenTheDateInTheChosenFormat) {
    EXPECT_EQ(DateToolTip(L"Kiv Calendar", L"3/10/2026", L"Tuesday, March 10, 2026", true),
              L"Kiv Calendar \rTuesday, March 10, 2026");
    EXPECT_EQ(DateToolTip(L"Kiv Calendar", L"3/10/2026", L"Tuesday, March 10, 2026", false), L"Kiv Calendar \r3/10/2026");
}

}  // namespace
}  // namespace kiv
