#pragma once

#include "res/resource.h"
#include "shell/desktop.h"
#include "win32/toolbar_strip.h"
#include "win32/tray_icon.h"

#include <windows.h>

namespace vellix {

// The main window's timer that brings a scheduled clipboard retry.
constexpr UINT_PTR CLIPBOARD_RETRY_TIMER = 1;

// The desktop of the Windows program: the main window, its controls and its icon.
class Win32Desktop : public Desktop {
public:
    explicit Win32Desktop(HINSTANCE instance) : instance_(instance), trayIcon_(instance) {}

    // The main window, bound when it is created and let go when it is gone.
    void attach(HWND mainWindow) { main_ = mainWindow; }
    HWND mainWindow() const { return main_; }
    const ToolbarStrip& strip() const { return strip_; }
    // Lays the main window out for the display scale it moved to.
    void scaleTo(int dpi);
    // The pictures drawn again after the theme changed to or from high contrast.
    void refreshPictures();

    bool addTrayIcon() override;
    void removeTrayIcon() override;
    void showTrayMenu(const TrayMenuState& state) override;

    void showWindow(ShowCommand command) override;
    bool isWindowVisible() override;
    void bringToForeground() override;
    void destroyWindow() override;
    void quitMessageLoop() override;
    void runAboutDialog() override;
    void runRulesDialog(RuleSet& rules) override;
    void bringRulesDialogToFront() override;

    void createToolbarStrip() override;
    void showSingleNumberLayout() override;
    void showSeveralNumbersLayout(std::int32_t kind, const char* label) override;
    void setNumberButtonImage(std::int32_t kind) override;

    void clearNumberBox() override;
    void appendToNumberBox(const char* text) override;
    void setNumberBoxText(const char* text) override;
    void selectNumberBoxItem(std::size_t index) override;
    void readNumberBox(char* text, std::size_t size) override;
    void focusNumberBox() override;

    MenuHandle createPopupMenu() override;
    void insertMenuItem(MenuHandle menu, std::size_t position, std::uint32_t command,
                        const char* text) override;
    void trackNumberMenu(MenuHandle menu) override;
    void destroyMenu(MenuHandle menu) override;

    bool listenToClipboard() override;
    void stopListeningToClipboard() override;
    WindowHandle joinClipboardChain() override;
    void leaveClipboardChain(WindowHandle nextViewer) override;
    void forwardClipboardChange(WindowHandle nextViewer, std::uintptr_t wParam,
                                std::intptr_t lParam) override;
    void forwardChainChange(WindowHandle nextViewer, WindowHandle removed,
                            WindowHandle following) override;
    ClipboardRead readClipboardNumbers(CapturedNumberList& numbers, bool findInText) override;
    void scheduleClipboardRetry(std::uint32_t delayMs) override;

    void showSaveFailure(const char* fileName) override;
    void showSavesResumed() override;
    UnsavedDataChoice askAboutUnsavedData(const char* fileName) override;
    std::string chooseFileToKeep(const char* suggestedName) override;
    void holdSessionEnd(const char* reason) override;

    std::string regionalCallingCode() override;
    bool isLeftCtrlDown() override;
    CallHandlers callHandlers() override;
    CallResult requestCall(const char* address, DialRoute route) override;
    void showCallFailure(CallResult result) override;
    void showCallPlaced() override;

private:
    // A text of the string table about a data file, with the file's name and its folder.
    std::string aboutDataFile(UINT formatId, const char* fileName) const;
    void updateTip();

    HINSTANCE instance_;
    HWND main_ = nullptr;
    TrayIcon trayIcon_;
    // What the icon's tip tells: data not being saved, a call not placed.
    bool savesFailing_ = false;
    bool callFailed_ = false;
    ToolbarStrip strip_;
};

} // namespace vellix
