// The about box's texts, its version line and its layout as data, apart
// from the window that shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kiv {

// What the caller hands the about box: the version and the span of years of
// the author line.
struct AboutVersion {
    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    std::wstring Suffix;
    std::wstring Years;  // first and last year joined by a hyphen
};

// The program's own.
extern const AboutVersion kAboutVersion;

inline constexpr wchar_t kAboutCaption[] = L"About";
inline constexpr wchar_t kAboutVersionFormat[] = L"Version %d.%.2d%s";
inline constexpr wchar_t kAboutAuthorFormat[] = L"Copyright \u00A9 %s Kiv Soft";
inline constexpr wchar_t kAboutEmail[] = L"kiv@kivsoft.example";
inline constexpr wchar_t kAboutWebSite[] = L"https://kivsoft.example";
inline constexpr wchar_t kAboutSendEmail[] = L"If you have any suggestion, find a bug, etc., send me an e-mail.";
inline constexpr wchar_t kAboutResponsibility[] =
    L"This program is provided as it is, without warranty of any kind. You use it at your own risk: "
    L"the author is not liable for any loss or damage it may cause.";

// Printf-style formatting of the design texts: %d takes a number, %.Nd a
// number of at least N digits, %s a text, and %% is a percent sign. A
// conversion without its kind of argument is a fault of the design text
// (std::invalid_argument).
using AboutTextArg = std::variant<long long, std::wstring>;
std::wstring FormatAboutText(std::wstring_view format, const std::vector<AboutTextArg>& args);

// "Version 2.42": the minor number always has two digits at least.
std::wstring AboutVersionText(const AboutVersion& version);
std::wstring AboutAuthorText(const AboutVersion& version);
// What the e-mail field opens.
std::wstring MailtoLink(const std::wstring& address);

enum class AboutItemKind : unsigned char {
    Icon,
    Label,       // as wide as its text
    RightLabel,  // as wide as its text, ending at left + width
    Wrapped,     // word-wrapped within its width, as high as its text needs
    Link,        // read-only field that opens what it shows, widened for a text that needs it
    Button,
};

struct AboutItem {
    AboutItemKind kind;
    int id;
    int left, top, width, height;  // pixels at 96 DPI inside the client area
    const wchar_t* text;           // nullptr: filled in when the box is made
};

namespace about_ids {
constexpr int kOk = 1;  // IDOK
constexpr int kIcon = 100, kName = 101, kVersion = 102, kAuthor = 103, kEmailLabel = 104, kEmail = 105,
              kWebLabel = 106, kWeb = 107, kSendEmail = 108, kResponsibility = 109;
}  // namespace about_ids

inline constexpr int kAboutClientWidth = 392;
inline constexpr int kAboutClientHeight = 323;

struct AboutBevel {
    int left, top, width, height;
    int field;  // the id of the field it frames (etched), or 0 (a sunken box)
};

// The controls in tab order (the OK button, then the two fields), then the
// rest.
const std::vector<AboutItem>& AboutLayout();
const std::vector<AboutBevel>& AboutBevels();

}  // namespace kiv
