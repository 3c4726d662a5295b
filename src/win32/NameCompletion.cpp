#include "NameCompletion.h"

#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>

#include "platform/WinText.h"

namespace kx::win {

// The names as the shell's autocompletion reads them, from the start after
// each Reset. The completion holds a reference; the window changes the names.
class NameList final : public IEnumString {
  public:
    NameList() = default;
    virtual ~NameList() = default;
    std::vector<std::wstring> names;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IEnumString) {
            *out = static_cast<IEnumString*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, LPOLESTR* out, ULONG* fetched) override {
        ULONG given = 0;
        for (; given < count && at_ < names.size(); ++given, ++at_) {
            const std::wstring& name = names[at_];
            const std::size_t bytes = (name.size() + 1) * sizeof(wchar_t);
            out[given] = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
            if (!out[given]) break;
            std::memcpy(out[given], name.c_str(), bytes);
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        at_ = std::min(names.size(), at_ + static_cast<std::size_t>(count));
        return at_ < names.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        at_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumString** out) override {
        auto* copy = new NameList;
        copy->names = names;
        copy->at_ = at_;
        *out = copy;
        return S_OK;
    }

  private:
    std::size_t at_ = 0;
    LONG references_ = 1;
};

NameCompletion::NameCompletion() : names_(new NameList) {}

NameCompletion::~NameCompletion() {
    for (auto& [field, completion] : completions_)
        completion->Release();
    names_->Release();
}

bool NameCompletion::attach(HWND field) {
    IAutoComplete2* completion = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AutoComplete, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAutoComplete2, reinterpret_cast<void**>(&completion))))
        return false;
    if (FAILED(completion->Init(field, names_, nullptr, nullptr))) {
        completion->Release();
        return false;
    }
    completion->SetOptions(ACO_AUTOSUGGEST | ACO_UPDOWNKEYDROPSLIST);
    completions_.emplace_back(field, completion);
    return true;
}

void NameCompletion::setNames(const std::vector<std::string>& names) {
    names_->names.clear();
    for (const std::string& name : names)
        names_->names.push_back(widen(name));
}

bool NameCompletion::droppedDown(HWND field) const {
    for (const auto& [window, completion] : completions_) {
        if (window != field) continue;
        IAutoCompleteDropDown* dropDown = nullptr;
        if (FAILED(completion->QueryInterface(IID_IAutoCompleteDropDown,
                                              reinterpret_cast<void**>(&dropDown))))
            return false;
        DWORD flags = 0;
        LPWSTR shown = nullptr;
        const bool visible =
            SUCCEEDED(dropDown->GetDropDownStatus(&flags, &shown)) && (flags & ACDD_VISIBLE);
        if (shown) CoTaskMemFree(shown);
        dropDown->Release();
        return visible;
    }
    return false;
}

}  // namespace kx::win
