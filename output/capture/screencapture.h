// SPDX-License-Identifier: MIT
#pragma once
// The captures of the animation: the current frame to the clipboard, to the next bitmap
// file of the rotation, or to that file and the desktop wallpaper. A capture is the work
// buffer at the rendering size with the colour filter applied: the picture on the screen
// without any desktop blend. Nothing is ever shown to the user: a failed capture leaves
// the run as it was.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace orvex {

class Clipboard;
class FramePresenter;
class SettingsStore;
class WallpaperSetter;

// The picture of one capture: top-down 32-bit pixels, width per row.
struct CapturedFrame {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
};

// "Orvex_Lumora_ScreenCapture_<number>.bmp" in folder.
std::filesystem::path CaptureFileName(const std::filesystem::path &folder, int32_t number);

class ScreenCapture {
public:
    // folder is created by the first file saved into it.
    ScreenCapture(SettingsStore &store, std::filesystem::path folder, Clipboard &clipboard,
                  WallpaperSetter &wallpaper);

    // Nothing is copied before the presenter's first display run.
    void CopyFrameToClipboard(const FramePresenter &presenter);

    // Takes the next number of the rotation (Adv_ImageBufferIndex + 1, wrapping after
    // Adv_ImageBufferMax files), copies the frame to the clipboard, writes it to that
    // file and, when setWallpaper, makes the file the wallpaper. false when the file
    // could not be written; an earlier file of that number then stays as it was.
    // The index is stored without waiting for another writer's lock; when the store
    // does not take it (read-only settings, a held lock) the rotation goes on from the
    // index kept here.
    bool SaveFrameToFile(const FramePresenter &presenter, bool setWallpaper);

    const std::filesystem::path &Folder() const { return folder_; }

private:
    int32_t NextFileNumber();
    // Puts the filtered frame on the clipboard and hands it back for the file.
    CapturedFrame CopyToClipboard(const FramePresenter &presenter);

    SettingsStore &store_;
    std::filesystem::path folder_;
    Clipboard &clipboard_;
    WallpaperSetter &wallpaper_;
    std::optional<int32_t> unstoredIndex_; // the next index, while the store has not taken it
};

} // namespace orvex
