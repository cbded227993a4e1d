// The test helper standing in for the system's handler of a file type or a
// URL scheme, so that a test sees what the program asked the shell to open.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace kiv::test {

inline std::wstring TestFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Points a key's default value elsewhere for the object's lifetime; a key
// that was not there before is removed again.
class RegistryValueSwap {
public:
    RegistryValueSwap(HKEY root, std::wstring key, const std::wstring& value) : root_(root), key_(std::move(key)) {
        HKEY existing = nullptr;
        keyExisted_ = RegOpenKeyExW(root, key_.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS;
        if (existing) RegCloseKey(existing);
        wchar_t old[MAX_PATH] = {};
        DWORD size = sizeof old - sizeof(wchar_t);
        had_ = RegGetValueW(root, key_.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
        old_ = old;
        Set(value);
    }
    ~RegistryValueSwap() {
        if (had_) {
            Set(old_);
        } else if (keyExisted_) {
            RegDeleteKeyValueW(root_, key_.c_str(), nullptr);
        } else {
            RegDeleteTreeW(root_, key_.c_str());
            RegDeleteKeyW(root_, key_.c_str());
        }
    }
    RegistryValueSwap(const RegistryValueSwap&) = delete;
    RegistryValueSwap& operator=(const RegistryValueSwap&) = delete;

private:
    void Set(const std::wstring& value) {
        RegSetKeyValueW(root_, key_.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    HKEY root_;
    std::wstring key_;
    bool keyExisted_ = false;
    bool had_ = false;
    std::wstring old_;
};

// Registers the helper as the handler of a file type (".html") or a URL
// scheme ("mailto") for the object's lifetime; it writes down each name it
// is asked to open, one per line.
class RecordingHandler {
public:
    explicit RecordingHandler(const std::wstring& typeOrScheme)
        : log(TestFolder() + L"opened-" + (typeOrScheme[0] == L'.' ? typeOrScheme.substr(1) : typeOrScheme) +
              L".log"),
          command_(HKEY_CLASSES_ROOT, HandlerCommand(typeOrScheme), L"\"" + TestFolder() + L"kiv_test_helper.exe\" record-open \"" + log +
                                                      L"\" \"%1\""),
          type_(typeOrScheme[0] == L'.' ? std::make_unique<RegistryValueSwap>(HKEY_CLASSES_ROOT, typeOrScheme, kProgId)
                                        : nullptr) {
        DeleteFileW(log.c_str());
    }
    ~RecordingHandler() {
        DeleteFileW(log.c_str());
        if (type_) {
            type_.reset();
            RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
            RegDeleteKeyW(HKEY_CLASSES_ROOT, kProgId);
        }
    }
    RecordingHandler(const RecordingHandler&) = delete;
    RecordingHandler& operator=(const RecordingHandler&) = delete;

    // What was opened so far, once anything was or the time ran out.
    std::string Opened(std::chrono::milliseconds wait) const {
        for (auto until = std::chrono::steady_clock::now() + wait;; std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
            std::ifstream in{std::filesystem::path(log)};
            std::stringstream text;
            if (in) text << in.rdbuf();
            if (!text.str().empty() || std::chrono::steady_clock::now() > until) return text.str();
        }
    }
    const std::wstring log;

private:
    static constexpr wchar_t kProgId[] = L"KivTests.Recorder";
    static std::wstring HandlerCommand(const std::wstring& typeOrScheme) {
        return (typeOrScheme[0] == L'.' ? std::wstring(kProgId) : typeOrScheme) + L"\\shell\\open\\command";
    }
    RegistryValueSwap command_;
    std::unique_ptr<RegistryValueSwap> type_;
};

}  // namespace kiv::test
