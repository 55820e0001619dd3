// What screen readers read for each control on Windows: the names and descriptions of the shared
// table, through Windows' accessibility interface (MSAA, which UI Automation reads too).
#include "platform/win32/Accessibility.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

namespace tavimo::win32 {
namespace {

constexpr UINT_PTR accessibilitySubclassId = 3;
// The control's texts are found by this window property too, so that they can be replaced.
constexpr wchar_t textsProperty[] = L"TavimoAccessibleTexts";

struct Texts {
    std::wstring name;
    std::wstring description;
    long role = 0;
};

HRESULT answer(const std::wstring& text, BSTR* result)
{
    *result = SysAllocStringLen(text.data(), UINT(text.size()));
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Windows' accessible object of a control, with another name and description for the control
// itself; everything else, its children's texts included, is the standard object's.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, Texts texts)
        : m_standard(standard), m_texts(std::move(texts))
    {}

    // IUnknown: this object for IAccessible and its bases, the standard object's enumeration of
    // its children and its window; nothing else.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        if (id == __uuidof(IEnumVARIANT) || id == __uuidof(IOleWindow)) {
            return m_standard->QueryInterface(id, object);
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) {
            m_standard->Release();
            delete this;
        }
        return left;
    }

    // The texts and the role of the control itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (isSelf(child) && !m_texts.name.empty()) {
            return answer(m_texts.name, name);
        }
        return m_standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        if (isSelf(child) && !m_texts.description.empty()) {
            return answer(m_texts.description, description);
        }
        return m_standard->get_accDescription(child, description);
    }

    // The rest as the standard object answers it.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return m_standard->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* wrong) override
    {
        return m_standard->Invoke(member, id, locale, flags, parameters, result, exception, wrong);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (isSelf(child) && m_texts.role != 0) {
            role->vt = VT_I4;
            role->lVal = m_texts.role;
            return S_OK;
        }
        return m_standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

private:
    static bool isSelf(const VARIANT& child)
    {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }

    IAccessible* m_standard;
    Texts m_texts;
    ULONG m_references = 1;
};

LRESULT CALLBACK accessibilityProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data)
{
    auto* texts = reinterpret_cast<Texts*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        IAccessible* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&standard)))) {
            auto* named = new NamedAccessible(standard, *texts);
            const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, named);
            named->Release();
            return result;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, accessibilityProc, accessibilitySubclassId);
        RemovePropW(control, textsProperty);
        delete texts;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void setAccessibleTexts(HWND control, std::wstring name, std::wstring description, long role)
{
    if (auto* texts = static_cast<Texts*>(GetPropW(control, textsProperty))) {
        *texts = {std::move(name), std::move(description), role};
        return;
    }
    auto* texts = new Texts{std::move(name), std::move(description), role};
    if (!SetWindowSubclass(control, accessibilityProc, accessibilitySubclassId,
                           reinterpret_cast<DWORD_PTR>(texts))) {
        delete texts;
        return;
    }
    SetPropW(control, textsProperty, texts);
}

} // namespace tavimo::win32
