// The input box: its test seam, and the real dialog answered from a thread
// timer that fires inside the dialog's own modal loop.
#include "widgets/input_box_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kiv {
namespace {

TEST(InputBoxHandler, AnswersInPlaceOfTheDialogAndCancelGivesTheDefault) {
    std::wstring seen;
    InputBoxHandler previous = SetInputBoxHandler(
        [&](const std::wstring& caption, const std::wstring& prompt, const std::wstring& defaultText) {
            seen = caption + L"|" + prompt + L"|" + defaultText;
            return std::optional<std::wstring>(L"1999");
        });
    EXPECT_EQ(InputBox(nullptr, L"Go to year", L"Year:", L"2026"), L"1999");
    EXPECT_EQ(seen, L"Go to year|Year:|2026");

    SetInputBoxHandler([](const std::wstring&, const std::wstring&, const std::wstring&) {
        return std::optional<std::wstring>();
    });
    EXPECT_EQ(InputBox(nullptr, L"Go to year", L"Year:", L"2026"), L"2026");
    SetInputBoxHandler(std::move(previous));
}

// Runs the given action on the dialog once it is up. Should the action not
// close it, the driver does, so a failing test never hangs.
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND dialog)> action) {
        action_ = std::move(action);
        acted_ = false;
        ticks_ = 0;
        timer_ = SetTimer(nullptr, 0, 20, &DialogDriver::tick);
    }
    ~DialogDriver() { KillTimer(nullptr, timer_); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    bool acted() const { return acted_; }

private:
    static HWND findDialog() {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND h, LPARAM lp) -> BOOL {
                wchar_t cls[16]{};
                GetClassNameW(h, cls, 16);
                if (std::wstring(cls) != L"#32770" || !IsWindowVisible(h)) return TRUE;
                *reinterpret_cast<HWND*>(lp) = h;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND dialog = findDialog();
        if (!dialog) return;
        if (!acted_) {
            acted_ = true;
            action_(dialog);
        } else if (++ticks_ > 100) {
            ADD_FAILURE() << "the input box stayed open";
            EndDialog(dialog, IDCANCEL);
        }
    }

    static inline std::function<void(HWND)> action_;
    static inline bool acted_ = false;
    static inline int ticks_ = 0;
    UINT_PTR timer_ = 0;
};

void TypeInto(HWND edit, const std::wstring& text) {
    for (wchar_t ch : text) SendMessageW(edit, WM_CHAR, ch, 1);
}

class InputBoxDialog : public testing::Test {
protected:
    void SetUp() override { previous_ = SetInputBoxHandler(nullptr); }
    void TearDown() override { SetInputBoxHandler(std::move(previous_)); }
    InputBoxHandler previous_;
};

TEST_F(InputBoxDialog, ShowsItsTextsWithTheDefaultSelectedAndOkReturnsTheEditedText) {
    std::wstring caption, prompt, initial;
    DWORD selStart = 1, selEnd = 0;
    HWND focus = nullptr, edit = nullptr;
    LRESULT defaultId = 0;
    std::wstring face;
    DialogDriver driver([&](HWND dialog) {
        wchar_t buffer[64]{};
        GetWindowTextW(dialog, buffer, 64);
        caption = buffer;
        GetDlgItemTextW(dialog, kInputBoxPromptId, buffer, 64);
        prompt = buffer;
        edit = GetDlgItem(dialog, kInputBoxEditId);
        GetWindowTextW(edit, buffer, 64);
        initial = buffer;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        focus = GetFocus();
        defaultId = LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0));
        LOGFONTW font{};
        if (GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font))
            face = font.lfFaceName;
        TypeInto(edit, L"1999");
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(InputBox(nullptr, L"Go to year", L"Year & month:", L"2026"), L"1999");
    ASSERT_TRUE(driver.acted());
    EXPECT_EQ(caption, L"Go to year");
    EXPECT_EQ(prompt, L"Year & month:");
    EXPECT_EQ(initial, L"2026");
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 4u);
    EXPECT_EQ(focus, edit);
    EXPECT_EQ(defaultId, IDOK);
    EXPECT_FALSE(face.empty()) << "the box has its own font, not the system one";
}

TEST_F(InputBoxDialog, EnterPressesTheDefaultButton) {
    DialogDriver driver([](HWND dialog) {
        HWND edit = GetDlgItem(dialog, kInputBoxEditId);
        TypeInto(edit, L"1753");
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    });
    EXPECT_EQ(InputBox(nullptr, L"Go to year", L"Year:", L"2026"), L"1753");
    EXPECT_TRUE(driver.acted());
}

TEST_F(InputBoxDialog, CancelEscapeAndTheCloseBoxAllGiveBackTheDefault) {
    struct Way {
        const char* name;
        void (*close)(HWND dialog);
    };
    const Way ways[] = {
        {"Cancel button", [](HWND d) { SendMessageW(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }},
        {"Esc", [](HWND d) { PostMessageW(GetDlgItem(d, kInputBoxEditId), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way& way : ways) {
        DialogDriver driver([&](HWND dialog) {
            TypeInto(GetDlgItem(dialog, kInputBoxEditId), L"1999");
            way.close(dialog);
        });
        EXPECT_EQ(InputBox(nullptr, L"Go to year", L"Year:", L"2026"), L"2026") << way.name;
        EXPECT_TRUE(driver.acted()) << way.name;
    }
}

TEST_F(InputBoxDialog, IsOwnedByTheGivenWindowAndKeepsEmptyText) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner);
    HWND ownerSeen = nullptr;
    DialogDriver driver([&](HWND dialog) {
        ownerSeen = GetWindow(dialog, GW_OWNER);
        SetDlgItemTextW(dialog, kInputBoxEditId, L"");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(InputBox(owner, L"Go to year", L"Year:", L"2026"), L"");
    EXPECT_EQ(ownerSeen, owner);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace kiv
