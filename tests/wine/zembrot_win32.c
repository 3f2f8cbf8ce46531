/* A Windows game for the tests: one window titled "Zembrot" that writes each
 * key it receives to zembrot.log in the working folder, named as the
 * stand-in game names them ("Space", "Alt+G", "Return"). Unlike the stand-in
 * it never asks the X server for the focus: it behaves like any Windows
 * program run through Wine. ZEMBROT_WINDOW_DELAY delays the window by that
 * many seconds, as a cold Wine start does. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static const char *baseName(WPARAM key, char *letter) {
    switch (key) {
    case VK_SPACE: return "Space";
    case VK_RETURN: return "Return";
    case VK_ESCAPE: return "Escape";
    case VK_TAB: return "Tab";
    case VK_BACK: return "Backspace";
    case VK_UP: return "Up";
    case VK_DOWN: return "Down";
    case VK_LEFT: return "Left";
    case VK_RIGHT: return "Right";
    case VK_DELETE: return "Delete";
    default: break;
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        letter[0] = (char)key;
        letter[1] = 0;
        return letter;
    }
    return NULL;
}

static void logKey(WPARAM key) {
    char letter[2];
    const char *name = baseName(key, letter);
    if (!name) return;
    FILE *log = fopen("zembrot.log", "ab");
    if (!log) return;
    fprintf(log, "%s%s%s%s\n", GetKeyState(VK_CONTROL) < 0 ? "Ctrl+" : "", GetKeyState(VK_MENU) < 0 ? "Alt+" : "",
            GetKeyState(VK_SHIFT) < 0 ? "Shift+" : "", name);
    fclose(log);
}

static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        logKey(wParam);
        return 0;
    case WM_SYSCHAR:
    case WM_SYSKEYUP:
        return 0; /* Alt+letter opens no menu and beeps not */
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH sky = CreateSolidBrush(RGB(10, 20, 60));
        FillRect(dc, &paint.rcPaint, sky);
        DeleteObject(sky);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 220, 0));
        TextOutA(dc, 20, 20, "Zembrot (Windows)", 17);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    const char *delay = getenv("ZEMBROT_WINDOW_DELAY");
    if (delay && atoi(delay) > 0) Sleep((DWORD)atoi(delay) * 1000);

    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.lpszClassName = "ZembrotWin32";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("ZembrotWin32", "Zembrot", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                200, 150, 400, 300, NULL, NULL, instance, NULL);
    if (!window) return 2;
    ShowWindow(window, show ? show : SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
