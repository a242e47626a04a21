#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "components/classdata/window_data.h"
#include "components/support/component_object.h"
#include "components/window/background_sound.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// The window's events (its own numbers; the common events are negative).
namespace window_event {
inline constexpr std::int32_t kCreated = 0;
inline constexpr std::int32_t kQueryDestroy = 1;
inline constexpr std::int32_t kDestroyed = 2;
inline constexpr std::int32_t kMoved = 3;
inline constexpr std::int32_t kResized = 4;
inline constexpr std::int32_t kActivated = 5;
inline constexpr std::int32_t kDeactivated = 6;
inline constexpr std::int32_t kIdle = 7;
inline constexpr std::int32_t kFirstActivated = 8;
inline constexpr std::int32_t kTrayEvent = 9;
inline constexpr std::int32_t kShown = 10;
inline constexpr std::int32_t kHidden = 11;
inline constexpr std::int32_t kQueryClose = 12;
}  // namespace window_event

// Messages the window answers besides the system's.
namespace window_message {
// Another part of the runtime asks for the background: wParam a device
// context, lParam the rectangle to paint. Answered with kPainted.
inline constexpr UINT kPaintBackground = 0x8389;
inline constexpr LRESULT kPainted = 20141111;
// The tray icon's notifications.
inline constexpr UINT kTrayNotification = 0x8064;
}  // namespace window_message

inline constexpr UINT kTrayIconId = 100;

// The object of a loaded window (the form every other component lives in):
// its look, its events, its closing sequence and its keyboard conventions.
class CWinFormUnit final : public ComponentObject {
public:
    // The name the runtime makes a window's own object by.
    static constexpr char kRuntimeClassName[] = "CWinFormUnit";

    CWinFormUnit(classdata::WindowData data, bool designMode);
    ~CWinFormUnit() override;

    const classdata::WindowData& data() const noexcept { return data_; }
    classdata::WindowData& data() noexcept { return data_; }
    bool designMode() const noexcept { return designMode_; }
    void setDesignMode(bool designMode) noexcept { designMode_ = designMode; }

    // How the loader shows the window at first, from its start position.
    int startShowCommand() const override;
    void setReloaded(bool reloaded) override { reloaded_ = reloaded; }
    bool reloaded() const noexcept { return reloaded_; }

    // Modal bookkeeping the loader fills: the windows it disabled for this
    // one, enabled again when this window closes.
    void setModal(bool modal) override { modal_ = modal; }
    bool modal() const noexcept { return modal_; }
    void rememberDisabledWindow(HWND window, bool wasEnabled) override;
    // The window's accelerator table, owned from now on.
    void setAccelerators(HACCEL accelerators) override { accelerators_.reset(accelerators); }

    // Steps of creation and of property writes that touch the live window.
    void applyCaptionAndBoxes();
    void applyFrame();
    void applyIcons();
    void applyShape();
    void applyTopmost();
    void applyMovable();
    void applyStartPosition();

    // Paints the background into `clip` of a device context.
    void paintBackground(HDC dc, const RECT& clip);
    // The background picture changed: decode it again when next painted.
    void dropPicture() noexcept;
    bool hasPicture() const noexcept { return !data_.BackPicture.empty(); }

    // The background sound by the current properties, started anew or
    // stopped; and what plays now.
    void startSound();
    void stopSound() noexcept { sound_.stop(); }
    SoundKind soundPlaying() const noexcept { return sound_.playing(); }

    // Sets (or, with a null icon, removes) the window's tray icon; the tip
    // is cut to what the notification area holds.
    bool setTrayIcon(HICON icon, const char* tip);
    bool trayIconShown() const noexcept { return trayIconShown_; }

    void setHelpOpen(bool open) override { helpOpen_ = open; }
    bool helpOpen() const override { return helpOpen_; }

    bool preTranslateMessage(MSG& message) override;
    bool onIdle(long elapsedMilliseconds) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT onClose();
    LRESULT onActivate(WPARAM wParam, LPARAM lParam);
    void onDestroy();
    void onPaint();
    void enableDisabledWindows();
    bool passActivationToModalWindow();

    // Keyboard conventions.
    bool onKeyDown(const MSG& message);
    bool onMnemonic(const MSG& message);
    bool filteredByComponent(MSG& message);
    ComponentObject* focusedComponent() const;
    std::vector<ComponentObject*> components() const;
    bool moveFocus(ComponentObject* focused, bool forward, bool optionButtonsOnly);
    void selectOptionButton(ComponentObject& chosen, const std::vector<ComponentObject*>& list);
    bool pressDefaultButton();
    bool openHelp();
    bool dragAnywhere(const MSG& message);

    classdata::WindowData data_;
    bool designMode_;
    bool reloaded_ = false;
    bool modal_ = false;
    bool activatedBefore_ = false;
    bool activating_ = false;
    bool helpOpen_ = false;
    bool trayIconShown_ = false;
    HWND focusChild_ = nullptr;
    std::vector<std::pair<HWND, bool>> disabledWindows_;
    win::UniqueIcon bigIcon_;
    win::UniqueIcon smallIcon_;
    win::UniqueBitmap picture_;
    SIZE pictureSize_{};
    bool pictureDecoded_ = false;
    win::UniqueAccelerator accelerators_;
    win::UniqueRegion region_;
    BackgroundSound sound_;
};

}  // namespace veltrano
