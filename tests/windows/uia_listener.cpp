// Listens to the desktop as a Windows screen reader does, through UI Automation, and writes what a
// reader would be told of the focus, one line each, as soon as it is told:
//   TICKS window NAME                                  (the focus is in another window now)
//   TICKS focus NAME | CONTROL TYPE | FULL DESCRIPTION
// TICKS is Windows' tick count in seconds, as Wine stamps its own trace with (WINEDEBUG=+timestamp),
// so that the two read as one account. It prints "listening" once its handler is in place, and
// runs until it is ended.
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <set>
#include <string>
#include <uiautomation.h>
#include <windows.h>

namespace {

std::string utf8(const wchar_t *text, UINT length)
{
    const int size = WideCharToMultiByte(
        CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(
        CP_UTF8, 0, text, static_cast<int>(length), bytes.data(), size, nullptr, nullptr);
    // One event, one line, whatever the texts hold.
    for (char &c : bytes) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return bytes;
}

// Wine answers the plain GetCurrentPropertyValue with nothing; the Ex form asks the provider.
std::string textProperty(IUIAutomationElement &element, PROPERTYID id)
{
    VARIANT value;
    VariantInit(&value);
    std::string text;
    if (SUCCEEDED(element.GetCurrentPropertyValueEx(id, TRUE, &value)) && value.vt == VT_BSTR
        && value.bstrVal)
        text = utf8(value.bstrVal, SysStringLen(value.bstrVal));
    VariantClear(&value);
    return text;
}

// The control types the game's elements have; any other by its number.
std::string controlType(CONTROLTYPEID type)
{
    switch (type) {
    case UIA_ButtonControlTypeId:
        return "Button";
    case UIA_GroupControlTypeId:
        return "Group";
    case UIA_WindowControlTypeId:
        return "Window";
    default:
        return std::to_string(type);
    }
}

// Events come on UI Automation's own threads: each line is written whole.
CRITICAL_SECTION output;

void print(const std::string &line)
{
    EnterCriticalSection(&output);
    const DWORD ticks = GetTickCount(); // Wine's stamp is the same 32-bit count
    std::printf("%lu.%03lu %s\n", ticks / 1000, ticks % 1000, line.c_str());
    std::fflush(stdout);
    LeaveCriticalSection(&output);
}

class FocusListener final : public IUIAutomationFocusChangedEventHandler
{
public:
    explicit FocusListener(IUIAutomation &automation)
        : m_automation(automation)
    { }

    // Lives as long as the program: counting references would change nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (iid == IID_IUnknown || iid == IID_IUIAutomationFocusChangedEventHandler) {
            *object = static_cast<IUIAutomationFocusChangedEventHandler *>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(IUIAutomationElement *sender) override
    {
        CONTROLTYPEID type = 0;
        if (FAILED(sender->get_CurrentControlType(&type)))
            return S_OK;
        // A reader names the window first when the focus has moved into another one.
        if (HWND window = GetForegroundWindow(); window != m_window) {
            m_window = window;
            IUIAutomationElement *element = nullptr;
            if (SUCCEEDED(m_automation.ElementFromHandle(window, &element)) && element) {
                print("window " + textProperty(*element, UIA_NamePropertyId));
                element->Release();
            }
        }
        print("focus " + textProperty(*sender, UIA_NamePropertyId) + " | " + controlType(type)
            + " | " + textProperty(*sender, UIA_FullDescriptionPropertyId));
        return S_OK;
    }

private:
    IUIAutomation &m_automation;
    HWND m_window = nullptr; // only UI Automation's event thread touches it
};

struct Windows
{
    IUIAutomation *automation;
    std::set<HWND> asked;
};

// A reader asks every window that appears for its accessible object; until a window is asked,
// Qt raises nothing from it.
BOOL CALLBACK askWindow(HWND window, LPARAM context)
{
    auto &windows = *reinterpret_cast<Windows *>(context);
    if (IsWindowVisible(window) && windows.asked.insert(window).second) {
        IUIAutomationElement *element = nullptr;
        if (SUCCEEDED(windows.automation->ElementFromHandle(window, &element)) && element)
            element->Release();
    }
    return TRUE;
}

} // namespace

int main()
{
    _setmode(
        _fileno(stdout), _O_BINARY); // lines end in \n alone, as the scripts reading them expect
    InitializeCriticalSection(&output);
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 2;
    IUIAutomation *automation = nullptr;
    if (FAILED(CoCreateInstance(CLSID_CUIAutomation8, nullptr, CLSCTX_INPROC_SERVER,
            IID_IUIAutomation, reinterpret_cast<void **>(&automation)))) {
        std::fprintf(stderr, "uia_listener: no UI Automation client\n");
        return 2;
    }
    static FocusListener focus(*automation);
    if (FAILED(automation->AddFocusChangedEventHandler(nullptr, &focus))) {
        std::fprintf(stderr, "uia_listener: focus changes cannot be listened to\n");
        return 2;
    }
    print("listening");
    Windows windows { automation, {} };
    for (;;) {
        EnumWindows(askWindow, reinterpret_cast<LPARAM>(&windows));
        // Forget the windows that are gone, lest a new one be given an old handle.
        std::erase_if(windows.asked, [](HWND window) { return !IsWindow(window); });
        Sleep(50);
    }
}
