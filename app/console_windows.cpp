// selvora.exe is a windowed program: Windows gives it no console, and cmd.exe does not
// wait for it. Text for the operator that is redirected (or that Wine hands to a Unix
// terminal) is written as it is; otherwise it goes to the console of the cmd.exe or
// PowerShell it was started from, after the prompt that came back at once; started
// from a shortcut with no console at all, it is shown in a message box.
#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

#include <string>

#include "app/command_line.h"
#include "app/console.h"

namespace selvora {

namespace {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

void writeToConsole(HANDLE console, const QString& text) {
    const std::wstring wide = (QStringLiteral("\n") + text).toStdWString();
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

void writeToFile(HANDLE file, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    DWORD written = 0;
    WriteFile(file, utf8.constData(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

// From the UTF-16 command line: argv is in the user's code page, which may not hold
// every letter of a path.
QStringList programArguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return argumentList(argc, argv);
    QStringList arguments;
    for (int i = 0; i < count; ++i)
        arguments << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
    return arguments;
}

void showCommandLineText(const QString& text, bool problem) {
    const HANDLE handle = GetStdHandle(problem ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        if (isConsole(handle))
            writeToConsole(handle, text);
        else
            writeToFile(handle, text);
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr);
        writeToConsole(console, text);
        CloseHandle(console);
        FreeConsole();
        return;
    }
    const std::wstring wide = text.toStdWString();
    MessageBoxW(nullptr, wide.c_str(), L"Selvora", problem ? MB_ICONWARNING : MB_ICONINFORMATION);
}

}  // namespace selvora
