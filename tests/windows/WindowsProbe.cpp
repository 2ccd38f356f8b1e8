// windows-probe: what a Windows user sees of our programs, for the package checks under Wine.
//
//   windows-probe console CODEPAGE PROGRAM [ARGUMENTS...]
//       runs PROGRAM in a console of its own set to CODEPAGE, 80 columns wide, and prints what
//       the console then shows, one screen row a line in UTF-8 with the trailing blanks cut;
//       a row filled up to its last column is marked with "|" at its end. Exit status: the
//       program's.
//   windows-probe window FOLDER PROGRAM [SECONDS [keep]]
//       starts PROGRAM with FOLDER as its working folder, as Explorer starts a program in its
//       own folder, and reports the first of its visible top-level windows as "window: TITLE"
//       (the calculator's window) or "box: TITLE" (a message box, which comes before the
//       window), or "nothing" after SECONDS (20); then ends the program, unless "keep" is
//       given: then a second line "pid: N" names the program left running.
//   windows-probe finish SETUP [ARGUMENTS...]
//       runs the installer SETUP with ARGUMENTS through its pages with the Next button, as a user
//       taking every default does, and reports each text of its finish page, one a line, as
//       "fits: TEXT" or "cut: TEXT" (more than its control shows, measured in the control's
//       own font and width); then ends the installer, whose work is done by then.
//
// The console's screen is read back with ReadConsoleOutputCharacterW, which reads the cells as
// the console shows them, after the console's own code page did its work on the bytes written.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

// Command-line quoting as the C runtime reads it back: quotes around words with blanks, and
// backslashes doubled before a quote.
std::wstring CommandLine(int first, int argc, wchar_t** argv) {
    std::wstring line;
    for (int i = first; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (!line.empty())
            line += L' ';
        if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
            line += arg;
            continue;
        }
        line += L'"';
        std::size_t backslashes = 0;
        for (const wchar_t c : arg) {
            if (c == L'\\') {
                ++backslashes;
                continue;
            }
            line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, L'\\');
        line += L'"';
    }
    return line;
}

// The results go to the probe's own standard output, which the console would replace.
HANDLE resultOut = INVALID_HANDLE_VALUE;

void Report(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(resultOut, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int Fail(const std::string& what) {
    Report("windows-probe: " + what + " failed, error " + std::to_string(GetLastError()));
    return 125;
}

int RunInConsole(int argc, wchar_t** argv) {
    const UINT codePage = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10));
    FreeConsole();
    if (!AllocConsole())
        return Fail("AllocConsole");
    if (!SetConsoleOutputCP(codePage) || !SetConsoleCP(codePage))
        return Fail("SetConsoleOutputCP");
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE screen =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    const HANDLE keyboard =
        CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    if (screen == INVALID_HANDLE_VALUE || keyboard == INVALID_HANDLE_VALUE)
        return Fail("CONOUT$");
    // 80 columns, as a console opens by default, and rows enough that nothing scrolls away.
    constexpr SHORT kColumns = 80;
    constexpr SHORT kRows = 400;
    if (!SetConsoleScreenBufferSize(screen, COORD{kColumns, kRows}))
        return Fail("SetConsoleScreenBufferSize");

    std::wstring line = CommandLine(3, argc, argv);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = keyboard;
    startup.hStdOutput = screen;
    startup.hStdError = screen;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return Fail("CreateProcess");
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 124);
        Report("windows-probe: the program did not end within 60 s");
        return 124;
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);

    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(screen, &info))
        return Fail("GetConsoleScreenBufferInfo");
    const SHORT columns = info.dwSize.X;
    for (SHORT row = 0; row < info.dwCursorPosition.Y; ++row) {
        std::wstring cells(static_cast<std::size_t>(columns), L' ');
        DWORD read = 0;
        if (!ReadConsoleOutputCharacterW(screen, cells.data(), static_cast<DWORD>(columns),
                                         COORD{0, row}, &read))
            return Fail("ReadConsoleOutputCharacterW");
        cells.resize(read);
        const bool full = !cells.empty() && cells.back() != L' ';
        cells.erase(cells.find_last_not_of(L' ') + 1);
        Report(Utf8(cells) + (full ? "|" : ""));
    }
    return static_cast<int>(status);
}

struct Found {
    DWORD processId;
    std::wstring title;
    bool visible = false;
};

BOOL CALLBACK VisibleWindowOf(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != found->processId || !IsWindowVisible(window))
        return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    found->title = title;
    found->visible = true;
    return FALSE;
}

int WatchWindows(int argc, wchar_t** argv) {
    const std::wstring folder = argv[2];
    std::wstring line = CommandLine(3, 4, argv);
    const int seconds = argc > 4 ? static_cast<int>(std::wcstol(argv[4], nullptr, 10)) : 20;
    // No standard handles, as Explorer gives none: a program left running keeps no pipe of
    // the caller's open.
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return Fail("CreateProcess");
    Found found{process.dwProcessId, {}};
    for (int tick = 0; tick < seconds * 4 && !found.visible; ++tick) {
        if (WaitForSingleObject(process.hProcess, 250) == WAIT_OBJECT_0)
            break;
        EnumWindows(VisibleWindowOf, reinterpret_cast<LPARAM>(&found));
    }
    const bool keep = argc > 5 && std::wstring(argv[5]) == L"keep";
    if (!keep) {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
    }
    // The calculator's caption goes on after the program title; a message box is titled with
    // the program title alone.
    if (!found.visible)
        Report("nothing");
    else if (found.title.rfind(L"Vemo Maut - ", 0) == 0)
        Report("window: " + Utf8(found.title));
    else
        Report("box: " + Utf8(found.title));
    if (keep)
        Report("pid: " + std::to_string(process.dwProcessId));
    return 0;
}

struct PageText {
    std::wstring text;
    bool fits = true;
};

// Whether a static text or a check box shows all of its text: word-wrapped as the control
// draws it, within its client area (beside the box, for a check box).
bool ShowsWhole(HWND control, const std::wstring& text, bool checkBox) {
    RECT client{};
    GetClientRect(control, &client);
    const HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const LONG width = client.right - (checkBox ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);
    RECT need{0, 0, width, 0};
    const UINT flags = checkBox ? DT_SINGLELINE : DT_WORDBREAK | DT_EXPANDTABS;
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | flags);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return need.right <= width && need.bottom <= client.bottom;
}

BOOL CALLBACK TextOfPage(HWND control, LPARAM param) {
    if (!IsWindowVisible(control))
        return TRUE;
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool text = std::wstring(kind) == L"Static" && (style & SS_TYPEMASK) != SS_BITMAP &&
                      (style & SS_TYPEMASK) != SS_ICON;
    const LONG button = style & BS_TYPEMASK;
    const bool checkBox =
        std::wstring(kind) == L"Button" && (button == BS_CHECKBOX || button == BS_AUTOCHECKBOX);
    if (!text && !checkBox)
        return TRUE;
    const int length = GetWindowTextLengthW(control);
    if (length == 0)
        return TRUE;
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(control, caption.data(), length + 1)));
    reinterpret_cast<std::vector<PageText>*>(param)->push_back(
        {caption, ShowsWhole(control, caption, checkBox)});
    return TRUE;
}

BOOL CALLBACK MainWindowOf(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != found->first || !IsWindowVisible(window) || !GetDlgItem(window, IDOK))
        return TRUE;
    found->second = window;
    return FALSE;
}

std::wstring ButtonText(HWND button) {
    wchar_t text[64] = {};
    GetWindowTextW(button, text, 64);
    std::wstring shown;
    for (const wchar_t* c = text; *c; ++c)
        if (*c != L'&')
            shown += *c;
    return shown;
}

int CheckFinishPage(int argc, wchar_t** argv) {
    std::wstring line = CommandLine(2, argc, argv);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return Fail("CreateProcess");
    // The finish page is the one whose Next button reads "Dokončit" (the Czech installer's).
    std::pair<DWORD, HWND> found{process.dwProcessId, nullptr};
    HWND page = nullptr;
    int clicked = 0; // ticks since the last click
    bool finished = false;
    for (int tick = 0; tick < 480 && !finished; ++tick, ++clicked) {
        if (WaitForSingleObject(process.hProcess, 250) == WAIT_OBJECT_0)
            break;
        found.second = nullptr;
        EnumWindows(MainWindowOf, reinterpret_cast<LPARAM>(&found));
        if (!found.second)
            continue;
        const HWND next = GetDlgItem(found.second, IDOK);
        // Each page is a dialog of its own inside the window: one click per page, and another
        // only when a page stays for seconds (a new page may get the handle of the old one).
        const HWND shown = FindWindowExW(found.second, nullptr, L"#32770", nullptr);
        finished = ButtonText(next) == L"Dokončit";
        if (!finished && (shown != page || clicked > 12) && IsWindowEnabled(next) &&
            IsWindowVisible(next)) {
            page = shown;
            clicked = 0;
            PostMessageW(found.second, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(next));
        }
    }
    int status = 0;
    if (!finished) {
        Report("windows-probe: the installer showed no finish page");
        status = 124;
    } else {
        // The button's text comes before the page's controls: they are read once they stay.
        std::vector<PageText> texts;
        std::size_t before = 0;
        for (int wait = 0; wait < 40; ++wait, Sleep(250)) {
            texts.clear();
            EnumChildWindows(found.second, TextOfPage, reinterpret_cast<LPARAM>(&texts));
            if (texts.size() > 1 && texts.size() == before)
                break;
            before = texts.size();
        }
        for (PageText& text : texts) {
            for (wchar_t& c : text.text)
                if (c == L'\r' || c == L'\n')
                    c = L' ';
            Report((text.fits ? "fits: " : "cut: ") + Utf8(text.text));
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    return status;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    resultOut = GetStdHandle(STD_OUTPUT_HANDLE);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"console" && argc >= 4)
        return RunInConsole(argc, argv);
    if (command == L"window" && argc >= 4)
        return WatchWindows(argc, argv);
    if (command == L"finish" && argc >= 3)
        return CheckFinishPage(argc, argv);
    Report("usage: windows-probe console CODEPAGE PROGRAM [ARGUMENTS...]\n"
           "       windows-probe window FOLDER PROGRAM [SECONDS]\n"
           "       windows-probe finish SETUP [ARGUMENTS...]");
    return 2;
}
