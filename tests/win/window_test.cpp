// The window and subclass bases: an object and its window may go in either
// order, and several subclasses share one control.
#include "widgets/window_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace kiv {
namespace {

class Probe final : public Window {
public:
    void Create(HWND parent = nullptr) {
        registerClass(L"KivWindowProbe");
        create(L"KivWindowProbe", L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 0, 10, 10, parent, nullptr);
    }
    int destroyedCalls = 0;

protected:
    std::optional<LRESULT> onMessage(UINT, WPARAM, LPARAM) override { return std::nullopt; }
    void onDestroyed() override { ++destroyedCalls; }
};

// Counts the access violations raised in this process, handled or not.
class AccessViolations {
public:
    AccessViolations() : handler_(AddVectoredExceptionHandler(1, &AccessViolations::count)) { count_ = 0; }
    ~AccessViolations() { RemoveVectoredExceptionHandler(handler_); }
    AccessViolations(const AccessViolations&) = delete;
    AccessViolations& operator=(const AccessViolations&) = delete;
    int raised() const { return count_; }

private:
    static LONG CALLBACK count(EXCEPTION_POINTERS* info) {
        if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++count_;
        return EXCEPTION_CONTINUE_SEARCH;
    }
    static inline int count_ = 0;
    void* handler_;
};

TEST(WindowTeardown, AnObjectGoingBeforeItsWindowsTakesThemWithoutCallingIntoItself) {
    AccessViolations violations;
    HWND parentWindow = nullptr;
    HWND childWindow = nullptr;
    {
        // Members go in reverse order: the parent's object before the child's.
        Probe child;
        Probe parent;
        parent.Create();
        child.Create(parent.hwnd());
        parentWindow = parent.hwnd();
        childWindow = child.hwnd();
    }
    EXPECT_FALSE(IsWindow(parentWindow));
    EXPECT_FALSE(IsWindow(childWindow));
    {
        Probe parent;
        Probe child;
        parent.Create();
        child.Create(parent.hwnd());
        childWindow = child.hwnd();
        {
            Probe gone;
            gone.Create(parent.hwnd());
        }
        // The child whose object lives on still learns that its window went.
        DestroyWindow(parent.hwnd());
        EXPECT_EQ(child.hwnd(), nullptr);
        EXPECT_EQ(child.destroyedCalls, 1);
    }
    EXPECT_FALSE(IsWindow(childWindow));
    EXPECT_EQ(violations.raised(), 0);
}

class MessageCounter final : public Subclass {
public:
    int count = 0;

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM, LPARAM) override {
        if (msg == WM_APP) ++count;
        return std::nullopt;
    }
};

TEST(SubclassTest, SeveralObjectsExtendOneControlEachOnItsOwn) {
    HWND control = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(control, nullptr);
    MessageCounter first, second;
    first.attach(control);
    second.attach(control);
    SendMessageW(control, WM_APP, 0, 0);
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(second.count, 1);

    second.detach();
    SendMessageW(control, WM_APP, 0, 0);
    EXPECT_EQ(first.count, 2);
    EXPECT_EQ(second.count, 1);

    DestroyWindow(control);
    EXPECT_EQ(first.hwnd(), nullptr);
}

}  // namespace
}  // namespace kiv
