#include "help/about.h"

#include <stdexcept>

#include "kiv_version.h"

namespace kiv {

const AboutVersion kAboutVersion{KIV_VERSION_MAJOR, KIV_VERSION_MINOR, L"", L"2008-2026"};

std::wstring FormatAboutText(std::wstring_view format, const std::vector<AboutTextArg>& args) {
    std::wstring out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            out += format[i];
            continue;
        }
        if (++i < format.size() && format[i] == L'%') {
            out += L'%';
            continue;
        }
        size_t digits = 0;
        if (i < format.size() && format[i] == L'.')
            for (++i; i < format.size() && format[i] >= L'0' && format[i] <= L'9'; ++i)
                digits = digits * 10 + static_cast<size_t>(format[i] - L'0');
        if (i >= format.size() || next >= args.size()) throw std::invalid_argument("A format lacks an argument");
        const AboutTextArg& arg = args[next++];
        if (format[i] == L'd' && std::holds_alternative<long long>(arg)) {
            const long long n = std::get<long long>(arg);
            std::wstring number = std::to_wstring(n < 0 ? -n : n);
            if (number.size() < digits) number.insert(0, digits - number.size(), L'0');
            if (n < 0) out += L'-';
            out += number;
        } else if (format[i] == L's' && std::holds_alternative<std::wstring>(arg)) {
            out += std::get<std::wstring>(arg);
        } else {
            throw std::invalid_argument("A format's argument does not match its conversion");
        }
    }
    return out;
}

std::wstring AboutVersionText(const AboutVersion& version) {
    return FormatAboutText(kAboutVersionFormat, {version.Major, version.Minor, version.Suffix});
}

std::wstring AboutAuthorText(const AboutVersion& version) { return FormatAboutText(kAboutAuthorFormat, {version.Years}); }

std::wstring MailtoLink(const std::wstring& address) { return L"mailto:" + address; }

const std::vector<AboutItem>& AboutLayout() {
    using K = AboutItemKind;
    namespace ids = about_ids;
    static const std::vector<AboutItem> layout = {
        {K::Button, ids::kOk, 158, 290, 75, 25, L"&OK"},
        {K::Link, ids::kEmail, 151, 97, 135, 16, kAboutEmail},
        {K::Link, ids::kWeb, 151, 122, 135, 16, kAboutWebSite},
        {K::Icon, ids::kIcon, 30, 25, 32, 32, nullptr},
        {K::Label, ids::kName, 75, 25, 0, 13, nullptr},
        {K::Label, ids::kVersion, 75, 45, 0, 13, nullptr},
        {K::Label, ids::kAuthor, 30, 70, 0, 13, nullptr},
        // Both captions end 5 pixels before the frames of their fields.
        {K::RightLabel, ids::kEmailLabel, 104, 97, 36, 13, L"E-mail:"},
        {K::RightLabel, ids::kWebLabel, 90, 122, 50, 13, L"Web site:"},
        {K::Wrapped, ids::kSendEmail, 25, 150, 346, 13, kAboutSendEmail},
        {K::Wrapped, ids::kResponsibility, 25, 230, 346, 39, kAboutResponsibility},
    };
    return layout;
}

const std::vector<AboutBevel>& AboutBevels() {
    static const std::vector<AboutBevel> bevels = {
        {10, 10, 373, 271, 0},
        {145, 92, 146, 23, about_ids::kEmail},
        {145, 117, 146, 23, about_ids::kWeb},
    };
    return bevels;
}

}  // namespace kiv
