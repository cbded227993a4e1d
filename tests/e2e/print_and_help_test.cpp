// The user's view of printing and help: Ctrl+P and the question, the page on
// the session's file-backed printer, and F1 with and without the guide.
#include "program_test.h"

#include <commctrl.h>

#include "tests/support/postscript_reader.h"
#include "tests/support/test_printers_win.h"

namespace kiv::e2e {
namespace {

constexpr int kPrinterDpi = 300;

int MulDiv96(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

class PrintAndHelpTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        output_ = test::PortOutputFile(test::kTestPrinterPort);
        ASSERT_FALSE(output_.empty()) << "the session has no test printer";
        DeleteFileW(output_.c_str());
    }
    void TearDown() override {
        ProgramTest::TearDown();
        DeleteFileW(output_.c_str());
    }
    // Ctrl+P, and the answer to the question that follows.
    void Print(HWND window, DWORD id, int answer) {
        TypeKeys(window, {VK_CONTROL}, 'P');
        HWND question = WaitForDialog(id, L"Print", kReactionTimeout);
        ASSERT_NE(question, nullptr) << "no question before printing";
        EXPECT_EQ(DialogText(question), L"Do you want to print the current calendar view?\n");
        PostMessageW(question, WM_COMMAND, answer, 0);
    }
    std::wstring output_;
};

TEST_F(PrintAndHelpTest, CtrlPThenOkPrintsTheWindowWithoutItsToolbarOnOnePage) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_TRUE(window && becomesVisible(window));
    RECT client{}, toolbar{}, before{};
    GetClientRect(window, &client);
    GetWindowRect(FindWindowExW(window, nullptr, TOOLBARCLASSNAMEW, nullptr), &toolbar);
    GetWindowRect(window, &before);

    Print(window, id, IDOK);

    const auto job = test::WaitForPrintedJob(output_, 10s);
    ASSERT_TRUE(job) << "nothing was printed";
    EXPECT_EQ(job->title, "Kiv Calendar - 4 columns");
    EXPECT_EQ(job->pages, 1);
    ASSERT_EQ(job->images.size(), 1u);
    const int width = client.right, height = client.bottom - (toolbar.bottom - toolbar.top);
    EXPECT_EQ(job->images[0].width, width);
    EXPECT_EQ(job->images[0].height, height);
    EXPECT_EQ(job->images[0].scaledWidth, MulDiv96(width, kPrinterDpi));
    EXPECT_EQ(job->images[0].scaledHeight, MulDiv96(height, kPrinterDpi));
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "the window did not get its height back";
}

TEST_F(PrintAndHelpTest, CancelPrintsNothing) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_TRUE(window && becomesVisible(window));
    Print(window, id, IDCANCEL);
    EXPECT_FALSE(test::WaitForPrintedJob(output_, 2s));
}

TEST_F(PrintAndHelpTest, F1OpensTheHelpWindowAndEscClosesIt) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_TRUE(window && becomesVisible(window));
    TypeKeys(window, {}, VK_F1);
    HWND help = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (help = FindProcessWindow(id, L"TfShowHtml")) && IsWindowVisible(help); }, 10s));
    wchar_t caption[64]{};
    GetWindowTextW(help, caption, 64);
    EXPECT_STREQ(caption, L"Kiv Calendar Help");
    TypeKeys(help, {}, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(help); }, kReactionTimeout));
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(PrintAndHelpTest, F1WithoutTheGuideNamesTheFileItLookedFor) {
    // A copy of the program in a folder of its own, without Help.html.
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"kiv-without-help-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring program = folder + L"\\KivCalendar.exe";
    ASSERT_TRUE(CopyFileW(driver_->executable().c_str(), program.c_str(), FALSE));
    {
        ProgramDriver copy(program);
        const DWORD id = copy.start();
        HWND window = copy.waitForWindow(id, kStartTimeout);
        ASSERT_TRUE(window && becomesVisible(window));
        TypeKeys(window, {}, VK_F1);
        HWND error = WaitForDialog(id, L"Error", kReactionTimeout);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(DialogText(error), L"Couldn't find the file " + folder + L"\\Help.html\n");
        EXPECT_EQ(FindProcessWindow(id, L"TfShowHtml"), nullptr);
        PostMessageW(error, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(error); }, kReactionTimeout));
    }
    DeleteFileW(program.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kiv::e2e
