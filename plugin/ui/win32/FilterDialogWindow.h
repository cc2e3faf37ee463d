#pragma once
// The filter dialog's window object, shared by the files that handle its parts: the start
// and end of the dialog and its commands (FilterDialog.cpp), the four lengths with their
// edit boxes and sliders and the preview refresh (FilterDialogLengths.cpp), and the settings
// files (FilterDialogSettings.cpp).

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/preview/PreviewCache.h"
#include "plugin/run/FilterGlobals.h"
#include "plugin/run/SettingsFile.h"
#include "plugin/ui/EditLimits.h"
#include "plugin/ui/win32/ButtonFaceBitmaps.h"
#include "plugin/ui/win32/DialogPreviewHost.h"
#include "plugin/ui/win32/PreviewCanvas.h"
#include "plugin/ui/win32/SettingsChooser.h"

class FilterDialogWindow {
  public:
    FilterDialogWindow(HINSTANCE instance, FilterGlobals& globals, MeshBuffers& buffers);

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Start();
    void End();
    void Command(int id, int code, LPARAM lParam);
    void Close(INT_PTR result);
    void ApplyEnableRules();
    void ShowSettings();
    void SelectFormat(int index);
    void RedrawButtons(int first);
    void RepaintCanvas();
    void FitAll();

    // FilterDialogLengths.cpp
    void CreateSliders();
    void ShowParameter(LengthField field);
    bool LengthCommand(int id, int code, LPARAM lParam);
    void RefreshMesh(bool resetCount);

    // FilterDialogSettings.cpp
    void LoadSettings();
    void SaveSettings();
    // A modal chooser or exclamation box over the dialog: OK, Cancel, Load and Save wait
    // for it.
    std::optional<std::string> ChooseFile(SettingsChoice choice);
    void Box(const SettingsMessage& message);

    MeshSettings& Settings() { return globals_.settings; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    HINSTANCE instance_;
    FilterGlobals& globals_;
    MeshBuffers& buffers_;
    HWND dialog_ = nullptr;
    HWND canvas_ = nullptr;
    PreviewCache cache_;
    CanvasModel model_{};
    std::unique_ptr<DialogPreviewHost> previewHost_;
    std::unique_ptr<ButtonFaceBitmaps> faces_;
    std::array<bool, 4> textChanged_{}; // one per LengthField
    bool settingText_ = false;          // the dialog's own SetWindowText is no user edit
    int modalDepth_ = 0;                // boxes and choosers open over the dialog
};
