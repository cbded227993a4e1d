// The number edit box as a real EDIT in a plain top-level window, driven
// through the system's keyboard input where typing matters.
#include "widgets/number_edit_win.h"

#include "widgets/handles_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kiv {
namespace {

constexpr wchar_t kHostClass[] = L"KivNumberEditTestHost";

void Pump(DWORD milliseconds = 60) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// Presses and releases each key through the system's input queue, so the
// box sees key-down, character and key-up as the keyboard delivers them.
void Type(const std::vector<WORD>& keys) {
    for (WORD vk : keys) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = vk;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &input[0], sizeof(INPUT));
        Pump();
        SendInput(1, &input[1], sizeof(INPUT));
        Pump();
    }
}

// One host window for the suite: showing and destroying a top-level window
// under Wine waits on the X server for a good while.
class NumberEditTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kHostClass;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassW(&wc);  // fails harmlessly once registered
        host_ = CreateWindowExW(0, kHostClass, L"Number edit test", WS_OVERLAPPEDWINDOW, 40, 40, 320, 160, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(host_, SW_SHOW);
        SetForegroundWindow(host_);
        Pump();
    }
    static void TearDownTestSuite() {
        DestroyWindow(host_);
        Pump(0);
    }
    void SetUp() override {
        ASSERT_TRUE(host_);
        box_ = std::make_unique<TNumberEdit>();
        box_->Create(host_, 10, 10, 10, 100, 24, WS_TABSTOP);
        other_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 50, 100, 24,
                                 host_, reinterpret_cast<HMENU>(11), GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(host_);
        Pump(0);
    }
    void TearDown() override {
        box_.reset();
        DestroyWindow(other_);
        Pump(0);
    }

    // Records the box's events with the text it showed at each.
    void Record() {
        box_->OnKeyDown = [this](WORD key) { log_.push_back(L"down " + std::to_wstring(key)); };
        box_->OnKeyUp = [this](WORD key) { log_.push_back(L"up " + std::to_wstring(key)); };
        box_->OnChange = [this] { log_.push_back(L"change " + box_->Text()); };
        box_->OnExit = [this] { log_.push_back(L"exit " + box_->Text()); };
    }

    static inline HWND host_ = nullptr;
    HWND other_ = nullptr;
    std::unique_ptr<TNumberEdit> box_;
    std::vector<std::wstring> log_;
};

TEST_F(NumberEditTest, StartsEmptyRightAlignedDigitsOnlyWithoutPadding) {
    EXPECT_EQ(box_->Number(), -1);
    EXPECT_EQ(box_->Align(), TNumberEditAlign::neRight);
    EXPECT_FALSE(box_->PadNumber());
    EXPECT_FALSE(box_->KeyIsDown());
    LONG_PTR style = GetWindowLongPtrW(box_->hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & ES_NUMBER);
    EXPECT_TRUE(style & ES_RIGHT);
    EXPECT_EQ(GetDlgCtrlID(box_->hwnd()), 10);

    box_->SetText(L"2026");
    EXPECT_EQ(box_->Number(), 2026);
    box_->SetNumber(-5);
    EXPECT_EQ(box_->Text(), L"-5");
    EXPECT_EQ(box_->Number(), -5);
}

TEST_F(NumberEditTest, TypedDigitIsPaddedOnlyWhenTheBoxIsLeft) {
    box_->SetMaxLength(4);
    box_->SetPadNumber(true);
    EXPECT_EQ(box_->Text(), L"0000") << "turning padding on pads the empty text";
    box_->SetText(L"");
    EXPECT_EQ(box_->Text(), L"0000") << "a change made by the program is padded at once";

    SetFocus(box_->hwnd());
    box_->SelectAll();
    Record();
    Type({'7'});
    ASSERT_FALSE(log_.empty()) << "no keyboard input reached the box";
    EXPECT_EQ(box_->Text(), L"7") << "no padding while a key is down";
    EXPECT_FALSE(box_->KeyIsDown());

    SetFocus(other_);
    EXPECT_EQ(box_->Text(), L"0007");
    EXPECT_EQ(box_->Number(), 7);
    // The change comes before the release of its key; leaving pads first and
    // reports the exit with the padded text.
    std::vector<std::wstring> expected{L"down 55", L"change 7", L"up 55", L"change 0007", L"exit 0007"};
    EXPECT_EQ(log_, expected);
}

TEST_F(NumberEditTest, NumberSetByTheProgramIsPaddedAtOnceAndOnlyOnce) {
    box_->SetMaxLength(4);
    box_->SetPadNumber(true);
    Record();
    box_->SetNumber(12);
    EXPECT_EQ(box_->Text(), L"0012");
    std::vector<std::wstring> expected{L"change 12", L"change 0012"};
    EXPECT_EQ(log_, expected) << "padding to the text it already has must not notify again";

    log_.clear();
    box_->SetText(L"0012");
    box_->Reformat();
    EXPECT_TRUE(log_.empty());

    box_->SetMaxLength(0);
    box_->SetText(L"0");
    EXPECT_EQ(box_->Text(), L"0") << "without a limit the number keeps one digit";
}

TEST_F(NumberEditTest, TurningPaddingOffLeavesThePlainNumber) {
    box_->SetMaxLength(4);
    box_->SetPadNumber(true);
    box_->SetNumber(12);
    box_->SetPadNumber(false);
    EXPECT_EQ(box_->Text(), L"12");

    box_->SetText(L"abc");
    EXPECT_EQ(box_->Text(), L"abc");
    box_->SetPadNumber(false);
    EXPECT_EQ(box_->Text(), L"0");
}

TEST_F(NumberEditTest, KeyboardLettersAreRefusedButProgramTextIsKeptAsItIs) {
    box_->SetText(L"20");
    SetFocus(box_->hwnd());
    SendMessageW(box_->hwnd(), EM_SETSEL, 2, 2);
    Type({'A', 'Z', '2', '6'});
    EXPECT_EQ(box_->Text(), L"2026");

    // The read-only selected-date box shows dates this way.
    box_->SetText(L"08/12/2026");
    EXPECT_EQ(box_->Text(), L"08/12/2026");
    EXPECT_EQ(box_->Number(), -1);
}

TEST_F(NumberEditTest, KeyPressHandlerCanSwallowCharacters) {
    std::vector<wchar_t> seen;
    box_->OnKeyPress = [&](wchar_t ch, bool& handled) {
        seen.push_back(ch);
        handled = ch == L'\r' || ch == L'5';
    };
    SetFocus(box_->hwnd());
    Type({'1', VK_RETURN, '5', '9'});
    EXPECT_EQ(box_->Text(), L"19");
    std::vector<wchar_t> expected{L'1', L'\r', L'5', L'9'};
    EXPECT_EQ(seen, expected);
}

TEST_F(NumberEditTest, TabThatMovesTheFocusLeavesTheKeyDownAndTheTextUnpadded) {
    box_->SetMaxLength(4);
    box_->SetPadNumber(true);
    // The host moves the focus on the Tab key's press, as a window without
    // the dialog manager does.
    box_->OnKeyDown = [this](WORD key) {
        if (key == VK_TAB) SetFocus(other_);
    };
    SetFocus(box_->hwnd());
    box_->SelectAll();
    Type({'7', VK_TAB});
    ASSERT_EQ(GetFocus(), other_);
    EXPECT_EQ(box_->Text(), L"7");
    EXPECT_TRUE(box_->KeyIsDown()) << "the Tab's release went to the next control";

    // Coming back and leaving without a key release still does not pad.
    SetFocus(box_->hwnd());
    SetFocus(other_);
    EXPECT_EQ(box_->Text(), L"7");

    // The next key released in the box clears it.
    SetFocus(box_->hwnd());
    SendMessageW(box_->hwnd(), EM_SETSEL, 1, 1);
    Type({'8'});
    EXPECT_FALSE(box_->KeyIsDown());
    SetFocus(other_);
    EXPECT_EQ(box_->Text(), L"0078");
}

TEST_F(NumberEditTest, AlignRecreatesTheWindowAndKeepsItsState) {
    UniqueFont font(CreateFontW(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    box_->SetFont(font.get());
    box_->SetMaxLength(4);
    box_->SetText(L"1999");
    SendMessageW(box_->hwnd(), EM_SETREADONLY, TRUE, 0);
    SetFocus(box_->hwnd());
    HWND before = box_->hwnd();
    RECT rectBefore{};
    GetWindowRect(before, &rectBefore);

    box_->SetAlign(TNumberEditAlign::neLeft);
    HWND after = box_->hwnd();
    ASSERT_TRUE(IsWindow(after));
    EXPECT_FALSE(IsWindow(before));
    LONG_PTR style = GetWindowLongPtrW(after, GWL_STYLE);
    EXPECT_FALSE(style & (ES_RIGHT | ES_CENTER));
    EXPECT_TRUE(style & ES_NUMBER);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongPtrW(after, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetParent(after), host_);
    EXPECT_EQ(GetDlgCtrlID(after), 10);
    RECT rectAfter{};
    GetWindowRect(after, &rectAfter);
    EXPECT_TRUE(EqualRect(&rectBefore, &rectAfter));
    EXPECT_EQ(box_->Text(), L"1999");
    EXPECT_EQ(SendMessageW(after, EM_GETLIMITTEXT, 0, 0), 4);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(after, WM_GETFONT, 0, 0)), font.get());
    EXPECT_EQ(GetFocus(), after);
    EXPECT_EQ(GetWindow(after, GW_HWNDNEXT), other_) << "the tab order is kept";

    // Also when the value is unchanged; and the box still hears its changes.
    box_->SetAlign(TNumberEditAlign::neLeft);
    EXPECT_NE(box_->hwnd(), after);
    box_->SetAlign(TNumberEditAlign::neRight);
    EXPECT_TRUE(GetWindowLongPtrW(box_->hwnd(), GWL_STYLE) & ES_RIGHT);
    int changes = 0;
    box_->OnChange = [&] { ++changes; };
    box_->SetText(L"12");
    EXPECT_EQ(changes, 1);
    box_->SetPadNumber(true);
    EXPECT_EQ(box_->Text(), L"0012");
    box_.reset();  // destroys the box's window before the font goes
}

TEST_F(NumberEditTest, BoxesSharingAParentHearOnlyTheirOwnChanges) {
    auto second = std::make_unique<TNumberEdit>();
    second->Create(host_, 12, 120, 10, 100, 24);
    int first = 0, other = 0;
    box_->OnChange = [&] { ++first; };
    second->OnChange = [&] { ++other; };
    second->SetText(L"5");
    box_->SetText(L"6");
    box_->SetText(L"7");
    EXPECT_EQ(first, 2);
    EXPECT_EQ(other, 1);

    // With the second box gone its parent hook must be gone too.
    second.reset();
    box_->SetText(L"8");
    EXPECT_EQ(first, 3);
    SendMessageW(other_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
}

TEST_F(NumberEditTest, BoxOutlivesItsParentAndKeepsItsLastText) {
    // Any window can be the parent, a child one included.
    HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 150, 40, 150, 60, host_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(panel);
    auto boxInPanel = std::make_unique<TNumberEdit>();
    boxInPanel->Create(panel, 3, 0, 0, 80, 24);
    boxInPanel->SetMaxLength(4);
    boxInPanel->SetPadNumber(true);
    boxInPanel->SetNumber(42);
    EXPECT_EQ(boxInPanel->Text(), L"0042") << "the box hears its changes inside a static panel";

    DestroyWindow(panel);
    EXPECT_EQ(boxInPanel->hwnd(), nullptr);
    EXPECT_EQ(boxInPanel->Number(), 42);

    // It can be created again, with what it knew.
    boxInPanel->Create(host_, 3, 150, 40, 80, 24);
    EXPECT_EQ(boxInPanel->Text(), L"0042");
    EXPECT_EQ(SendMessageW(boxInPanel->hwnd(), EM_GETLIMITTEXT, 0, 0), 4);
    boxInPanel->SetNumber(9);
    EXPECT_EQ(boxInPanel->Text(), L"0009");
}

}  // namespace
}  // namespace kiv
