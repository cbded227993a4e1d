#include "help/browser_host_win.h"

#include <cstdio>

namespace kiv {
namespace {

// The identities this file needs, spelled out so that no GUID library is linked.
constexpr CLSID kClsidWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
constexpr IID kIidWebBrowser2 = {0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};
constexpr IID OleIid(unsigned long n) { return {n, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}; }
constexpr IID kIidUnknown = OleIid(0x00000000);
constexpr IID kIidOleObject = OleIid(0x00000112);
constexpr IID kIidOleInPlaceObject = OleIid(0x00000113);
constexpr IID kIidOleWindow = OleIid(0x00000114);
constexpr IID kIidOleInPlaceUIWindow = OleIid(0x00000115);
constexpr IID kIidOleInPlaceFrame = OleIid(0x00000116);
constexpr IID kIidOleClientSite = OleIid(0x00000118);
constexpr IID kIidOleInPlaceSite = OleIid(0x00000119);

using Microsoft::WRL::ComPtr;

// A BSTR for the one call that takes one. The string functions live in a
// library the program does not link, but which the browser control loads anyway.
class Bstr {
public:
    explicit Bstr(const std::wstring& text) noexcept {
        if (Api().alloc) value_ = Api().alloc(text.c_str());
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() {
        if (value_) Api().free(value_);
    }
    BSTR get() const noexcept { return value_; }

private:
    struct Functions {
        BSTR(WINAPI* alloc)(const OLECHAR*) = nullptr;
        void(WINAPI* free)(BSTR) = nullptr;
    };
    static const Functions& Api() noexcept {
        static const Functions functions = [] {
            Functions f;
            if (HMODULE library = LoadLibraryW(L"oleaut32.dll")) {
                f.alloc = reinterpret_cast<decltype(f.alloc)>(
                    reinterpret_cast<void*>(GetProcAddress(library, "SysAllocString")));
                f.free = reinterpret_cast<decltype(f.free)>(
                    reinterpret_cast<void*>(GetProcAddress(library, "SysFreeString")));
                if (!f.free) f.alloc = nullptr;
            }
            return f;
        }();
        return functions;
    }
    BSTR value_ = nullptr;
};

std::string HresultText(HRESULT result) {
    char text[80];
    std::snprintf(text, sizeof text, "The web-browser control is not available (0x%08lX)",
                  static_cast<unsigned long>(result));
    return text;
}

}  // namespace

BrowserUnavailable::BrowserUnavailable(HRESULT result) : std::runtime_error(HresultText(result)), result_(result) {}

// A COM object is freed by its own Release, never deleted through an
// interface, so the interfaces' lack of virtual destructors does no harm.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// What the control asks of its container, answered for one window. It is
// reference-counted by the control; once detached it answers as a site
// whose window has gone. No method throws.
class BrowserHost::Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit Site(HWND window) noexcept : window_(window) {}

    void Detach() noexcept {
        window_ = nullptr;
        activeObject_.Reset();
    }
    IOleInPlaceActiveObject* ActiveObject() const noexcept { return activeObject_.Get(); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidOleClientSite))
            *out = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(iid, kIidOleWindow) || IsEqualIID(iid, kIidOleInPlaceSite))
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(iid, kIidOleInPlaceUIWindow) || IsEqualIID(iid, kIidOleInPlaceFrame))
            *out = static_cast<IOleInPlaceFrame*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for both the site and the frame
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
        if (!out) return E_POINTER;
        *out = window_;
        return window_ ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return window_ ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) override {
        if (!frame || !document || !position || !clip || !info) return E_POINTER;
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;  // the frame is the only document window
        RECT client{};
        if (window_) GetClientRect(window_, &client);
        *position = client;
        *clip = client;
        info->fMDIApp = FALSE;
        info->hwndFrame = window_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        activeObject_.Reset();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow: no toolbars of the control's own
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return OLE_E_INVALIDRECT; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        activeObject_ = object;
        return S_OK;
    }

    // IOleInPlaceFrame: no menus to merge, no status bar
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~Site() = default;

    LONG references_ = 1;
    HWND window_;
    ComPtr<IOleInPlaceActiveObject> activeObject_;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

BrowserHost::BrowserHost() = default;

BrowserHost::~BrowserHost() { Close(); }

void BrowserHost::Create(HWND window) {
    Close();
    HRESULT result = CoCreateInstance(kClsidWebBrowser, nullptr, CLSCTX_INPROC_SERVER, kIidOleObject,
                                      reinterpret_cast<void**>(object_.ReleaseAndGetAddressOf()));
    if (FAILED(result) || !object_) {
        object_.Reset();
        throw BrowserUnavailable(FAILED(result) ? result : E_NOINTERFACE);
    }
    window_ = window;
    site_.Attach(new Site(window));
    IOleClientSite* site = site_.Get();
    result = object_->SetClientSite(site);
    RECT client{};
    GetClientRect(window, &client);
    if (SUCCEEDED(result)) result = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, window, &client);
    if (SUCCEEDED(result))
        result = object_->QueryInterface(kIidWebBrowser2, reinterpret_cast<void**>(browser_.ReleaseAndGetAddressOf()));
    if (FAILED(result) || !browser_) {
        browser_.Reset();
        Close();
        throw BrowserUnavailable(FAILED(result) ? result : E_NOINTERFACE);
    }
}

void BrowserHost::Navigate(const std::wstring& path) noexcept {
    if (!browser_) return;
    Bstr url(path);
    if (!url.get()) return;
    VARIANT empty{};  // VT_EMPTY: no flags, no target frame, no post data, no headers
    browser_->Navigate(url.get(), &empty, &empty, &empty, &empty);
}

void BrowserHost::Resize() noexcept {
    if (!object_ || !window_) return;
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_->QueryInterface(kIidOleInPlaceObject, reinterpret_cast<void**>(inPlace.GetAddressOf()))) &&
        inPlace) {
        RECT client{};
        GetClientRect(window_, &client);
        inPlace->SetObjectRects(&client, &client);
    }
}

bool BrowserHost::PreTranslateKey(MSG& msg) noexcept {
    IOleInPlaceActiveObject* active = site_ ? site_->ActiveObject() : nullptr;
    return active && active->TranslateAccelerator(&msg) == S_OK;
}

void BrowserHost::Close() noexcept {
    browser_.Reset();
    if (object_) {
        ComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(object_->QueryInterface(kIidOleInPlaceObject, reinterpret_cast<void**>(inPlace.GetAddressOf()))) &&
            inPlace)
            inPlace->InPlaceDeactivate();
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.Reset();
    }
    if (site_) {
        site_->Detach();
        site_.Reset();
    }
    window_ = nullptr;
}

}  // namespace kiv
